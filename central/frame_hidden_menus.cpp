// The frame's menus that the running program never shows: File, the actions on opened
// calendars, the companion agent, Edit, View, the central properties and the commands to
// every calendar window; with the commands they send and the notification-area icon.
#include "frame_hidden_menus_state.h"
#include "frame_menus_state.h"
#include "frame_status_state.h"
#include "frame_toolbar_state.h"
#include "frame_window.h"
#include "frame_window_menu_state.h"

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
    hiddenMenus_->FileMenu = new QMenu(QStringLiteral("File"), this);
    hiddenMenus_->NewCalendar = AddItem(hiddenMenus_->FileMenu, QStringLiteral("New"), [this] { NewCalendar_Click(); });
    hiddenMenus_->Country.Entry().SetCaption(QStringLiteral("Open"));
    hiddenMenus_->FileMenu->addMenu(hiddenMenus_->Country.Menu());
    hiddenMenus_->Country.Create(1).SetCaption(QStringLiteral("Country"));
    hiddenMenus_->Country.Click = [this](int i) { Country_Click(i); };
    hiddenMenus_->FileMenu->addMenu(windowMenu_->LastOpenedMenu);
    AddItem(hiddenMenus_->FileMenu, QStringLiteral("Choose Country"), [this] { ChooseCountry_Click(); });
    hiddenMenus_->DeleteCountry.Entry().SetCaption(QStringLiteral("Remove Country"));
    hiddenMenus_->FileMenu->addMenu(hiddenMenus_->DeleteCountry.Menu());
    hiddenMenus_->DeleteCountry.Create(1).SetCaption(QStringLiteral("DeleteCountry"));
    hiddenMenus_->DeleteCountry.Click = [this](int i) { DeleteCountry_Click(i); };
    hiddenMenus_->FileMenu->addSeparator();
    AddItem(hiddenMenus_->FileMenu, QStringLiteral("&Exit"), [this] { Exit_Click(); });
    hiddenMenus_->FileMenu->addSeparator()->setVisible(false);
    AddItem(hiddenMenus_->FileMenu, QStringLiteral("Set Shortcuts"))->setVisible(false);

    // Actions on opened calendars
    windowMenu_->OpenedAction->setTitle(QStringLiteral("OpenedAction"));
    hiddenMenus_->Opened.Entry().SetCaption(QStringLiteral("Action"));
    windowMenu_->OpenedAction->addMenu(hiddenMenus_->Opened.Menu());
    hiddenMenus_->Opened.Create(1).SetCaption(QStringLiteral("Opened Calendar"));
    hiddenMenus_->Opened.Click = [this](int i) { Opened_Click(i); };
    windowMenu_->OpenedAction->addSeparator();

    // The companion agent
    hiddenMenus_->AgentMenu = new QMenu(QStringLiteral("Agent"), this);
    hiddenMenus_->AgentSpeakerMenu = hiddenMenus_->AgentMenu->addMenu(QStringLiteral("Speaker"));
    for (const char* caption : {"Speak Time", "Speak/Show Time", "None"})
        AddItem(hiddenMenus_->AgentSpeakerMenu, QString::fromLatin1(caption), [] {});
    hiddenMenus_->AgentSeparator = hiddenMenus_->AgentMenu->addSeparator();
    hiddenMenus_->AgentAction[1] =
        AddItem(hiddenMenus_->AgentMenu, QStringLiteral("Remove Me From Tray"), [this] { AgentAction_Click(1); });
    hiddenMenus_->AgentAction[1]->setVisible(false);
    hiddenMenus_->AgentAction[2] =
        AddItem(hiddenMenus_->AgentMenu, QStringLiteral("Close Me"), [this] { AgentAction_Click(2); });

    // Edit
    hiddenMenus_->EditMenu = new QMenu(QStringLiteral("&Edit"), this);
    const char* editCaptions[] = {"Undo",   "Redo",  "Cut",        "Copy", "Paste", "-",
                                  "Delete", "Clear", "Select All", "-",    "Find",  "Check Spelling"};
    for (int i = 0; i < 12; ++i) {
        if (editCaptions[i][0] == '-') {
            hiddenMenus_->EditMenu->addSeparator();
            continue;
        }
        QAction* a = AddItem(hiddenMenus_->EditMenu, QString::fromLatin1(editCaptions[i]));
        platform::SetItemEnabled(a, i >= 2 && i <= 4); // Cut, Copy and Paste
    }

    // View
    hiddenMenus_->ViewMenu = new QMenu(QStringLiteral("&View"), this);
    hiddenMenus_->ViewMenu->addMenu(status_->StatusBarMenu);
    hiddenMenus_->ViewMenu->addSeparator(); // ViewItem 3
    hiddenMenus_->ViewMenu->addAction(menus_->ToolsItem15);
    connect(menus_->ToolsItem15, &QAction::triggered, this,
            [this] { platform::Guarded("menu", [&] { ToolsItem_Click(15); }); });

    // Central properties
    hiddenMenus_->CentralProperty = new QMenu(QStringLiteral("CentralProperty"), this);
    menus_->BGColour.Entry().SetCaption(QStringLiteral("Background Colour"));
    hiddenMenus_->CentralProperty->addMenu(menus_->BGColour.Menu());
    menus_->BGColour.Click = [this](int i) { BGColour_Click(i); };
    hiddenMenus_->WindowTitleBar = AddItem(hiddenMenus_->CentralProperty, QStringLiteral("Show Window Title Bar"),
                                           [this] { WindowTitleBar_Click(TagOf(hiddenMenus_->WindowTitleBar)); });
    hiddenMenus_->CentralProperty->addMenu(toolbar_->ToolBarMenu);
    hiddenMenus_->HideStatusBar = AddItem(hiddenMenus_->CentralProperty, QStringLiteral("Hide Status Bar"),
                                          [this] { HideStatusBar_Click(TagOf(hiddenMenus_->HideStatusBar)); });
    AddItem(hiddenMenus_->CentralProperty, QStringLiteral("Save Almanorvique Central Settings"));
    hiddenMenus_->ScreenSaverTime.Entry().SetCaption(QStringLiteral("Set Screen Saver"));
    hiddenMenus_->CentralProperty->addMenu(hiddenMenus_->ScreenSaverTime.Menu());
    hiddenMenus_->ScreenSaverTime.Create(1).SetCaption(QStringLiteral("ScreenSaverTime"));
    hiddenMenus_->ScreenSaverTime.Click = [this](int i) { ScreenSaverTime_Click(i); };

    // Commands to every calendar window
    hiddenMenus_->WindowsProperty = new QMenu(QStringLiteral("WindowsProperty"), this);
    hiddenMenus_->Calendars.Entry().SetCaption(QStringLiteral("Calendar"));
    hiddenMenus_->WindowsProperty->addMenu(hiddenMenus_->Calendars.Menu());
    const char* calendarCaptions[] = {"Analogue", "Digital", "Calculator"};
    for (int i = 1; i <= 3; ++i)
        hiddenMenus_->Calendars.Create(i).SetCaption(QString::fromLatin1(calendarCaptions[i - 1]));
    hiddenMenus_->Calendars.Click = [this](int i) { ApplyToAllCalendars(1, i); };
    hiddenMenus_->CalendarStyles.Entry().SetCaption(QStringLiteral("Calendar Style"));
    hiddenMenus_->WindowsProperty->addMenu(hiddenMenus_->CalendarStyles.Menu());
    hiddenMenus_->CalendarStyles.Create(1).SetCaption(QStringLiteral("Style"));
    hiddenMenus_->CalendarStyles.Click = [this](int i) { ApplyToAllCalendars(2, i); };
    menus_->CalendarColours.Entry().SetCaption(QStringLiteral("Calendar Colour"));
    hiddenMenus_->WindowsProperty->addMenu(menus_->CalendarColours.Menu());
    menus_->CalendarColours.Click = [this](int i) { ApplyToAllCalendars(3, i); };
    AddItem(hiddenMenus_->WindowsProperty, QStringLiteral("Save Settings"), [this] { ApplyToAllCalendars(4, 1); });
}

void frmMain::NewCalendar_Click()
{
    SetTag(hiddenMenus_->NewCalendar, QStringLiteral("True"));
    ShowCentralProperties(true);
}

void frmMain::Country_Click(int Index) { DoMenuItem(1, Index); }

void frmMain::ChooseCountry_Click() { ShowBanner(false); }

void frmMain::DeleteCountry_Click(int Index)
{
    const QString caption = hiddenMenus_->DeleteCountry(Index).Caption();
    const QString what = caption == QLatin1String("All") ? QStringLiteral("all Countrys") : caption;
    // Only asked: nothing is deleted whatever the answer.
    ShowMsgbox(QStringLiteral("Do you want to delete ") + what + QStringLiteral("?"), platform::vbYesNo, QString());
}

void frmMain::Exit_Click() { Unload(platform::vbFormCode); }

void frmMain::Opened_Click(int Index)
{
    const QString action = hiddenMenus_->Opened.Entry().Tag;
    const QString target = hiddenMenus_->Opened(Index).Tag;
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
    if (!hiddenMenus_->AgentAction[1]->text().contains(QLatin1String("Add"))) {
        if (Index == 1)
            SetTrayIcon(HandleIn(TagOf(hiddenMenus_->AgentAction[1])), 0);
        SendToCalendar(TagOf(hiddenMenus_->AgentAction[static_cast<size_t>(Index)]), kWmSysCommand, kScClose, false);
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
    const QString name = mduLib::GetProp(QStringLiteral("Agent Program"), CentralSettings());
    return name == QLatin1String("0") ? QString() : name;
}

void frmMain::SetupAgentMenu()
{
    hiddenMenus_->AgentSpeakerMenu->menuAction()->setVisible(false);
    hiddenMenus_->AgentSeparator->setVisible(false);
    const QString name = AgentProgram().isEmpty() ? QStringLiteral("Agent") : QFileInfo(AgentProgram()).baseName();
    hiddenMenus_->AgentAction[1]->setText(QStringLiteral("Add ") + name + QStringLiteral(" To Tray"));
    hiddenMenus_->AgentAction[2]->setText(QStringLiteral("Close ") + name);
    hiddenMenus_->AgentAction[1]->setVisible(false);
}

void frmMain::ViewItem_Click(int Index) { DoMenuItem(4, Index); }
void frmMain::ToolsItem_Click(int Index) { DoMenuItem(6, Index); }

void frmMain::BGColour_Click(int Index)
{
    QString caption = menus_->BGColour(Index).Caption();
    SetWindowBackground(caption);
}

void frmMain::ScreenSaverTime_Click(int Index) { SetScreenSaverTime(hiddenMenus_->ScreenSaverTime(Index).Caption()); }

void frmMain::ShowCentralPropertyMenu()
{
    // Both read Yes without their entry, as they always have.
    const auto yes = [&](const char* key) {
        return mduLib::GetYesNoProp(QString::fromLatin1(key), CentralSettings(), true);
    };
    const bool titleBar = yes("Window Title Bar");
    hiddenMenus_->WindowTitleBar->setText(titleBar ? QStringLiteral("Hide Title Bar")
                                                   : QStringLiteral("Show Title Bar"));
    SetTag(hiddenMenus_->WindowTitleBar, titleBar ? QStringLiteral("Yes") : QStringLiteral("No"));
    const bool statusBar = yes("Status Bar");
    hiddenMenus_->HideStatusBar->setText(statusBar ? QStringLiteral("Hide Status Bar")
                                                   : QStringLiteral("Show Status Bar"));
    SetTag(hiddenMenus_->HideStatusBar, statusBar ? QStringLiteral("Yes") : QStringLiteral("No"));
    const bool tips = GetAutoShowBalloonTips();
    toolbar_->AutoShowToolTips->setText(tips ? QStringLiteral("Hind Tool Tips")
                                             : QStringLiteral("Auto Show Tool Tips"));
    SetTag(toolbar_->AutoShowToolTips, tips ? QStringLiteral("No") : QStringLiteral("Yes"));
    mduUILib::FillScreenSaverTimeMenu(hiddenMenus_->ScreenSaverTime, AppEXEName());
    platform::EndMenu();
    hiddenMenus_->CentralProperty->popup(QCursor::pos());
}

void frmMain::ApplyToAllCalendars(int action, int index)
{
    QString caption;
    QString tag;
    if (action == 3 && menus_->CalendarColours.Exists(index)) {
        caption = menus_->CalendarColours(index).Caption();
        tag = menus_->CalendarColours(index).Tag;
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
        delete hiddenMenus_->TrayIcon;
        hiddenMenus_->TrayIcon = nullptr;
        return;
    }
    // Where the desktop has no notification area there is no icon.
    if (hWnd == 0 || !QSystemTrayIcon::isSystemTrayAvailable())
        return;
    if (!hiddenMenus_->TrayIcon)
        hiddenMenus_->TrayIcon = new QSystemTrayIcon(windowIcon(), this);
    hiddenMenus_->TrayIcon->setToolTip(appinfo::ProgramTitle().left(128));
    hiddenMenus_->TrayIcon->show();
}
