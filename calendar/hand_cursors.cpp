#include "hand_cursors.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

namespace handcursors {

namespace {
constexpr int kSize = 32;

// A right hand seen from its back, fingers up, drawn in a 32 x 32 box.
QPainterPath HandPath(bool open, bool pointing)
{
    QPainterPath hand;
    hand.addRoundedRect(QRectF(9, 15, 15, 13), 4, 4); // palm
    if (pointing) {
        hand.addRoundedRect(QRectF(13, 2, 5, 16), 2.5, 2.5); // index finger
        for (int i = 0; i < 3; ++i)
            hand.addRoundedRect(QRectF(17.5 + i * 2.3, 12.5 + i * 0.8, 3.4, 6), 1.7, 1.7); // folded fingers
        hand.addRoundedRect(QRectF(6, 18, 6, 4), 2, 2);                                    // thumb
    } else if (open) {
        const double tops[] = {6, 3, 4, 7};
        for (int i = 0; i < 4; ++i)
            hand.addRoundedRect(QRectF(9 + i * 3.8, tops[i], 3.6, 14 - tops[i] + 4), 1.8, 1.8);
        QPainterPath thumb;
        thumb.addRoundedRect(QRectF(0, 0, 4, 10), 2, 2);
        hand.addPath(QTransform().translate(4, 14).rotate(-40).map(thumb));
    } else {
        for (int i = 0; i < 4; ++i)
            hand.addRoundedRect(QRectF(9 + i * 3.8, 11, 3.6, 7), 1.8, 1.8); // knuckles
        hand.addRoundedRect(QRectF(6, 17, 6, 4), 2, 2);
    }
    return hand.simplified();
}

QImage Draw(const QPainterPath& path)
{
    QImage img(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.end();
    // The copy leaves behind the paint engine the image keeps after painting (tens of kB).
    return img.copy();
}

QPainterPath Turned(const QPainterPath& path, double degrees, bool mirrored)
{
    QTransform t;
    t.translate(kSize / 2.0, kSize / 2.0);
    if (mirrored)
        t.scale(-1, 1);
    t.rotate(degrees);
    t.translate(-kSize / 2.0, -kSize / 2.0);
    return t.map(path);
}
} // namespace

std::vector<QImage> DrawHandCursors()
{
    // Every window shows the same pictures: drawn once, then shared.
    static const std::vector<QImage> drawn = [] {
        const QPainterPath pointing = HandPath(false, true);
        const QPainterPath open = HandPath(true, false);
        const QPainterPath closed = HandPath(false, false);
        return std::vector<QImage>{
            QImage(),
            Draw(Turned(pointing, 30, true)),  // up and to the left
            Draw(Turned(pointing, 30, false)), // up and to the right
            Draw(Turned(open, 0, true)),       // open, facing left
            Draw(Turned(closed, 0, true)),     // closed, facing left
            Draw(open),                        // open, facing right
            Draw(closed),                      // closed, facing right
        };
    }();
    return drawn;
}

bool IsPicture(const QImage& icon, const std::vector<QImage>& list, int index)
{
    return index >= 0 && index < static_cast<int>(list.size()) && !icon.isNull() &&
           icon.cacheKey() == list[index].cacheKey();
}

QImage DrawPageCorner(int index)
{
    QImage img(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (index == 0)
        p.setTransform(QTransform(-1, 0, 0, 1, kSize, 0));
    // The corner beyond the fold shows the next page; the flap lies folded back over this one.
    QPainterPath under;
    under.moveTo(kSize, 4);
    under.lineTo(kSize, kSize);
    under.lineTo(4, kSize);
    under.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(205, 205, 200));
    p.drawPath(under);
    QPainterPath flap;
    flap.moveTo(kSize, 4);
    flap.lineTo(4, kSize);
    flap.quadTo(9, 16, 12, 12);
    flap.quadTo(16, 9, kSize, 4);
    QLinearGradient shade(18, 18, 10, 10);
    shade.setColorAt(0, QColor(165, 165, 160));
    shade.setColorAt(1, QColor(252, 252, 248));
    p.setPen(QPen(QColor(110, 110, 110), 1));
    p.setBrush(shade);
    p.drawPath(flap);
    p.end();
    return img.copy(); // without the paint engine, as above
}

} // namespace handcursors
