#pragma once
// A window's size and position kept in its settings table under "Window Width",
// "Window Height", "Window Top" and "Window Left" (twips; -1 = placed automatically).
#include "settings_store.h"
#include "window_model.h"

#include <QRectF>
#include <vector>

namespace mduUILib {

// A width or height below this (twips) leaves no usable window: a settings file without
// its geometry keys reads "0", and a window of that size could never be enlarged again.
constexpr qint32 kMinimumWindowSize = 1500;
// A stored width or height as it is applied: -1 (automatic) when below the minimum.
qint32 UsableWindowSize(qint32 stored);

// Automatic size a quarter of the screen, centred; automatic values leave a child alone.
void RestoreWindowPlacement(PlacedWindow& window, const mduLib::PropertyTable& table);
// As RestoreWindowPlacement, but automatic values place a child window as well: a quarter
// of the screen's size, centred in area (its frame's window area, twips), never above or
// left of the area's corner.
void RestoreChildWindowPlacement(PlacedWindow& window, const mduLib::PropertyTable& table, const QSizeF& area);
// The same with the screen divided by 1.8 and no child-window test.
void RestoreWindowPosition(PlacedWindow& window, const mduLib::PropertyTable& table);
// Stores value under key and writes the file, unless the key holds -1; a width or height
// is written only when both the stored and the new size are usable.
bool SaveWindowValue(const QString& key, const QString& value, mduLib::PropertyTable& table, const QString& path);
// Writes top, left, height and width into the file as it is on disk (the whole table
// when there is no file yet).
// False when the file could not be read whole or written.
bool SaveWindowPlacement(PlacedWindow& window, const QString& path, mduLib::PropertyTable& table);
// Enables or disables the window itself; returns enabled.
bool EnableFormWindow(PlacedWindow& window, bool enabled);

// The available area of each screen in twips; the window layer installs the real one.
std::vector<QRectF> AvailableAreasTwips();
void SetAvailableAreasProvider(std::function<std::vector<QRectF>()> provider);
// The window moved, and shrunk where it is larger, into the available area of the screen
// nearest to it; unchanged when it lies within one already or no area is known.
QRectF KeptOnScreens(const QRectF& window, const std::vector<QRectF>& areas);

} // namespace mduUILib
