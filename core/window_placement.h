#pragma once
// A window's size and position kept in its settings table under "Window Width",
// "Window Height", "Window Top" and "Window Left" (twips; -1 = placed automatically).
#include "settings_store.h"
#include "window_model.h"

#include <QRectF>
#include <vector>

namespace mduUILib {

// Automatic size a quarter of the screen, centred; automatic values leave a child alone.
void RestoreWindowPlacement(PlacedWindow& window, const mduLib::PropertyTable& table);
// The same with the screen divided by 1.8 and no child-window test.
void RestoreWindowPosition(PlacedWindow& window, const mduLib::PropertyTable& table);
// Stores value under key and writes the file, unless the key holds -1.
void SaveWindowValue(const QString& key, const QString& value, mduLib::PropertyTable& table, const QString& path);
// Writes top, left, height and width into the file as it is on disk (the whole table
// when there is no file yet).
void SaveWindowPlacement(PlacedWindow& window, const QString& path, mduLib::PropertyTable& table);
// Enables or disables the window itself; returns enabled.
bool EnableFormWindow(PlacedWindow& window, bool enabled);

// The available area of each screen in twips; the window layer installs the real one.
std::vector<QRectF> AvailableAreasTwips();
void SetAvailableAreasProvider(std::function<std::vector<QRectF>()> provider);
// The window moved, and shrunk where it is larger, into the available area of the screen
// nearest to it; unchanged when it lies within one already or no area is known.
QRectF KeptOnScreens(const QRectF& window, const std::vector<QRectF>& areas);

} // namespace mduUILib
