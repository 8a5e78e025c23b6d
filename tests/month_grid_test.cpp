#include "core/colour_names.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/settings_store.h"
#include "support/test_folders.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "tests/support/test_calendar.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace mduAlmanorvqueLib;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

using testsupport::CellOf;

namespace {
QDate CellDate(testsupport::TestCalendar& w, int i) { return conv::DateFromText(w.lblDate(i).Tag).value_or(QDate()); }

// The captions of the sixth row: all seven filled or all seven empty.
enum class SixthRow { Empty, Full, Mixed };
SixthRow SixthRowOf(testsupport::TestCalendar& w)
{
    int filled = 0;
    for (int i = 43; i <= 49; ++i)
        filled += w.lblDate(i).Caption().isEmpty() ? 0 : 1;
    return filled == 0 ? SixthRow::Empty : filled == 7 ? SixthRow::Full : SixthRow::Mixed;
}
} // namespace

class MonthGrid : public testsupport::CalendarFolderTest {
protected:
    QString Country(const QString& f = {}) const { return Path("tester/United Kingdom/" + f); }
    std::unique_ptr<testsupport::TestCalendar> Open(QDate start, const QString& weekStart = "1")
    {
        WriteBytes(Country("Almanorvique.ini"), ("Week Start Day=" + weekStart + "\r\n").toLatin1());
        testsupport::SetFileAge(Path("ini/Almanorvique.ini"), -3600);
        auto w = std::make_unique<testsupport::TestCalendar>();
        w->ShowMe(0, start);
        return w;
    }

    platform::FixedClock clock_{QDateTime(QDate(2026, 3, 15), QTime(10, 0))};
    platform::ScriptedMessageBox boxes_;
};

TEST_F(MonthGrid, TheGridCoversSixWeeksFromTheWeekStartDay)
{
    const struct {
        const char* what;
        QDate month;
        const char* weekStart;
        QDate cell8, cell43;
        SixthRow sixth;
    } cases[] = {
        {"1st on the week start day", QDate(2026, 3, 10), "1", QDate(2026, 3, 1), QDate(2026, 4, 5), SixthRow::Empty},
        {"31 days, 1st in the last column", QDate(2026, 8, 20), "1", QDate(2026, 7, 26), QDate(2026, 8, 30),
         SixthRow::Full},
        {"common February from the week start", QDate(2026, 2, 14), "1", QDate(2026, 2, 1), QDate(2026, 3, 8),
         SixthRow::Empty},
        {"Monday first", QDate(2026, 3, 10), "2", QDate(2026, 2, 23), QDate(2026, 3, 30), SixthRow::Full},
        {"Saturday first", QDate(2026, 3, 10), "7", QDate(2026, 2, 28), QDate(2026, 4, 4), SixthRow::Empty},
        {"week start 0 is Sunday", QDate(2026, 8, 20), "0", QDate(2026, 7, 26), QDate(2026, 8, 30), SixthRow::Full},
        {"week start 9 is Sunday", QDate(2026, 8, 20), "9", QDate(2026, 7, 26), QDate(2026, 8, 30), SixthRow::Full},
        {"a word is Sunday", QDate(2026, 8, 20), "Monday", QDate(2026, 7, 26), QDate(2026, 8, 30), SixthRow::Full},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto w = Open(c.month, c.weekStart);
        ASSERT_EQ(w->lblDate.Count(), 49);
        EXPECT_EQ(CellDate(*w, 8), c.cell8);
        EXPECT_EQ(CellDate(*w, 43), c.cell43);
        EXPECT_EQ(CellDate(*w, 49), c.cell8.addDays(41));
        EXPECT_EQ(SixthRowOf(*w), c.sixth);
        for (int i = 8; i <= 42; ++i) {
            EXPECT_EQ(w->lblDate(i).Caption(), QString::number(CellDate(*w, i).day()));
            EXPECT_EQ(w->lblDateShadow(i).Caption(), w->lblDate(i).Caption());
            EXPECT_EQ(w->lblDate(i).MousePointer, platform::vbCustom);
        }
        EXPECT_TRUE(w->imgActivity.Exists(49));
    }
}

TEST_F(MonthGrid, TheSixthRowIsDecidedAlikeByEveryWayOfMoving)
{
    // August 2026 needs the sixth row; July 2026 (1st on a Wednesday) does not.
    auto w = Open(QDate(2026, 7, 10));
    ASSERT_EQ(SixthRowOf(*w), SixthRow::Empty);
    w->MoveMonth(1);
    EXPECT_EQ(SixthRowOf(*w), SixthRow::Full);
    w->MoveYear(-1); // August 2025 begins on a Friday
    EXPECT_EQ(SixthRowOf(*w), SixthRow::Full);
    w->imgPageCorner(0).Tag = "1";
    w->imgPageCorner_Click(0); // July 2025, 1st on a Tuesday
    EXPECT_EQ(w->DisplayedDate(), QDate(2025, 7, 10));
    EXPECT_EQ(SixthRowOf(*w), SixthRow::Empty);
    mduLib::SetValue("Week Start Day", "5", w->Properties()); // Thursday first
    w->FillMonthGrid(w->DisplayedDate(), "M");
    EXPECT_EQ(CellDate(*w, 8), QDate(2025, 6, 26));
    EXPECT_EQ(SixthRowOf(*w), SixthRow::Full);
    w->FillMonthGrid(QDate(2025, 2, 1), "W"); // only the month view fills
    EXPECT_EQ(CellDate(*w, 8), QDate(2025, 6, 26));
}

TEST_F(MonthGrid, MovingByMonthsAndYearsKeepsTheDayWhereItCan)
{
    const struct {
        QDate start;
        int months, years;
        QDate expected;
        const char* month;
    } cases[] = {
        {QDate(2026, 1, 31), 1, 0, QDate(2026, 2, 28), "February"},
        {QDate(2026, 2, 28), 1, 0, QDate(2026, 3, 28), "March"},
        {QDate(2024, 1, 31), 1, 0, QDate(2024, 2, 29), "February"},
        {QDate(2026, 3, 31), -1, 0, QDate(2026, 2, 28), "February"},
        {QDate(2026, 12, 15), 1, 0, QDate(2027, 1, 15), "January"},
        {QDate(2026, 1, 15), -13, 0, QDate(2024, 12, 15), "December"},
        {QDate(2024, 2, 29), 0, 1, QDate(2025, 2, 28), "February"},
        {QDate(2024, 2, 29), 0, 4, QDate(2028, 2, 29), "February"},
        {QDate(2026, 3, 15), 0, 0, QDate(2026, 3, 15), "March"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start.toString(Qt::ISODate).toStdString());
        auto w = Open(c.start);
        if (c.years != 0)
            w->MoveYear(c.years);
        else
            w->MoveMonth(c.months);
        EXPECT_EQ(w->DisplayedDate(), c.expected);
        EXPECT_EQ(conv::Trim(w->lblMonth.Caption()), c.month);
        EXPECT_EQ(w->lblYear.Caption(), QString::number(c.expected.year()));
        EXPECT_NE(CellOf(*w, c.expected), 0);
    }
    // A displayed date that is no date moves nothing.
    auto w = Open(QDate(2026, 3, 15));
    w->lblMonth.Tag = "junk";
    w->MoveMonth(1);
    w->MoveYear(1);
    EXPECT_EQ(w->lblYear.Caption(), "2026");
}

TEST_F(MonthGrid, TheWeekdayHeaderStartsOnTheWeekStartDay)
{
    WriteBytes(Country("Almanorvique.ini"), "Week Start Day=2,1,2,3\r\nHeading Colour=Red\r\n");
    testsupport::SetFileAge(Path("ini/Almanorvique.ini"), -3600);
    auto w = std::make_unique<testsupport::TestCalendar>();
    w->ShowMe(0, QDate(2026, 3, 15));
    const char* names[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    for (int i = 1; i <= 7; ++i) {
        EXPECT_EQ(w->lblDate(i).Caption(), names[i - 1]);
        EXPECT_EQ(w->lblDate(i).Tag, QString::number(i % 7 + 1));
        EXPECT_EQ(w->lblDate(i).ForeColor(), 255);
        EXPECT_EQ(w->lblDate(i).MousePointer, platform::vbDefault);
        EXPECT_EQ(w->lblDateShadow(i).Caption(), names[i - 1]);
    }
    w->SetWeekdayHeadings(false, 1);
    EXPECT_EQ(w->lblDate(1).Caption(), "M");
    EXPECT_EQ(w->lblDate(7).Caption(), "S");
}

TEST_F(MonthGrid, CellFormatsFollowTheirPrecedence)
{
    // January 2026: the first row starts on Sunday 28 December 2025.
    auto w = Open(QDate(2026, 1, 15));
    mduLib::SetValue("Sat Column Colour", "Blue", w->Properties());
    const qint32 blue = mduUILib::ColourFromName(QString("Blue"));
    mduLib::PropertyTable& personal = gPersonalDates;
    mduLib::PropertyTable& year = w->YearDates();
    mduLib::PropertyTable& prev = w->PrevYearDates();
    // 13 Jan: personal format only; 14 Jan: personal then year format; 15 Jan: year format
    // then the special day's; 28 Dec 2025: a Sunday of the year before.
    mduLib::SetValue("13/01", ",,True,,65280,,", personal, "Format");
    mduLib::SetValue("13/01", "Mine", personal, "Caption");
    mduLib::SetValue("14/01", ",,,,65280,,", personal, "Format");
    mduLib::SetValue("14/01", ",,,True,16711680,,", year, "Format");
    mduLib::SetValue("14/01", "Mine", personal, "Caption");
    mduLib::SetValue("14/01", "This year", year, "Caption");
    mduLib::SetValue("15/01", ",,,,16711680,,", year, "Format");
    mduLib::SetValue("15/01", ",,True,,255,,", year, "PFormat");
    mduLib::SetValue("15/01", "Mine", personal, "Caption");
    mduLib::SetValue("15/01", "This year", year, "Caption");
    mduLib::SetValue("15/01", "Holiday", year, "PCaption");
    mduLib::SetValue("28/12", "Old year", prev, "PCaption");

    const struct {
        QDate day;
        qint32 colour;
        bool bold, italic;
        const char* tip;
    } cases[] = {
        {QDate(2026, 1, 12), 0, false, false, ""},
        {QDate(2026, 1, 13), 65280, true, false, "Mine"},
        {QDate(2026, 1, 14), 16711680, false, true, "This year"},
        {QDate(2026, 1, 15), 255, true, false, "Holiday"},
        {QDate(2026, 1, 11), 255, false, false, ""},        // Sunday of the displayed year: red
        {QDate(2026, 1, 10), blue, false, false, ""},       // Saturday: its column colour
        {QDate(2025, 12, 28), 0, false, false, "Old year"}, // Sunday of the year before
        {QDate(2026, 2, 7), blue, false, false, ""},        // Saturday of the next month
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.day.toString(Qt::ISODate).toStdString());
        const int i = CellOf(*w, c.day);
        ASSERT_NE(i, 0);
        platform::Label& cell = w->lblDate(i);
        cell.SetForeColor(12345); // whatever the cell had before is reset
        cell.SetFontItalic(true);
        cell.ToolTipText = "stale";
        w->FormatDateCell(cell);
        EXPECT_EQ(cell.ForeColor(), c.colour);
        EXPECT_EQ(cell.Font().Bold, c.bold);
        EXPECT_EQ(cell.Font().Italic, c.italic);
        EXPECT_EQ(cell.Font().Name, "Arial");
        EXPECT_EQ(cell.ToolTipText, c.tip);
    }
}

TEST_F(MonthGrid, WithoutColumnColoursTheWeekendOfTheDisplayedYearIsRed)
{
    // January 2026: Friday 9, Saturday 10, Sunday 11; the week start moves no colour.
    for (const char* weekStart : {"1", "2"}) {
        SCOPED_TRACE(weekStart);
        auto w = Open(QDate(2026, 1, 15), weekStart);
        ASSERT_EQ(mduLib::GetValue("Sat Column Colour", w->Properties()), "");
        ASSERT_EQ(mduLib::GetValue("Sun Column Colour", w->Properties()), "");
        const struct {
            QDate day;
            bool red;
        } cases[] = {{QDate(2026, 1, 9), false},
                     {QDate(2026, 1, 10), true},
                     {QDate(2026, 1, 11), true},
                     {QDate(2026, 1, 12), false},
                     {QDate(2026, 1, 31), true}};
        for (const auto& c : cases) {
            SCOPED_TRACE(c.day.toString(Qt::ISODate).toStdString());
            const int i = CellOf(*w, c.day);
            ASSERT_NE(i, 0);
            platform::Label& cell = w->lblDate(i);
            cell.SetForeColor(12345);
            w->FormatDateCell(cell);
            EXPECT_EQ(cell.ForeColor() == 255, c.red);
        }
    }
}

TEST_F(MonthGrid, ColumnColoursKeysAndLabelColours)
{
    auto w = Open(QDate(2026, 1, 15));
    const qint32 blue = mduUILib::ColourFromName(QString("Blue"));
    w->ApplyColumnColour("sun Column Colour", "Blue"); // the name must match exactly
    EXPECT_NE(w->lblDate(8).ForeColor(), blue);
    w->ApplyColumnColour("Sun Column Colour", "Blue"); // every Sunday, whatever its year
    for (int i = 8; i <= 49; ++i)
        EXPECT_EQ(w->lblDate(i).ForeColor() == blue, (i - 8) % 7 == 0) << i;

    w->lblMonth.SetCaption("January  ");
    EXPECT_EQ(w->GetMonthColourKey(), "January Colour");
    EXPECT_EQ(w->GetMonthImageKey(), "January Image");
    EXPECT_EQ(w->GetYearColourKey(), "2026 Colour");
    EXPECT_EQ(w->GetYearImageKey(), "2026 Image");
    EXPECT_EQ(w->GetColumnColourKey("Mon"), "Mon Column Colour");

    const struct {
        const char *colour, *fallback;
        qint32 expected;
    } cases[] = {{"Red", "Blue", 255}, {"0", "Blue", blue}, {"", "Blue", blue}, {"", "", 777}};
    for (const auto& c : cases) {
        platform::Label& label = w->lblClock;
        label.SetForeColor(777);
        w->SetLabelColour(label, c.colour, c.fallback);
        EXPECT_EQ(label.ForeColor(), c.expected) << c.colour << "/" << c.fallback;
    }
}

TEST_F(MonthGrid, PageCornersTurnOnlyWhenShown)
{
    auto w = Open(QDate(2026, 3, 31));
    w->txtMsg.SetVisible(true);
    w->imgPageCorner(1).Tag = "0";
    w->imgPageCorner_Click(1);
    EXPECT_EQ(w->DisplayedDate(), QDate(2026, 3, 31));
    w->imgPageCorner(1).Tag = "1";
    w->imgPageCorner_Click(1);
    EXPECT_EQ(w->DisplayedDate(), QDate(2026, 4, 30));
    EXPECT_FALSE(w->txtMsg.Visible());
    w->imgPageCorner_Click(7); // no such corner
    EXPECT_EQ(w->DisplayedDate(), QDate(2026, 4, 30));
}

TEST_F(MonthGrid, AYearChangeSavesTheOldYearTablesBeforeReloading)
{
    WriteBytes(Country("2027"), "PCaption:01/01=New Year's Day\r\n");
    auto w = Open(QDate(2026, 12, 15));
    w->Timer1.Fire(); // the full load
    mduLib::SetValue("10/06", "Last year", w->PrevYearDates(), "Caption");
    mduLib::SetValue("24/12", "Eve", w->YearDates(), "Caption");
    mduLib::SetValue("02/01", "Next year", w->NextYearDates(), "Activity");
    w->MoveMonth(1); // into 2027
    EXPECT_EQ(w->lblYear.Caption(), "2027");
    mduLib::PropertyTable file2025(1);
    mduLib::LoadIniFile(Country("2025"), file2025);
    EXPECT_EQ(mduLib::GetValue("10/06", file2025, "Caption"), "Last year");
    EXPECT_EQ(mduLib::GetValue("24/12", w->PrevYearDates(), "Caption"), "Eve");
    EXPECT_EQ(mduLib::GetValue("02/01", w->YearDates(), "Activity"), "Next year");
    EXPECT_EQ(mduLib::GetValue("01/01", w->YearDates(), "PCaption"), "New Year's Day");

    // The same by years, and a return through the month.
    mduLib::SetValue("03/03", "Later", w->NextYearDates(), "Caption");
    w->MoveYear(-1);
    w->MoveMonth(12);
    EXPECT_EQ(mduLib::GetValue("03/03", w->NextYearDates(), "Caption"), "Later");
}

TEST_F(MonthGrid, ARunningMonthWindowTakesTheSettingsOfItsNewMonth)
{
    WriteBytes(Country("4.ini"), "Marker=April\r\n");
    auto frame = std::make_unique<testsupport::TestCalendar>();
    auto w = std::make_unique<testsupport::TestCalendar>();
    w->ShowMeMDIChild(frame.get(), 0, QDate(2026, 3, 1));
    w->MoveMonth(1); // still starting: its settings stay
    EXPECT_EQ(w->IniFilePath(), Country("3.ini"));
    w->MoveMonth(-1);
    w->Timer1.Fire();
    ASSERT_EQ(w->FormState(), frmAlmanorvique::kRunning);
    w->MoveMonth(1);
    EXPECT_EQ(w->IniFilePath(), Country("4.ini"));
    EXPECT_EQ(gIniFile, Country("4.ini"));
    EXPECT_EQ(mduLib::GetProp("Marker", w->Properties()), "April");
    w->MoveMonth(1); // no 5.ini: the table stays
    EXPECT_EQ(w->IniFilePath(), Country("5.ini"));
    EXPECT_EQ(mduLib::GetProp("Marker", w->Properties()), "April");
}
