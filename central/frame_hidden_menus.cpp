// The frame's menus that the running program never shows: File, the actions on opened
// calendars, the companion agent, Edit, View, the central properties and the commands to
// every calendar window; with the commands they send and the notification-area icon.
#include "frame_window.h"

#include "calendar/calendar_window.h"
#include "core/app_identity.h"
#include "core/conversions.h"
#include "core/desktop_settings.h"
#include "core/settings_store.h"
#include "core/text_utilities.h"
#include "system/message_box.h"
#include "ui/common_dialog.h"
#include "ui/event_guard.h"
#include "ui/menu_fillers.h"

#include <QCursor>
#include <QFileInfo>

namespace {
QAction* AddItem(QMenu* menu, const QString& caption, std::function<void()> handler = {})
{
    QAction* a = menu->addAction(caption);
    if (handler)
        QObject::connect(a, &QAction::triggered, menu, [handler] { platform::Guarded("menu", handler); });
    return a;
}

// The calendar windows of the run, by their handles.
std::vector<platform::Form*> LoadedCalendars()
{
    std::vector<platform::Form*> out;
    for (platform::Form* f : platform::Form::AllForms())
        if (f->IsLoaded() && f->Name() == QLatin1String("frmAlmanorvique"))
            out.push_back(f);
    return out;
}

// A positive whole number, as a window handle in an item's tag; 0 otherwise.
quintptr HandleIn(const QString& text)
{
    if (!conv::IsNumeric(text) || conv::LeadingNumber(text) <= 0)
        return 0;
    bool ok = false;
    const qulonglong v = text.trimmed().toULongLong(&ok);
    return ok ? static_cast<quintptr>(v) : 0;
}
} // namespace

quintptr frmMain::FormHandle(platform::Form& form) { return reinterpret_cast<quintptr>(static_cast<QWidget*>(&form)); }

void frmMain::SendWindowMessage(platform::Form& form, qint32 msg, qint32 wParam)
{
    if (msg == kWmClose || (msg == kWmSysCommand && wParam == kScClose))
        form.Unload(platform::vbFormCode);
    else if (msg == kWmSysCommand && wParam == kScMaximize)
        form.SetWindowState(platform::vbMaximized);
    else if (msg == kWmSysCommand && wParam == kScMinimize)
        form.SetWindowState(platform::vbMinimized);
}

void frmMain::BuildHiddenMenus()
{
    // File
    FileMenu = new QMenu(QStringLiteral("File"), this);
    NewCalendar = AddItem(FileMenu, QStringLiteral("New"), [this] { NewCalendar_Click(); });
    Country.Entry().SetCaption(QStringLiteral("Open"));
    FileMenu->addMenu(Country.Menu());
    Country.Create(1).SetCaption(QStringLiteral("Country"));
    Country.Click = [this](int i) { Country_Click(i); };
    FileMenu->addMenu(LastOpenedMenu);
    AddItem(FileMenu, QStringLiteral("Choose Country"), [this] { ChooseCountry_Click(); });
    DeleteCountry.Entry().SetCaption(QStringLiteral("Remove Country"));
    FileMenu->addMenu(DeleteCountry.Menu());
    DeleteCountry.Create(1).SetCaption(QStringLiteral("DeleteCountry"));
    DeleteCountry.Click = [this](int i) { DeleteCountry_Click(i); };
    FileMenu->addSeparator();
    AddItem(FileMenu, QStringLiteral("&Exit"), [this] { Exit_Click(); });
    FileMenu->addSeparator()->setVisible(false);
    AddItem(FileMenu, QStringLiteral("Set Shortcuts"))->setVisible(false);

    // Actions on opened calendars
    OpenedAction->setTitle(QStringLiteral("OpenedAction"));
    Opened.Entry().SetCaption(QStringLiteral("Action"));
    OpenedAction->addMenu(Opened.Menu());
    Opened.Create(1).SetCaption(QStringLiteral("Opened Calendar"));
    Opened.Click = [this](int i) { Opened_Click(i); };
    OpenedAction->addSeparator();

    // The companion agent
    AgentMenu = new QMenu(QStringLiteral("Agent"), this);
    AgentSpeakerMenu = AgentMenu->addMenu(QStringLiteral("Speaker"));
    for (const char* caption : {"Speak Time", "Speak/Show Time", "None"})
        AddItem(AgentSpeakerMenu, QString::fromLatin1(caption), [] {});
    AgentSeparator = AgentMenu->addSeparator();
    AgentAction[1] = AddItem(AgentMenu, QStringLiteral("Remove Me From Tray"), [this] { AgentAction_Click(1); });
    AgentAction[1]->setVisible(false);
    AgentAction[2] = AddItem(AgentMenu, QStringLiteral("Close Me"), [this] { AgentAction_Click(2); });

    // Edit
    EditMenu = new QMenu(QStringLiteral("&Edit"), this);
    const char* editCaptions[] = {"Undo",   "Redo",  "Cut",        "Copy", "Paste", "-",
                                  "Delete", "Clear", "Select All", "-",    "Find",  "Check Spelling"};
    for (int i = 0; i < 12; ++i) {
        if (editCaptions[i][0] == '-') {
            EditMenu->addSeparator();
            continue;
        }
        QAction* a = AddItem(EditMenu, QString::fromLatin1(editCaptions[i]));
        platform::SetItemEnabled(a, i >= 2 && i <= 4); // Cut, Copy and Paste
    }

    // View
    ViewMenu = new QMenu(QStringLiteral("&View"), this);
    ViewMenu->addMenu(StatusBarMenu);
    ViewMenu->addSeparator(); // ViewItem 3
    ViewMenu->addAction(ToolsItem15);
    connect(ToolsItem15, &QAction::triggered, this,
            [this] { platform::Guarded("menu", [&] { ToolsItem_Click(15); }); });

    // Central properties
    CentralProperty = new QMenu(QStringLiteral("CentralProperty"), this);
    BGColour.Entry().SetCaption(QStringLiteral("Background Colour"));
    CentralProperty->addMenu(BGColour.Menu());
    BGColour.Click = [this](int i) { BGColour_Click(i); };
    WindowTitleBar = AddItem(CentralProperty, QStringLiteral("Show Window Title Bar"),
                             [this] { WindowTitleBar_Click(TagOf(WindowTitleBar)); });
    CentralProperty->addMenu(ToolBarMenu);
    HideStatusBar = AddItem(CentralProperty, QStringLiteral("Hide Status Bar"),
                            [this] { HideStatusBar_Click(TagOf(HideStatusBar)); });
    AddItem(CentralProperty, QStringLiteral("Save Almanorvique Central Settings"));
    ScreenSaverTime.Entry().SetCaption(QStringLiteral("Set Screen Saver"));
    CentralProperty->addMenu(ScreenSaverTime.Menu());
    ScreenSaverTime.Create(1).SetCaption(QStringLiteral("ScreenSaverTime"));
    ScreenSaverTime.Click = [this](int i) { ScreenSaverTime_Click(i); };

    // Commands to every calendar window
    WindowsProperty = new QMenu(QStringLiteral("WindowsProperty"), this);
    Calendars.Entry().SetCaption(QStringLiteral("Calendar"));
    WindowsProperty->addMenu(Calendars.Menu());
    const char* calendarCaptions[] = {"Analogue", "Digital", "Calculator"};
    for (int i = 1; i <= 3; ++i)
        Calendars.Create(i).SetCaption(QString::fromLatin1(calendarCaptions[i - 1]));
    Calendars.Click = [this](int i) { ApplyToAllCalendars(1, i); };
    CalendarStyles.Entry().SetCaption(QStringLiteral("Calendar Style"));
    WindowsProperty->addMenu(CalendarStyles.Menu());
    CalendarStyles.Create(1).SetCaption(QStringLiteral("Style"));
    CalendarStyles.Click = [this](int i) { ApplyToAllCalendars(2, i); };
    CalendarColours.Entry().SetCaption(QStringLiteral("Calendar Colour"));
    WindowsProperty->addMenu(CalendarColours.Menu());
    CalendarColours.Click = [this](int i) { ApplyToAllCalendars(3, i); };
    AddItem(WindowsProperty, QStringLiteral("Save Settings"), [this] { ApplyToAllCalendars(4, 1); });
}

void frmMain::NewCalendar_Click()
{
    SetTag(NewCalendar, QStringLiteral("True"));
    ShowCentralProperties(true);
}

void frmMain::Country_Click(int Index) { DoMenuItem(1, Index); }

void frmMain::ChooseCountry_Click() { ShowBanner(false); }

void frmMain::DeleteCountry_Click(int Index)
{
    const QString caption = DeleteCountry(Index).Caption();
    const QString what = caption == QLatin1String("All") ? QStringLiteral("all Countrys") : caption;
    // Only asked: nothing is deleted whatever the answer.
    ShowMsgbox(QStringLiteral("Do you want to delete ") + what + QStringLiteral("?"), platform::vbYesNo, QString());
}

void frmMain::Exit_Click() { Unload(platform::vbFormCode); }

void frmMain::Opened_Click(int Index)
{
    const QString action = Opened.Entry().Tag;
    const QString target = Opened(Index).Tag;
    for (int button = 2; button <= 6; ++button) {
        if (action != tbToolBar->Button(button).Tag)
            continue;
        switch (button) {
        case 2:
            SendToCalendar(target, kWmClose, 0);
            break;
        case 3:
            EnableCalendar(target, 0);
            break;
        case 4:
            EnableCalendar(target, 1);
            break;
        case 5:
            SendToCalendar(target, kWmSysCommand, kScMaximize);
            break;
        case 6:
            SendToCalendar(target, kWmSysCommand, kScMinimize);
            break;
        }
        return;
    }
}

void frmMain::AgentAction_Click(int Index)
{
    if (Index < 1 || Index > 2)
        return;
    if (!AgentAction[1]->text().contains(QLatin1String("Add"))) {
        if (Index == 1)
            SetTrayIcon(HandleIn(TagOf(AgentAction[1])), 0);
        SendToCalendar(TagOf(AgentAction[static_cast<size_t>(Index)]), kWmSysCommand, kScClose, false);
        return;
    }
    if (Index == 1)
        SetTrayIcon(FormHandle(*this), 1);
    const QString program = AgentProgram();
    if (!program.isEmpty())
        mduAPILib::ExecuteLink(appinfo::ProgramFolder() + u'/' + program, QString(), appinfo::ProgramFolder());
}

QString frmMain::AgentProgram() const
{
    // A missing setting reads "0": no agent program then.
    const QString name = mduLib::GetProp(QStringLiteral("Agent Program"), CentralSettings_);
    return name == QLatin1String("0") ? QString() : name;
}

void frmMain::SetupAgentMenu()
{
    AgentSpeakerMenu->menuAction()->setVisible(false);
    AgentSeparator->setVisible(false);
    const QString name = AgentProgram().isEmpty() ? QStringLiteral("Agent") : QFileInfo(AgentProgram()).baseName();
    AgentAction[1]->setText(QStringLiteral("Add ") + name + QStringLiteral(" To Tray"));
    AgentAction[2]->setText(QStringLiteral("Close ") + name);
    AgentAction[1]->setVisible(false);
}

void frmMain::ViewItem_Click(int Index) { DoMenuItem(4, Index); }
void frmMain::ToolsItem_Click(int Index) { DoMenuItem(6, Index); }

void frmMain::BGColour_Click(int Index)
{
    QString caption = BGColour(Index).Caption();
    SetWindowBackground(caption);
}

void frmMain::ScreenSaverTime_Click(int Index) { SetScreenSaverTime(ScreenSaverTime(Index).Caption()); }

void frmMain::ShowCentralPropertyMenu()
{
    // Both read Yes without their entry, as they always have.
    const auto yes = [&](const char* key) {
        return mduLib::GetYesNoProp(QString::fromLatin1(key), CentralSettings_, true);
    };
    const bool titleBar = yes("Window Title Bar");
    WindowTitleBar->setText(titleBar ? QStringLiteral("Hide Title Bar") : QStringLiteral("Show Title Bar"));
    SetTag(WindowTitleBar, titleBar ? QStringLiteral("Yes") : QStringLiteral("No"));
    const bool statusBar = yes("Status Bar");
    HideStatusBar->setText(statusBar ? QStringLiteral("Hide Status Bar") : QStringLiteral("Show Status Bar"));
    SetTag(HideStatusBar, statusBar ? QStringLiteral("Yes") : QStringLiteral("No"));
    const bool tips = GetAutoShowBalloonTips();
    AutoShowToolTips->setText(tips ? QStringLiteral("Hind Tool Tips") : QStringLiteral("Auto Show Tool Tips"));
    SetTag(AutoShowToolTips, tips ? QStringLiteral("No") : QStringLiteral("Yes"));
    mduUILib::FillScreenSaverTimeMenu(ScreenSaverTime, AppEXEName());
    platform::EndMenu();
    CentralProperty->popup(QCursor::pos());
}

void frmMain::ApplyToAllCalendars(int action, int index)
{
    QString caption;
    QString tag;
    if (action == 3 && CalendarColours.Exists(index)) {
        caption = CalendarColours(index).Caption();
        tag = CalendarColours(index).Tag;
        if (caption == QLatin1String("Custom")) {
            platform::CommonDialog dialog(this);
            dialog.ShowColor(); // each window then asks for its own colour
        }
    }
    for (platform::Form* f : LoadedCalendars()) {
        auto* cal = qobject_cast<frmAlmanorvique*>(f);
        if (!cal)
            continue;
        switch (action) {
        case 3: {
            QString colour = caption == QLatin1String("Custom") ? caption : tag;
            platform::Guarded("calendar colour", [&] { cal->SetWindowBackColour(colour, 2); });
            break;
        }
        default:
            // The calendar windows have no such command: asking them does nothing.
            break;
        }
    }
}

void frmMain::SendToCalendar(const QString& hwndText, qint32 msg, qint32 wParam, bool allWhenNone)
{
    if (const quintptr handle = HandleIn(hwndText)) {
        for (platform::Form* f : platform::Form::AllForms())
            if (f->IsLoaded() && FormHandle(*f) == handle) {
                SendWindowMessage(*f, msg, wParam);
                return;
            }
        return; // no window of ours has that handle
    }
    if (allWhenNone)
        SendToAllCalendars(msg, wParam);
}

void frmMain::SendToAllCalendars(qint32 msg, qint32 wParam)
{
    for (platform::Form* f : LoadedCalendars())
        SendWindowMessage(*f, msg, wParam);
}

void frmMain::EnableCalendar(const QString& hwndText, int enable)
{
    if (const quintptr handle = HandleIn(hwndText)) {
        for (platform::Form* f : LoadedCalendars())
            if (FormHandle(*f) == handle)
                f->EnableWindow(enable != 0);
        return;
    }
    EnableAllCalendars(enable);
}

void frmMain::EnableAllCalendars(int enable)
{
    for (platform::Form* f : LoadedCalendars())
        f->EnableWindow(enable != 0);
}

void frmMain::SetTrayIcon(quintptr hWnd, int add)
{
    if (add == 0) {
        delete TrayIcon_;
        TrayIcon_ = nullptr;
        return;
    }
    // Where the desktop has no notification area there is no icon.
    if (hWnd == 0 || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    if (!TrayIcon_)
        TrayIcon_ = new QSystemTrayIcon(windowIcon(), this);
    TrayIcon_->setToolTip(appinfo::ProgramTitle().left(128));
    TrayIcon_->show();
}
