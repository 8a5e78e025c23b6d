#pragma once
// How the calendar's menus set their check marks: by an item's caption or by its Tag.
#include "ui/menu_fillers.h"

namespace menuchecks {

constexpr qint16 kByCaption = 1;
constexpr qint16 kByTag = 0;

// Leaves no item of the submenu checked (the items are shared by several menus).
inline void UncheckAll(platform::MenuItemArray& menu) { mduUILib::CheckMenuItem(menu, QString(), kByTag); }

} // namespace menuchecks
