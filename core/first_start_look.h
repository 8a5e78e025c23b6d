#pragma once
// The look of a window's first start: its new settings file names the shipped pictures,
// so that a user who never opened a menu sees a decorated calendar.
#include "settings_store.h"

#include <QString>

namespace mduAlmanorvqueLib {

// "Calendar Image Files" the month's picture, "Calendar Background Files" the paper page
// and "Window Background Files" the backdrop, each as the full path in imagesFolder and
// only where that file exists (the value's options stay).
void FillFirstStartPictures(mduLib::PropertyTable& table, int month, const QString& imagesFolder);
// The same on a settings file, written back; False (the file as it was) on failure.
bool FillFirstStartPictures(const QString& settingsFile, int month, const QString& imagesFolder);

} // namespace mduAlmanorvqueLib
