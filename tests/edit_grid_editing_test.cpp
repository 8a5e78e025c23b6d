// The cell editing cycle on a real host, driven by clicks and keys.
#include "support/edit_grid_host.h"
#include "support/test_folders.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::CellPoint;
using testsupport::GridHost;

class EditGridEditing : public testsupport::GridHostTest {};

TEST_F(EditGridEditing, ClickOpensTheTextBoxOverTheCellWithItsTextSelected)
{
    Click(3, 1);
    EXPECT_TRUE(grid().EditOpen());
    EXPECT_TRUE(grid().ctlText.Visible());
    EXPECT_EQ(grid().ctlText.Text(), "v3");
    EXPECT_EQ(grid().ctlText.SelLength(), 2);
    EXPECT_EQ(Focused(), grid().ctlText.Widget());
    EXPECT_FLOAT_EQ(grid().ctlText.Top(), grid().ctlGrid.CellTop() - 10);
    EXPECT_FLOAT_EQ(grid().ctlText.Width(), grid().ctlGrid.CellWidth() + 20);
    EXPECT_EQ(grid().LastEditRowValue(), 3);
}

TEST_F(EditGridEditing, EnterCommitsThenMovesWithTheEventsInOrder)
{
    Click(3, 1);
    QTest::keyClicks(Focused(), "new");
    host->log.clear();
    Key(Qt::Key_Return);
    const QStringList expected = {"LeaveCell 3,1 v3", "EnterCell 4,1", "RowColChange 4,1", "SelChange 4,1"};
    EXPECT_EQ(host->log, expected);
    EXPECT_EQ(Cell(3, 1), "new");
    EXPECT_EQ(grid().Row(), 4);
    EXPECT_TRUE(grid().EditOpen());
    EXPECT_EQ(grid().ctlText.Text(), "v4");
    EXPECT_EQ(grid().ctlText.SelLength(), 2);
}

TEST_F(EditGridEditing, EscRestoresTheCellTextThenClosesTheEditor)
{
    Click(2, 1);
    QTest::keyClicks(Focused(), "zzz");
    Key(Qt::Key_Escape);
    EXPECT_TRUE(grid().ctlText.Visible());
    EXPECT_EQ(grid().ctlText.Text(), "v2");
    Key(Qt::Key_Escape);
    EXPECT_FALSE(grid().ctlText.Visible());
    EXPECT_FALSE(grid().EditOpen());
    EXPECT_EQ(Cell(2, 1), "v2");
    EXPECT_EQ(Focused(), &grid().ctlGrid); // the focus goes back to the grid
}

TEST_F(EditGridEditing, ArrowKeysThroughTenRowsChangeNoCell)
{
    // The host shows the (emptied) text box at every row change; moving on must not
    // write it into the cells left behind.
    Click(1, 1);
    Key(Qt::Key_Escape);
    ASSERT_EQ(Focused(), &grid().ctlGrid);
    for (int i = 0; i < 10; ++i)
        Key(Qt::Key_Down);
    EXPECT_EQ(grid().Row(), 11);
    EXPECT_TRUE(grid().ctlText.Visible()); // made visible by the host
    for (int r = 1; r < 25; ++r)
        EXPECT_EQ(Cell(r, 1), QStringLiteral("v%1").arg(r)) << r;
    for (int i = 0; i < 10; ++i)
        Key(Qt::Key_Up);
    for (int r = 1; r < 25; ++r)
        EXPECT_EQ(Cell(r, 1), QStringLiteral("v%1").arg(r)) << r;
}

TEST_F(EditGridEditing, EnterOnTheLastCellKeepsTheTypedText)
{
    grid().ctlGrid.ShowCell(24, 1);
    Click(24, 1);
    QTest::keyClicks(Focused(), "last");
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(24, 1), "last");
    EXPECT_EQ(grid().Row(), 24);
    EXPECT_TRUE(grid().EditOpen());
    EXPECT_EQ(grid().ctlText.Text(), "last");
}

TEST_F(EditGridEditing, TypingStartsAnEditWithTheTypedCharacter)
{
    Click(5, 1);
    Key(Qt::Key_Escape);
    host->log.clear();
    QTest::keyClick(&grid().ctlGrid, 'x');
    EXPECT_EQ(host->log.value(0), "KeyPress 120");
    EXPECT_EQ(grid().ctlText.Text(), "x");
    EXPECT_EQ(grid().ctlText.SelStart(), 1);
    EXPECT_EQ(Cell(5, 1), "v5"); // until the commit
    Key(Qt::Key_Tab);            // the focus leaves: commit
    EXPECT_EQ(Cell(5, 1), "x");
    EXPECT_FALSE(grid().ctlText.Visible());
}

TEST_F(EditGridEditing, NoEditWhereItIsNotAllowed)
{
    // The pointer last seen over column 0 forbids any edit.
    Click(5, 0);
    EXPECT_FALSE(grid().EditOpen());
    grid().LetCol(1);
    QTest::keyClick(&grid().ctlGrid, 'x');
    EXPECT_FALSE(grid().EditOpen());
    EXPECT_EQ(grid().LastEditRowValue(), 0);

    // A struck-through row, and editing switched off.
    grid().LetRow(6);
    grid().SetRowStrikeThrough(-1);
    Click(6, 1);
    EXPECT_FALSE(grid().EditOpen());
    grid().SetRowStrikeThrough(0);
    grid().SetEditableRow(0);
    Click(7, 1);
    EXPECT_FALSE(grid().EditOpen());
    grid().SetEditableRow(-1);

    // Editing off in the column: the row is still recorded. (The host turns editing on
    // again at every row change.)
    Click(8, 1);
    Key(Qt::Key_Escape);
    Key(Qt::Key_Down);
    grid().SetCellCtlVisible(1, 0);
    QTest::keyClick(&grid().ctlGrid, 'x');
    EXPECT_FALSE(grid().EditOpen());
    EXPECT_EQ(grid().LastEditRowValue(), 9);
}

TEST_F(EditGridEditing, PageDownDropsTheEditScrollingKeepsIt)
{
    Click(2, 1);
    QTest::keyClicks(Focused(), "gone");
    Key(Qt::Key_PageDown);
    EXPECT_FALSE(grid().ctlText.Visible());
    EXPECT_EQ(grid().ctlText.Text(), "");
    EXPECT_EQ(Cell(2, 1), "v2");

    // Scrolling closes the editor too, but what was typed is the user's: it is kept.
    Click(3, 1);
    QTest::keyClicks(Focused(), "kept");
    grid().ctlGrid.SetTopRow(5);
    EXPECT_FALSE(grid().EditOpen());
    EXPECT_EQ(Cell(3, 1), "kept");
}

TEST_F(EditGridEditing, AHeaderPressSelectsTheColumnAndOpensNoEditor)
{
    Click(0, 1);
    EXPECT_EQ(grid().Row(), 1);
    EXPECT_EQ(grid().RowSel(), 24);
    EXPECT_FALSE(grid().EditOpen());
    EXPECT_FALSE(grid().ctlColCombo.Visible()); // no options were given
}

TEST_F(EditGridEditing, AHeaderPressShowsTheColumnOptions)
{
    grid().SetColComboOption("1,2");
    Click(0, 1);
    platform::ComboBox& options = grid().ctlColCombo;
    ASSERT_TRUE(options.Visible());
    EXPECT_EQ(options.ListIndex(), -1);
    EXPECT_FLOAT_EQ(options.Top(), grid().ctlGrid.CellTop() - 285);
    options.SetListIndex(1); // "Generic Descending"
    grid().ctlColCombo_Click();
    EXPECT_EQ(Cell(1, 1), "v9");    // v9 > v8 > ... > v24 > v23 ... as text
    EXPECT_TRUE(options.Visible()); // it stays until it loses the focus
    grid().SetFocus();
    EXPECT_FALSE(options.Visible());
}

TEST_F(EditGridEditing, TheHostsHandlersRunFirstAndCanChangeTheKey)
{
    // A right-button press edits too, after the host's own handler.
    QTest::mouseClick(viewport(), Qt::RightButton, {}, CellPoint(grid(), 4, 1));
    EXPECT_EQ(host->log.filter("MouseDown"), QStringList{"MouseDown 2 4,1"});
    EXPECT_TRUE(grid().EditOpen());
    Key(Qt::Key_Escape);
    // A host that sets KeyAscii to 0 opens the editor with the whole cell text selected.
    grid().Events.KeyPress = [](int& k) { k = 0; };
    QTest::keyClick(&grid().ctlGrid, 'q');
    EXPECT_TRUE(grid().EditOpen());
    EXPECT_EQ(grid().ctlText.Text(), "v4");
    EXPECT_EQ(grid().ctlText.SelLength(), 2);
    // A press that leaves several rows selected drops the edit and opens none.
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ShiftModifier, CellPoint(grid(), 7, 1));
    EXPECT_EQ(grid().RowSel(), 7);
    EXPECT_FALSE(grid().EditOpen());
    EXPECT_EQ(Cell(4, 1), "v4");
}

TEST_F(EditGridEditing, LettersOfOtherScriptsTypeLikeAnyOther)
{
    Click(5, 1);
    Key(Qt::Key_Escape);
    auto type = [](QWidget* w, const QString& ch) {
        QKeyEvent press(QEvent::KeyPress, ch.at(0).unicode(), Qt::NoModifier, ch);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, ch.at(0).unicode(), Qt::NoModifier, ch);
        QApplication::sendEvent(w, &release);
    };
    type(&grid().ctlGrid, QStringLiteral("ж"));
    ASSERT_TRUE(grid().EditOpen());
    type(Focused(), QStringLiteral("у"));
    EXPECT_EQ(grid().ctlText.Text(), QStringLiteral("жу"));
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(5, 1), QStringLiteral("жу"));
}

TEST_F(EditGridEditing, APopupOrAnotherWindowIsNoLossOfFocus)
{
    Click(6, 1);
    QTest::keyClicks(Focused(), "kept");
    QWidget* box = grid().ctlText.Widget();
    for (Qt::FocusReason reason : {Qt::PopupFocusReason, Qt::ActiveWindowFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(box, &out);
        EXPECT_TRUE(grid().EditOpen()) << reason;
        EXPECT_TRUE(grid().ctlText.Visible());
        EXPECT_EQ(Cell(6, 1), "v6");
    }
    QFocusEvent out(QEvent::FocusOut, Qt::MouseFocusReason);
    QApplication::sendEvent(box, &out);
    EXPECT_FALSE(grid().ctlText.Visible());
    EXPECT_EQ(Cell(6, 1), "kept");
}

TEST_F(EditGridEditing, PunctuationIsTypedNotTakenForMovingKeys)
{
    // "!", "\"", "%", "&", "(" and "." carry the character codes of Page Up, Page Down,
    // the arrows and Delete; they are text in the editor.
    Click(3, 1);
    QTest::keyClicks(Focused(), "a!\"%&(.b");
    EXPECT_TRUE(grid().EditOpen());
    EXPECT_EQ(grid().Row(), 3);
    Key(Qt::Key_Return);
    EXPECT_EQ(Cell(3, 1), "a!\"%&(.b");
    const struct {
        int key, code;
    } cases[] = {{'!', 49},          {'(', 57}, {'.', 190}, {'-', 189}, {Qt::Key_PageUp, 33}, {Qt::Key_Delete, 46},
                 {Qt::Key_Down, 40}, {'A', 65}, {' ', 32}};
    for (const auto& c : cases)
        EXPECT_EQ(platform::KeyCodeOf(c.key), c.code) << c.key;
}
