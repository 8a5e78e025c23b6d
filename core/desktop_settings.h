#pragma once
// Registry values and desktop settings: autostart, screen saver, wallpaper, and facts
// about the system and pictures.
#include <QtGlobal>

namespace mduAPILib {

// Height divided by width of the picture behind the handle; 1 when it has no width.
float GetBitmapAspect(quint32 picture);

} // namespace mduAPILib
