#pragma once
// The Window menu's state: the popup and its items, the window list in it, and the list of
// recently opened calendars with the never-shown menus that show it.
#include "core/settings_store.h"

#include <QAction>
#include <QMenu>
#include <array>
#include <vector>

namespace centralframe {

struct WindowMenuState {
    QMenu* Window = nullptr;
    std::array<QAction*, 10> WindowItem{};
    std::vector<QAction*> OpenedWindow; // 1-based; [0] unused
    QAction* WindowExit = nullptr;
    mduLib::PropertyTable OpenedList;
    QMenu* LastOpenedMenu = nullptr; // "Open Last Opened", never shown
    QMenu* OpenedAction = nullptr;   // never shown
};

} // namespace centralframe
