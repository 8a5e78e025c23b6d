// The frame's banner, its mouse (screen-saver exit, edge-band drag), the toolbar's
// scrolling, balloons and auto-hide, and the never-shown menus' commands.
#include "central/banner_box.h"
#include "central/frame_banner_state.h"
#include "central/frame_hidden_menus_state.h"
#include "central/frame_toolbar_state.h"
#include "central/toolbar_scrolling.h"

#include "calendar/calendar_window.h"
#include "core/app_identity.h"
#include "core/data_folders.h"
#include "core/settings_store.h"
#include "support/central_fixture.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "system/program_end.h"
#include "tests/support/test_frame.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMdiSubWindow>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>
#include <set>

using namespace mduAlmanorvqueLib;

namespace {
struct Frame : testsupport::TestFrame {
    using frmMain::AutoShowToolbar;
    using frmMain::CheckScreenSaverExit;
    using frmMain::DeleteCountry_Click;
    using frmMain::EnableAllCalendars;
    using frmMain::kScMinimize;
    using frmMain::kWmClose;
    using frmMain::kWmSysCommand;
    using frmMain::LayoutBanner;
    using frmMain::MDIForm_DblClick;
    using frmMain::MDIForm_MouseDown;
    using frmMain::MDIForm_MouseMove;
    using frmMain::Opened_Click;
    using frmMain::SendToAllCalendars;
    using frmMain::tbToolBar_MouseMove;
};

std::vector<bool> Shown(std::initializer_list<int> bits)
{
    std::vector<bool> v(1, false);
    for (int b : bits)
        v.push_back(b != 0);
    return v;
}
} // namespace

TEST(BannerFigures, HeadingVariationsAndTheirArrangements)
{
    const std::pair<const char*, int> cases[] = {{"Rotation", -1}, {"Random", 1},  {"Up Down", 2},
                                                 {"Bend Down", 3}, {"Bend Up", 4}, {"None", 0},
                                                 {"rotation", 0},  {"", 0},        {"Sideways", 0}};
    for (const auto& [text, style] : cases)
        EXPECT_EQ(bannerbox::HeadingStyleFor(text), style) << text;
    EXPECT_FALSE(bannerbox::ArrangementFor(-1, 600));
    const auto bendUp = bannerbox::ArrangementFor(4, 600);
    ASSERT_TRUE(bendUp);
    EXPECT_EQ(bendUp->base, 3600);
    EXPECT_EQ(bendUp->amplitude, -3000);
    EXPECT_EQ(bendUp->mode, 3);
    EXPECT_EQ(bannerbox::ArrangementFor(5, 600)->mode, 4);
    EXPECT_DOUBLE_EQ(bannerbox::TitleFontSize(16800), 42);
    EXPECT_DOUBLE_EQ(bannerbox::TitleFontSize(200000), 200);
    EXPECT_DOUBLE_EQ(bannerbox::CentredLeft(16800, 4000), 6400);
}

TEST(ToolbarScrolling, EdgeButtons)
{
    const auto all = Shown({1, 1, 1, 1});
    const auto firstTwoGone = Shown({0, 0, 1, 1});
    const auto lastGone = Shown({1, 1, 1, 0});
    EXPECT_EQ(toolbarscrolling::FindEdgeButton(all, 1, true), 1);
    EXPECT_EQ(toolbarscrolling::FindEdgeButton(all, 1, false), 1);
    EXPECT_EQ(toolbarscrolling::FindEdgeButton(firstTwoGone, 1, true), 3);
    EXPECT_EQ(toolbarscrolling::FindEdgeButton(firstTwoGone, 1, false), 2);
    EXPECT_EQ(toolbarscrolling::FindEdgeButton(lastGone, 2, true), 3);
    EXPECT_EQ(toolbarscrolling::FindEdgeButton(lastGone, 2, false), 4);
    EXPECT_EQ(toolbarscrolling::FindEdgeButton(Shown({0, 0}), 1, true), 2);
}

TEST(ToolbarScrolling, OneButtonPerDragStepAndBackInReverse)
{
    auto shown = Shown({1, 1, 1, 1, 1});
    float origin = 5000;
    EXPECT_FALSE(toolbarscrolling::Scroll(shown, origin, 4600, 400)); // not more than a step
    EXPECT_TRUE(toolbarscrolling::Scroll(shown, origin, 4000, 400));  // a fast move: one button
    EXPECT_EQ(shown, Shown({0, 1, 1, 1, 1}));
    origin = 4000;
    EXPECT_TRUE(toolbarscrolling::Scroll(shown, origin, 3500, 400));
    EXPECT_EQ(shown, Shown({0, 0, 1, 1, 1}));
    origin = 3500;
    EXPECT_TRUE(toolbarscrolling::Scroll(shown, origin, 4000, 400));
    EXPECT_EQ(shown, Shown({0, 1, 1, 1, 1}));
    origin = 4000;
    EXPECT_TRUE(toolbarscrolling::Scroll(shown, origin, 4500, 400));
    EXPECT_EQ(shown, Shown({1, 1, 1, 1, 1}));
    origin = 4500;
    // Nothing scrolled away: the drag ends and starts afresh at the next move.
    EXPECT_FALSE(toolbarscrolling::Scroll(shown, origin, 5000, 400));
    EXPECT_EQ(origin, 0);
    EXPECT_EQ(shown, Shown({1, 1, 1, 1, 1}));

    EXPECT_EQ(toolbarscrolling::ButtonAtPosition({0, 400, 0, 400}, 400), 1);
    EXPECT_EQ(toolbarscrolling::ButtonAtPosition({0, 400, 0, 400}, 401), 3); // a hidden one adds nothing
    EXPECT_EQ(toolbarscrolling::ButtonAtPosition({0, 400, 0, 400}, 801), 0);
}

class FrameMouse : public testsupport::CentralFixture<Frame> {
protected:
    std::vector<float> LetterTops()
    {
        std::vector<float> tops;
        for (int i = 1; i <= frame_->picMain->lblHeaderChar.UBound(); ++i)
            tops.push_back(frame_->picMain->lblHeaderChar(i).Top());
        return tops;
    }

    platform::FixedClock clock_{QDateTime(QDate(2026, 4, 15), QTime(10, 0))};
    platform::ScriptedMessageBox boxes_{platform::vbYes};
};

TEST_F(FrameMouse, TheTitleStandsLetterByLetterCentredWithTheMakerLineUnderIt)
{
    Frame& f = Start(false);
    mduLib::SetProp("Heading Variation", "None", f.CentralSettings());
    f.LayoutBanner();
    BannerBox& box = *f.picMain;
    const QString title = QStringLiteral("Almanorvique Central");
    ASSERT_EQ(box.lblHeaderChar.UBound(), title.size());
    for (int i = 2; i <= title.size(); ++i) {
        EXPECT_EQ(box.lblHeaderChar(i).Caption(), title.mid(i - 1, 1));
        EXPECT_FLOAT_EQ(box.lblHeaderChar(i).Left(),
                        box.lblHeaderChar(i - 1).Left() + box.lblHeaderChar(i - 1).Width());
        EXPECT_FLOAT_EQ(box.lblHeaderChar(i).Top(), bannerbox::kTitleTop);
        EXPECT_TRUE(box.lblHeaderChar(i).Font().Bold);
    }
    EXPECT_NEAR(box.lblMaker.Left() + box.lblMaker.Width() / 2, f.Width() / 2, 1);
    EXPECT_FLOAT_EQ(box.lblMaker.Top(), box.lblVersionLocation.Top() + box.lblVersionLocation.Height());

    mduLib::SetProp("Heading Variation", "Up Down", f.CentralSettings());
    f.LayoutBanner();
    const auto first = LetterTops();
    f.LayoutBanner();
    EXPECT_NE(LetterTops(), first);
    for (float top : LetterTops()) {
        EXPECT_GE(top, bannerbox::kTitleTop);
        EXPECT_LT(top, bannerbox::kTitleTop + 1000);
    }
    // Their colours vary too.
    std::set<qint32> colours;
    for (int i = 1; i <= title.size(); ++i)
        colours.insert(box.lblHeaderChar(i).ForeColor());
    EXPECT_GT(colours.size(), 1u);
}

TEST_F(FrameMouse, ADoubleClickOnTheBannerHidesItOnlyOnceMonthWindowsExist)
{
    Frame& f = Start(false);
    f.picMain->imgMain.Events.DblClick();
    EXPECT_TRUE(f.picMain->isVisible());
    f.timerCtrl.Fire();
    f.picMain->imgMain.Events.DblClick();
    EXPECT_FALSE(f.picMain->isVisible());
    f.MDIForm_DblClick();
    EXPECT_TRUE(f.picMain->isVisible());
}

TEST_F(FrameMouse, AScreenSaverRunEndsOnAWideMoveOrAClickWithNothingSaved)
{
    appinfo::SetCommandLine("/s");
    Frame& f = Start();
    const QByteArray before = testsupport::ReadBytes(gCentralIniFile);
    f.picMain->imgMain.Events.Click(); // no movement recorded yet
    EXPECT_EQ(ended_, 0);
    f.MDIForm_MouseMove(0, 0, 3000, 1000);
    EXPECT_EQ(f.BannerArea().FirstMouseX, 3000);
    f.MDIForm_MouseMove(0, 0, 3020, 9000); // 20 across, far down
    f.MDIForm_MouseMove(0, 0, 2980, 0);
    EXPECT_EQ(ended_, 0);
    f.MDIForm_MouseMove(0, 0, 3021, 1000);
    EXPECT_EQ(ended_, 1);
    f.MDIForm_MouseDown(1, 0, 3000, 1000); // a click: x 0
    EXPECT_EQ(ended_, 2);
    EXPECT_EQ(testsupport::ReadBytes(gCentralIniFile), before);
}

TEST_F(FrameMouse, OutsideAScreenSaverRunMovesAndClicksEndNothing)
{
    Frame& f = Start();
    f.MDIForm_MouseMove(0, 0, 3000, 1000);
    f.MDIForm_MouseMove(0, 0, 9000, 1000);
    f.MDIForm_MouseDown(1, 0, 9000, 1000);
    EXPECT_EQ(ended_, 0);
}

TEST_F(FrameMouse, TheEdgeBandsDragTheFrame)
{
    Frame& f = Start();
    const float left = f.Left(), top = f.Top();
    const float right = f.ScaleWidth() - 100;
    f.MDIForm_MouseMove(0, 0, right, 2000);
    EXPECT_EQ(f.MousePointer(), platform::vbCustom);
    EXPECT_EQ(f.BannerArea().MouseIconPicture, 9);
    f.MDIForm_MouseMove(0, 0, 150, 2000);
    EXPECT_EQ(f.BannerArea().MouseIconPicture, 11);
    f.MDIForm_MouseDown(1, 0, 150, 2000);
    EXPECT_EQ(f.BannerArea().MouseIconPicture, 12);
    f.MDIForm_MouseMove(1, 0, 200, 2030);
    EXPECT_FLOAT_EQ(f.Left(), left + 50);
    EXPECT_FLOAT_EQ(f.Top(), top + 30);
    // Out of the bands without a button: the default pointer; a drag with the left button
    // held from there does not move the frame, though the pressed picture is still set.
    f.MDIForm_MouseMove(0, 0, 3000, 2000);
    EXPECT_EQ(f.MousePointer(), platform::vbDefault);
    f.MDIForm_MouseMove(1, 0, 3100, 2100);
    EXPECT_FLOAT_EQ(f.Left(), left + 50);

    f.SetWindowState(platform::vbMaximized);
    f.MDIForm_MouseMove(0, 0, 100, 2000);
    EXPECT_EQ(f.MousePointer(), platform::vbDefault);
}

TEST_F(FrameMouse, AnAutoHidingToolbarLeavesInwardAndComesBackAtTheEdge)
{
    Frame& f = Start();
    f.SetToolbarPosition("Hide:Top");
    EXPECT_FALSE(f.Toolbar().Visible());
    f.AutoShowToolbar(3000, 101);
    EXPECT_FALSE(f.Toolbar().Visible());
    f.AutoShowToolbar(3000, 100);
    EXPECT_TRUE(f.Toolbar().Visible());
    EXPECT_TRUE(f.AutoHideArmed());
    const float h = f.Toolbar().Height();
    f.tbToolBar_MouseMove(0, 0, 3000, h - 31);
    EXPECT_TRUE(f.Toolbar().Visible());
    f.tbToolBar_MouseMove(0, 0, 3000, h - 30);
    EXPECT_FALSE(f.Toolbar().Visible());
    EXPECT_TRUE(f.AutoHideArmed());

    // Docked by the menu: no auto-hide; hidden by "Hide", the first move over the frame arms it.
    f.SetToolbarPosition("Right");
    EXPECT_FALSE(f.AutoHideArmed());
    f.SetToolbarPosition("Hide");
    f.MDIForm_MouseMove(0, 0, 3000, 3000);
    EXPECT_TRUE(f.AutoHideArmed());
    f.AutoShowToolbar(f.Width() - 200, 3000);
    EXPECT_TRUE(f.Toolbar().Visible());
    f.tbToolBar_MouseMove(0, 0, 30, 100);
    EXPECT_TRUE(f.Toolbar().Visible());
    f.tbToolBar_MouseMove(0, 0, 29, 100);
    EXPECT_FALSE(f.Toolbar().Visible());
}

TEST_F(FrameMouse, DraggingAnOverflowingToolbarScrollsOneButtonPerStep)
{
    Frame& f = Start();
    f.SetToolbarPosition("Top");
    f.SetWidth(3000); // the captioned buttons do not fit
    QCoreApplication::processEvents();
    const float step = f.Toolbar().ButtonWidth();
    const float y = 100;
    f.tbToolBar_MouseMove(1, 0, 2500, y); // the drag starts here
    EXPECT_EQ(f.ToolbarArea().ToolbarDragOrigin, 2500);
    EXPECT_TRUE(f.Toolbar().Button(1).Visible);
    f.tbToolBar_MouseMove(1, 0, 2500 - step - 1, y);
    EXPECT_FALSE(f.Toolbar().Button(1).Visible);
    EXPECT_TRUE(f.Toolbar().Button(2).Visible);
    EXPECT_EQ(f.Toolbar().MouseIcon, 7);
    f.tbToolBar_MouseMove(1, 0, 2500 - 2 * step - 2, y);
    EXPECT_FALSE(f.Toolbar().Button(2).Visible);
    // Without the button the drag ends; back to the right the buttons return.
    f.tbToolBar_MouseMove(0, 0, 1000, y);
    EXPECT_EQ(f.ToolbarArea().ToolbarDragOrigin, 0);
    f.tbToolBar_MouseMove(1, 0, 100, y);
    f.tbToolBar_MouseMove(1, 0, 100 + step + 1, y);
    EXPECT_TRUE(f.Toolbar().Button(2).Visible);
    EXPECT_FALSE(f.Toolbar().Button(1).Visible);
}

TEST_F(FrameMouse, BalloonsFollowTheSettingOrShift)
{
    Frame& f = Start();
    f.SetToolbarPosition("Top");
    const QRectF second = f.Toolbar().ButtonRect(2);
    const float y = static_cast<float>(second.center().y());
    mduLib::SetProp("Auto Show Balloon Tips", "No", f.CentralSettings());
    f.tbToolBar_MouseMove(0, 0, static_cast<float>(second.center().x()), y);
    EXPECT_EQ(f.ToolbarArea().LastTipButton, 0);
    f.tbToolBar_MouseMove(0, 1, static_cast<float>(second.center().x()), y);
    EXPECT_EQ(f.ToolbarArea().LastTipButton, 2);
    mduLib::SetProp("Auto Show Balloon Tips", "", f.CentralSettings());
    const QRectF third = f.Toolbar().ButtonRect(3);
    f.tbToolBar_MouseMove(0, 0, static_cast<float>(third.center().x()), y);
    EXPECT_EQ(f.ToolbarArea().LastTipButton, 3);
}

TEST_F(FrameMouse, TheHiddenMenusCommandsReachEveryCalendarWindow)
{
    Frame& f = Start();
    // The Action tag is never set: nothing happens.
    f.Opened_Click(1);
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(f.MonthCalendar(i)->WindowState(), platform::vbNormal);

    f.LayoutMonthCalendars(); // shows them
    f.EnableAllCalendars(0);
    for (int i = 1; i <= 12; ++i)
        EXPECT_FALSE(f.MonthCalendar(i)->isEnabled()) << i;
    f.EnableAllCalendars(1);

    f.SendToAllCalendars(Frame::kWmSysCommand, Frame::kScMinimize);
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(f.MonthCalendar(i)->WindowState(), platform::vbMinimized) << i;
    // With the tag of the "Month Backward" button, the action maximises that window.
    f.HiddenMenusArea().Opened.Entry().Tag = "Month Backward";
    f.HiddenMenusArea().Opened(1).Tag =
        QString::number(reinterpret_cast<quintptr>(static_cast<QWidget*>(f.MonthCalendar(4))));
    f.Opened_Click(1);
    EXPECT_EQ(f.MonthCalendar(4)->WindowState(), platform::vbMaximized);
    EXPECT_EQ(f.MonthCalendar(5)->WindowState(), platform::vbMinimized);
    f.HiddenMenusArea().Opened(1).Tag = "12345"; // no window of this run
    f.Opened_Click(1);
    f.SendToAllCalendars(Frame::kWmClose, 0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(f.MonthCalendar(i), nullptr) << i;
}

TEST_F(FrameMouse, DeletingAllCountriesOnlyAsks)
{
    Frame& f = Start();
    f.HiddenMenusArea().DeleteCountry(1).SetCaption("All");
    f.DeleteCountry_Click(1);
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_EQ(boxes_.Shown()[0].prompt, "Do you want to delete all Countrys?");
    EXPECT_TRUE(QFileInfo::exists(gDataFolder + "/United Kingdom"));
}

TEST_F(FrameMouse, TheRightBandLiesInTheClientAreaWhereverTheToolbarIsDocked)
{
    Frame& f = Start();
    for (const char* side : {"Left", "Right", "Top"}) {
        SCOPED_TRACE(side);
        f.SetToolbarPosition(side);
        QCoreApplication::processEvents();
        const float client = f.ClientWidth();
        ASSERT_GT(client, 1000);
        f.MDIForm_MouseMove(0, 0, client - 100, 2000);
        EXPECT_EQ(f.MousePointer(), platform::vbCustom);
        EXPECT_EQ(f.BannerArea().MouseIconPicture, 9);
        f.MDIForm_MouseMove(0, 0, client - 300, 2000);
        EXPECT_EQ(f.MousePointer(), platform::vbDefault);
    }
}

TEST_F(FrameMouse, APressOnAToolbarButtonClosesItsBalloon)
{
    Frame& f = Start();
    f.SetToolbarPosition("Top");
    QCoreApplication::processEvents();
    const QRectF second = f.Toolbar().ButtonRect(2);
    f.tbToolBar_MouseMove(0, 1, static_cast<float>(second.center().x()), static_cast<float>(second.center().y()));
    ASSERT_NE(f.BalloonTips(), nullptr);
    ASSERT_TRUE(f.BalloonTips()->Shown());
    QWidget* button = f.Toolbar().Widget().widgetForAction(f.Toolbar().ButtonAction(2));
    ASSERT_NE(button, nullptr);
    QTest::mousePress(button, Qt::LeftButton, {}, button->rect().center());
    EXPECT_FALSE(f.BalloonTips()->Shown());
    QTest::mouseRelease(button, Qt::LeftButton, {}, button->rect().center());
}

TEST_F(FrameMouse, TheBackgroundPictureShowsInTheClientAreaOnceTheBannerIsHidden)
{
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(QColor(200, 30, 40));
    ASSERT_TRUE(picture.save(Path("back.png")));
    testsupport::WriteBytes(Path("ini/AlmanorviqueCentral.ini"),
                            "Window Width=9000\r\nWindow Height=7000\r\nWindow Background Colour=Blue\r\n"
                            "Window Background File=" +
                                Path("back.png").toUtf8() + "\r\n");
    Frame& f = Start(false);
    f.ShowBanner(false);
    const QImage shot = f.ClientArea().viewport()->grab().toImage();
    ASSERT_GT(shot.width(), 100);
    EXPECT_EQ(QColor(shot.pixel(10, 10)), QColor(200, 30, 40));
    EXPECT_EQ(QColor(shot.pixel(60, 60)), QColor(0, 0, 255)); // the colour beside the picture
}
