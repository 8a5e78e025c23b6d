// The clock's text and drag, and the scrolling message line.
#include "calendar/clock_format.h"
#include "calendar/hand_cursors.h"
#include "calendar/message_line_math.h"
#include "core/conversions.h"
#include "core/settings_store.h"
#include "support/running_calendar.h"
#include "tests/support/test_calendar.h"
#include "ui/twips.h"
#include "ui/window_shape.h"

#include <QLocale>
#include <QTest>
#include <gtest/gtest.h>

using namespace mduAlmanorvqueLib;
using testsupport::TestCalendar;

namespace {
constexpr int kCtrl = 2;

QString Clock(const char* pattern, QTime t, QDate d = QDate(2026, 12, 10))
{
    return clockformat::FormatClock(clockformat::TranslateClockPattern(QString::fromUtf8(pattern)), QDateTime(d, t));
}
} // namespace

TEST(ClockFormat, PatternsOfTheTemplatesAndTheUsualOnes)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    const QTime evening(21, 5, 7), morning(9, 5, 7), midnight(0, 30, 0), noon(12, 0, 0);
    const struct {
        const char* pattern;
        QTime time;
        const char* text;
    } cases[] = {
        {"hh:mm:ss", evening, "21:05:07"},
        {"hh:mm:ss", morning, "09:05:07"},
        {"hh:mm", morning, "09:05"},
        {"h:mm:ss", morning, "9:05:07"},
        {"HH:MM", evening, "21:05"}, // the letters are read in any case
        {"hh:nn", evening, "21:05"},
        {"h:mm AM/PM", evening, "9:05 PM"},
        {"h:mm AM/PM", midnight, "12:30 AM"},
        {"hh:mm am/pm", noon, "12:00 pm"},
        {"h:mm a/p", evening, "9:05 p"},
        {"h:mm A/P", morning, "9:05 A"},
        {"h:nn a/p", QTime(12, 30), "12:30 p"}, // noon's half hour is afternoon
        {"h:nn A/P", midnight, "12:30 A"},
        {"h", evening, "21"},
        {"mm:ss", evening, "05:07"}, // minutes before seconds
        {"dd/mm/yyyy", evening, "10/12/2026"},
        {"d mmm yy", evening, "10 Dec 26"},
        {"dddd d mmmm", evening, "Thursday 10 December"},
        // Weekday and week counted from Sunday and from the week of 1 January; quarter;
        // day of the year.
        {"w ww q y", evening, "5 50 4 344"},
        {"\"at\" hh\\h", evening, "at 21h"},
        {"hh'nn", evening, "21'05"}, // a quote is no Qt quote here
        {"Short Time", evening, "21:05"},
        {"Medium Time", evening, "09:05 PM"},
        {"Long Time", evening, "21:05:07"},
        {"ttttt", morning, "09:05:07"},
        // A missing setting reads "0": the day number, as the time formats as a number.
        {"0", morning, "46366"},
        {"0", evening, "46367"},
        {"", evening, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Clock(c.pattern, c.time), QString::fromUtf8(c.text)) << c.pattern;
    EXPECT_EQ(Clock("ww", noon, QDate(2027, 1, 2)), "1"); // a Saturday in the first week
    EXPECT_EQ(Clock("ww", noon, QDate(2027, 1, 3)), "2"); // Sunday begins the next
    QLocale::setDefault(QLocale::c());
}

// ---- the message line as a model ----

namespace {
// Every character 100 twips wide.
double FixedWidth(const QString& s) { return 100.0 * static_cast<double>(s.size()); }

struct Shown {
    const char* caption;
    double left, width;
};
} // namespace

TEST(MessageLineModel, ThreeCharactersRunInAndOutAndStartOver)
{
    const messageline::Span picture{0, 1000};
    messageline::LineState s;
    messageline::Start(s, "abc", picture, FixedWidth);
    EXPECT_EQ(s.Caption, "  ");
    EXPECT_EQ(s.Left, 600); // one line width inside the picture's right edge
    const Shown ticks[] = {
        {"  a", 500, 300},   {"  ab", 400, 400}, {"  abc", 300, 500},
        {"  abc", 200, 500},                    // all appended: the line still moves left
        {"  abc", 100, 500}, {" abc", 0, 1000}, // the left edge is reached: the first character goes
        {"abc", 0, 1000},    {"bc", 0, 1000},    {"c", 0, 1000},
        {"", 0, 1000},       {"  ", 600, 200}, // nothing left: it starts over
        {"  a", 500, 300},
    };
    int n = 0;
    for (const Shown& t : ticks) {
        messageline::Scroll(s, picture, FixedWidth);
        ++n;
        EXPECT_EQ(s.Caption, QString::fromUtf8(t.caption)) << "tick " << n;
        EXPECT_EQ(s.Left, t.left) << "tick " << n;
        EXPECT_EQ(s.Width, t.width) << "tick " << n;
    }
    EXPECT_EQ(s.Position, 1);
}

TEST(MessageLineModel, WhatAMessageBecomes)
{
    const messageline::Span picture{200, 3000};
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"  Fair  ", "Fair"},
        {"Line one\r\nline two", "Line one line two"},
        {"one\ntwo\rthree", "one two three"},
        {"kept\u2028break", "kept break"}, // a break kept in a stored text
        {"   ", ""},                       // only blanks: nothing runs
    };
    for (const auto& c : cases) {
        messageline::LineState s;
        messageline::Start(s, QString::fromUtf8(c.text), picture, FixedWidth);
        EXPECT_EQ(s.Text, QString::fromUtf8(c.message)) << c.text;
    }
    // Nothing to run: the line keeps two blanks, one line width inside the picture's
    // right edge, and does not move.
    messageline::LineState s;
    messageline::Start(s, "   ", picture, FixedWidth);
    messageline::Scroll(s, picture, FixedWidth);
    EXPECT_EQ(s.Caption, "  ");
    EXPECT_EQ(s.Left, 2800);
    EXPECT_EQ(s.Width, 200);
    EXPECT_TRUE(s.AutoSize);
    // A stopped message leaves two blanks where the line stood, sized to them.
    messageline::Start(s, "abcdefghijklmnopqrstuvwxyz0123456789", picture, FixedWidth);
    for (int i = 0; i < 40; ++i)
        messageline::Scroll(s, picture, FixedWidth);
    ASSERT_EQ(s.Width, 3000);
    messageline::Stop(s, FixedWidth);
    EXPECT_EQ(s.Text, "");
    EXPECT_EQ(s.Caption, "  ");
    EXPECT_EQ(s.Left, 200);
    EXPECT_EQ(s.Width, 200);
    EXPECT_TRUE(s.AutoSize);
}

TEST(MessageLineModel, AppendStopsAtTheEndOfTheMessage)
{
    messageline::LineState s;
    messageline::Start(s, "ab", {0, 1000}, FixedWidth);
    int position = 1;
    EXPECT_TRUE(messageline::AppendChar(s, position, FixedWidth));
    EXPECT_EQ(s.Caption, "  b");
    EXPECT_EQ(position, 2);
    EXPECT_FALSE(messageline::AppendChar(s, position, FixedWidth));
    EXPECT_EQ(s.Caption, "  b");
}

// ---- on the window ----

class ClockAndMessage : public testsupport::RunningCalendarTest {
protected:
    void SetUp() override
    {
        RunningCalendarTest::SetUp();
        Open();
    }
    QPoint PixelOf(const platform::LightControl& c, float dx = 0, float dy = 0) const
    {
        return {platform::TwipsToPixelsX(c.Left() + dx), platform::TwipsToPixelsY(c.Top() + dy)};
    }
};

TEST_F(ClockAndMessage, TheClockCaptionIsWrittenOncePerChange)
{
    TestCalendar& w = *w_;
    mduLib::SetProp("Clock Format", "hh:mm,hh:mm:ss,hh:mm", w.Properties());
    int writes = 0;
    w.lblClock.Change = [&] { ++writes; };
    for (int tick = 0; tick < 1200; ++tick) { // two minutes of running ticks
        w.Timer1_Timer();
        clock_.AdvanceMs(100);
    }
    EXPECT_EQ(writes, 2); // 10:00 and 10:01
    EXPECT_EQ(w.lblClock.Caption(), "10:01");
    w.Timer1_Timer();
    EXPECT_EQ(w.lblClock.Caption(), "10:02");
    EXPECT_EQ(writes, 3);
    // A new format shows at once.
    mduLib::SetProp("Clock Format", "hh:mm:ss", w.Properties());
    w.UpdateClock();
    EXPECT_EQ(w.lblClock.Caption(), "10:02:00");
    EXPECT_EQ(writes, 4);
}

TEST_F(ClockAndMessage, AChangedClockFormatShowsAtTheNextTickOfTheSameSecond)
{
    // A tick within the second the clock last showed writes nothing, unless a setting or
    // the caption changed since, whichever way it changed.
    const struct {
        const char* what;
        std::function<void(TestCalendar&)> change;
        const char* shows;
    } cases[] = {
        {"set", [](TestCalendar& w) { mduLib::SetProp("Clock Format", "hh:mm", w.Properties()); }, "10:00"},
        {"set with its options",
         [](TestCalendar& w) { mduLib::SetValue("Clock Format", "h:mm AM/PM,hh:mm:ss", w.Properties()); }, "10:00 AM"},
        {"the settings loaded anew",
         [](TestCalendar& w) { ASSERT_TRUE(mduLib::LoadIniLines({"Clock Format=ss"}, w.Properties())); }, "07"},
        {"the settings replaced",
         [](TestCalendar& w) {
             mduLib::PropertyTable other = w.Properties();
             mduLib::SetProp("Clock Format", "mm:ss", other);
             w.Properties() = other;
         },
         "00:07"},
        {"the caption written over", [](TestCalendar& w) { w.lblClock.SetCaption(QStringLiteral("?")); }, "10:00:07"},
    };
    for (const auto& c : cases) {
        TestCalendar& w = Open();
        clock_.Set(QDateTime(QDate(2026, 12, 10), QTime(10, 0, 7, 100)));
        mduLib::SetProp("Clock Format", "hh:mm:ss", w.Properties());
        w.Timer1_Timer();
        ASSERT_EQ(w.lblClock.Caption(), "10:00:07") << c.what;
        int writes = 0;
        w.lblClock.Change = [&] { ++writes; };
        clock_.AdvanceMs(100);
        w.Timer1_Timer();
        EXPECT_EQ(writes, 0) << c.what;
        c.change(w);
        writes = 0;
        clock_.AdvanceMs(100);
        w.Timer1_Timer();
        EXPECT_EQ(w.lblClock.Caption(), QString::fromUtf8(c.shows)) << c.what;
        EXPECT_EQ(writes, 1) << c.what;
    }
}

TEST_F(ClockAndMessage, TheSeeThroughWindowShowsEachSecondsDigits)
{
    TestCalendar& w = *w_;
    mduLib::SetProp("Clock Format", "hh:mm:ss", w.Properties());
    w.ApplySetting("Window Title Bar", "No", "");
    w.ApplySetting("Window Background Colours", "Transparent", "");
    ASSERT_TRUE(w.IsTransparentWindow());
    // Where the see-through area and the non-white pixels of a fresh grab disagree.
    auto mismatch = [&] { return (w.mask() ^ mduAPILib::OpaqueRegion(w.grab().toImage())).boundingRect(); };
    QCoreApplication::processEvents();
    ASSERT_EQ(mismatch(), QRect());
    // Digits of every width, one second apart and a minute and an hour on.
    for (int seconds : {1, 1, 1, 7, 60, 3600}) {
        clock_.AdvanceSeconds(seconds);
        const QString before = w.lblClock.Caption();
        w.Timer1_Timer();
        ASSERT_NE(w.lblClock.Caption(), before);
        QCoreApplication::processEvents();
        EXPECT_EQ(mismatch(), QRect()) << w.lblClock.Caption().toStdString();
    }
    // The next year's caption.
    w.MoveYear(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(mismatch(), QRect()) << w.lblYear.Caption().toStdString();
}

TEST_F(ClockAndMessage, CtrlDragMovesTheClockByThePointersOffset)
{
    TestCalendar& w = *w_;
    platform::Label& clock = w.lblClock;
    clock.Move(3000, 600);
    w.lblClock_MouseMove(0, kCtrl, 30, 30); // hover with Ctrl: the open hand
    EXPECT_EQ(clock.MousePointer, platform::vbCustom);
    EXPECT_TRUE(handcursors::IsPicture(clock.MouseIcon, w.imgList, 5));
    w.lblClock_MouseDown(1, kCtrl, 30, 30); // the hand closes
    EXPECT_TRUE(handcursors::IsPicture(clock.MouseIcon, w.imgList, 6));
    // The pointer's offsets are twips, as the clock's place: the clock follows the
    // pointer exactly, however far it goes.
    w.lblClock_MouseMove(1, kCtrl, 180, 105);
    EXPECT_EQ(clock.Left(), 3150);
    EXPECT_EQ(clock.Top(), 675);
    w.lblClock_MouseMove(1, kCtrl, 30 - 1500, 30);
    EXPECT_EQ(clock.Left(), 1650);
    w.lblClock_MouseMove(1, kCtrl, 30, 30); // standing still
    EXPECT_EQ(clock.Left(), 1650);
    // Ctrl let go: the clock stays, the pointer is normal; the release still stores.
    w.lblClock_MouseMove(1, 0, 500, 500);
    EXPECT_EQ(clock.Left(), 1650);
    EXPECT_EQ(clock.MousePointer, platform::vbDefault);
    w.lblClock_MouseUp(1, 0, 500, 500);
    EXPECT_EQ(mduLib::GetProp("Clock Left", w.Properties()), "1650");
    EXPECT_EQ(mduLib::GetProp("Clock Top", w.Properties()), "675");
}

TEST_F(ClockAndMessage, ACtrlClickFixesAnAutomaticClockAndFarPlacesFit)
{
    TestCalendar& w = *w_;
    EXPECT_EQ(mduLib::GetProp("Clock Left", w.Properties()), "-1");
    w.lblClock.Move(4321, 345);
    w.lblClock_MouseMove(0, kCtrl, 10, 10);
    w.lblClock_MouseDown(1, kCtrl, 10, 10);
    w.lblClock_MouseUp(1, kCtrl, 10, 10);
    EXPECT_EQ(mduLib::GetProp("Clock Left", w.Properties()), "4321");
    EXPECT_EQ(mduLib::GetProp("Clock Top", w.Properties()), "345");
    // A plain press without the Ctrl hover is no grip.
    w.lblClock_MouseMove(0, 0, 10, 10);
    w.lblClock.MouseIcon = QImage();
    w.lblClock_MouseDown(1, 0, 10, 10);
    w.lblClock.Move(5000, 400);
    w.lblClock_MouseUp(1, 0, 10, 10);
    EXPECT_EQ(mduLib::GetProp("Clock Left", w.Properties()), "4321");
    // Past 16 bits of twips.
    w.lblClock_MouseMove(0, kCtrl, 10, 10);
    w.lblClock_MouseDown(1, kCtrl, 10, 10);
    w.lblClock.Move(40000.4f, 35000);
    w.lblClock_MouseUp(1, kCtrl, 10, 10);
    EXPECT_EQ(mduLib::GetProp("Clock Left", w.Properties()), "40000");
    EXPECT_EQ(mduLib::GetProp("Clock Top", w.Properties()), "35000");
}

TEST_F(ClockAndMessage, DoubleClicksStartAndStopTodaysMessage)
{
    TestCalendar& w = *w_;
    const platform::Image& picture = w.imgCalendar(0);
    // Idle after the layout: two blanks, sized to them, ending at the picture's right edge.
    const float blanks = w.lblMsg.FittedWidth("  ");
    EXPECT_EQ(w.lblMsg.Caption(), "  ");
    EXPECT_TRUE(w.lblMsg.AutoSize());
    EXPECT_FLOAT_EQ(w.lblMsg.Width(), blanks);
    EXPECT_FLOAT_EQ(w.lblMsg.Left() + w.lblMsg.Width(), picture.Left() + picture.Width());

    mduLib::SetValue("10/12", "Fair day~Market in town", w.YearDates());
    w.SetActivity(conv::DateText(QDate(2026, 12, 10)), "Buy apples");
    w.show();
    // A real double click on the two blanks.
    QTest::mouseDClick(&w, Qt::LeftButton, Qt::NoModifier, PixelOf(w.lblMsg, w.lblMsg.Width() / 2, 50));
    EXPECT_EQ(w.lblMsg.ToolTipText, "Market in town  Buy apples");
    EXPECT_EQ(w.lblMsg.Caption(), "  ");
    EXPECT_FLOAT_EQ(w.lblMsg.Left(), picture.Left() + picture.Width() - 2 * w.lblMsg.Width());
    for (int i = 0; i < 3; ++i)
        w.Timer1_Timer();
    EXPECT_EQ(w.lblMsg.Caption(), "  Mar");
    EXPECT_LT(w.lblMsg.Left() + w.lblMsg.Width(), picture.Left() + picture.Width());

    // Stopped: two blanks where the line stood, which a double click reaches.
    const float left = w.lblMsg.Left();
    w.lblMsg_DblClick();
    EXPECT_EQ(w.lblMsg.Caption(), "  ");
    EXPECT_EQ(w.lblMsg.ToolTipText, "");
    EXPECT_FLOAT_EQ(w.lblMsg.Left(), left);
    EXPECT_FLOAT_EQ(w.lblMsg.Width(), blanks);
    w.Timer1_Timer();
    EXPECT_EQ(w.lblMsg.Caption(), "  ");
    // Started again, from the first character.
    w.lblMsg_DblClick();
    w.Timer1_Timer();
    EXPECT_EQ(w.lblMsg.Caption(), "  M");
}

TEST_F(ClockAndMessage, NoMessageTodayStartsNothing)
{
    TestCalendar& w = *w_;
    const platform::Image& picture = w.imgCalendar(0);
    const float blanks = w.lblMsg.FittedWidth("  ");
    w.lblMsg_DblClick();
    w.Timer1_Timer();
    EXPECT_EQ(w.lblMsg.Caption(), "  ");
    EXPECT_FLOAT_EQ(w.lblMsg.Left(), picture.Left() + picture.Width() - 2 * blanks);
    // A re-layout keeps an idle line idle, and a running one running.
    w.SetCalendarLayout();
    EXPECT_EQ(w.lblMsg.Caption(), "  ");
    EXPECT_FLOAT_EQ(w.lblMsg.Width(), blanks);
    w.StartScrollingMessage("Hello");
    w.Timer1_Timer();
    w.SetCalendarLayout();
    w.Timer1_Timer();
    EXPECT_EQ(w.lblMsg.Caption(), "  He");
}

TEST_F(ClockAndMessage, TheIdleLineLeavesThePicturesBottomBandToThePicture)
{
    // Moved down with Ctrl, the picture's bottom band covers the place the line was laid
    // out at: only the line's two blanks at the right end take the mouse there.
    TestCalendar& w = *w_;
    platform::Image& picture = w.imgCalendar(0);
    const float lineTop = w.lblMsg.Top() + 50;
    const float lineRight = w.lblMsg.Left() + w.lblMsg.Width();
    w.imgCalendar_MouseMove(0, 0, kCtrl, picture.Width() / 2, picture.Height() / 2);
    w.imgCalendar_MouseMove(0, 1, kCtrl, picture.Width() / 2, picture.Height() / 2 + 600);
    ASSERT_GT(picture.Top() + picture.Height(), lineTop);
    for (float x = picture.Left() + 15; x < lineRight - 2 * w.lblMsg.Width(); x += 150)
        EXPECT_EQ(w.ControlAt(x, lineTop), &picture) << x;
    EXPECT_EQ(w.ControlAt(lineRight - 15, lineTop), &w.lblMsg);
}
