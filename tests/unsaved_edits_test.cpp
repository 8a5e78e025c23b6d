// Edits that are not saved yet survive what other windows and dialogs do meanwhile:
// closing with the note editor open, the date manager saving another file, a second
// calendar window opening; and a key typed in an editor reaches the window once.
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/help_about.h"
#include "core/settings_store.h"
#include "core/year_dates.h"
#include "editors/dialogs/date_manager.h"
#include "support/running_calendar.h"
#include "support/test_folders.h"
#include "tests/support/test_calendar.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace mduAlmanorvqueLib;
using testsupport::TestCalendar;

using testsupport::CellOf;

class UnsavedEdits : public testsupport::RunningCalendarTest {};

TEST_F(UnsavedEdits, ANoteStillInTheEditorIsKeptAtClose)
{
    TestCalendar& w = Open();
    const QDate day(2026, 12, 3);
    w.lblDate_DblClick(CellOf(w, day));
    QTest::keyClicks(w.txtMsg.Editor(), "typed, not committed");
    w.CloseDown_Click();
    EXPECT_TRUE(testsupport::ReadBytes(YearFilePath(2026)).contains("typed, not committed"));
}

TEST_F(UnsavedEdits, ANoteSurvivesTheDateManagerSavingThePersonalDates)
{
    testsupport::WriteBytes(gPersonalDatesFile, "PCaption:01/12=Birthday\r\n");
    TestCalendar& w = Open();
    frmDateManager manager;
    manager.ShowCalendarDate(&w, "2026");
    // With the manager open, the user writes a note in the calendar.
    w.SetActivity(conv::DateText(QDate(2026, 12, 3)), "note after opening");
    manager.LoadPersonalDates_Click();
    ASSERT_EQ(manager.grid().TextMatrix(1, 0), "01/12:PCaption");
    manager.grid().LetTextMatrix(1, 1, "Birthday!");
    manager.cmdButton_Click(0);
    EXPECT_TRUE(testsupport::ReadBytes(gPersonalDatesFile).contains("Birthday!"));
    EXPECT_EQ(w.GetActivity(conv::DateText(QDate(2026, 12, 3))), "note after opening");
    manager.Unload();
    w.CloseDown_Click();
    EXPECT_TRUE(testsupport::ReadBytes(YearFilePath(2026)).contains("note after opening"));
}

TEST_F(UnsavedEdits, F1InTheNoteEditorOpensHelpOnce)
{
    int opened = 0;
    mduUILib::SetHelpViewer([&](const QString&, int, QObject*) { ++opened; });
    TestCalendar& w = Open();
    w.lblDate_DblClick(CellOf(w, QDate(2026, 12, 3)));
    QTest::keyClick(w.txtMsg.Editor(), Qt::Key_F1);
    EXPECT_EQ(opened, 1);
    mduUILib::SetHelpViewer(nullptr);
}

TEST_F(UnsavedEdits, APersonalCaptionSurvivesASecondWindowOpening)
{
    TestCalendar& w = Open();
    w.SetDateItem(conv::DateText(QDate(2026, 12, 3)), "My caption", "Caption");
    ASSERT_EQ(mduLib::GetValue("03/12", gPersonalDates, "Caption"), "My caption");
    auto second = std::make_unique<TestCalendar>();
    EXPECT_EQ(mduLib::GetValue("03/12", gPersonalDates, "Caption"), "My caption") << "after construction";
    second->ShowMe(0, QDate(2026, 11, 10));
    second->Timer1.Fire();
    EXPECT_EQ(mduLib::GetValue("03/12", gPersonalDates, "Caption"), "My caption") << "after full load";
    second->CloseDown_Click();
    w.CloseDown_Click();
    EXPECT_TRUE(testsupport::ReadBytes(gPersonalDatesFile).contains("My caption"));
}
