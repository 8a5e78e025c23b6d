#pragma once
// A window's size and position kept in its settings table under "Window Width",
// "Window Height", "Window Top" and "Window Left" (twips; -1 = placed automatically).
#include "settings_store.h"
#include "window_model.h"

namespace mduUILib {

// Automatic size a quarter of the screen, centred; automatic values leave a child alone.
void RestoreWindowPlacement(PlacedWindow& window, const mduLib::PropertyTable& table);
// The same with the screen divided by 1.8 and no child-window test.
void RestoreWindowPosition(PlacedWindow& window, const mduLib::PropertyTable& table);
// Stores value under key and writes the file, unless the key holds -1.
void SaveWindowValue(const QString& key, const QString& value, mduLib::PropertyTable& table, const QString& path);
// Reloads the table from the file, then saves top, left, height and width.
void SaveWindowPlacement(PlacedWindow& window, const QString& path, mduLib::PropertyTable& table);

} // namespace mduUILib
