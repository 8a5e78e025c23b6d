// The two popup menus of the calendar window: the window menu of the picture, the page
// and the backdrop, and the item menu that the day cells, the grid frame, the weekday
// row, the clock and the captions fill for themselves. Each entry is named after a
// setting or a command and its items carry the values; every choice goes to ApplySetting.
#include "calendar_window.h"
#include "commands_state.h"
#include "menu_checks.h"
#include "menus_state.h"
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
    for (const calendarform::SettingMenu& setting : SettingMenus()) {
        const QString name = QStringLiteral("MenuItem") + QString::number(menus_->SettingSubmenus.size() + 2);
        platform::MenuItemArray* menu =
            menus_->SettingSubmenus.emplace_back(std::make_unique<platform::MenuItemArray>(name)).get();
        menu->Click = [this, menu](int i) { ApplySubmenuChoice(*menu, i); };
        window.addMenu(menu->Menu());
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

std::vector<calendarform::SettingMenu> frmAlmanorvique::SettingMenus()
{
    // The one list of the window menu's setting entries: a row makes the entry, its
    // submenu and its filling.
    using Fill = calendarform::SettingFill;
    // The picture's pair of entries, or the page's: on the page, and on a backdrop while
    // the page has no picture.
    const auto page = [this](int surface) {
        return surface == kPageSurface ||
               (surface == kBackdropSurface &&
                mduLib::GetProp(keys::CalendarBackgroundFiles, Properties_) == calendarcommands::None);
    };
    return {
        {.key = keys::WindowStyles, .fill = Fill::Styles},
        {.key = keys::WindowStates},
        {.key = keys::WindowBackgroundFiles,
         .fill = Fill::Pictures,
         .shownOn = [this](int surface) { return surface != kBackdropSurface || !IsTransparentWindow(); }},
        {.key = keys::WindowBackgroundColours, .separatorAfter = true},
        {.fill = Fill::Pictures,
         .keyOn =
             [page](int surface) { return page(surface) ? keys::CalendarBackgroundFiles : keys::CalendarImageFiles; }},
        {.fill = Fill::AutoPosition,
         .separatorAfter = true,
         .keyOn =
             [page](int surface) {
                 return page(surface) ? calendarcommands::AutoCalendarBackgroundPosition
                                      : calendarcommands::AutoCalendarImagePosition;
             }},
    };
}

platform::MenuItemArray& frmAlmanorvique::MenuItem(int n)
{
    if (n < 2 || n - 2 >= static_cast<int>(menus_->SettingSubmenus.size()))
        throw mduLib::SubscriptError();
    return *menus_->SettingSubmenus[n - 2];
}

platform::MenuItem& frmAlmanorvique::MenuCaption(int n) { return MenuItem(n).Entry(); }

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
    ++menus_->OpenPopups;
    struct Closed {
        int& count;
        ~Closed() { --count; }
    } closed{menus_->OpenPopups};
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
    commands_->AutoStartTag = AutoStart->Tag;
}

void frmAlmanorvique::PopupCalendarMenu(int Index)
{
    auto fill = [this, Index](platform::MenuItemArray& menu, const calendarform::SettingMenu& setting) {
        platform::MenuItem& entry = menu.Entry();
        if (setting.shownOn && !setting.shownOn(Index)) {
            entry.SetVisible(false);
            return;
        }
        const QString key = setting.keyOn ? setting.keyOn(Index) : setting.key;
        entry.SetCaption(key);
        switch (setting.fill) {
        case calendarform::SettingFill::List:
            mduUILib::FillMenuFromList(menu, mduLib::GetPropOptions(key, Properties_));
            mduUILib::CheckMenuItem(menu, mduLib::GetProp(key, Properties_), kByCaption);
            break;
        case calendarform::SettingFill::Styles:
            mduUILib::FillFileMenu(menu, gStylesFolder, QString(), calendarcommands::MoreFile, 10);
            mduUILib::CheckMenuItem(menu, mduLib::GetProp(key, Properties_), kByCaption);
            break;
        case calendarform::SettingFill::Pictures:
            mduUILib::FillImageMenu(menu, gImagesFolder);
            // The item of the file the value shows, wherever the value names it from.
            mduUILib::CheckMenuItem(menu, PictureFileOf(mduLib::GetProp(key, Properties_)), kByTag);
            break;
        case calendarform::SettingFill::AutoPosition:
            mduUILib::FillMenuFromList(menu, GetAutoPositionList());
            UncheckAll(menu);
            break;
        }
        entry.SetVisible(true);
    };
    int n = 2;
    for (const calendarform::SettingMenu& setting : SettingMenus())
        fill(MenuItem(n++), setting);
    SetAutoStartMenu();
    mduUILib::FillScreenSaverTimeMenu(ScreenSaverTime, GetScreenSaverCommand());

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
