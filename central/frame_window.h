#pragma once
// The frame of the multi-calendar program: twelve month windows (calendar windows as
// child windows), its toolbar, banner, status bar, menus and settings.
#include "banner_box.h"
#include "core/settings_store.h"
#include "editors/dialogs/calendar_caller.h"
#include "ui/mdi_frame.h"
#include "ui/timer.h"
#include "ui/tool_bar.h"
#include "ui/voice.h"

#include <QAction>
#include <QMenu>
#include <functional>
#include <memory>
#include <vector>

class CBalloonToolTip;
class frmAlmanorvique;

// Each area's state (its own controls and values) is a struct in a header of its own,
// frame_<area>_state.h: only the frame's files that use it and the tests of the area see it.
namespace centralframe {
struct BannerState;
struct GreetingState;
struct HiddenMenusState;
struct MenusState;
struct SettingsState;
struct StartupState;
struct StatusState;
struct ToolbarState;
struct WindowMenuState;
} // namespace centralframe

class frmMain : public platform::MDIForm, public CalendarCaller {
    Q_OBJECT
public:
    // FormState: start-up pending from Load until the first tick, then running.
    static constexpr int kStartupPending = 2;
    static constexpr int kRunning = 1;
    static constexpr int kMonthCount = 12;

    frmMain();
    ~frmMain() override;

    static frmMain& Default();
    static bool HasDefault();

    // ---- public interface ----
    void DoMenuItem(float iCol, int Index);
    int ShowMsgbox(const QString& Prompt, int Button, const QString& Title) override;
    // What the property editor calls back on the frame that opened it.
    platform::Form& CallerForm() override { return *this; }
    platform::Form* FrameForm() override { return this; }
    // The edited table becomes the frame's settings and is applied.
    void RefreshForm(const QString& strIniFile) override;
    // The frame's settings template.
    QString DefaultIniFile() override;
    QString AppEXEName() const;
    void SaveAutoStartList() {}
    void ShowStatusMsg(const QString& strMsg);
    void ShowEye();
    void SpeakStartMsg();
    void SpeakMessage(const QString& strMsg, int intSpeechFlag, int intForce);
    void PurgeSpeech(int intForce);
    void ApplyToAllCalendars(int action, int index);
    void SendToCalendar(const QString& hwndText, qint32 msg, qint32 wParam, bool allWhenNone = true);
    void SendToAllCalendars(qint32 msg, qint32 wParam);
    void EnableCalendar(const QString& hwndText, int enable);
    void EnableAllCalendars(int enable);
    void SetTrayIcon(quintptr hWnd, int add);
    void ShowCentralPropertyMenu();
    void SetupAgentMenu();
    // Where Load takes its voice from (a null function: the platform's voice).
    static void SetVoiceFactory(std::function<std::unique_ptr<platform::Voice>()> factory);
    // The voice, made on first use; none where no engine has one.
    platform::Voice* VoiceObject();

    // ---- state the tests and the program read ----
    int FormState() const;
    // Month window i (1 to 12); null before the first tick and once it was closed.
    frmAlmanorvique* MonthCalendar(int i) const;
    mduLib::PropertyTable& CentralSettings();
    const mduLib::PropertyTable& CentralSettings() const;
    mduLib::PropertyTable& OpenedList();
    platform::ToolBar& Toolbar() { return *tbToolBar; }
    platform::Timer& TimerCtrl() { return timerCtrl; }
    QMenu& WindowMenu();
    QMenu& MainPopup();
    QMenu& ToolBarPopup();
    QWidget& Banner() { return *picMain; }
    bool AutoHideArmed() const;
    const CBalloonToolTip* BalloonTips() const;

protected:
    // ---- start-up, month windows, timer and exit ----
    void MDIForm_Initialize();
    void MDIForm_Load();
    void MDIForm_Resize();
    void MDIForm_Unload(int& cancel);
    void timerCtrl_Timer();
    void CreateMonthCalendars(int month);
    void LayoutMonthCalendars();
    // The month windows' part of the layout (the banner stays as it is).
    void PlaceMonthCalendars();
    void HideMonthCalendar(int i);
    void MoveAllMonths(int n);
    void ExitProgram();
    void EmptyHook() {}
    void WindowExit_Click();

    // ---- settings file and placement ----
    void LoadCentralSettingsFile();
    void LoadBackgroundPicture();
    void ApplyCentralSettings();
    void SaveCentralSettings();
    void SaveWindowSettings();
    void WindowTitleBar_Click(const QString& itemTag);

    // ---- Window menu, window list and opened forms ----
    void ShowWindowMenu();
    void CheckWindowMenu(QWidget* hWnd);
    void WindowItem_Click(int Index);
    void OpenedWindow_Click(int Index);
    void MaximiseAll();
    void RestoreAll();
    void MinimiseAll();
    void CloseAll();
    bool IsArrangeable(const platform::Form& form) const;
    void ActivateFormByHwnd(quintptr hWnd);
    static QString StripCentralCaption(const QString& caption);
    bool IsCaptionOpen(const QString& caption) const;
    bool IsNotInOpenedMenu(qint32 value) const;
    QString GetOpenedFormsPath() const;
    void LoadOpenedForms();
    void SaveOpenedForms();
    void RefreshLastOpenedMenu();
    void AddLastOpened(QString name);
    void NoteOpenedCalendar(const platform::Form& form, const QString& caption);

    // ---- toolbar ----
    void SetToolbarSize(const QString& sizeName);
    void SetupToolbarButton(int n, const QString& sizeName);
    static QString ButtonCaptionFor(const QString& sizeName, const QString& captionText);
    static QString MakeButtonKey(int group, int n);
    static QString ButtonTipSuffix() { return QString(); }
    int GetToolbarThickness() const;
    void SizeToolbar(const QString& position);
    void SetToolbarPosition(const QString& position);
    void SaveToolbarLayout();
    void DoToolbarButton(int button);
    void tbToolBar_ButtonClick(int button);
    void tbToolBar_MouseDown(int Button, int Shift, float X, float Y);
    void ToolBarSize_Click(int Index);
    void ToolBarPositions_Click(int Index);
    void ToolbarCustomize_Click();
    void SaveToolbarSetting_Click();

    // ---- menus and commands ----
    void ShowMainMenu();
    void UpdateAutoStartCaption();
    void UpdateStartupMenu();
    void SetScreenSaverTime(const QString& caption);
    void ShowHelp();
    void SetWindowBackground(QString& colourName);
    void PassBackColourToCalendars();
    void ShowCentralProperties(bool isNew);
    void AutoStart_Click();
    void ScreenSaverTimeMain_Click(int Index);
    void MainItem_Click(int Index);
    void AutoShowToolTips_Click();

    // ---- banner, background and mouse ----
    void CreateBalloonTip();
    void DestroyBalloon();
    void ShowBanner(bool show);
    void LayoutBanner();
    void LayoutBackground();
    // The client area's background: the colour, and the frame's picture in its corner.
    void PaintClientBackground();
    void BuildHeaderLetters();
    int GetHeadingVariation() const;
    void AnimateHeading(int delay);
    void AnimateHeadingStyle(int style, int delay);
    void AnimateHeadingRandom(int delay);
    bool CheckScreenSaverExit(float x);
    void DragWindow(int button, float x, float y);
    void UpdateDragCursor();
    void SetDragCursor(int picture);
    static std::vector<QImage> DrawCursorPictures();
    void MDIForm_Activate();
    void picMain_Click();
    void imgMain_Click();
    void picMain_DblClick();
    void picMain_MouseDown(int button, int shift, float x, float y);
    void imgMain_MouseDown(int button, int shift, float x, float y);
    void picMain_MouseMove(int button, int shift, float x, float y);
    void imgMain_MouseMove(int button, int shift, float x, float y);
    void lblMaker_Click();

    // ---- toolbar scrolling, balloon tips and auto-hide ----
    void WireToolbarMouse();
    void tbToolBar_MouseMove(int Button, int Shift, float X, float Y);
    bool ScrollToolbar(float& origin, float position, float step);
    int FindEdgeButton(int direction, bool wantVisible) const;
    int ButtonAtPosition(float position) const;
    void ShowButtonTip(int n);
    bool GetAutoShowBalloonTips() const;
    void AutoShowToolbar(float x, float y);
    void FitToolbarButtons();
    bool ToolbarVertical() const;
    std::vector<bool> ButtonsShown() const;
    void SetToolbarCursor(int picture);

    // ---- status bar and message ticker ----
    void BuildStatusBar();
    void SetStatusBarPosition(const QString& value);
    void AnimateEye();
    void ShowEyeFrame(int frame);
    void StepStatusTicker();
    void sbStatusBar_MouseDown(int button, int shift, float x, float y);
    void StatusBarAction_Click();
    void ClearStatusMessage_Click();
    void HideStatusBar_Click(const QString& itemTag);

    // ---- never-shown menus and calendar commands ----
    static constexpr qint32 kWmClose = 0x10, kWmSysCommand = 0x112;
    static constexpr qint32 kScMinimize = 0xF020, kScMaximize = 0xF030, kScClose = 0xF060;
    void BuildHiddenMenus();
    void NewCalendar_Click();
    void Country_Click(int Index);
    void ChooseCountry_Click();
    void DeleteCountry_Click(int Index);
    void Exit_Click();
    void Opened_Click(int Index);
    void AgentAction_Click(int Index);
    void ViewItem_Click(int Index);
    void ToolsItem_Click(int Index);
    void BGColour_Click(int Index);
    void ScreenSaverTime_Click(int Index);
    QString AgentProgram() const;
    static quintptr FormHandle(platform::Form& form);
    // What a window does with the messages these menus send: close, maximise, minimise.
    static void SendWindowMessage(platform::Form& form, qint32 msg, qint32 wParam);

    // ---- each area's state, as the tests reach it ----
    centralframe::StartupState& StartupArea() { return *startup_; }
    centralframe::SettingsState& SettingsArea() { return *settings_; }
    centralframe::WindowMenuState& WindowMenuArea() { return *windowMenu_; }
    centralframe::ToolbarState& ToolbarArea() { return *toolbar_; }
    centralframe::MenusState& MenusArea() { return *menus_; }
    centralframe::BannerState& BannerArea() { return *banner_; }
    centralframe::StatusState& StatusArea() { return *status_; }
    centralframe::GreetingState& GreetingArea() { return *greeting_; }
    centralframe::HiddenMenusState& HiddenMenusArea() { return *hiddenMenus_; }

    void Form_Load() override { MDIForm_Load(); }
    void Form_Resize() override { MDIForm_Resize(); }
    void Form_QueryUnload(int& cancel, int mode) override;
    void Form_Unload(int& cancel) override { MDIForm_Unload(cancel); }
    void MDIForm_MouseDown(int button, int shift, float x, float y) override;
    void MDIForm_MouseMove(int button, int shift, float x, float y) override;
    void MDIForm_DblClick() override;
    void Form_GotFocus() override { MDIForm_Activate(); }
    bool eventFilter(QObject* watched, QEvent* e) override;

    // ---- the controls that every area uses ----
    platform::Timer timerCtrl{this, 1, false};
    platform::ToolBar* tbToolBar = nullptr;
    BannerBox* picMain = nullptr; // the banner over the client area

private:
    void BuildMenus();
    void BuildToolbar();
    void BuildBanner();

    // Made with the frame, before any of its controls is built.
    std::unique_ptr<centralframe::StartupState> startup_;
    std::unique_ptr<centralframe::SettingsState> settings_;
    std::unique_ptr<centralframe::WindowMenuState> windowMenu_;
    std::unique_ptr<centralframe::ToolbarState> toolbar_;
    std::unique_ptr<centralframe::BannerState> banner_;
    std::unique_ptr<centralframe::StatusState> status_;
    std::unique_ptr<centralframe::GreetingState> greeting_;
    std::unique_ptr<centralframe::HiddenMenusState> hiddenMenus_;
    std::unique_ptr<centralframe::MenusState> menus_;
};

// A menu item's Tag text.
QString TagOf(const QAction* item);
void SetTag(QAction* item, const QString& tag);
