// The spoken greeting's text and when it is spoken; the status bar's message line and eye.
#include "central/frame_status_state.h"
#include "central/greeting.h"
#include "central/status_ticker.h"

#include "core/app_identity.h"
#include "core/settings_store.h"
#include "support/central_fixture.h"
#include "system/clock.h"
#include "system/program_end.h"
#include "tests/support/test_frame.h"
#include "ui/voice.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::TestFrame;

namespace {
const QString kBoth = QStringLiteral("Good <Morning/Afternoon/Evening>, today is <date>.");
}

TEST(Greeting, TimeOfDayGoesByTheHourInEveryLocale)
{
    struct Case {
        QTime time;
        const char* word;
    } cases[] = {{QTime(0, 0), "Morning"},     {QTime(11, 59), "Morning"},   {QTime(12, 0), "Afternoon"},
                 {QTime(14, 30), "Afternoon"}, {QTime(18, 59), "Afternoon"}, {QTime(19, 0), "Evening"},
                 {QTime(23, 59), "Evening"}};
    for (const char* name : {"en_US", "de_DE", "ja_JP", "fr_FR"})
        for (const Case& c : cases) {
            const QString filled = greeting::FillStartMessage(QStringLiteral("<Morning/Afternoon/Evening>"),
                                                              QDateTime(QDate(2008, 3, 5), c.time), QLocale(name));
            EXPECT_EQ(filled, QLatin1String(c.word)) << name << " " << c.time.toString().toStdString();
        }
}

TEST(Greeting, DateIsMonthDayYearWithTheLocalesSeparator)
{
    const QDateTime at(QDate(2008, 3, 5), QTime(14, 30));
    EXPECT_EQ(greeting::FillStartMessage(kBoth, at, QLocale("en_US")), "Good Afternoon, today is 03/05/2008.");
    EXPECT_EQ(greeting::FillStartMessage(QStringLiteral("<date>"), at, QLocale("de_DE")), "03.05.2008");
    EXPECT_EQ(greeting::FillStartMessage(QStringLiteral("<date>"), at, QLocale("nl_NL")), "03-05-2008");
    // Only the first of each placeholder; other case is no placeholder.
    EXPECT_EQ(greeting::FillStartMessage(QStringLiteral("<date> <date> <DATE>"), at, QLocale("en_US")),
              "03/05/2008 <date> <DATE>");
}

TEST(Ticker, MessagesCollectAndOlderOnesScrollAway)
{
    QString line = statusticker::AppendMessage(QString(), "A");
    EXPECT_EQ(line, "A");
    line = statusticker::AppendMessage(line, "B");
    EXPECT_EQ(line, "A << B");
    EXPECT_EQ(statusticker::AppendMessage(line, "A"), "A << B");
    EXPECT_EQ(statusticker::AppendMessage(line, "a"), "A << B << a");
    EXPECT_EQ(statusticker::AppendMessage(line, ""), "A << B");
    EXPECT_EQ(statusticker::AppendMessage(QString(), ""), "");

    // Two characters, the separator and one: three ticks, then the last stays.
    QString two = QStringLiteral("xy << z");
    const char* expected[] = {"y << z", " << z", "z", "z"};
    for (const char* e : expected) {
        two = statusticker::Step(two);
        EXPECT_EQ(two, e);
    }
}

TEST(Eye, FramesGoRoundAndGoOnAfterMidnight)
{
    EXPECT_EQ(statusticker::eye::NextFrame(0), 1);
    EXPECT_EQ(statusticker::eye::NextFrame(9), 10);
    EXPECT_EQ(statusticker::eye::NextFrame(10), 1);
    EXPECT_TRUE(statusticker::eye::IsDue(0, 5));
    EXPECT_FALSE(statusticker::eye::IsDue(1000, 1015));
    EXPECT_TRUE(statusticker::eye::IsDue(1000, 1016));
    const qint32 lastBeforeMidnight = statusticker::eye::HundredthsOfDay(QTime(23, 59, 59, 900));
    EXPECT_TRUE(statusticker::eye::IsDue(lastBeforeMidnight, statusticker::eye::HundredthsOfDay(QTime(0, 0, 0, 400))));
    EXPECT_FALSE(statusticker::eye::IsDue(lastBeforeMidnight, statusticker::eye::HundredthsOfDay(QTime(0, 0, 0, 0))));
}

class FramePeriphery : public testsupport::CentralFixture<TestFrame> {
protected:
    TestFrame& Start() { return CentralFixture::Start(false); }
    platform::RecordingVoice& Voice() { return *dynamic_cast<platform::RecordingVoice*>(frame_->VoiceObject()); }

    platform::FixedClock clock_{QDateTime(QDate(2008, 3, 5), QTime(19, 0))};
};

TEST_F(FramePeriphery, TheGreetingIsSpokenOnceAsynchronouslyWhenTheFrameIsActive)
{
    TestFrame& f = Start();
    mduLib::SetProp("Start Message", kBoth, f.CentralSettings());
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.timerCtrl.Fire();
    ASSERT_EQ(Voice().Spoken.size(), 1);
    EXPECT_EQ(Voice().Spoken[0],
              "Good Evening, today is " + greeting::FillStartMessage("<date>", clock_.Time(), QLocale()) + ".");
    EXPECT_EQ(Voice().Flags[0], platform::Voice::kAsync);
    f.timerCtrl.Fire();
    EXPECT_EQ(Voice().Spoken.size(), 1);

    // A month window is the active form now: only a forced purge speaks.
    f.PurgeSpeech(0);
    EXPECT_EQ(Voice().Spoken.size(), 1);
    f.PurgeSpeech(1);
    EXPECT_EQ(Voice().Spoken.back(), ".");
    EXPECT_EQ(Voice().Flags.back(), platform::Voice::kPurgeBeforeSpeak);
}

TEST_F(FramePeriphery, NoGreetingForZeroEmptyOrAnInactiveFrame)
{
    TestFrame& f = Start();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    for (const char* text : {"", "0"}) {
        mduLib::SetProp("Start Message", text, f.CentralSettings());
        f.SpeakStartMsg();
    }
    EXPECT_TRUE(Voice().Spoken.isEmpty());
    // Read whole, commas included.
    mduLib::SetValue("Start Message", "Hello, world", f.CentralSettings());
    f.SpeakStartMsg();
    EXPECT_EQ(Voice().Spoken, QStringList{"Hello, world"});

    QWidget other;
    other.show();
    QApplication::setActiveWindow(&other);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    f.SpeakMessage("not now", 0, 0);
    EXPECT_EQ(Voice().Spoken.size(), 1);
    f.SpeakMessage("forced", 0, 1);
    EXPECT_EQ(Voice().Spoken.back(), "forced");
}

TEST_F(FramePeriphery, TheTickerScrollsTheLineAndTheEyeRunsUntilItIsCleared)
{
    TestFrame& f = Start();
    f.timerCtrl.Fire(); // start-up
    f.ShowStatusMsg("ab");
    f.ShowStatusMsg("c");
    EXPECT_EQ(f.StatusArea().sbPanels[2]->text(), "ab << c");
    f.timerCtrl.Fire();
    EXPECT_EQ(f.timerCtrl.Interval(), 400);
    EXPECT_EQ(f.StatusArea().sbPanels[2]->text(), "b << c");
    EXPECT_EQ(f.StatusArea().EyeFrame, 1);
    for (int i = 0; i < 3; ++i) {
        clock_.AdvanceMs(400);
        f.timerCtrl.Fire();
    }
    EXPECT_EQ(f.StatusArea().sbPanels[2]->text(), "c");
    EXPECT_EQ(f.StatusArea().EyeFrame, 4);
    // Across midnight the eye goes on.
    clock_.Set(QDateTime(QDate(2008, 3, 6), QTime(0, 0, 0, 300)));
    f.timerCtrl.Fire();
    EXPECT_EQ(f.StatusArea().EyeFrame, 5);
    f.ClearStatusMessage_Click();
    f.timerCtrl.Fire();
    EXPECT_EQ(f.timerCtrl.Interval(), 10000);
    EXPECT_TRUE(f.StatusArea().sbPanels[1]->pixmap().isNull());
}

TEST_F(FramePeriphery, StatusBarSettingAndItsTwoHideItems)
{
    TestFrame& f = Start();
    f.SetStatusBarPosition("Top");
    EXPECT_FALSE(f.StatusBar().isHidden());
    f.SetStatusBarPosition("yes"); // not a value: nothing changes
    EXPECT_FALSE(f.StatusBar().isHidden());
    f.SetStatusBarPosition("No");
    EXPECT_TRUE(f.StatusBar().isHidden());
    EXPECT_EQ(f.StatusArea().StatusBarAlign, platform::vbAlignTop);

    f.SetStatusBarPosition("Yes");
    f.StatusBarAction_Click();
    EXPECT_TRUE(f.StatusBar().isHidden());
    EXPECT_EQ(mduLib::GetProp("Status Bar", f.CentralSettings()), "No");
    f.HideStatusBar_Click("No");
    EXPECT_FALSE(f.StatusBar().isHidden());
    EXPECT_EQ(mduLib::GetProp("Status Bar", f.CentralSettings()), "Yes");
    f.HideStatusBar_Click("");
    EXPECT_TRUE(f.StatusBar().isHidden());
    EXPECT_EQ(mduLib::GetProp("Status Bar", f.CentralSettings()), "No");
}
