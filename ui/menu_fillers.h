#pragma once
// Fillers of the menus that list colours and screen-saver times, and closing open
// popups. A menu item keeps its Tag in the action's data.
#include <QMenu>
#include <QString>

namespace platform {

// Items 1 to 8 (made when missing): "Black", "Blue", "Cyan", "Green", "Magenta", "Red",
// "White", "Yellow", each with its caption as tag.
void FillColourMenu(QMenu& menu);
// Adds an item with that caption (and tag) unless the last item has it already.
void AppendMenuItem(QMenu& menu, const QString& caption);
// When exePath is the screen saver now: item 1 "Disabled", the others hidden; otherwise
// items 1 to 12 "40" to "150", shown.
void FillScreenSaverTimeMenu(QMenu& menu, const QString& exePath);
// Closes every popup menu that is open.
void EndMenu();

} // namespace platform
