// The two popup menus of the calendar window: the window menu of the picture, the page
// and the backdrop, and the item menu that the day cells, the grid frame, the weekday
// row, the clock and the captions fill for themselves. Each entry is named after a
// setting or a command and its items carry the values; every choice goes to ApplySetting.
#include "calendar_window.h"
#include "menu_checks.h"
#include "settings_keys.h"

#include "core/data_folders.h"
#include "core/desktop_settings.h"
#include "core/settings_store.h"
#include "ui/menu_fillers.h"

#include <QCursor>
#include <QMenu>

using namespace mduAlmanorvqueLib;
namespace keys = calendarkeys;
using namespace menuchecks;

namespace {
constexpr int kPageSurface = 1;
constexpr int kBackdropSurface = 2;

std::unique_ptr<platform::MenuItem> AddCommand(QMenu& menu, const QString& name, const QString& caption,
                                               std::function<void()> click)
{
    auto item = std::make_unique<platform::MenuItem>(name, 0, menu.addAction(QString()));
    item->SetCaption(caption);
    item->Click = std::move(click);
    return item;
}
} // namespace

void frmAlmanorvique::BuildPopupMenus()
{
    QMenu& window = *CalendarPopupMenu.Menu();
    for (const SettingMenu& setting : SettingMenus()) {
        setting.menu->Click = [this, menu = setting.menu](int i) { ApplySubmenuChoice(*menu, i); };
        window.addMenu(setting.menu->Menu());
        if (setting.separatorAfter)
            window.addSeparator(); // sp1, sp2
    }
    AutoStart =
        AddCommand(window, QStringLiteral("AutoStart"), QStringLiteral(" Auto Start"), [this] { AutoStart_Click(); });
    ScreenSaverTime.Click = [this](int i) { ScreenSaverTime_Click(i); };
    window.addMenu(ScreenSaverTime.Menu());
    window.addSeparator(); // sp3
    Help = AddCommand(window, QStringLiteral("Help"), QStringLiteral("Help"), [this] { Help_Click(); });
    About = AddCommand(window, QStringLiteral("About"), QStringLiteral("About"), [this] { About_Click(); });
    window.addSeparator(); // sp4
    CloseDown = AddCommand(window, QStringLiteral("CloseDown"), QStringLiteral("Close"), [this] { CloseDown_Click(); });
    window.addSeparator(); // sp6
    SavePropertiesMenu = AddCommand(window, QStringLiteral("SavePropertiesMenu"),
                                    QStringLiteral("Save Current Properties"), [this] { SavePropertiesMenu_Click(); });
    SaveStyleAs = AddCommand(window, QStringLiteral("SaveStyleAs"), QStringLiteral("Save Style As"),
                             [this] { SaveStyleAs_Click(); });
    PropertiesMenu = AddCommand(window, QStringLiteral("PropertiesMenu"), QStringLiteral("Properties"),
                                [this] { PropertiesMenu_Click(); });

    QMenu& item = *ItemPopup.Menu();
    ItemMenuItem1.Click = [this](int i) { ItemMenuItem1_Click(i); };
    ItemMenuItem2.Click = [this](int i) { ItemMenuItem2_Click(i); };
    ItemMenuItem3.Click = [this](int i) { ItemMenuItem3_Click(i); };
    for (platform::MenuItemArray* sub : {&ItemMenuItem1, &ItemMenuItem2, &ItemMenuItem3})
        item.addMenu(sub->Menu());
    for (int n = 5; n <= 7; ++n)
        ItemPopup.Create(n);
    ItemPopup.Click = [this](int i) { ItemMenuCaption_Click(i); };

    lblMonth.Events.MouseDown = [this](int b, int sh, float x, float y) { lblMonth_MouseDown(b, sh, x, y); };
    lblYear.Events.MouseDown = [this](int b, int sh, float x, float y) { lblYear_MouseDown(b, sh, x, y); };
}

std::vector<frmAlmanorvique::SettingMenu> frmAlmanorvique::SettingMenus()
{
    // The one list of the window menu's setting entries; PopupCalendarMenu fills each.
    return {
        {&MenuItem2, false}, // Window Styles
        {&MenuItem3, false}, // Window States
        {&MenuItem4, false}, // Window Background Files
        {&MenuItem5, true},  // Window Background Colours
        {&MenuItem6, false}, // the picture's or the page's files
        {&MenuItem7, true},  // their automatic position
    };
}

platform::MenuItem& frmAlmanorvique::MenuCaption(int n)
{
    const std::vector<SettingMenu> settings = SettingMenus();
    if (n < 2 || n - 2 >= static_cast<int>(settings.size()))
        throw mduLib::SubscriptError();
    return settings[n - 2].menu->Entry();
}

platform::MenuItem& frmAlmanorvique::ItemMenuCaption(int n)
{
    switch (n) {
    case 1:
        return ItemMenuItem1.Entry();
    case 2:
        return ItemMenuItem2.Entry();
    case 3:
        return ItemMenuItem3.Entry();
    default:
        return ItemPopup(n); // 5 to 7; 4 is no entry
    }
}

bool frmAlmanorvique::OpenPopup(platform::MenuItemArray& menu)
{
    ++openPopups_;
    struct Closed {
        int& count;
        ~Closed() { --count; }
    } closed{openPopups_};
    return platform::PopupMenu(*menu.Menu(), QCursor::pos());
}

QString frmAlmanorvique::GetAutoPositionList()
{
    return calendarcommands::AutoPositionAndSize + u',' + calendarcommands::AutoPosition + u',' +
           calendarcommands::AutoSize;
}

void frmAlmanorvique::SetAutoStartMenu()
{
    // A month window shows the same switch: the entry always says what a click will do.
    const QString caption = QStringLiteral(" Auto Start");
    const bool set = mduAPILib::IsAutoStartSet();
    AutoStart->SetCaption((set ? QStringLiteral("Disable ") : QStringLiteral("Enable ")) + caption);
    AutoStart->Tag = set ? QStringLiteral("1") : QStringLiteral("0");
    commands_.AutoStartTag = AutoStart->Tag;
}

void frmAlmanorvique::PopupCalendarMenu(int Index)
{
    auto fillPictures = [this](int n, const QString& key) {
        platform::MenuItemArray& menu = n == 4 ? MenuItem4 : MenuItem6;
        MenuCaption(n).SetCaption(key);
        mduUILib::FillImageMenu(menu, gImagesFolder);
        // The item of the file the value shows, wherever the value names it from.
        mduUILib::CheckMenuItem(menu, PictureFileOf(mduLib::GetProp(key, Properties_)), kByTag);
        MenuCaption(n).SetVisible(true);
    };
    auto fillList = [this](platform::MenuItemArray& menu, const QString& key) {
        menu.Entry().SetCaption(key);
        mduUILib::FillMenuFromList(menu, mduLib::GetPropOptions(key, Properties_));
        mduUILib::CheckMenuItem(menu, mduLib::GetProp(key, Properties_), kByCaption);
    };

    MenuItem2.Entry().SetCaption(keys::WindowStyles);
    mduUILib::FillFileMenu(MenuItem2, gStylesFolder, QString(), calendarcommands::MoreFile, 10);
    mduUILib::CheckMenuItem(MenuItem2, mduLib::GetProp(keys::WindowStyles, Properties_), kByCaption);
    fillList(MenuItem3, keys::WindowStates);
    SetAutoStartMenu();
    mduUILib::FillScreenSaverTimeMenu(ScreenSaverTime, GetScreenSaverCommand());

    if (Index == kBackdropSurface && IsTransparentWindow())
        MenuCaption(4).SetVisible(false);
    else
        fillPictures(4, keys::WindowBackgroundFiles);
    fillList(MenuItem5, keys::WindowBackgroundColours);
    // The picture pair, or the page pair on the page and on a backdrop without a page picture.
    const bool page = Index == kPageSurface ||
                      (Index == kBackdropSurface &&
                       mduLib::GetProp(keys::CalendarBackgroundFiles, Properties_) == calendarcommands::None);
    fillPictures(6, page ? keys::CalendarBackgroundFiles : keys::CalendarImageFiles);
    MenuItem7.Entry().SetCaption(page ? calendarcommands::AutoCalendarBackgroundPosition
                                      : calendarcommands::AutoCalendarImagePosition);
    mduUILib::FillMenuFromList(MenuItem7, GetAutoPositionList());
    UncheckAll(MenuItem7);
    MenuItem7.Entry().SetVisible(true);

    OpenPopup(CalendarPopupMenu);
}

// ---- the choices ----

void frmAlmanorvique::ApplySubmenuChoice(platform::MenuItemArray& menu, int Index)
{
    ApplySetting(menu.Entry().Caption(), menu(Index).Tag, menu.Entry().Tag);
}

void frmAlmanorvique::ItemMenuItem1_Click(int Index) { ApplySubmenuChoice(ItemMenuItem1, Index); }
void frmAlmanorvique::ItemMenuItem2_Click(int Index) { ApplySubmenuChoice(ItemMenuItem2, Index); }
void frmAlmanorvique::ItemMenuItem3_Click(int Index) { ApplySubmenuChoice(ItemMenuItem3, Index); }

void frmAlmanorvique::ItemMenuCaption_Click(int Index)
{
    if (Index <= 4)
        return; // those entries open submenus
    const platform::MenuItem& entry = ItemMenuCaption(Index);
    ApplySetting(entry.Caption(), entry.Tag, entry.Tag);
}
