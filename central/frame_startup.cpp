// The frame's life: creation, Load, the first tick that makes the twelve month windows,
// the later ticks, the layout of the month windows and the exit sequence.
#include "frame_banner_state.h"
#include "frame_greeting_state.h"
#include "frame_hidden_menus_state.h"
#include "frame_menus_state.h"
#include "frame_settings_state.h"
#include "frame_startup_state.h"
#include "frame_status_state.h"
#include "frame_toolbar_state.h"
#include "frame_window.h"
#include "frame_window_menu_state.h"
#include "month_layout.h"

#include "calendar/calendar_window.h"
#include "core/data_folders.h"
#include "core/file_helpers.h"
#include "core/set_up_step.h"
#include "system/clock.h"
#include "system/program_end.h"
#include "ui/event_guard.h"
#include "ui/form_owner.h"
#include "ui/menu_fillers.h"
#include "ui/menu_items.h"
#include "ui/twips.h"
#include "ui/update_lock.h"
#include "ui/window_shape.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>

using namespace mduAlmanorvqueLib;

namespace {
QPointer<frmMain> gDefaultFrame;
}

frmMain& frmMain::Default() { return platform::DefaultInstance(gDefaultFrame); }
bool frmMain::HasDefault() { return !gDefaultFrame.isNull(); }

frmMain::frmMain()
    : platform::MDIForm(QStringLiteral("frmMain")),
      startup_(std::make_unique<centralframe::StartupState>()),
      settings_(std::make_unique<centralframe::SettingsState>()),
      windowMenu_(std::make_unique<centralframe::WindowMenuState>()),
      toolbar_(std::make_unique<centralframe::ToolbarState>()),
      banner_(std::make_unique<centralframe::BannerState>()),
      status_(std::make_unique<centralframe::StatusState>()),
      greeting_(std::make_unique<centralframe::GreetingState>()),
      hiddenMenus_(std::make_unique<centralframe::HiddenMenusState>()),
      menus_(std::make_unique<centralframe::MenusState>())
{
    SetCaption(QStringLiteral("Almanorvique Central"));
    SetBackColor(0x8000000C);
    BuildMenus();
    BuildToolbar();
    WireToolbarMouse();
    BuildBanner();
    BuildStatusBar();
    BuildHiddenMenus();
    timerCtrl.OnTimer = [this] { timerCtrl_Timer(); };
    setWindowIcon(QIcon(QPixmap::fromImage(toolbar_->imgListToolbar.at(3))));
    MDIForm_Initialize();
}

frmMain::~frmMain() = default;

int frmMain::FormState() const { return startup_->FormState; }

frmAlmanorvique* frmMain::MonthCalendar(int i) const
{
    if (i < 1 || i > kMonthCount)
        return nullptr;
    return startup_->MonthCalendars[static_cast<size_t>(i)].data();
}

void frmMain::MDIForm_Initialize()
{
    CentralSettings().Create(1);
    gPropertyTable.Create(1);
    mduLib::Step([] { SetupDataFolders(); });
    SetMousePointer(platform::vbHourglass);
}

void frmMain::MDIForm_Load()
{
    startup_->FormState = kStartupPending;
    platform::Guarded("settings file", [&] { LoadCentralSettingsFile(); });
    platform::Guarded("background picture", [&] { LoadBackgroundPicture(); });
    windowMenu_->OpenedList.Create(30);
    CreateBalloonTip();
    platform::Guarded("opened forms", [&] { LoadOpenedForms(); });
    UpdateStartupMenu();
    platform::Guarded("apply settings", [&] { ApplyCentralSettings(); });
    if (mduLib::IsScreenSaverRun()) {
        // The whole screen, above everything, without title bar, toolbar or status bar.
        // The client area alone is the window: the desktop draws no frame around it.
        mduAPILib::SetCaptionStyle(*this, true, true);
        mduAPILib::SetFormRegion(*this, 1);
        mduAPILib::SetTopMostNow(*this);
        SetWindowState(platform::vbMaximized);
        Move(0, 0, static_cast<float>(platform::ScreenWidthTwips()), static_cast<float>(platform::ScreenHeightTwips()));
        tbToolBar->SetVisible(false);
        StatusBar().hide();
    }
    LayoutBanner();
    tbToolBar->SetVisible(false);
    StatusBar().hide();
    Show();
    ShowBanner(true);
    LayoutBackground();
    // Only now: Load may have waited in a colour dialog, and a timer running meanwhile
    // would have made the month windows under it.
    timerCtrl.SetInterval(1);
    timerCtrl.SetEnabled(true);
}

void frmMain::timerCtrl_Timer()
{
    if (startup_->FormState == kStartupPending) {
        platform::Guarded("greeting", [&] { SpeakStartMsg(); });
        CreateMonthCalendars(platform::Today().month());
        EmptyHook();
        mduUILib::FillColourMenu(menus_->BGColour);
        mduUILib::AppendMenuItem(menus_->BGColour, QStringLiteral("Custom"));
        mduUILib::FillColourMenu(menus_->CalendarColours);
        mduUILib::AppendMenuItem(menus_->CalendarColours, QStringLiteral("Transparent"));
        mduUILib::AppendMenuItem(menus_->CalendarColours, QStringLiteral("Custom"));
        startup_->FormState = kRunning;
        SetMousePointer(platform::vbDefault);
        return;
    }
    if (!status_->sbPanels[2]->text().isEmpty()) {
        timerCtrl.SetInterval(400);
        StepStatusTicker();
    } else {
        status_->sbPanels[1]->clear();
        timerCtrl.SetInterval(10000);
    }
    status_->sbPanels[7]->setText(QLocale().toString(platform::Now().time(), QLocale::ShortFormat));
}

void frmMain::CreateMonthCalendars(int month)
{
    Tag = QStringLiteral("12");
    const QDate base = platform::Today().addMonths(-month);
    for (int i = 1; i <= kMonthCount; ++i) {
        auto* cal = new frmAlmanorvique();
        AddChild(*cal);
        cal->MDISubWindow()->setWindowIcon(windowIcon());
        startup_->MonthCalendars[static_cast<size_t>(i)] = cal;
        platform::Guarded("month window", [&] { cal->ShowMeMDIChild(this, 0, base.addMonths(i)); });
    }
    // Each window stands where its own settings put it, behind the banner: the layout
    // first runs at the next resize of the normal frame or at a layout button.
    // Also in a screen-saver run: Load hid the toolbar only while the frame started.
    tbToolBar->SetVisible(true);
}

void frmMain::LayoutMonthCalendars()
{
    if (WindowState() != platform::vbNormal)
        return;
    PlaceMonthCalendars();
    picMain->hide();
}

void frmMain::PlaceMonthCalendars()
{
    if (WindowState() != platform::vbNormal)
        return;
    const int m = platform::Today().month();
    const auto arrangement = monthlayout::ArrangementFor(Tag, m, Width(), Height());
    if (arrangement) {
        monthlayout::Position p;
        for (int i = 1; i <= kMonthCount; ++i) {
            frmAlmanorvique* cal = MonthCalendar(i);
            if (!cal) // closed by the user: it stays closed
                continue;
            if (i < arrangement->first || i > arrangement->last) {
                HideMonthCalendar(i);
                continue;
            }
            // A window still maximised or minimised (after "Maximise All") would keep that
            // state over its new cell: it becomes a normal window first.
            if (cal->WindowState() != platform::vbNormal) {
                cal->SetVisible(true);
                cal->SetWindowState(platform::vbNormal);
            }
            cal->SetWidth(static_cast<float>(arrangement->width));
            cal->SetHeight(static_cast<float>(arrangement->height));
            cal->SetTop(static_cast<float>(p.top));
            cal->SetLeft(static_cast<float>(p.left));
            p = monthlayout::Advance(Tag, i, p, cal->Width(), cal->Height());
            cal->SetMDIChildSize(cal->Left(), cal->Top(), cal->Width(), cal->Height());
            cal->SetVisible(true);
        }
    }
}

void frmMain::HideMonthCalendar(int i)
{
    if (frmAlmanorvique* cal = MonthCalendar(i))
        cal->SetVisible(false);
}

void frmMain::MoveAllMonths(int n)
{
    for (int i = 1; i <= kMonthCount; ++i)
        if (frmAlmanorvique* cal = MonthCalendar(i))
            platform::Guarded("move month", [&] { cal->MoveMonth(n); });
}

void frmMain::MDIForm_Resize()
{
    platform::ScopedUpdateLock lock(this);
    if (startup_->FormState == kStartupPending) {
        // The month windows wait for the first tick, but a frame that the desktop sizes
        // only after showing it (a maximised start) lays its banner out at its real width.
        if (IsShown() && picMain->isVisible()) {
            LayoutBackground();
            LayoutBanner();
        }
        return;
    }
    // The desktop framing the new frame is no resize of the user's: the banner stays.
    if (!IsBeingFramed())
        LayoutMonthCalendars();
    LayoutBackground();
    LayoutBanner();
}

void frmMain::Form_QueryUnload(int& cancel, int mode)
{
    // The child windows go first; each writes its dates as it unloads. The month windows
    // share their date files: one that cannot be written is asked about once.
    const frmAlmanorvique::OneSaveQuestionPerFile oneQuestion(
        QStringLiteral("The file is shared by every month window: No closes them all without these dates."));
    for (platform::Form* child : Children())
        if (!child->Unload(mode)) {
            cancel = 1;
            return;
        }
}

void frmMain::MDIForm_Unload(int&) { ExitProgram(); }

void frmMain::WindowExit_Click() { Unload(platform::vbFormCode); }

void frmMain::ExitProgram()
{
    if (startup_->Exited || platform::ProgramEnded())
        return;
    startup_->Exited = true;
    timerCtrl.SetEnabled(false);
    platform::Guarded("opened forms", [&] { SaveOpenedForms(); });
    // What the menus changed and "Save Current Settings" did not store is dropped.
    mduLib::Step([&] { mduLib::LoadIniFile(gCentralIniFile, CentralSettings()); });
    platform::Guarded("window settings", [&] { SaveWindowSettings(); });
    SaveAutoStartList();
    platform::EndProgram();
}
