// A day's note: where it is kept, editing it over its cell, its icon and its balloon.
#include "calendar/balloons_state.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/settings_store.h"
#include "core/year_dates.h"
#include "support/running_calendar.h"
#include "support/test_folders.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "system/program_end.h"
#include "tests/support/test_calendar.h"
#include "ui/tooltip_window.h"
#include "ui/twips.h"

#include <QLocale>
#include <QTest>
#include <gtest/gtest.h>

using namespace mduAlmanorvqueLib;
using testsupport::TestCalendar;

using testsupport::CellOf;

namespace {
QString NoteIn(const mduLib::PropertyTable& t, const char* key) { return mduLib::GetValue(key, t, "Activity"); }
} // namespace

class DayNotes : public testsupport::RunningCalendarTest {
protected:
    int Cell(const QDate& d)
    {
        const int i = CellOf(*w_, d);
        EXPECT_NE(i, 0) << d.toString().toStdString();
        return i;
    }
    // Double-clicks the day's cell and types the lines into the editor.
    void Type(const QDate& d, const QStringList& lines)
    {
        w_->lblDate_DblClick(Cell(d));
        QPlainTextEdit* editor = w_->txtMsg.Editor();
        for (int k = 0; k < lines.size(); ++k) {
            if (k > 0)
                QTest::keyClick(editor, Qt::Key_Return);
            QTest::keyClicks(editor, lines[k]);
        }
    }
    QString Balloon() const
    {
        auto* window = w_->BalloonTip().Window();
        return w_->BalloonTip().Shown() && window ? window->Look().Text : QString();
    }
};

TEST_F(DayNotes, ANoteWithLineBreaksSurvivesClosingAndReopening)
{
    TestCalendar& w = Open();
    const QDate day(2026, 12, 3);
    const int i = Cell(day);
    Type(day, {"Dentist at 9", "bring the card"});
    EXPECT_TRUE(w.txtMsg.Visible());
    w.txtMsg_DblClick();
    EXPECT_FALSE(w.txtMsg.Visible());
    EXPECT_TRUE(w.imgActivity(i).Visible());
    // One line of its file, the break kept in it as the line separator.
    EXPECT_EQ(NoteIn(w.YearDates(), "03/12"), u"Dentist at 9\u2028bring the card");
    w.CloseCalendar();
    const QByteArray file = testsupport::ReadBytes(YearFilePath(2026));
    const QStringList lines = QString::fromUtf8(file).split("\r\n");
    EXPECT_TRUE(lines.contains(u"Activity:03/12=Dentist at 9\u2028bring the card"));
    EXPECT_FALSE(lines.contains("bring the card"));
    EXPECT_EQ(file.count('\n'), file.count("\r\n")) << "a line end inside the entry";

    // Reopened: the editor and the balloon show the break again.
    TestCalendar& again = Open();
    EXPECT_EQ(again.GetActivity(conv::DateText(day)), "Dentist at 9\r\nbring the card");
    EXPECT_TRUE(again.imgActivity(i).Visible());
    again.imgActivity_MouseMove(i, 0, 1, 10, 10);
    EXPECT_EQ(Balloon(), "Dentist at 9");
    again.lblDate_DblClick(i);
    EXPECT_EQ(again.txtMsg.Editor()->toPlainText(), "Dentist at 9\nbring the card");
    EXPECT_EQ(again.txtMsg.Text(), "Dentist at 9\r\nbring the card");
    // Left unchanged it is not stored again; the message line shows it on one line.
    again.lblDate_MouseDown(i, 1, 0, 0, 0);
    EXPECT_EQ(NoteIn(again.YearDates(), "03/12"), u"Dentist at 9\u2028bring the card");
    EXPECT_FALSE(again.YearDates().Changed());
}

// A year file that holds as many entries as a file can takes no new note: that is said,
// the editor keeps what was typed, and the close still writes the other dates. Leaving
// the page for other days closes it, so the note never lands on a day a cell shows next.
TEST_F(DayNotes, ANoteForAFullYearFileIsSaidAndTheCloseStillSaves)
{
    Open(); // the country folder
    QByteArray full;
    for (int n = 1; n <= mduLib::PropertyTable::kMaxUBound; ++n)
        full += "Filler:" + QByteArray::number(n) + "=x\r\n";
    testsupport::WriteBytes(YearFilePath(2026), full);
    TestCalendar& w = Open();
    mduLib::SetValue("05/01", "Ski trip", w.NextYearDates(), "Activity"); // not written yet
    const QDate day(2026, 12, 3);
    Type(day, {"Dentist at 9"});
    w.txtMsg_DblClick();
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_EQ(boxes_.Shown()[0].title, "Date File Full");
    EXPECT_TRUE(boxes_.Shown()[0].prompt.contains(YearFilePath(2026)));
    EXPECT_TRUE(w.txtMsg.Visible());
    EXPECT_EQ(w.txtMsg.Text(), "Dentist at 9");

    w.CloseCalendar(); // stores the open note first: said again
    EXPECT_EQ(boxes_.Shown().size(), 2u);
    EXPECT_TRUE(testsupport::ReadBytes(YearFilePath(2027)).contains("Activity:05/01=Ski trip\r\n"));
    EXPECT_EQ(testsupport::ReadBytes(YearFilePath(2026)), full);

    boxes_.Clear();
    TestCalendar& again = Open();
    Type(day, {"Dentist at 9"});
    again.lblDate_MouseDown(Cell(QDate(2026, 12, 5)), 1, 0, 0, 0); // the same page: it stays
    EXPECT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_TRUE(again.txtMsg.Visible());
    EXPECT_EQ(again.txtMsg.Text(), "Dentist at 9");
    again.MoveMonth(1);
    EXPECT_EQ(boxes_.Shown().size(), 2u);
    EXPECT_FALSE(again.txtMsg.Visible());
    again.CloseCalendar();
    EXPECT_EQ(boxes_.Shown().size(), 2u);
    EXPECT_FALSE(testsupport::ReadBytes(YearFilePath(2027)).contains("Dentist"));
    EXPECT_EQ(testsupport::ReadBytes(YearFilePath(2026)), full);
}

TEST_F(DayNotes, NotesOfOlderFilesReadAsTheyAre)
{
    // Written before breaks were kept: joined into blanks, or cut at a raw line end (the
    // rest of the note a line of its own, without "=").
    Open(); // the country folder
    testsupport::WriteBytes(YearFilePath(2026), "Activity:03/12=Dentist at 9 bring the card\r\n"
                                                "Activity:04/12=Choir\r\nbring music\r\n"
                                                "Activity:05/12=C:\\notes\\new\r\n");
    TestCalendar& w = Open();
    EXPECT_EQ(w.GetActivity(conv::DateText(QDate(2026, 12, 3))), "Dentist at 9 bring the card");
    EXPECT_EQ(w.GetActivity(conv::DateText(QDate(2026, 12, 4))), "Choir");
    EXPECT_EQ(w.GetActivity(conv::DateText(QDate(2026, 12, 5))), "C:\\notes\\new");
}

TEST_F(DayNotes, AKeptBreakInAWindows1252FileKeepsItsOtherLetters)
{
    Open(); // the country folder
    testsupport::WriteBytes(YearFilePath(2026), "PCaption:01/12=Caf\xe9 day\r\n");
    TestCalendar& w = Open();
    w.SetActivity(conv::DateText(QDate(2026, 12, 3)), "One\r\nTwo");
    w.CloseCalendar();
    // The separator has no Windows-1252 code: the file is written as UTF-8, whole.
    const QByteArray file = testsupport::ReadBytes(YearFilePath(2026));
    EXPECT_TRUE(file.contains("PCaption:01/12=Caf\xc3\xa9 day\r\n"));
    TestCalendar& again = Open();
    EXPECT_EQ(mduLib::GetValue("01/12", again.YearDates(), "PCaption"), u"Caf\u00e9 day");
    EXPECT_EQ(again.GetActivity(conv::DateText(QDate(2026, 12, 3))), "One\r\nTwo");
}

TEST_F(DayNotes, EachDateHasTheTableOfItsYear)
{
    TestCalendar& w = Open();
    const struct {
        QDate day;
        mduLib::PropertyTable* table;
    } cases[] = {
        {QDate(2026, 12, 5), &w.YearDates()},
        {QDate(2027, 1, 2), &w.NextYearDates()}, // a trailing cell of December
        {QDate(2025, 12, 31), &w.PrevYearDates()},
        {QDate(2030, 1, 1), nullptr}, // no table: dropped
    };
    for (const auto& c : cases) {
        const QString date = conv::DateText(c.day);
        w.SetActivity(date, "Note of " + date);
        EXPECT_EQ(w.GetActivity(date), c.table ? "Note of " + date : QString()) << date.toStdString();
        if (c.table) {
            EXPECT_EQ(mduLib::GetValue(DayMonthKey(c.day), *c.table, "Activity"), "Note of " + date);
        }
    }
    // The next year's note goes to the next year's file.
    w.CloseCalendar();
    EXPECT_TRUE(testsupport::ReadBytes(YearFilePath(2027)).contains("Activity:02/01=Note of "));
}

TEST_F(DayNotes, SavingAnEmptiedNoteDeletesIt)
{
    TestCalendar& w = Open();
    const QDate day(2026, 12, 8);
    const int i = Cell(day);
    w.SetActivity(conv::DateText(day), "Old");
    w.LayoutDayGrid();
    EXPECT_TRUE(w.imgActivity(i).Visible());
    w.lblDate_DblClick(i);
    EXPECT_EQ(w.txtMsg.Text(), "Old");
    w.txtMsg.SetText("  \r\n ");
    w.txtMsg_DblClick();
    EXPECT_EQ(w.GetActivity(conv::DateText(day)), "");
    EXPECT_FALSE(w.imgActivity(i).Visible());
    EXPECT_FALSE(w.txtMsg.Visible());
}

TEST_F(DayNotes, WhereTheEditorOpensAndWhatClosesIt)
{
    TestCalendar& w = Open();
    const platform::Image& picture = w.imgCalendar(0);
    w.lblDate_DblClick(3); // a weekday header
    EXPECT_FALSE(w.txtMsg.Visible());

    const QDate first(2026, 12, 14), second(2026, 12, 15);
    const int a = Cell(first), b = Cell(second);
    w.lblDate_DblClick(a);
    EXPECT_TRUE(w.txtMsg.Visible());
    EXPECT_EQ(w.txtMsg.Tag, QString::number(a));
    EXPECT_EQ(w.txtMsg.Width(), conv::ToInt32(picture.Width() / 3.0));
    EXPECT_EQ(w.txtMsg.Height(), conv::ToInt32(picture.Height() / 2.0));
    EXPECT_EQ(w.txtMsg.Left(), w.imgActivity(a).Left());
    EXPECT_EQ(w.txtMsg.Top(), w.imgActivity(a).Top());

    // Opening another day's editor directly drops the first one's text ...
    w.txtMsg.SetText("dropped");
    w.lblDate_DblClick(b);
    EXPECT_EQ(w.GetActivity(conv::DateText(first)), "");
    EXPECT_EQ(w.txtMsg.Tag, QString::number(b));
    // ... but a press on a day cell, which begins every double click, keeps it.
    w.txtMsg.SetText("kept");
    w.lblDate_MouseDown(a, 1, 0, 10, 10);
    EXPECT_EQ(w.GetActivity(conv::DateText(second)), "kept");
    EXPECT_FALSE(w.txtMsg.Visible());
    // A right press leaves the editor open.
    w.lblDate_DblClick(a);
    platform::ScriptedMenus menus; // the date menu opens and is cancelled
    w.lblDate_MouseDown(b, 2, 0, 10, 10);
    EXPECT_TRUE(w.txtMsg.Visible());

    // Turning the month keeps the text with the day it was typed for.
    w.txtMsg.SetText("before the turn");
    w.MoveMonth(1);
    EXPECT_FALSE(w.txtMsg.Visible());
    EXPECT_EQ(w.GetActivity(conv::DateText(first)), "before the turn");
}

TEST_F(DayNotes, SavingTodaysNoteRestartsTheMessageLine)
{
    TestCalendar& w = Open();
    w.StartScrollingMessage("Something else running");
    for (int k = 0; k < 5; ++k)
        w.Timer1_Timer();
    Type(QDate(2026, 12, 10), {"Call Ann"});
    w.txtMsg_DblClick();
    EXPECT_EQ(w.lblMsg.ToolTipText, "Call Ann");
    EXPECT_EQ(w.lblMsg.Caption(), "  ");
    w.Timer1_Timer();
    EXPECT_EQ(w.lblMsg.Caption(), "  C");
    // Another day's note leaves the line as it is.
    Type(QDate(2026, 12, 11), {"Later"});
    w.txtMsg_DblClick();
    EXPECT_EQ(w.lblMsg.ToolTipText, "Call Ann");
}

TEST_F(DayNotes, TheIconsSizeFollowsThePictureHeight)
{
    TestCalendar& w = Open();
    const int i = Cell(QDate(2026, 12, 2));
    const struct {
        float pictureHeight;
        float side;
    } cases[] = {{1000, 100}, {3029, 100}, {3030, 101}, {6000, 200}, {6029, 200}};
    for (const auto& c : cases) {
        w.imgCalendar(0).SetHeight(c.pictureHeight);
        w.SizeActivityIcon(i);
        EXPECT_EQ(w.imgActivity(i).Width(), c.side) << c.pictureHeight;
        EXPECT_EQ(w.imgActivity(i).Height(), c.side) << c.pictureHeight;
    }
}

TEST_F(DayNotes, DraggingAnIconStretchesTheEditorAndReleaseSquaresIt)
{
    TestCalendar& w = Open();
    const QDate day(2026, 12, 16);
    const int i = Cell(day);
    w.SetActivity(conv::DateText(day), "Party");
    w.LayoutDayGrid();
    platform::Image& icon = w.imgActivity(i);
    const float side = icon.Width();
    w.imgActivity_MouseMove(i, 1, 0, 10, 10);
    EXPECT_TRUE(w.txtMsg.Visible());
    EXPECT_EQ(w.txtMsg.Text(), "Party");
    EXPECT_EQ(w.txtMsg.Width(), side); // never smaller than the icon
    w.imgActivity_MouseMove(i, 1, 0, 1234, 815);
    EXPECT_EQ(w.txtMsg.Width(), 1234);
    EXPECT_EQ(w.txtMsg.Height(), 815);
    w.txtMsg.SetText("Party at 8");
    w.imgActivity_MouseMove(i, 1, 0, 1500, 900); // the open editor keeps its text
    EXPECT_EQ(w.txtMsg.Text(), "Party at 8");
    w.imgActivity_MouseUp(i, 1, 0, 1500, 900);
    EXPECT_EQ(icon.Width(), side);
    EXPECT_EQ(icon.Height(), side);
    EXPECT_TRUE(w.txtMsg.Visible());
}

TEST_F(DayNotes, TheBalloonShowsTheFirstLine)
{
    TestCalendar& w = Open();
    const QDate day(2026, 12, 17);
    const int i = Cell(day);
    const struct {
        const char* note;
        const char* tip;
    } cases[] = {
        {"Choir", "Choir"},
        {"Choir\r\nbring music", "Choir"},
        {"\r\nbring music", "\r\nbring music"}, // an empty first line: the whole note
    };
    for (const auto& c : cases) {
        // Written straight into the table: older files may hold anything.
        mduLib::SetValue("17/12", c.note, w.YearDates(), "Activity");
        w.HideBalloonTip();
        w.imgActivity_MouseMove(i, 0, 0, 10, 10);
        EXPECT_EQ(Balloon(), QString::fromUtf8(c.tip)) << c.note;
        EXPECT_EQ(w.BalloonTip().Title(), "17/12/2026");
    }
    // Without the automatic balloons only Shift alone shows it.
    mduLib::SetProp("Auto Show Balloon Tips", "No", w.Properties());
    w.HideBalloonTip();
    w.imgActivity_MouseMove(i, 0, 0, 10, 10);
    EXPECT_EQ(Balloon(), "");
    w.imgActivity_MouseMove(i, 0, 1, 10, 10);
    EXPECT_EQ(Balloon(), "\r\nbring music");
    w.HideBalloonTip();
    w.imgActivity_MouseMove(i, 0, 3, 10, 10);
    EXPECT_EQ(Balloon(), "");
}
