#include "calendar/layout_math.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/settings_store.h"
#include "support/test_folders.h"
#include "system/clock.h"
#include "tests/support/test_calendar.h"
#include "ui/font_substitutes.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>
#include <optional>

using calendarlayout::Box;
using calendarlayout::GridFrame;
using calendarlayout::GridSettings;
using calendarlayout::LayoutGridFrame;

namespace {
const Box kPage{200, 200, 5400, 4050}; // the page of a 6000 x 6000 "Center" window
}

TEST(DayGridMath, TheWorkedExamplePage)
{
    const GridFrame g = LayoutGridFrame(kPage, {});
    EXPECT_EQ(g.Wg, 4500);
    EXPECT_EQ(g.Hg, 2700);
    EXPECT_EQ(g.T, 470);
    EXPECT_EQ(g.L, 811);       // int32(810.714)
    EXPECT_EQ(g.FontSize, 17); // floor(17.55)
    EXPECT_EQ(g.ColumnWidth, 643);
    EXPECT_EQ(g.RowHeight, 450);
    EXPECT_EQ(g.HeaderTop, 1010);
    EXPECT_EQ(g.YearFontSize, 20);
    EXPECT_NEAR(g.HeaderFontSize, 11.9, 1e-9);
    EXPECT_EQ(g.ClockFontSize, 8.5);
    const double lefts[] = {811, 1454, 2097, 2740, 3383, 4026, 4669};
    for (int i = 1; i <= 7; ++i)
        EXPECT_EQ(calendarlayout::HeaderCellLeft(g, i), lefts[i - 1]) << i;
    // A week-start day opens the first row one row below the header; the next day follows.
    const calendarlayout::CellStep first = calendarlayout::NextDayCell(g, g.HeaderTop, 4669, true);
    EXPECT_EQ(first.RowTop, 1460);
    EXPECT_EQ(first.Left, 811);
    const calendarlayout::CellStep second = calendarlayout::NextDayCell(g, first.RowTop, first.Left, false);
    EXPECT_EQ(second.RowTop, 1460);
    EXPECT_EQ(second.Left, 1454);
}

TEST(DayGridMath, PinnedAndAutomaticFrameValues)
{
    const struct {
        const char* name;
        GridSettings s;
        qint32 T, L, Wg, Hg;
    } cases[] = {
        {"all automatic", {}, 470, 811, 4500, 2700},
        // The automatic top uses the pinned height, the automatic left the pinned width.
        {"pinned size", {-1, -1, 3500, 1500, 0}, 710, 1275, 3500, 1500},
        {"pinned edges", {300, 400, -1, -1, 0}, 300, 400, 4500, 2700},
        {"missing keys read 0", {0, 0, 0, 0, 0}, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const GridFrame g = LayoutGridFrame(kPage, c.s);
        EXPECT_EQ(g.T, c.T);
        EXPECT_EQ(g.L, c.L);
        EXPECT_EQ(g.Wg, c.Wg);
        EXPECT_EQ(g.Hg, c.Hg);
    }
}

TEST(DayGridMath, FontSizesFollowTheGridHeightOrTheSetting)
{
    const struct {
        qint32 height, fontSetting;
        qint32 fs;
        double header, year, clock;
    } cases[] = {
        {769, -1, 4, 2.8, 4, 2},   // floor(4.9985) is below the least 4 points
        {770, -1, 5, 3.5, 6, 2.5}, // floor(5.005)
        {770, 0, 5, 3.5, 6, 2.5},  // 0 is automatic as well
        {0, 0, 4, 2.8, 4, 2},      {2700, 12, 12, 8.4, 14, 6},
        {2700, 3, 3, 2.1, 3, 2}, // the clock keeps 2 points at least
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "height " << c.height << ", setting " << c.fontSetting);
        const GridFrame g = LayoutGridFrame(kPage, {-1, -1, -1, c.height, c.fontSetting});
        EXPECT_EQ(g.FontSize, c.fs);
        EXPECT_NEAR(g.HeaderFontSize, c.header, 1e-9);
        EXPECT_EQ(g.YearFontSize, c.year);
        EXPECT_EQ(g.ClockFontSize, c.clock);
    }
}

TEST(DayGridMath, CaptionsShareOneLineAndStayRightOf100)
{
    GridFrame g = LayoutGridFrame(kPage, {});
    calendarlayout::CaptionPlaces c = calendarlayout::PlaceCaptions(g, 800, 1500);
    EXPECT_EQ(c.MonthLeft, 1590); // (643 x 6 - 800 - 1500) / 2 + 811
    EXPECT_EQ(c.YearLeft, 3290);  // + 1500 + 10 x 20 points
    g.L = 0;
    c = calendarlayout::PlaceCaptions(g, 2000, 3000);
    EXPECT_EQ(c.MonthLeft, 100);
    EXPECT_EQ(c.YearLeft, 3300);
}

TEST(DayGridMath, ClockPositions)
{
    const struct {
        qint32 left, top;
        Box page;
        double clockWidth;
        QPointF at;
    } cases[] = {
        {-1, -1, {200, 200, 5400, 4050}, 1000, {4500, 300}},
        {-1, -1, {0, 50, 1000, 800}, 800, {500, 150}}, // 100 would be left of 500
        {-1, 700, {200, 200, 5400, 4050}, 1000, {4500, 700}},
        {1234, -1, {200, 200, 5400, 4050}, 1000, {1234, 300}},
        {0, 0, {200, 200, 5400, 4050}, 1000, {0, 0}}, // missing keys: the top left corner
        {150000, 90000, {200, 200, 5400, 4050}, 1000, {150000, 90000}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(calendarlayout::PlaceClock(c.left, c.top, c.page, c.clockWidth), c.at) << c.left << ", " << c.top;
}

TEST(DayGridMath, ShadowsFollowTheCellFont)
{
    for (double fs : {0.0, 8.4, 12.0, 17.0, 600.0}) {
        const QPointF d = calendarlayout::ShadowOffset(fs, 140);
        EXPECT_NEAR(d.y(), 1.17629 * fs, 1e-5 * fs + 1e-9) << fs;
        EXPECT_NEAR(d.x(), -0.23738 * fs, 1e-5 * fs + 1e-9) << fs;
    }
    const QPointF twelve = calendarlayout::ShadowOffset(12, 140);
    EXPECT_NEAR(twelve.y(), 14.1, 0.05);
    EXPECT_NEAR(twelve.x(), -2.8, 0.05);
    EXPECT_EQ(calendarlayout::ActivityIconPlace(1454, 1460, 17), QPointF(1284, 1460));
    EXPECT_EQ(calendarlayout::ActivityIconPlace(811, 1460, 16.5), QPointF(646, 1460));
}

TEST(DayGridMath, TodayIsFramedOnlyWithACaptionAndOtherMonthsAreGreyed)
{
    using calendarlayout::CellLook;
    const QDate today(2026, 4, 15);
    const struct {
        QDate date;
        bool captionEmpty;
        const char* monthCaption;
        CellLook look;
    } cases[] = {
        {today, false, "April  ", CellLook::Framed},
        {today, true, "April  ", CellLook::Enabled}, // a blank cell is never framed
        {today, true, "May  ", CellLook::Greyed},
        {QDate(2026, 4, 3), false, "April  ", CellLook::Enabled},
        {QDate(2026, 3, 30), false, "April  ", CellLook::Greyed},
        {QDate(2026, 5, 1), false, "April", CellLook::Greyed},
        {QDate(2025, 4, 1), false, " April ", CellLook::Enabled}, // only the month name is compared
    };
    for (const auto& c : cases) {
        const QString name = QLocale().standaloneMonthName(c.date.month(), QLocale::LongFormat);
        EXPECT_EQ(calendarlayout::DayCellLook(c.date, today, c.captionEmpty, c.monthCaption, name), c.look)
            << c.date.toString(Qt::ISODate).toStdString() << " / " << c.monthCaption;
    }
    EXPECT_EQ(calendarlayout::WeekdayNumber(QDate(2026, 4, 12)), 1); // a Sunday
    EXPECT_EQ(calendarlayout::WeekdayNumber(QDate(2026, 4, 18)), 7); // a Saturday
}

TEST(DayGridMath, APageOf200000TwipsLaysOutWithoutOverflow)
{
    const Box page{0, 0, 200000, 200000};
    GridFrame g;
    ASSERT_NO_THROW(g = LayoutGridFrame(page, {}));
    EXPECT_EQ(g.Wg, 166667);
    EXPECT_EQ(g.FontSize, 866);
    EXPECT_EQ(g.ColumnWidth, 23810);
    EXPECT_EQ(g.RowHeight, 22222);
    EXPECT_EQ(calendarlayout::HeaderCellLeft(g, 7), g.L + 6.0 * 23810);
    EXPECT_NO_THROW(calendarlayout::PlaceCaptions(g, 1000, 2000));
    EXPECT_EQ(calendarlayout::NextDayCell(g, 900000, 0, true).RowTop, 922222);
}

TEST(FontSubstitutes, TheCaptionFaceBecomesAScript)
{
    platform::InstallFontSubstitutes();
    if (!QFontDatabase::hasFamily("Z003"))
        GTEST_SKIP() << "the URW base fonts are not installed";
    // Qt names the face with its foundry: "Z003 [urw]".
    EXPECT_TRUE(QFontInfo(QFont("Monotype Corsiva", 20)).family().startsWith("Z003"))
        << QFontInfo(QFont("Monotype Corsiva", 20)).family().toStdString();
}

// ---- on a real window ----

class DayGridForm : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        CopyShippedData({"ini"});
        mduAlmanorvqueLib::SetupDataFolders();
    }
    // April 2026 with weeks from Sunday: cell 8 is Sunday 29 March, cell 11 the 1st, the
    // sixth row (from 3 May) is blank.
    std::unique_ptr<testsupport::TestCalendar> Open(const QStringList& extra = {})
    {
        auto w = std::make_unique<testsupport::TestCalendar>();
        w->ShowMe(0, QDate(2026, 4, 15));
        // The first entry of a key wins, so the extra settings go first.
        w->Properties() = testsupport::TableOf(
            extra + QStringList{"Week Start Day=1", "Calendar Top=-1", "Calendar Left=-1", "Calendar Width=-1",
                                "Calendar Height=-1", "Calendar Font Size=-1", "Clock Left=-1", "Clock Top=-1"});
        for (int i = 1; i <= 49; ++i) {
            if (!w->lblDate.Exists(i))
                w->lblDate.Load(i);
            if (!w->lblDateShadow.Exists(i))
                w->lblDateShadow.Load(i);
            if (i >= 8 && !w->imgActivity.Exists(i))
                w->imgActivity.Load(i);
            platform::Label& cell = w->lblDate(i);
            if (i <= 7) {
                cell.Tag = QString::number(i);
                cell.SetCaption(QLocale().dayName(i == 1 ? 7 : i - 1, QLocale::ShortFormat));
            } else {
                const QDate d = QDate(2026, 3, 28).addDays(i - 7);
                cell.Tag = conv::DateText(d);
                cell.SetCaption(i >= 43 ? QString() : QString::number(d.day()));
            }
            w->lblDateShadow(i).SetCaption(cell.Caption());
        }
        w->imgCalendar(1).Move(kPage.Left, kPage.Top, kPage.Width, kPage.Height);
        return w;
    }

    platform::FixedClock clock_{QDateTime(QDate(2026, 4, 15), QTime(10, 0))};
};

TEST_F(DayGridForm, TheControlsLandWhereTheArithmeticSays)
{
    auto w = Open();
    w->lblClock.SetCaption("10:00:00");
    w->LayoutDayGrid();
    const GridFrame g = LayoutGridFrame(kPage, {});

    EXPECT_TRUE(w->lblYear.Visible());
    EXPECT_EQ(w->lblYear.Caption(), "2026");
    EXPECT_EQ(w->lblYear.Top(), 470);
    EXPECT_EQ(w->lblYear.Font().Size, 20);
    EXPECT_EQ(w->lblYear.Font().Name, "Monotype Corsiva");
    EXPECT_EQ(w->lblMonth.Caption(), QLocale().standaloneMonthName(4, QLocale::LongFormat) + "  ");
    EXPECT_EQ(w->lblMonth.Top(), 470);
    EXPECT_EQ(w->lblMonth.Font().Size, 20);
    EXPECT_EQ(w->lblMonth.Font().Name, "Monotype Corsiva");
    const calendarlayout::CaptionPlaces captions =
        calendarlayout::PlaceCaptions(g, w->lblYear.Width(), w->lblMonth.Width());
    EXPECT_FLOAT_EQ(w->lblMonth.Left(), captions.MonthLeft);
    EXPECT_FLOAT_EQ(w->lblYear.Left(), captions.YearLeft);

    EXPECT_EQ(w->lblClock.Font().Size, 8.5f);
    EXPECT_TRUE(w->lblClock.Visible()); // "Show Clock" missing
    EXPECT_EQ(QPointF(w->lblClock.Left(), w->lblClock.Top()),
              calendarlayout::PlaceClock(-1, -1, kPage, w->lblClock.Width()));

    for (int i = 1; i <= 49; ++i) {
        SCOPED_TRACE(i);
        const platform::Label& cell = w->lblDate(i);
        EXPECT_TRUE(cell.Visible());
        if (i <= 7) {
            EXPECT_EQ(cell.Top(), 1010);
            EXPECT_EQ(cell.Left(), calendarlayout::HeaderCellLeft(g, i));
            EXPECT_FLOAT_EQ(cell.Font().Size, 11.9f);
        } else {
            const int row = (i - 8) / 7, column = (i - 8) % 7;
            EXPECT_EQ(cell.Top(), 1460 + 450 * row);
            EXPECT_EQ(cell.Left(), 811 + 643 * column);
        }
        const platform::Label& shadow = w->lblDateShadow(i);
        const QPointF d = calendarlayout::ShadowOffset(cell.Font().Size, 140);
        EXPECT_TRUE(shadow.Visible());
        EXPECT_FLOAT_EQ(shadow.Top(), static_cast<float>(cell.Top() + d.y()));
        EXPECT_FLOAT_EQ(shadow.Left(), static_cast<float>(cell.Left() + d.x()));
        EXPECT_EQ(shadow.Font(), cell.Font());
        EXPECT_EQ(shadow.ForeColor(), 0x323232);
        if (i >= 8) {
            EXPECT_FALSE(w->imgActivity(i).Visible()); // no day has a note yet
        }
    }
}

TEST_F(DayGridForm, TodayIsFramedOnlyWithACaptionAndOtherMonthsAreGreyed)
{
    auto w = Open();
    platform::Label& today = w->lblDate(25); // 15 April
    ASSERT_EQ(today.Tag, conv::DateText(QDate(2026, 4, 15)));
    today.SetEnabled(false);
    w->lblDate(20).SetEnabled(false); // 10 April, greyed by an earlier month
    w->LayoutDayGrid();
    EXPECT_EQ(today.BorderStyle(), 1);
    EXPECT_EQ(today.BackStyle(), 1);
    EXPECT_FALSE(today.Enabled()); // a framed cell keeps its state
    for (int i = 8; i <= 49; ++i) {
        if (i == 25)
            continue;
        const QDate d = *conv::DateFromText(w->lblDate(i).Tag);
        EXPECT_EQ(w->lblDate(i).Enabled(), d.month() == 4) << i;
        EXPECT_EQ(w->lblDate(i).BorderStyle(), 0) << i;
        EXPECT_EQ(w->lblDate(i).BackStyle(), 0) << i;
    }

    // A blank today is never framed; the next layout takes the frame away again.
    today.SetCaption(QString());
    w->LayoutDayGrid();
    EXPECT_EQ(today.BorderStyle(), 0);
    EXPECT_EQ(today.BackStyle(), 0);
    EXPECT_TRUE(today.Enabled());
}

TEST_F(DayGridForm, ShowClockAndClockPositions)
{
    const struct {
        QStringList settings;
        bool visible;
        std::optional<QPointF> at; // none: automatic
    } cases[] = {
        {{"Show Clock=No,Yes,No"}, false, std::nullopt},
        {{"Show Clock= no "}, false, std::nullopt},
        {{"Show Clock=false"}, true, std::nullopt},
        {{"Show Clock=Yes", "Clock Left=1500", "Clock Top=2500"}, true, QPointF(1500, 2500)},
        {{"Clock Left=abc", "Clock Top=x1"}, true, std::nullopt},               // not numbers: automatic
        {{"Clock Left=40000", "Clock Top=70000"}, true, QPointF(40000, 70000)}, // past 16 bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings.join(" | ").toStdString());
        auto w = Open(c.settings);
        w->lblClock.SetCaption("10:00:00");
        ASSERT_NO_THROW(w->SetClockPosition());
        EXPECT_EQ(w->lblClock.Visible(), c.visible);
        EXPECT_EQ(QPointF(w->lblClock.Left(), w->lblClock.Top()),
                  c.at.value_or(calendarlayout::PlaceClock(-1, -1, kPage, w->lblClock.Width())));
    }
}

TEST_F(DayGridForm, SettingsThatAreNoNumbersAreAutomatic)
{
    auto w = Open();
    w->Properties() = testsupport::TableOf({"Week Start Day=1", "Calendar Top=abc", "Calendar Left=-1",
                                            "Calendar Width=", "Calendar Height=-1", "Calendar Font Size=big"});
    ASSERT_NO_THROW(w->LayoutDayGrid());
    EXPECT_EQ(w->lblYear.Top(), 470);
    EXPECT_EQ(w->lblDate(8).Left(), 811);
    EXPECT_EQ(w->lblDate(8).Top(), 1460);
    EXPECT_FLOAT_EQ(w->lblDate(1).Font().Size, 11.9f);

    // Missing grid keys read 0: the frame collapses to the page's top left, not automatic.
    w->Properties() = testsupport::TableOf({"Week Start Day=1"});
    w->LayoutDayGrid();
    EXPECT_EQ(w->lblYear.Top(), 0);
    EXPECT_EQ(w->lblDate(1).Left(), 0);
    EXPECT_EQ(w->lblDate(1).Font().Size, 4 * 0.7f);
}

TEST_F(DayGridForm, ANoteIconSitsLeftOfItsCell)
{
    auto w = Open();
    w->LayoutDayGrid();
    const platform::Label& cell = w->lblDate(12);
    w->PlaceActivityIcon(12);
    EXPECT_EQ(w->imgActivity(12).Top(), cell.Top());
    EXPECT_FLOAT_EQ(w->imgActivity(12).Left(), static_cast<float>(cell.Left() - 10.0 * cell.Font().Size));
}

TEST_F(DayGridForm, ALargeWindowLaysOutWithoutOverflow)
{
    auto w = Open();
    w->imgCalendar(1).Move(0, 0, 200000, 200000);
    ASSERT_NO_THROW(w->LayoutDayGrid());
    EXPECT_EQ(w->lblDate(7).Left(), calendarlayout::HeaderCellLeft(LayoutGridFrame({0, 0, 200000, 200000}, {}), 7));
    EXPECT_GT(w->lblDate(7).Left(), 32767);
}
