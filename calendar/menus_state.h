#pragma once
// The window menu's setting entries, their submenus, and the popups open now.
#include "ui/menu_items.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace calendarform {

// How a setting entry fills its submenu each time the window menu opens.
enum class SettingFill {
    List,         // the options of its key; the current value checked
    Styles,       // at most ten style files and "More_"; the current style checked
    Pictures,     // the images folder's pictures, "None" and "More _"; the value's file checked
    AutoPosition, // the automatic-position choices; none checked
};

struct SettingMenu {
    QString key{}; // the entry's caption: the setting or command its choices go to
    SettingFill fill = SettingFill::List;
    bool separatorAfter = false;
    // For the surface the menu opens on (0 picture, 1 page, 2 backdrop): the key when
    // it depends on it, and whether the entry shows (always without).
    std::function<QString(int surface)> keyOn{};
    std::function<bool(int surface)> shownOn{};
};

struct MenusState {
    std::vector<std::unique_ptr<platform::MenuItemArray>> SettingSubmenus; // a row's MenuItem(n)
    // How many popups are open: the timer closes no window under a running menu.
    int OpenPopups = 0;
};

} // namespace calendarform
