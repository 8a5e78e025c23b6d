// The frame's menus: the Window popup, the main popup, the toolbar popup and the menus
// that are never shown; the command dispatcher and the commands behind the main popup.
#include "frame_banner_state.h"
#include "frame_menus_state.h"
#include "frame_toolbar_state.h"
#include "frame_window.h"
#include "frame_window_menu_state.h"

#include "calendar/calendar_window.h"
#include "core/app_identity.h"
#include "core/colour_names.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/desktop_settings.h"
#include "core/help_about.h"
#include "core/settings_templates.h"
#include "editors/dialogs/property_editor.h"
#include "system/message_box.h"
#include "ui/common_dialog.h"
#include "ui/event_guard.h"
#include "ui/menu_fillers.h"
#include "ui/menu_items.h"
#include "ui/twips.h"

#include <QCursor>

using namespace mduAlmanorvqueLib;

QString TagOf(const QAction* item) { return item ? item->data().toString() : QString(); }
void SetTag(QAction* item, const QString& tag)
{
    if (item)
        item->setData(tag);
}

namespace {
} // namespace

void frmMain::BuildMenus()
{
    const auto add = [](QMenu* menu, const QString& caption, auto handler) {
        QAction* a = menu->addAction(caption);
        QObject::connect(a, &QAction::triggered, menu, [handler] { platform::Guarded("menu", handler); });
        return a;
    };

    windowMenu_->Window = new QMenu(QStringLiteral("&Window"), this);
    const char* windowCaptions[] = {
        "", "Tile", "Cascade", "Arrang Icons", "Maximise All", "Restore All", "Minimise All"};
    for (int i = 1; i <= 6; ++i)
        windowMenu_->WindowItem[static_cast<size_t>(i)] =
            add(windowMenu_->Window, QString::fromLatin1(windowCaptions[i]), [this, i] { WindowItem_Click(i); });
    windowMenu_->WindowItem[7] = windowMenu_->Window->addSeparator();
    windowMenu_->WindowItem[8] = add(windowMenu_->Window, QStringLiteral("Close All"), [this] { WindowItem_Click(8); });
    windowMenu_->WindowItem[9] = windowMenu_->Window->addSeparator();
    windowMenu_->WindowItem[9]->setVisible(false);
    windowMenu_->OpenedWindow.assign(2, nullptr);
    windowMenu_->OpenedWindow[1] =
        add(windowMenu_->Window, QStringLiteral("OpenedWindow"), [this] { OpenedWindow_Click(1); });
    windowMenu_->OpenedWindow[1]->setCheckable(true);
    windowMenu_->WindowExit = add(windowMenu_->Window, QStringLiteral("Exit"), [this] { WindowExit_Click(); });

    menus_->MainMenu = new QMenu(QStringLiteral("MainMenu"), this);
    menus_->AutoStart = add(menus_->MainMenu, QStringLiteral("Auto Start"), [this] { AutoStart_Click(); });
    menus_->MainMenu->addMenu(menus_->ScreenSaverTimeMain.Menu());
    menus_->ScreenSaverTimeMain.Create(1).SetCaption(QStringLiteral("ScreenSaverTime"));
    menus_->ScreenSaverTimeMain.Click = [this](int index) { ScreenSaverTimeMain_Click(index); };
    menus_->MainMenu->addSeparator(); // hsp1
    menus_->MainItem[3] = add(menus_->MainMenu, QStringLiteral("Exit"), [this] { MainItem_Click(3); });
    menus_->MainItem[4] = menus_->MainMenu->addSeparator();
    menus_->MainItem[5] = add(menus_->MainMenu, QStringLiteral("Help"), [this] { MainItem_Click(5); });
    menus_->MainItem[6] = add(menus_->MainMenu, QStringLiteral("About"), [this] { MainItem_Click(6); });
    menus_->MainItem[7] = menus_->MainMenu->addSeparator();
    menus_->MainItem[8] = add(menus_->MainMenu, QStringLiteral("Save Current Settings"), [this] { MainItem_Click(8); });
    menus_->MainItem[9] = add(menus_->MainMenu, QStringLiteral("Properties"), [this] { MainItem_Click(9); });
    menus_->MainItem[9]->setVisible(false);

    toolbar_->ToolBarMenu = new QMenu(QStringLiteral("Tool Bar"), this);
    QMenu* sizes = toolbar_->ToolBarMenu->addMenu(QStringLiteral("ToolBar Size"));
    const char* sizeCaptions[] = {"", "Small Size", "Small Size with Caption", "Large Size", "Large Size with Caption"};
    for (int i = 1; i <= 4; ++i)
        toolbar_->ToolBarSize[static_cast<size_t>(i)] =
            add(sizes, QString::fromLatin1(sizeCaptions[i]), [this, i] { ToolBarSize_Click(i); });
    toolbar_->ToolBarSize[2]->setVisible(false);
    QMenu* positions = toolbar_->ToolBarMenu->addMenu(QStringLiteral("Tool Bar Position"));
    const char* positionCaptions[] = {"", "Top", "Bottom", "Left", "Right", "Hide"};
    for (int i = 1; i <= 5; ++i)
        toolbar_->ToolBarPositions[static_cast<size_t>(i)] =
            add(positions, QString::fromLatin1(positionCaptions[i]), [this, i] { ToolBarPositions_Click(i); });
    toolbar_->AutoShowToolTips =
        add(toolbar_->ToolBarMenu, QStringLiteral("Auto Show Tool Tips"), [this] { AutoShowToolTips_Click(); });
    toolbar_->ToolbarCustomize =
        add(toolbar_->ToolBarMenu, QStringLiteral("Customize Toolbar"), [this] { ToolbarCustomize_Click(); });
    toolbar_->ToolbarCustomize->setVisible(false);
    toolbar_->SaveToolbarSetting = add(toolbar_->ToolBarMenu, QStringLiteral("Save Current Toolbar Setting"),
                                       [this] { SaveToolbarSetting_Click(); });
    toolbar_->SaveToolbarSetting->setVisible(false);

    windowMenu_->OpenedAction = new QMenu(this);
    windowMenu_->LastOpenedMenu = new QMenu(QStringLiteral("Open Last Opened"), this);
    windowMenu_->LastOpenedMenu->addAction(QStringLiteral("None"));
    menus_->ToolsItem15 = new QAction(QStringLiteral("Setup Auto Start"), this);
}

void frmMain::DoMenuItem(float iCol, int Index)
{
    const int group = static_cast<int>(conv::RoundHalfEven(iCol));
    switch (group) {
    case 1:
        ShowBanner(false);
        frmAlmanorvique::Default().Show();
        break;
    case 8:
        switch (Index) {
        case 1:
            Arrange(platform::vbTileHorizontal);
            break;
        case 2:
            // "Cascade" cascades (the arrange code 2 would tile side by side).
            Arrange(platform::vbCascade);
            break;
        case 3:
            Arrange(platform::vbArrangeIcons);
            break;
        case 4:
            MaximiseAll();
            break;
        case 5:
            RestoreAll();
            break;
        case 6:
            MinimiseAll();
            break;
        case 8:
            CloseAll();
            break;
        default:
            break;
        }
        break;
    case 9:
        switch (Index) {
        case 3:
            // As the title bar's close: the month windows unload (and save) first.
            Unload(platform::vbFormCode);
            break;
        case 5:
            ShowHelp();
            break;
        case 6:
            mduUILib::ShowAbout();
            break;
        case 8:
            SaveCentralSettings();
            break;
        case 9:
            ShowCentralProperties(false);
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
}

int frmMain::ShowMsgbox(const QString& Prompt, int Button, const QString& Title)
{
    return platform::MsgBox(Prompt, Button, Title, this);
}

QString frmMain::AppEXEName() const { return appinfo::ProgramFolder() + QStringLiteral("/AlmanorviqueCentral"); }

QMenu& frmMain::MainPopup() { return *menus_->MainMenu; }

void frmMain::ShowMainMenu()
{
    UpdateAutoStartCaption();
    platform::EndMenu();
    mduUILib::FillScreenSaverTimeMenu(menus_->ScreenSaverTimeMain, AppEXEName());
    platform::PopupMenu(*menus_->MainMenu, QCursor::pos());
}

void frmMain::UpdateAutoStartCaption()
{
    const bool set = mduAPILib::IsAutoStartSet();
    const QString word = set ? QStringLiteral("Disable") : QStringLiteral("Enable");
    SetTag(menus_->AutoStart, set ? QStringLiteral("1") : QStringLiteral("0"));
    if (!menus_->AutoStart->text().startsWith(word))
        menus_->AutoStart->setText(word + u' ' + menus_->AutoStart->text().right(10));
}

void frmMain::UpdateStartupMenu()
{
    menus_->ToolsItem15->setText(mduAPILib::IsAutoStartSet() ? QStringLiteral("Remove Auto Start")
                                                             : QStringLiteral("Setup Auto Start"));
}

void frmMain::AutoStart_Click()
{
    if (conv::LeadingNumber(TagOf(menus_->AutoStart)) != 1) {
        // Started with a command line, the month windows' "Stay Time" applies.
        QString arguments = appinfo::ExeName();
        mduAPILib::SetAutoStart(arguments);
    } else {
        mduAPILib::ClearAutoStart();
    }
}

void frmMain::ScreenSaverTimeMain_Click(int Index)
{
    if (menus_->ScreenSaverTimeMain.Exists(Index))
        SetScreenSaverTime(menus_->ScreenSaverTimeMain(Index).Caption());
}

void frmMain::SetScreenSaverTime(const QString& caption)
{
    if (caption == QLatin1String("Disabled"))
        mduAPILib::SetScreenSaver(QString(), QString(), 0, 0);
    else
        mduAPILib::SetScreenSaver(AppEXEName(), QString(), conv::ToInt16(conv::LeadingNumber(caption)), 0);
}

void frmMain::MainItem_Click(int Index) { DoMenuItem(9, Index); }

void frmMain::ShowHelp()
{
    // The frame's own pages, which lead on to the calendar window's.
    QString file = QStringLiteral("AlmanorviqueCentral.chm");
    mduUILib::OpenHelpTopic(file);
}

void frmMain::SetWindowBackground(QString& colourName)
{
    qint32 colour = 0;
    if (colourName == QLatin1String("Custom")) {
        platform::CommonDialog dialog(this);
        dialog.Color = BackColor();
        if (!dialog.ShowColor())
            return; // cancelled: the colour stays
        colour = dialog.Color;
        colourName = QString::number(colour);
    } else if (colourName == QLatin1String("Transparent")) {
        colour = 0xFFFFFF;
    } else {
        colour = mduUILib::ColourFromName(colourName);
    }
    SetBackColor(colour);
    PaintClientBackground();
    PassBackColourToCalendars();
    mduLib::SetProp(QStringLiteral("Window Background Colour"), colourName, CentralSettings());
}

void frmMain::PassBackColourToCalendars()
{
    for (platform::Form* f : platform::Form::AllForms()) {
        if (f->Name() != QLatin1String("frmAlmanorvique") || !f->IsLoaded() ||
            f->DrawStyle != frmAlmanorvique::kTransparentDrawStyle)
            continue;
        f->SetBackColor(BackColor());
        f->Refresh();
    }
}

void frmMain::ShowCentralProperties(bool isNew)
{
    if (isNew) {
        gPropertyTable.Create(1);
        mduLib::LoadIniFile(gIniFile, gPropertyTable);
    } else {
        gIniFile = gCentralIniFile;
        gPropertyTable = CentralSettings();
    }
    if (isNew)
        frmProperties::Default().ShowPropertyMDIChild(this, 0, 0, QString(), -1);
    else
        frmProperties::Default().ShowPropertyMDIChild(this, 0, 0, QStringLiteral("Property Almanorvique Central"), 0);
    ShowBanner(false);
}

void frmMain::RefreshForm(const QString&)
{
    CentralSettings() = gPropertyTable;
    banner_->BackgroundPicture = QImage();
    platform::Guarded("background picture", [&] { LoadBackgroundPicture(); });
    platform::Guarded("apply settings", [&] { ApplyCentralSettings(); });
    LayoutBackground();
}

QString frmMain::DefaultIniFile() { return gIniTemplateFolder + mduLib::WithIniExtension(appinfo::ExeName()); }

void frmMain::AutoShowToolTips_Click()
{
    mduLib::SetProp(QStringLiteral("Auto Show Balloon Tips"), TagOf(toolbar_->AutoShowToolTips), CentralSettings());
}
