#pragma once
// The frame of the multi-calendar program with its operations opened to the tests and the
// benchmark.
#include "central/frame_window.h"

namespace testsupport {

struct TestFrame : frmMain {
    using frmMain::ActivateFormByHwnd;
    using frmMain::AddLastOpened;
    using frmMain::ApplyCentralSettings;
    using frmMain::AutoStart_Click;
    using frmMain::BannerArea;
    using frmMain::CheckWindowMenu;
    using frmMain::ClearStatusMessage_Click;
    using frmMain::CloseAll;
    using frmMain::CreateMonthCalendars;
    using frmMain::DoToolbarButton;
    using frmMain::ExitProgram;
    using frmMain::GetToolbarThickness;
    using frmMain::HiddenMenusArea;
    using frmMain::HideMonthCalendar;
    using frmMain::HideStatusBar_Click;
    using frmMain::LayoutMonthCalendars;
    using frmMain::LoadCentralSettingsFile;
    using frmMain::LoadOpenedForms;
    using frmMain::MaximiseAll;
    using frmMain::MenusArea;
    using frmMain::MinimiseAll;
    using frmMain::MoveAllMonths;
    using frmMain::picMain;
    using frmMain::RefreshLastOpenedMenu;
    using frmMain::RestoreAll;
    using frmMain::SaveCentralSettings;
    using frmMain::SaveOpenedForms;
    using frmMain::SaveWindowSettings;
    using frmMain::ScreenSaverTimeMain_Click;
    using frmMain::SetStatusBarPosition;
    using frmMain::SetToolbarPosition;
    using frmMain::SetToolbarSize;
    using frmMain::SetWindowBackground;
    using frmMain::ShowBanner;
    using frmMain::ShowCentralProperties;
    using frmMain::ShowMainMenu;
    using frmMain::ShowWindowMenu;
    using frmMain::SizeToolbar;
    using frmMain::StatusArea;
    using frmMain::StatusBarAction_Click;
    using frmMain::StripCentralCaption;
    using frmMain::tbToolBar_ButtonClick;
    using frmMain::timerCtrl;
    using frmMain::ToolbarArea;
    using frmMain::ToolBarPositions_Click;
    using frmMain::ToolBarSize_Click;
    using frmMain::UpdateAutoStartCaption;
    using frmMain::WindowItem_Click;
    using frmMain::WindowMenuArea;
};

} // namespace testsupport
