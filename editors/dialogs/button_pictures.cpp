#include "button_pictures.h"

#include <QColor>
#include <cmath>

namespace dialogpictures {

QImage ShadedBand(Rgb edge, Rgb middle, int width, int height)
{
    QImage img(width, height, QImage::Format_RGB888);
    const double half = (height - 1) / 2.0;
    for (int y = 0; y < height; ++y) {
        const double t = half > 0 ? 1.0 - std::abs(y - half) / half : 1.0; // 0 at the edges, 1 in the middle
        const QColor c(static_cast<int>(edge.r + (middle.r - edge.r) * t + 0.5),
                       static_cast<int>(edge.g + (middle.g - edge.g) * t + 0.5),
                       static_cast<int>(edge.b + (middle.b - edge.b) * t + 0.5));
        for (int x = 0; x < width; ++x)
            img.setPixelColor(x, y, c);
    }
    return img;
}

} // namespace dialogpictures
