#include "eye_frames.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

QImage paintEyeFrame(int frame)
{
    const int s = 16;
    QImage img(s, s, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // The lid closes over frames 5 to 7 (a blink), the pupil travels round before it.
    const double open[11] = {0, 1, 1, 1, 1, 0.5, 0.1, 0.5, 1, 1, 1};
    const double h = 5.5 * open[frame];
    QPainterPath lid;
    lid.moveTo(1, 8);
    lid.quadTo(8, 8 - 2 * h, 15, 8);
    lid.quadTo(8, 8 + 2 * h, 1, 8);
    p.setPen(QPen(QColor(40, 40, 60), 1.2));
    p.setBrush(QColor(250, 250, 245));
    p.drawPath(lid);
    if (h > 1.5) {
        const double angle = (frame - 1) * 2 * M_PI / 10;
        const QPointF pupil(8 + 2.2 * std::cos(angle), 8 + 1.0 * std::sin(angle));
        p.setClipPath(lid);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 110, 170));
        p.drawEllipse(pupil, 3.0, 3.0);
        p.setBrush(Qt::black);
        p.drawEllipse(pupil, 1.4, 1.4);
    }
    return img;
}
