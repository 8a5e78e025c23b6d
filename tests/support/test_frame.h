#pragma once
// The frame of the multi-calendar program with its operations opened to the tests and the
// benchmark.
#include "central/frame_window.h"

namespace testsupport {

struct TestFrame : frmMain {
    using frmMain::timerCtrl;
    using frmMain::picMain;
    using frmMain::sbPanels;
    using frmMain::WindowItem;
    using frmMain::OpenedWindow;
    using frmMain::MainItem;
    using frmMain::AutoStart;
    using frmMain::ScreenSaverTimeMain;
    using frmMain::ToolBarSize;
    using frmMain::ToolBarPositions;
    using frmMain::AutoShowToolTips;
    using frmMain::BGColour;
    using frmMain::CalendarColours;
    using frmMain::LastOpenedMenu;
    using frmMain::ToolsItem15;
    using frmMain::CreateMonthCalendars;
    using frmMain::LayoutMonthCalendars;
    using frmMain::HideMonthCalendar;
    using frmMain::MoveAllMonths;
    using frmMain::ExitProgram;
    using frmMain::LoadCentralSettingsFile;
    using frmMain::ApplyCentralSettings;
    using frmMain::SaveCentralSettings;
    using frmMain::SaveWindowSettings;
    using frmMain::CheckWindowMenu;
    using frmMain::WindowItem_Click;
    using frmMain::MaximiseAll;
    using frmMain::RestoreAll;
    using frmMain::MinimiseAll;
    using frmMain::CloseAll;
    using frmMain::ActivateFormByHwnd;
    using frmMain::StripCentralCaption;
    using frmMain::LoadOpenedForms;
    using frmMain::SaveOpenedForms;
    using frmMain::RefreshLastOpenedMenu;
    using frmMain::AddLastOpened;
    using frmMain::SetToolbarSize;
    using frmMain::GetToolbarThickness;
    using frmMain::SizeToolbar;
    using frmMain::SetToolbarPosition;
    using frmMain::DoToolbarButton;
    using frmMain::tbToolBar_ButtonClick;
    using frmMain::ToolBarSize_Click;
    using frmMain::ToolBarPositions_Click;
    using frmMain::ShowMainMenu;
    using frmMain::ShowWindowMenu;
    using frmMain::UpdateAutoStartCaption;
    using frmMain::AutoStart_Click;
    using frmMain::ScreenSaverTimeMain_Click;
    using frmMain::SetWindowBackground;
    using frmMain::ShowBanner;
    using frmMain::EyeFrame;
    using frmMain::StatusBarAlign;
    using frmMain::SetStatusBarPosition;
    using frmMain::StatusBarAction_Click;
    using frmMain::ClearStatusMessage_Click;
    using frmMain::HideStatusBar_Click;
};

} // namespace testsupport
