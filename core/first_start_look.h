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

// The file a picture value names: a value relative to the program folder (as the shipped
// styles and a style saved from the program folder's pictures hold them) lies in
// programFolder; a full path, "None" and "0" stand as they are.
QString PictureFilePath(const QString& value, const QString& programFolder);
// The value a style keeps for a picture file: its place in programFolder when it lies
// there, else the value as it is.
QString PictureValueFor(const QString& file, const QString& programFolder);

// The file a picture value shows: the value itself, or, when it names no file while a file
// of its name lies in imagesFolder, that one. A first start names the program folder's
// pictures by full path (older styles did too), and a copied or moved program folder keeps
// them there; a picture elsewhere that exists is never replaced.
QString PictureFileToShow(const QString& file, const QString& imagesFolder);

} // namespace mduAlmanorvqueLib
