#pragma once
// The main popup's state: its items, the screen-saver times in it, the colour menus that
// the first tick fills and the hidden View menu's auto-start item.
#include "ui/menu_items.h"

#include <QAction>
#include <QMenu>
#include <array>

namespace centralframe {

struct MenusState {
    QMenu* MainMenu = nullptr;
    QAction* AutoStart = nullptr;
    platform::MenuItemArray ScreenSaverTimeMain{QStringLiteral("ScreenSaverTimeMain"),
                                                QStringLiteral("Set Screen Saver")};
    std::array<QAction*, 10> MainItem{};
    platform::MenuItemArray BGColour{QStringLiteral("BGColour")};               // never shown
    platform::MenuItemArray CalendarColours{QStringLiteral("CalendarColours")}; // never shown
    QAction* ToolsItem15 = nullptr;                                             // of the hidden View menu
};

} // namespace centralframe
