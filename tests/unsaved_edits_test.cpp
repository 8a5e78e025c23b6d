// Edits that are not saved yet survive what other windows and dialogs do meanwhile:
// closing with the note editor open, the date manager saving another file, a second
// calendar window opening; and a key typed in an editor reaches the window once.
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/help_about.h"
#include "core/settings_store.h"
#include "core/year_dates.h"
#include "editors/dialogs/date_manager.h"
#include "support/full_disk.h"
#include "support/running_calendar.h"
#include "support/test_folders.h"
#include "tests/support/test_calendar.h"

#include <QDir>
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

TEST_F(UnsavedEdits, TheWindowsNoteSurvivesTheDateManagerSavingTheSameYear)
{
    TestCalendar& w = Open();
    frmDateManager manager;
    manager.ShowCalendarDate(&w, "2026");
    // The note goes into the window's table, not yet into the file.
    const QDate day(2026, 12, 16);
    w.lblDate_DblClick(CellOf(w, day));
    QTest::keyClicks(w.txtMsg.Editor(), "window note");
    w.txtMsg_DblClick();
    ASSERT_FALSE(testsupport::ReadBytes(YearFilePath(2026)).contains("window note"));
    // The manager changes a row of the same file and saves it.
    manager.grid().LetTextMatrix(1, 1, "Manager's caption");
    manager.cmdButton_Click(0);
    const QByteArray saved = testsupport::ReadBytes(YearFilePath(2026));
    EXPECT_TRUE(saved.contains("Manager's caption"));
    EXPECT_EQ(w.GetActivity(conv::DateText(day)), "window note");
    manager.Unload();
    w.CloseDown_Click();
    const QByteArray closed = testsupport::ReadBytes(YearFilePath(2026));
    EXPECT_TRUE(closed.contains("Activity:16/12=window note"));
    EXPECT_TRUE(closed.contains("Manager's caption"));
}

TEST_F(UnsavedEdits, ShowingTheDateManagerAgainOffersToSaveItsEdits)
{
    TestCalendar& w = Open();
    frmDateManager manager;
    manager.ShowCalendarDate(&w, "2026");
    manager.grid().LetTextMatrix(1, 1, "Edited once");
    manager.Changed = -1;
    boxes_.QueueAnswer(platform::vbYes);
    manager.ShowCalendarDate(&w, "2026");
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_TRUE(boxes_.Shown()[0].prompt.contains("save"));
    EXPECT_TRUE(testsupport::ReadBytes(YearFilePath(2026)).contains("Edited once"));
    EXPECT_EQ(manager.grid().TextMatrix(1, 1), "Edited once");
    // Nothing edited: no question.
    manager.ShowCalendarDate(&w, "2026");
    EXPECT_EQ(boxes_.Shown().size(), 1u);
    manager.Unload();
}

TEST_F(UnsavedEdits, ANoteTypedBeforeTheYearJumpsIsKept)
{
    TestCalendar& w = Open();
    const QDate day(2026, 12, 16);
    w.lblDate_DblClick(CellOf(w, day));
    QTest::keyClicks(w.txtMsg.Editor(), "before the jump");
    w.MoveYear(3);
    EXPECT_FALSE(w.txtMsg.Visible());
    EXPECT_TRUE(testsupport::ReadBytes(YearFilePath(2026)).contains("Activity:16/12=before the jump"));
    EXPECT_FALSE(testsupport::ReadBytes(YearFilePath(2029)).contains("before the jump"));
    w.MoveYear(-3);
    EXPECT_EQ(w.GetActivity(conv::DateText(day)), "before the jump");
}

TEST_F(UnsavedEdits, AStyleChoiceWritesTheDatesChangedSinceTheLastSave)
{
    TestCalendar& w = Open();
    w.SetDateItem(conv::DateText(QDate(2026, 12, 3)), "Before the style", "Caption");
    w.SetActivity(conv::DateText(QDate(2026, 12, 4)), "Note before the style");
    testsupport::WriteBytes(Path("Styles/Plain.ini"), "Orientation=Portrait Top\r\n");
    w.LoadStyle(Path("Styles/Plain.ini"));
    EXPECT_TRUE(testsupport::ReadBytes(gPersonalDatesFile).contains("Before the style"));
    EXPECT_TRUE(testsupport::ReadBytes(YearFilePath(2026)).contains("Note before the style"));
    w.Timer1.Fire(); // the full load reads the date files again
    EXPECT_EQ(mduLib::GetValue("03/12", gPersonalDates, "Caption"), "Before the style");
    EXPECT_EQ(w.GetActivity(conv::DateText(QDate(2026, 12, 4))), "Note before the style");
}

using testsupport::RunOnAFullDisk;

TEST_F(UnsavedEdits, ADateFileThatCannotBeWrittenAtCloseIsSaidAndMayBeTriedAgain)
{
    TestCalendar& w = Open();
    w.SetDateItem(conv::DateText(QDate(2026, 12, 3)), "Set before closing", "Caption");
    const QByteArray before = testsupport::ReadBytes(gPersonalDatesFile);
    // The user asks to try again once, then closes anyway: two questions, each naming the
    // file and the reason; the old file is kept.
    const int status = RunOnAFullDisk(static_cast<rlim_t>(before.size()) + 4, [&] {
        boxes_.QueueAnswer(platform::vbYes);
        boxes_.QueueAnswer(platform::vbNo);
        w.CloseDown_Click();
        int said = 0;
        for (const auto& box : boxes_.Shown())
            if (box.prompt.contains("PersonalDates") && box.prompt.contains("File too large") &&
                box.prompt.contains("Try again"))
                ++said;
        return said;
    });
    EXPECT_EQ(status, 2);
    EXPECT_EQ(testsupport::ReadBytes(gPersonalDatesFile), before);
    // With room again, trying again writes it.
    w.CloseDown_Click();
    EXPECT_TRUE(testsupport::ReadBytes(gPersonalDatesFile).contains("Set before closing"));
    EXPECT_TRUE(boxes_.Shown().empty());
}

namespace {
QByteArray HugeDates()
{
    QByteArray huge;
    for (int i = 0; i < mduLib::PropertyTable::kMaxUBound + 5; ++i)
        huge += "Caption:K" + QByteArray::number(i) + "=v\r\n";
    return huge;
}
} // namespace

TEST_F(UnsavedEdits, AnUnsavedCaptionSurvivesAReloadOfAFileTooLongToRead)
{
    TestCalendar& w = Open();
    w.SetDateItem(conv::DateText(QDate(2026, 12, 3)), "Unsaved caption", "Caption");
    const QByteArray huge = HugeDates();
    testsupport::WriteBytes(gPersonalDatesFile, huge); // outside, too long to read whole
    w.ReloadDatesOf(gPersonalDatesFile);
    EXPECT_EQ(mduLib::GetValue("03/12", gPersonalDates, "Caption"), "Unsaved caption") << "lost by the reload";
    testsupport::WriteBytes(gPersonalDatesFile, "Caption:01/01=x\r\n"); // short again
    w.CloseDown_Click();
    EXPECT_TRUE(testsupport::ReadBytes(gPersonalDatesFile).contains("Unsaved caption")) << "never written";
}

TEST_F(UnsavedEdits, ACaptionSetWhileTheFileCouldNotBeReadIsWrittenAtClose)
{
    QDir().mkpath(gPersonalDatesFile); // unreadable at the start, as another user's file
    TestCalendar& w = Open();
    QDir().rmdir(gPersonalDatesFile);
    testsupport::WriteBytes(gPersonalDatesFile, "Caption:01/01=x\r\n"); // readable again
    w.SetDateItem(conv::DateText(QDate(2026, 12, 3)), "Caption set meanwhile", "Caption");
    w.CloseDown_Click();
    EXPECT_EQ(testsupport::ReadBytes(gPersonalDatesFile), "Caption:01/01=x\r\nCaption:03/12=Caption set meanwhile\r\n");
    EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(UnsavedEdits, AnUnsavedNoteSurvivesAReloadOfAYearFileTooLongToRead)
{
    TestCalendar& w = Open();
    w.SetActivity(conv::DateText(QDate(2026, 12, 4)), "Unsaved note");
    testsupport::WriteBytes(YearFilePath(2026), HugeDates());
    w.ReloadDatesOf(YearFilePath(2026));
    EXPECT_EQ(w.GetActivity(conv::DateText(QDate(2026, 12, 4))), "Unsaved note") << "lost by the reload";
}
