#pragma once
// Loaded pictures are known to non-window code by a handle, as bitmaps are on the desktop;
// the handle tells the picture's size in pixels.
#include <QSize>
#include <QtGlobal>

namespace platform::pictures {

// A new non-zero handle for a picture of that size.
quint32 Register(QSize pixels);
void Release(quint32 handle);
// The size of the picture, an empty size for an unknown handle (or 0).
QSize SizeOf(quint32 handle);

} // namespace platform::pictures
