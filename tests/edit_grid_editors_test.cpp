// The spin box, the pick list and the editable combo with its delayed completion.
#include "editors/grid/spin_math.h"
#include "support/edit_grid_host.h"
#include "support/test_folders.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLocale>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using testsupport::CellPoint;
using testsupport::GridHost;

TEST(SpinSteps, NumbersThenDatesElseOnlyTheBlanksGo)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const struct {
        const char* text;
        int delta;
        const char* expected;
    } cases[] = {
        {"5", 1, " 6"},
        {"1", -1, " 0"},
        {"0", -1, "-1"},
        {"2.5", 1, " 3.5"},
        {"2.567", 1, " 3.57"},
        {"0.5", -1, "-.5"},
        {"  7  ", 1, " 8"},
        {" 6", 1, " 7"},
        {"2.4", -1, " 1.4"},
        {"31/12/2024", 1, "01/01/2025"},
        {"01/03/2024", -1, "29/02/2024"},
        {" abc ", 1, "abc"},
        {"", 1, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(spinmath::StepSpinText(c.text, c.delta), c.expected) << c.text;
    EXPECT_EQ(ctlEditGrid::NormalizeSpinNumber(""), "0");
    EXPECT_EQ(ctlEditGrid::NormalizeSpinNumber("2.5"), "2.50");
    EXPECT_EQ(ctlEditGrid::NormalizeSpinNumber("2.567"), "2.57");
    EXPECT_EQ(ctlEditGrid::NormalizeSpinNumber("-3.5"), "-3.50");
    QLocale::setDefault(QLocale::c());
}

TEST(SpinSteps, DatesKeepTheirCenturyAndLeapDays)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const struct {
        const char* text;
        int delta;
        const char* expected;
    } cases[] = {
        {"12/31/2024", 1, "1/1/2025"},  {"1/1/2025", -1, "12/31/2024"}, {"3/1/2000", -1, "2/29/2000"},
        {"2/29/2000", -1, "2/28/2000"}, {"2/28/1900", 1, "3/1/1900"},   {"12/31/1999", 1, "1/1/2000"},
        {"1/1/2000", -1, "12/31/1999"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(spinmath::StepSpinText(c.text, c.delta), c.expected) << c.text;
        // The step's text steps on from the day it names.
        EXPECT_EQ(spinmath::StepSpinText(spinmath::StepSpinText(c.text, c.delta), -c.delta), c.text) << c.text;
    }
    QLocale::setDefault(QLocale::c());
}

class EditGridEditors : public testsupport::GridHostTest {
protected:
    void SetUp() override
    {
        GridHostTest::SetUp();
        grid().Events.RowColChange = nullptr; // the columns keep the kinds the test gives
    }
};

TEST_F(EditGridEditors, TheSpinArrowsStepTheTextBoxAndEnterCommits)
{
    grid().SetCellCtl(1, kCellSpin);
    grid().LetTextMatrix(2, 1, "5");
    Click(2, 1);
    ASSERT_TRUE(grid().ctlUpDown.Visible());
    EXPECT_FLOAT_EQ(grid().ctlUpDown.Left(), grid().ctlGrid.CellLeft() + grid().ctlGrid.CellWidth());
    QTest::mouseClick(grid().ctlUpDown.UpButton(), Qt::LeftButton);
    QTest::mouseClick(grid().ctlUpDown.UpButton(), Qt::LeftButton);
    EXPECT_EQ(grid().ctlText.Text(), " 7");
    EXPECT_EQ(Focused(), grid().ctlText.Widget()); // the arrows leave the focus in the box
    QTest::mouseClick(grid().ctlUpDown.DownButton(), Qt::LeftButton);
    EXPECT_EQ(grid().TextMatrix(2, 1), "5"); // not before the commit
    QTest::keyClick(Focused(), Qt::Key_Return);
    EXPECT_EQ(grid().TextMatrix(2, 1), " 6");
    EXPECT_EQ(grid().Row(), 3);
}

TEST_F(EditGridEditors, APickListOpensOnTheEntryEqualToTheCell)
{
    grid().SetCellCtl(1, kCellText);
    grid().SetCellCtl(1, kCellPickList);
    EXPECT_FALSE(grid().GetComboCtl(1)->Visible());
    for (const char* item : {"Yes", "No"})
        grid().AddCellComboItem(1, item);
    EXPECT_EQ(grid().SetCellDefault(1), "Yes");
    grid().LetTextMatrix(2, 1, "No");
    Click(2, 1);
    platform::ComboBox& list = grid().ctlCombo(1);
    ASSERT_TRUE(list.Visible());
    EXPECT_EQ(list.ListIndex(), 1);
    // Delete leaves no entry chosen, and leaving writes that empty choice.
    QTest::keyClick(Focused(), Qt::Key_Delete);
    EXPECT_EQ(list.ListIndex(), -1);
    QTest::keyClick(Focused(), Qt::Key_Return);
    EXPECT_EQ(grid().TextMatrix(2, 1), "");
    // A cell text that is no entry leaves the selection as it was.
    grid().LetTextMatrix(4, 1, "Maybe");
    Click(4, 1);
    EXPECT_EQ(list.ListIndex(), -1);
    // An empty list shows nothing, but the row is recorded.
    QTest::keyClick(Focused(), Qt::Key_Escape);
    grid().ClearCellCombo(1);
    Click(6, 1);
    EXPECT_FALSE(list.Visible());
    EXPECT_EQ(grid().LastEditRowValue(), 6);
}

TEST_F(EditGridEditors, LeavingAPickListWithoutAChoiceKeepsTheCellText)
{
    grid().SetCellCtl(1, kCellPickList);
    for (const char* item : {"Yes", "No"})
        grid().AddCellComboItem(1, item);
    platform::ComboBox& list = grid().ctlCombo(1);
    grid().LetTextMatrix(2, 1, "No");
    grid().LetTextMatrix(4, 1, "Maybe");
    grid().LetTextMatrix(5, 1, "Maybe");
    // Chosen on row 2, then opened on a text that is no entry: no stale choice.
    Click(2, 1);
    Click(4, 1);
    ASSERT_TRUE(list.Visible());
    EXPECT_EQ(list.ListIndex(), -1);
    EXPECT_EQ(grid().TextMatrix(2, 1), "No");
    // A click elsewhere, Enter, or Esc: the cell keeps its text.
    Click(6, 1);
    EXPECT_EQ(grid().TextMatrix(4, 1), "Maybe");
    Click(5, 1);
    QTest::keyClick(Focused(), Qt::Key_Return);
    EXPECT_EQ(grid().TextMatrix(5, 1), "Maybe");
    Click(4, 1);
    QTest::keyClick(Focused(), Qt::Key_Escape); // nothing chosen: Esc closes the list
    EXPECT_FALSE(list.Visible());
    EXPECT_FALSE(grid().EditOpen());
    EXPECT_EQ(grid().TextMatrix(4, 1), "Maybe");
    // A choice, then Esc: back to no choice; a second Esc closes.
    Click(4, 1);
    list.SetListIndex(0);
    QTest::keyClick(Focused(), Qt::Key_Escape);
    EXPECT_TRUE(list.Visible());
    EXPECT_EQ(list.ListIndex(), -1);
    QTest::keyClick(Focused(), Qt::Key_Escape);
    EXPECT_FALSE(list.Visible());
    EXPECT_EQ(grid().TextMatrix(4, 1), "Maybe");
    // Delete is the way to empty the cell.
    Click(4, 1);
    QTest::keyClick(Focused(), Qt::Key_Delete);
    QTest::keyClick(Focused(), Qt::Key_Return);
    EXPECT_EQ(grid().TextMatrix(4, 1), "");
    // A chosen entry is written.
    Click(5, 1);
    list.SetListIndex(0);
    Click(6, 1);
    EXPECT_EQ(grid().TextMatrix(5, 1), "Yes");
}

TEST_F(EditGridEditors, ThePickListDropsItsListOnTheFirstPress)
{
    grid().SetCellCtl(1, kCellPickList);
    for (const char* item : {"Portrait Top", "Landscape Left", "Center"})
        grid().AddCellComboItem(1, item);
    grid().LetTextMatrix(3, 1, "Center");
    Click(5, 1); // from another row
    Click(3, 1);
    platform::ComboBox& list = grid().ctlCombo(1);
    ASSERT_TRUE(list.Visible());
    QComboBox* combo = list.Widget();
    // The arrow: the list drops, and the focus goes to it as a plain focus change.
    QTest::mousePress(combo, Qt::LeftButton, {}, QPoint(combo->width() - 5, combo->height() / 2));
    ASSERT_TRUE(combo->view()->isVisible());
    EXPECT_TRUE(list.Visible());
    EXPECT_TRUE(grid().EditOpen());
    EXPECT_TRUE(combo->view()->isVisible());
    // The choice made in the list is the cell's at the next commit.
    QTest::keyClick(combo->view(), Qt::Key_Up);
    QTest::keyClick(combo->view(), Qt::Key_Return);
    EXPECT_FALSE(combo->view()->isVisible());
    Click(6, 1);
    EXPECT_EQ(grid().TextMatrix(3, 1), "Landscape Left");
}

TEST_F(EditGridEditors, AnEditableComboSelectsOrLearnsTheCellText)
{
    grid().SetCellCtl(1, kCellComboEdit);
    grid().AddCellComboEditItem(1, "Apple");
    platform::ComboBox& combo = grid().ctlComboEdit(1);
    grid().LetTextMatrix(2, 1, "Apple");
    Click(2, 1);
    EXPECT_EQ(combo.ListIndex(), 0);
    EXPECT_EQ(combo.ListCount(), 1);
    QTest::keyClick(Focused(), Qt::Key_Escape);
    Click(3, 1); // "v3" is new: shown and learnt
    EXPECT_EQ(combo.Text(), "v3");
    EXPECT_EQ(combo.ListCount(), 2);
    QTest::keyClick(Focused(), Qt::Key_Escape);
    grid().LetTextMatrix(4, 1, "");
    Click(4, 1);
    EXPECT_EQ(combo.Text(), "");
    EXPECT_EQ(combo.ListCount(), 2);
    EXPECT_EQ(grid().GetComboEditText(), "");
    grid().RemoveComboEditItem("v3");
    EXPECT_EQ(combo.ListCount(), 1);
}

TEST_F(EditGridEditors, TypedTextCompletesFromTheListAfterThePause)
{
    grid().SetCellCtl(1, kCellComboEdit);
    for (const char* item : {"Apple", "apricot"})
        grid().AddCellComboEditItem(1, item);
    platform::ComboBox& combo = grid().ctlComboEdit(1);
    grid().LetTextMatrix(2, 1, "");
    Click(2, 1);
    QTest::keyClicks(Focused(), "ap");
    QTest::keyClick(Focused(), Qt::Key_Left); // does not restart the delay, keeps it armed
    EXPECT_EQ(combo.Text(), "ap");
    grid().TimerTypeahead.Fire();
    EXPECT_EQ(combo.Text(), "Apple");
    EXPECT_EQ(combo.SelStart(), 2);
    EXPECT_EQ(combo.SelLength(), 3);
    // A tick with nothing pending does nothing.
    combo.SetText("ap");
    grid().TimerTypeahead.Fire();
    EXPECT_EQ(combo.Text(), "ap");
    // The entry's own letter case, nothing left to select; no entry: no change.
    combo.SetText("");
    QTest::keyClicks(Focused(), "APRICOT");
    grid().TimerTypeahead.Fire();
    EXPECT_EQ(combo.Text(), "apricot");
    EXPECT_EQ(combo.SelLength(), 0);
    combo.SetText("");
    QTest::keyClicks(Focused(), "zz");
    grid().TimerTypeahead.Fire();
    EXPECT_EQ(combo.Text(), "zz");
    EXPECT_EQ(grid().GetComboEditText(), "zz");
}
