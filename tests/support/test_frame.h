#pragma once
// The frame of the multi-calendar program as the tests and the benchmark drive it: its
// timer and banner box, each area's state through the area's accessor (a test includes
// that area's header), and the operations and handlers the tests call, by area.
#include "central/frame_window.h"

namespace testsupport {

struct TestFrame : frmMain {
    // The controls every area shares.
    using frmMain::picMain;
    using frmMain::timerCtrl;

    // Start-up, month windows, timer and exit.
    using frmMain::ExitProgram;
    using frmMain::LayoutMonthCalendars;
    using frmMain::StartupArea;

    // Settings.
    using frmMain::SettingsArea;

    // The Window menu and the opened-forms list.
    using frmMain::AddLastOpened;
    using frmMain::CheckWindowMenu;
    using frmMain::CloseAll;
    using frmMain::SaveOpenedForms;
    using frmMain::ShowWindowMenu;
    using frmMain::StripCentralCaption;
    using frmMain::WindowItem_Click;
    using frmMain::WindowMenuArea;

    // The toolbar, its mouse and its balloons.
    using frmMain::DoToolbarButton;
    using frmMain::GetToolbarThickness;
    using frmMain::SetToolbarPosition;
    using frmMain::SetToolbarSize;
    using frmMain::SizeToolbar;
    using frmMain::tbToolBar_ButtonClick;
    using frmMain::ToolbarArea;
    using frmMain::ToolBarPositions_Click;
    using frmMain::ToolBarSize_Click;

    // The banner and the frame's mouse.
    using frmMain::BannerArea;
    using frmMain::ShowBanner;

    // The status bar and its ticker.
    using frmMain::ClearStatusMessage_Click;
    using frmMain::HideStatusBar_Click;
    using frmMain::SetStatusBarPosition;
    using frmMain::StatusArea;
    using frmMain::StatusBarAction_Click;

    // The spoken greeting.
    using frmMain::GreetingArea;

    // The main popup and its commands.
    using frmMain::AutoStart_Click;
    using frmMain::MenusArea;
    using frmMain::ScreenSaverTimeMain_Click;
    using frmMain::SetWindowBackground;
    using frmMain::ShowCentralProperties;
    using frmMain::ShowMainMenu;
    using frmMain::UpdateAutoStartCaption;

    // The never-shown menus.
    using frmMain::HiddenMenusArea;
};

} // namespace testsupport
