#pragma once
// The never-shown menus' state: File, the actions on opened calendars, the companion
// agent, Edit, View, the central properties, the commands to every calendar window, and
// the notification-area icon.
#include "ui/menu_items.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>
#include <array>

namespace centralframe {

struct HiddenMenusState {
    QMenu* FileMenu = nullptr;
    QAction* NewCalendar = nullptr;
    platform::MenuItemArray Country{QStringLiteral("Country")};
    platform::MenuItemArray DeleteCountry{QStringLiteral("DeleteCountry")};
    platform::MenuItemArray Opened{QStringLiteral("Opened")};
    QMenu* AgentMenu = nullptr;
    QMenu* AgentSpeakerMenu = nullptr;
    QAction* AgentSeparator = nullptr;
    std::array<QAction*, 3> AgentAction{};
    QMenu* EditMenu = nullptr;
    QMenu* ViewMenu = nullptr;
    QMenu* CentralProperty = nullptr;
    QAction* WindowTitleBar = nullptr;
    QAction* HideStatusBar = nullptr;
    platform::MenuItemArray ScreenSaverTime{QStringLiteral("ScreenSaverTime")};
    QMenu* WindowsProperty = nullptr;
    platform::MenuItemArray Calendars{QStringLiteral("Calendars")};
    platform::MenuItemArray CalendarStyles{QStringLiteral("CalendarStyles")};
    QPointer<QSystemTrayIcon> TrayIcon;
};

} // namespace centralframe
