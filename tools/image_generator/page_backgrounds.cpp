#include "page_backgrounds.h"

#include "paint_kit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <numbers>

using namespace paintkit;

namespace {

int channel(double v) { return std::clamp(int(std::lround(v)), 0, 255); }

// Fills the image with base, brightened or darkened by shade(x, y) (1 = unchanged).
template <typename Shade> void shadePixels(QImage& img, const QColor& base, Shade shade)
{
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const double s = shade(x, y);
            line[x] = qRgb(channel(base.red() * s), channel(base.green() * s), channel(base.blue() * s));
        }
    }
}

void fibres(QPainter& p, QSizeF s, int count, const QColor& dark, const QColor& light, Rng& rng)
{
    p.setBrush(Qt::NoBrush);
    for (int i = 0; i < count; ++i) {
        const QPointF a(rng.range(-20, s.width() + 20), rng.range(-20, s.height() + 20));
        const double len = rng.chance(0.1) ? rng.range(40, 90) : rng.range(6, 32);
        const double angle = rng.range(0, 2 * std::numbers::pi);
        const QPointF d(std::cos(angle) * len, std::sin(angle) * len);
        const QPointF bend(-d.y() * rng.range(-0.3, 0.3), d.x() * rng.range(-0.3, 0.3));
        QPainterPath path(a);
        path.quadTo(a + d * 0.5 + bend, a + d);
        const bool isDark = rng.chance(0.6);
        p.setPen(QPen(withAlpha(isDark ? dark : light, rng.range(0.06, 0.16)), rng.range(0.4, 1.1), Qt::SolidLine,
                      Qt::RoundCap));
        p.drawPath(path);
    }
}

} // namespace

QImage paintPaper(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    const ValueNoise broad(201);
    const ValueNoise fine(202);
    shadePixels(img, QColor::fromRgb(0xf7f2e7), [&](int x, int y) {
        return 1.0 + 0.012 * (broad.fbm(x / 160.0, y / 160.0, 4) - 0.5) + 0.01 * (fine.at(x / 1.6, y / 1.6) - 0.5);
    });
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(203);
    fibres(p, size, 1700, QColor::fromRgb(0xbfae92), QColor::fromRgb(0xffffff), rng);
    p.end();
    dither(img, 204, 1.0);
    return img;
}

QImage paintParchment(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    const ValueNoise blotch(211);
    const ValueNoise grain(212);
    const ValueNoise edge(213);
    const double W = size.width();
    const double H = size.height();
    const QColor base = QColor::fromRgb(0xf3e7cc);
    // Old skins brown towards the edges rather than grey.
    const QColor rimColour = QColor::fromRgb(0xdcc08e);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const double n = blotch.fbm(x / 110.0, y / 110.0, 5);
            const double g = grain.fbm(x / 6.0, y / 6.0, 2);
            // A frayed edge line rather than a straight frame.
            const double d = std::min({double(x), W - 1 - x, double(y), H - 1 - y});
            const double wobble = (edge.fbm(x / 40.0, y / 40.0, 3) - 0.5) * 50.0;
            const double rim = 1.0 - smoothstep(0.0, 90.0, d + wobble);
            const double corner = smoothstep(0.75, 1.4, std::hypot((x - W / 2) / (W / 2), (y - H / 2) / (H / 2)));
            const QColor col = mix(base, rimColour, 0.7 * rim * rim + 0.3 * corner + 0.25 * (n - 0.5));
            const double s = 1.0 + 0.012 * (g - 0.5) - 0.02 * rim;
            line[x] = qRgb(channel(col.red() * s), channel(col.green() * s), channel(col.blue() * s));
        }
    }
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Rng rng(214);
    fibres(p, size, 220, QColor::fromRgb(0xb09670), QColor::fromRgb(0xfff8e8), rng);
    p.end();
    dither(img, 215, 1.0);
    return img;
}

QImage paintLinen(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    const ValueNoise slubs(221);
    const ValueNoise mottle(222);
    const QColor warp = QColor::fromRgb(0xdfe6ee);
    const QColor weft = QColor::fromRgb(0xe7eaee);
    constexpr double period = 3.6;
    constexpr double pi = std::numbers::pi;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            const double px = x / period;
            const double py = y / period;
            const int i = int(std::floor(px));
            const int j = int(std::floor(py));
            const double fx = px - i;
            const double fy = py - j;
            // Each thread has its own thickness along its length: the slubs of real linen.
            const double warpVar = slubs.at(i * 7.13, py / 9.0) - 0.5;
            const double weftVar = slubs.at(px / 9.0 + 500.0, j * 7.13) - 0.5;
            const bool warpOver = ((i + j) & 1) == 0;
            const double across = warpOver ? std::sin(pi * fx) : std::sin(pi * fy);
            const double profile = std::sqrt(std::max(0.0, across));
            const QColor& thread = warpOver ? warp : weft;
            const double var = warpOver ? warpVar : weftVar;
            const double m = mottle.fbm(x / 140.0, y / 140.0, 3) - 0.5;
            const double s = 0.955 + 0.06 * profile + 0.05 * var + 0.015 * m;
            line[x] = qRgb(channel(thread.red() * s), channel(thread.green() * s), channel(thread.blue() * s));
        }
    }
    dither(img, 223, 0.8);
    return img;
}

QImage paintBackdrop(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    const double W = size.width();
    const double H = size.height();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, W * 0.35, H);
    g.setColorAt(0.0, QColor::fromRgb(0xe6ecf3));
    g.setColorAt(0.55, QColor::fromRgb(0xc5d2e0));
    g.setColorAt(1.0, QColor::fromRgb(0x9fb2c8));
    p.fillRect(img.rect(), g);
    QRadialGradient light(W * 0.25, H * 0.15, W * 0.75);
    light.setColorAt(0.0, QColor(255, 252, 246, 120));
    light.setColorAt(1.0, QColor(255, 252, 246, 0));
    p.fillRect(img.rect(), light);
    QRadialGradient warm(W * 0.9, H * 0.95, W * 0.6);
    warm.setColorAt(0.0, QColor(214, 196, 214, 90));
    warm.setColorAt(1.0, QColor(214, 196, 214, 0));
    p.fillRect(img.rect(), warm);
    p.end();
    dither(img, 231, 1.5);
    return img;
}
