// The cell editing cycle on a real host, driven by clicks and keys.
#include "support/edit_grid_host.h"
#include "support/test_folders.h"

#include "ui/twips.h"
#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <functional>
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

TEST_F(EditGridEditing, TheFirstKeyIntoAnIdleCellIsTheKeysWholeText)
{
    // The key event as the desktop delivers it: an emoji is two UTF-16 units, a composed
    // letter may be two characters; the host hears the first character's code.
    const struct {
        QString typed;
        int code;
    } cases[] = {
        {QStringLiteral("q"), 'q'},     {QStringLiteral("é"), 0xE9},      {QStringLiteral("漢"), 0x6F22},
        {QStringLiteral("😀"), 0x1F600}, {QStringLiteral("e\u0301"), 'e'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        Click(5, 1);
        Key(Qt::Key_Escape);
        ASSERT_FALSE(grid().EditOpen());
        host->log.clear();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, c.typed);
        QApplication::sendEvent(&grid().ctlGrid, &press);
        EXPECT_EQ(host->log.filter("KeyPress"), QStringList{QStringLiteral("KeyPress %1").arg(c.code)});
        ASSERT_TRUE(grid().EditOpen());
        EXPECT_EQ(grid().ctlText.SelStart(), c.typed.size()); // the caret after the whole text
        QTest::keyClicks(Focused(), "x");
        Key(Qt::Key_Return);
        EXPECT_EQ(Cell(5, 1), c.typed + "x");
    }
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

// Keystroke scripts: what the user does during an edit, then what the cells hold. Every
// script starts with "typed" in the editor over (3, 1), the cell holding "v3".
class EditGridScripts : public testsupport::GridHostTest {
public:
    // The scripts of the table drive the host from outside the fixture.
    using GridHostTest::Click;
    using GridHostTest::grid;
    using GridHostTest::host;
    using GridHostTest::Key;
    void Type(const QString& s) { QTest::keyClicks(Focused(), s); }
    void Wheel(int delta)
    {
        const QPoint at = CellPoint(grid(), 6, 1);
        QWheelEvent wheel(at, viewport()->mapToGlobal(at), {}, {0, delta}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport(), &wheel);
    }
};

TEST_F(EditGridScripts, WhatIsTypedDuringAnEditLandsWhereTheUserSees)
{
    using Self = EditGridScripts;
    const struct {
        const char* name;
        std::function<void(Self&)> script;
        std::vector<std::pair<int, QString>> cells; // column 1 of these rows afterwards
        std::vector<std::pair<int, qint32>> rowData;
    } cases[] = {
        // A reset during an edit closes the editor; what is typed next starts a new edit.
        {"Clear, then typing",
         [](Self& t) {
             t.grid().Clear();
             t.grid().LetTextMatrix(3, 1, "w3");
             EXPECT_FALSE(t.grid().ctlText.Visible());
             t.Type("q");
             t.Key(Qt::Key_Return);
         },
         {{3, "q"}},
         {{3, 0}}},
        {"RemoveItem, then typing",
         [](Self& t) {
             t.grid().LetRowData(4, 44);
             t.grid().RemoveItem(3);
             EXPECT_FALSE(t.grid().ctlText.Visible());
             t.Type("q");
             t.Key(Qt::Key_Return);
         },
         {{2, "v2"}, {3, "q"}, {4, "v5"}},
         {{3, 44}}},
        {"ClearRow, then typing",
         [](Self& t) {
             t.grid().ClearRow(3);
             EXPECT_FALSE(t.grid().ctlText.Visible());
             t.Type("q");
             t.Key(Qt::Key_Return);
         },
         {{3, "q"}, {4, "v4"}},
         {}},
        // Deleting rows during an edit: the row moved up keeps its own value.
        {"DeleteGridRows, then a click elsewhere",
         [](Self& t) {
             t.grid().LetRowData(4, 44);
             t.grid().DeleteGridRows();
             EXPECT_FALSE(t.grid().EditOpen());
             t.Click(6, 1);
             t.Key(Qt::Key_Escape);
         },
         {{3, "v4"}, {4, "v5"}},
         {{3, 44}}},
        // The wheel and the scroll bar close the editor but keep what was typed.
        {"wheel",
         [](Self& t) {
             t.Wheel(-120);
             EXPECT_FALSE(t.grid().EditOpen());
             EXPECT_GT(t.grid().TopRow(), 1);
         },
         {{3, "typed"}},
         {}},
        {"scroll bar",
         [](Self& t) {
             t.grid().ctlGrid.verticalScrollBar()->setValue(4);
             EXPECT_FALSE(t.grid().EditOpen());
         },
         {{3, "typed"}},
         {}},
        // Page Down stays the deliberate way to drop an edit.
        {"PgDn", [](Self& t) { t.Key(Qt::Key_PageDown); }, {{3, "v3"}}, {}},
        {"Enter", [](Self& t) { t.Key(Qt::Key_Return); }, {{3, "typed"}, {4, "v4"}}, {}},
        // Delete on the grid is no typed character: no edit, nothing stored.
        {"Esc twice, Delete on the grid, Enter",
         [](Self& t) {
             t.Key(Qt::Key_Escape);
             t.Key(Qt::Key_Escape);
             t.host->log.clear();
             QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7f)));
             QApplication::sendEvent(&t.grid().ctlGrid, &del);
             EXPECT_TRUE(t.host->log.filter("KeyPress").isEmpty());
             EXPECT_FALSE(t.grid().EditOpen());
             QTest::keyClick(&t.grid().ctlGrid, Qt::Key_Backspace); // a control key does edit
             EXPECT_EQ(t.host->log.filter("KeyPress"), QStringList{"KeyPress 8"});
             t.Key(Qt::Key_Return);
         },
         {{3, "v3"}},
         {}},
        // Typing on a cell scrolled out of view brings it back before the editor opens.
        {"Esc twice, scroll away, type",
         [](Self& t) {
             t.Key(Qt::Key_Escape);
             t.Key(Qt::Key_Escape);
             t.grid().LetTopRow(15);
             QTest::keyClick(&t.grid().ctlGrid, 'x');
             ASSERT_TRUE(t.grid().EditOpen());
             EXPECT_TRUE(t.grid().RowIsVisible(3));
             EXPECT_GE(t.grid().ctlText.Top(), 0);
             t.Key(Qt::Key_Return);
         },
         {{3, "x"}},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        host.reset();
        host = std::make_unique<GridHost>();
        host->ShowActive();
        Click(3, 1);
        Type("typed");
        ASSERT_TRUE(grid().EditOpen());
        c.script(*this);
        for (const auto& [row, text] : c.cells)
            EXPECT_EQ(Cell(row, 1), text) << "row " << row;
        for (const auto& [row, data] : c.rowData)
            EXPECT_EQ(grid().RowData(row), data) << "row " << row;
        // Never an editor that takes typing which goes nowhere.
        if (grid().ctlText.Visible()) {
            EXPECT_TRUE(grid().EditOpen());
        }
    }
}

TEST_F(EditGridEditing, AClickOnAHalfShownBottomRowScrollsItIntoView)
{
    platform::FlexGrid& g = grid().ctlGrid;
    const int bottom = g.viewport()->height();
    qint32 cut = -1;
    for (qint32 r = 1; r < g.Rows(); ++r) {
        const int top = platform::TwipsToPixelsY(g.RowPos(r)) - g.viewport()->geometry().top();
        if (top < bottom && top + platform::TwipsToPixelsY(g.RowHeight(r)) > bottom) {
            cut = r;
            break;
        }
    }
    ASSERT_GT(cut, 0) << "the host shows no row cut by the bottom edge";
    const QPoint at(CellPoint(grid(), cut, 1).x(),
                    platform::TwipsToPixelsY(g.RowPos(cut)) - g.viewport()->geometry().top() + 2);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(grid().Row(), cut);
    ASSERT_TRUE(grid().EditOpen());
    EXPECT_GT(grid().TopRow(), 1);
    EXPECT_EQ(grid().RowSel(), cut);
    EXPECT_LE(grid().ctlText.Top() + grid().ctlText.Height(), grid().ControlHeight());
}
