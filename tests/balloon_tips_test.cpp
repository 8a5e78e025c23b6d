// The balloons over the day cells and the month and year captions, and the grid frame
// that Ctrl draws.
#include "calendar/balloons_state.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/settings_store.h"
#include "editors/dialogs/date_setup_dialog.h"
#include "support/test_folders.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "tests/support/test_calendar.h"
#include "ui/mdi_frame.h"
#include "ui/tooltip_window.h"

#include <QDialog>
#include <QLocale>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace mduAlmanorvqueLib;
using testsupport::TestCalendar;

using testsupport::CellOf;

namespace {
constexpr int kShift = 1, kCtrl = 2;

} // namespace

class BalloonTips : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        CopyShippedData({"ini"}); // the year tables start empty
        SetupDataFolders();
    }
    void TearDown() override
    {
        w_.reset();
        QLocale::setDefault(QLocale::c());
        ProgramFolderTest::TearDown();
    }
    // December 2026 through its full load, with the automatic balloons on or off.
    TestCalendar& Open(const char* autoShow = "Yes")
    {
        w_ = std::make_unique<TestCalendar>();
        w_->ShowMe(0, QDate(2026, 12, 10));
        w_->Timer1.Fire();
        mduLib::SetProp("Auto Show Balloon Tips", autoShow, w_->Properties());
        return *w_;
    }
    // Moves over the cell of a date; the balloon's text, or "" when none is shown.
    QString HoverDay(const QDate& d, int shift)
    {
        const int i = CellOf(*w_, d);
        EXPECT_NE(i, 0) << d.toString().toStdString();
        w_->lblDate_MouseMove(i, 0, shift, 10, 10);
        return Shown();
    }
    QString Shown() const
    {
        auto* window = w_->BalloonTip().Window();
        return w_->BalloonTip().Shown() && window ? window->Look().Text : QString();
    }

    platform::FixedClock clock_{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
    platform::ScriptedMessageBox boxes_;
    std::unique_ptr<TestCalendar> w_;
};

TEST_F(BalloonTips, ADaysBalloonJoinsItsCaptionsInOrder)
{
    TestCalendar& w = Open();
    mduLib::SetValue("02/12", "Fair", w.YearDates(), "PCaption");
    mduLib::SetValue("02/12", "Dentist", w.YearDates(), "Caption");
    mduLib::SetValue("02/12", "Ann's birthday", gPersonalDates, "Caption");
    mduLib::SetValue("03/12", "Mine only", gPersonalDates, "Caption");
    // A day of the next month is looked up in the displayed year's table by its key.
    mduLib::SetValue("02/01", "New year party", w.YearDates(), "Caption");

    const struct {
        QDate day;
        const char* text;
    } cases[] = {
        {QDate(2026, 12, 2), "Fair\r\nDentist\r\nAnn's birthday"},
        {QDate(2026, 12, 3), "\r\nMine only"}, // after an empty first line
        {QDate(2026, 12, 8), ""},              // nothing but a line break: no balloon
        {QDate(2027, 1, 2), "New year party\r\n"},
    };
    for (const auto& c : cases) {
        w.HideBalloonTip();
        EXPECT_EQ(HoverDay(c.day, 0), QString::fromUtf8(c.text)) << c.day.toString().toStdString();
    }
    // The title is the date as the user writes it.
    w.HideBalloonTip();
    HoverDay(QDate(2026, 12, 2), 0);
    EXPECT_EQ(w.BalloonTip().Title(), "02/12/2026");
}

TEST_F(BalloonTips, ABalloonStaysOverItsDayAndAnotherDayReplacesIt)
{
    TestCalendar& w = Open();
    mduLib::SetValue("02/12", "First", gPersonalDates, "Caption");
    mduLib::SetValue("03/12", "Second", gPersonalDates, "Caption");
    EXPECT_EQ(HoverDay(QDate(2026, 12, 2), 0), "\r\nFirst");
    QPointer<platform::TooltipWindow> first = w.BalloonTip().Window();
    EXPECT_EQ(HoverDay(QDate(2026, 12, 2), 0), "\r\nFirst");
    EXPECT_EQ(w.BalloonTip().Window(), first.data()); // not made again on every move
    EXPECT_EQ(HoverDay(QDate(2026, 12, 3), 0), "\r\nSecond");
    w.lblDate_MouseMove(3, 0, 0, 1, 1); // a weekday header hides it
    EXPECT_EQ(Shown(), "");
}

TEST_F(BalloonTips, AModalDialogTheWindowOpensClosesItsBalloonFirst)
{
    auto captionDialog = [](TestCalendar& w, std::function<void()> inside) {
        QTimer::singleShot(0, [inside] {
            inside();
            QTest::mouseClick(frmDateSetup::Default().cmdButton(1).Widget(), Qt::LeftButton); // Cancel
        });
        w.ApplySetting("Set Date Caption", "Custom", conv::DateText(QDate(2026, 12, 2)));
    };
    auto ownDialog = [](TestCalendar& w, std::function<void()> inside) {
        QDialog dialog(&w);
        QTimer::singleShot(0, &dialog, [&] {
            inside();
            dialog.reject();
        });
        dialog.exec();
    };
    const struct {
        const char* what;
        bool monthWindow;                                               // a month window of the multi-calendar frame
        std::function<void(TestCalendar&, std::function<void()>)> open; // runs the check inside
    } dialogs[] = {
        {"the date caption dialog", false, captionDialog},
        {"a dialog of the window's own", false, ownDialog},
        {"the date caption dialog of a month window", true, captionDialog},
    };
    for (const auto& d : dialogs) {
        std::unique_ptr<platform::MDIForm> frame;
        TestCalendar* w = nullptr;
        if (d.monthWindow) {
            w_.reset();
            frame = std::make_unique<platform::MDIForm>("frmMain");
            frame->Show();
            w = new TestCalendar; // the frame's sub-window owns it
            frame->AddChild(*w);
            w->ShowMeMDIChild(frame.get(), 0, QDate(2026, 12, 10));
            w->Timer1.Fire();
        } else {
            w = &Open();
        }
        mduLib::SetValue("02/12", "Dentist", gPersonalDates, "Caption");
        w->lblDate_MouseMove(CellOf(*w, QDate(2026, 12, 2)), 0, 0, 10, 10);
        auto shown = [&] {
            const platform::TooltipWindow* balloon = w->BalloonTip().Window();
            return w->BalloonTip().Shown() && balloon && balloon->isVisible();
        };
        ASSERT_TRUE(shown()) << d.what;
        bool ran = false;
        d.open(*w, [&] {
            ran = true;
            EXPECT_FALSE(shown()) << d.what;
        });
        EXPECT_TRUE(ran) << d.what;
    }
}

TEST_F(BalloonTips, ModifierKeysAndTheAutomaticSetting)
{
    const struct {
        const char* autoShow;
        int shift;
        bool balloon;
        bool frame;
    } cases[] = {
        {"Yes", 0, true, false}, {"no", 0, false, false}, {" NO ", 0, false, false},   {"no", kShift, true, false},
        {"Yes", 3, true, false}, {"no", 3, false, false}, {"Yes", kCtrl, false, true}, {"no", kCtrl, false, true},
    };
    for (const auto& c : cases) {
        TestCalendar& w = Open(c.autoShow);
        mduLib::SetValue("02/12", "Dentist", gPersonalDates, "Caption");
        const bool shown = !HoverDay(QDate(2026, 12, 2), c.shift).isEmpty();
        EXPECT_EQ(shown, c.balloon) << c.autoShow << " shift " << c.shift;
        EXPECT_EQ(w.shpHighlight.Tag == "R", c.frame) << c.autoShow << " shift " << c.shift;
        EXPECT_EQ(w.shpHighlight.Visible(), c.frame);
    }
}

TEST_F(BalloonTips, CtrlFramesTheWholeGridAndTheFrameStays)
{
    TestCalendar& w = Open();
    mduLib::SetValue("02/12", "Dentist", gPersonalDates, "Caption");
    HoverDay(QDate(2026, 12, 2), kCtrl);
    const int n = w.lblDate.UBound();
    const auto& first = w.lblDate(1);
    const auto& last = w.lblDate(n);
    EXPECT_EQ(w.shpHighlight.Tag, "R");
    EXPECT_FLOAT_EQ(w.shpHighlight.Left(), first.Left());
    EXPECT_FLOAT_EQ(w.shpHighlight.Top(), w.lblYear.Top());
    EXPECT_FLOAT_EQ(w.shpHighlight.Width(), std::abs(first.Width() + last.Left() - first.Left()));
    EXPECT_FLOAT_EQ(w.shpHighlight.Height(), std::abs(first.Height() * 1.5f + last.Top() - w.lblYear.Top()));
    // While the frame is up, the cells neither redraw it nor show balloons.
    EXPECT_EQ(HoverDay(QDate(2026, 12, 2), 0), "");
    EXPECT_TRUE(w.shpHighlight.Visible());
}

TEST_F(BalloonTips, TheCaptionsShowTheirPictureWithShiftAndAHandOtherwise)
{
    TestCalendar& w = Open();
    mduLib::SetValue(w.GetMonthImageKey(), "/pictures/snow.jpg", gPersonalDates, "Image");

    w.lblMonth_MouseMove(0, kShift, 10, 10);
    EXPECT_EQ(Shown(), "/pictures/snow.jpg");
    EXPECT_EQ(w.BalloonTip().Title(), w.lblMonth.Caption() + " sets");
    EXPECT_EQ(w.lblMonth.MousePointer, platform::vbDefault);

    w.lblMonth_MouseMove(0, kCtrl, 10, 10);
    EXPECT_EQ(w.lblMonth.MousePointer, platform::vbCustom);
    EXPECT_EQ(w.lblMonth.MouseIcon.cacheKey(), w.imgList[1].cacheKey());
    w.lblMonth_MouseMove(0, 0, 10, 10);
    EXPECT_EQ(w.lblMonth.MouseIcon.cacheKey(), w.imgList[2].cacheKey());
    EXPECT_EQ(Shown(), "/pictures/snow.jpg"); // letting Shift go does not hide it

    // The year has no picture: nothing; and Shift over the year keeps its pointer.
    w.HideBalloonTip();
    w.lblYear_MouseMove(0, kCtrl, 10, 10);
    w.lblYear_MouseMove(0, kShift, 10, 10);
    EXPECT_EQ(Shown(), "");
    EXPECT_EQ(w.lblYear.MousePointer, platform::vbCustom);
    mduLib::SetValue(w.GetYearImageKey(), "0", gPersonalDates, "Image");
    w.lblYear_MouseMove(0, kShift, 10, 10);
    EXPECT_EQ(Shown(), "");
}
