#include "desktop_settings.h"

#include "platform/picture_handles.h"

namespace mduAPILib {

float GetBitmapAspect(quint32 picture)
{
    const QSize s = platform::pictures::SizeOf(picture);
    if (s.width() <= 0)
        return 1.0f;
    return static_cast<float>(s.height()) / static_cast<float>(s.width());
}

} // namespace mduAPILib
