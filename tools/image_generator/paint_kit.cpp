#include "paint_kit.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace paintkit {

double clamp01(double x) { return std::clamp(x, 0.0, 1.0); }

double smoothstep(double edge0, double edge1, double x)
{
    const double t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

QColor mix(const QColor& a, const QColor& b, double t)
{
    t = clamp01(t);
    return QColor::fromRgbF(
        float(a.redF() + (b.redF() - a.redF()) * t), float(a.greenF() + (b.greenF() - a.greenF()) * t),
        float(a.blueF() + (b.blueF() - a.blueF()) * t), float(a.alphaF() + (b.alphaF() - a.alphaF()) * t));
}

QColor scaled(const QColor& c, double factor)
{
    return QColor::fromRgbF(float(clamp01(c.redF() * factor)), float(clamp01(c.greenF() * factor)),
                            float(clamp01(c.blueF() * factor)), c.alphaF());
}

QColor withAlpha(const QColor& c, double alpha)
{
    QColor out = c;
    out.setAlphaF(float(clamp01(alpha)));
    return out;
}

QColor pick(const std::vector<QColor>& palette, Rng& rng, double variation)
{
    const QColor& base = palette[std::size_t(rng.below(int(palette.size())))];
    return scaled(base, 1.0 + variation * rng.bell());
}

void fillVertical(QPainter& p, const QRectF& rect, const QGradientStops& stops)
{
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setStops(stops);
    p.fillRect(rect, g);
}

void glow(QPainter& p, QPointF centre, double radius, const QColor& colour)
{
    QRadialGradient g(centre, radius);
    g.setColorAt(0.0, colour);
    g.setColorAt(0.25, withAlpha(colour, colour.alphaF() * 0.55));
    g.setColorAt(0.6, withAlpha(colour, colour.alphaF() * 0.15));
    g.setColorAt(1.0, withAlpha(colour, 0.0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

void disc(QPainter& p, QPointF centre, double radius, const QColor& colour)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(centre, radius, radius);
}

double Ridge::yAt(double x) const
{
    return baseY - amplitude * (noise.fbm(x / wavelength + phase, 0.37, octaves) - 0.5) * 2.0;
}

QPainterPath Ridge::path(double width, double bottom) const
{
    QPainterPath path;
    path.moveTo(-2, bottom);
    for (double x = -2; x <= width + 2; x += 2)
        path.lineTo(x, yAt(x));
    path.lineTo(width + 2, bottom);
    path.closeSubpath();
    return path;
}

void fillRidge(QPainter& p, const Ridge& ridge, double width, double bottom, const QColor& top, const QColor& low)
{
    QLinearGradient g(0, ridge.baseY - ridge.amplitude, 0, bottom);
    g.setColorAt(0.0, top);
    g.setColorAt(1.0, low);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(ridge.path(width, bottom));
}

void pine(QPainter& p, QPointF base, double height, const QColor& body, const QColor& snow, double snowAmount, Rng& rng)
{
    const double trunkH = height * 0.09;
    const double trunkW = std::max(1.0, height * 0.05);
    p.setPen(Qt::NoPen);
    p.setBrush(scaled(body, 0.6));
    p.drawRect(QRectF(base.x() - trunkW / 2, base.y() - trunkH, trunkW, trunkH + 1));

    const int tiers = height > 80 ? 7 : (height > 30 ? 5 : 4);
    const double canopyBottom = base.y() - trunkH * 0.7;
    const double canopyTop = base.y() - height;
    const double canopyH = canopyBottom - canopyTop;
    const double halfW = height * 0.24;
    // Tiers from the bottom up: each upper one hangs over the one below.
    for (int i = 0; i < tiers; ++i) {
        const double f = double(i) / tiers;
        const double yBottom = canopyBottom - f * canopyH * 0.86;
        const double tierH = canopyH * (0.36 - 0.1 * f);
        const double apexY = i == tiers - 1 ? canopyTop : std::max(canopyTop, yBottom - tierH);
        const double h = yBottom - apexY;
        const double w = halfW * std::pow(1.0 - f * 0.92, 0.9);
        const double wr = w * rng.range(0.88, 1.1);
        const double wl = w * rng.range(0.88, 1.1);
        const double x = base.x() + rng.range(-0.015, 0.015) * height;
        const QPointF apex(x, apexY);

        QPainterPath tier(apex);
        tier.quadTo(x + wr * 0.3, yBottom - h * 0.45, x + wr, yBottom + h * 0.1);
        // Boughs hang down at their ends; between them the edge notches up.
        const int boughs = w > 12 ? 4 : 3;
        double px = x + wr;
        for (int b = 1; b <= boughs; ++b) {
            const double nx = x + wr - (wr + wl) * b / boughs;
            const double dropEnd = b == boughs ? h * 0.1 : h * rng.range(0.0, 0.12);
            tier.quadTo((px + nx) / 2, yBottom - h * 0.18, nx, yBottom + dropEnd);
            px = nx;
        }
        tier.quadTo(x - wl * 0.3, yBottom - h * 0.45, apex.x(), apex.y());
        tier.closeSubpath();
        p.setBrush(scaled(body, 0.92 + 0.22 * f));
        p.drawPath(tier);

        p.save();
        p.setClipPath(tier);
        // The side away from the light, and the shade under each tier.
        QLinearGradient side(x - w * 0.1, 0, x + w, 0);
        side.setColorAt(0.0, withAlpha(scaled(body, 0.5), 0.0));
        side.setColorAt(1.0, withAlpha(scaled(body, 0.5), 0.55));
        p.fillRect(QRectF(x - w * 0.1, apexY, w * 1.3, h * 1.3), side);

        if (snowAmount > 0.0) {
            // The snow cap repeats the tier's own outline, squashed up towards the apex.
            QTransform squash;
            squash.translate(apex.x(), apex.y());
            squash.scale(1.02, 0.42 + 0.3 * snowAmount * rng.range(0.8, 1.1));
            squash.translate(-apex.x(), -apex.y());
            const QPainterPath cap = squash.map(tier);
            p.setClipping(false);
            p.setBrush(snow);
            p.drawPath(cap);
            p.setClipPath(cap);
            QLinearGradient shade(x - w * 0.2, 0, x + w, 0);
            shade.setColorAt(0.0, withAlpha(QColor(120, 150, 200), 0.0));
            shade.setColorAt(1.0, withAlpha(QColor(120, 150, 200), 0.35));
            p.fillRect(QRectF(x - w * 0.2, apexY, w * 1.4, h), shade);
        }
        p.restore();
    }
}

namespace {

// One limb as a tapered, slightly bent band from width w0 to w1.
void taperedSegment(QPainter& p, QPointF from, QPointF control, QPointF to, double w0, double w1, const QColor& colour)
{
    if (w0 < 1.3) {
        QPainterPath path(from);
        path.quadTo(control, to);
        p.setPen(QPen(colour, std::max(0.5, (w0 + w1) / 2), Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        return;
    }
    constexpr int steps = 10;
    QPolygonF left;
    QPolygonF right;
    for (int i = 0; i <= steps; ++i) {
        const double t = double(i) / steps;
        const QPointF pt = (1 - t) * (1 - t) * from + 2 * (1 - t) * t * control + t * t * to;
        const QPointF d = 2 * (1 - t) * (control - from) + 2 * t * (to - control);
        const double len = std::max(1e-6, std::hypot(d.x(), d.y()));
        const QPointF n(-d.y() / len, d.x() / len);
        const double w = (w0 + (w1 - w0) * t) / 2;
        left << pt + n * w;
        right.prepend(pt - n * w);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(left + right);
    p.drawEllipse(to, w1 / 2, w1 / 2);
}

void branch(QPainter& p, QPointF from, double angle, double length, double width, int depth, const QColor& colour,
            Rng& rng, double spread, std::vector<QPointF>* tips)
{
    const QPointF to(from.x() + length * std::sin(angle), from.y() - length * std::cos(angle));
    const double bend = rng.range(-0.15, 0.15) * length;
    const QPointF control((from.x() + to.x()) / 2 + bend * std::cos(angle),
                          (from.y() + to.y()) / 2 + bend * std::sin(angle));
    const double endWidth = width * 0.68;
    taperedSegment(p, from, control, to, width, endWidth, colour);
    if (tips && depth <= 3)
        tips->push_back(to);
    if (tips && depth <= 2)
        tips->push_back((from + to) / 2);
    if (depth <= 0 || length < 2.5)
        return;
    const int children = rng.chance(0.35) ? 3 : 2;
    for (int i = 0; i < children; ++i) {
        const double side = (i - (children - 1) / 2.0);
        double a = angle + side * spread * rng.range(0.7, 1.3) + rng.range(-0.15, 0.15);
        // A gentle pull back towards upright, as limbs reach for light; never downwards.
        a = std::clamp(a * 0.95, -1.7, 1.7);
        branch(p, to, a, length * rng.range(0.66, 0.8), endWidth, depth - 1, colour, rng, spread, tips);
    }
}

} // namespace

void bareTree(QPainter& p, QPointF base, double height, const QColor& colour, Rng& rng, double spread,
              std::vector<QPointF>* tips)
{
    const double trunk = height * 0.3;
    branch(p, base, rng.range(-0.06, 0.06), trunk, height * 0.06, 7, colour, rng, spread, tips);
}

void leafyTree(QPainter& p, QPointF base, double height, const std::vector<QColor>& palette, const QColor& trunk,
               Rng& rng)
{
    const double trunkW = height * 0.07;
    QPainterPath stem;
    stem.moveTo(base.x() - trunkW, base.y());
    stem.quadTo(base.x() - trunkW * 0.4, base.y() - height * 0.3, base.x() - trunkW * 0.3, base.y() - height * 0.6);
    stem.lineTo(base.x() + trunkW * 0.3, base.y() - height * 0.6);
    stem.quadTo(base.x() + trunkW * 0.4, base.y() - height * 0.3, base.x() + trunkW, base.y());
    stem.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(trunk);
    p.drawPath(stem);

    const QPointF c(base.x(), base.y() - height * 0.64);
    const double rx = height * 0.36;
    const double ry = height * 0.33;
    // The crown is a few overlapping lobes, so its outline is bumpy rather than a ball.
    struct Lobe {
        double x, y, r;
    };
    std::vector<Lobe> lobes{{0.0, 0.0, 0.62}};
    const int lobeCount = 6;
    for (int i = 0; i < lobeCount; ++i) {
        const double a = 2 * std::numbers::pi * (i + rng.range(-0.3, 0.3)) / lobeCount;
        lobes.push_back({std::cos(a) * 0.45, std::sin(a) * 0.4, rng.range(0.4, 0.58)});
    }
    const double leafSize = std::clamp(height * 0.085, 1.4, 10.0);
    const int count = std::max(30, int(std::numbers::pi * rx * ry / (leafSize * leafSize) * 1.1));
    p.setPen(Qt::NoPen);
    // Three passes give the crown volume: a dark body, the leaves, then the lit side.
    for (int pass = 0; pass < 3; ++pass) {
        const int n = pass == 1 ? count : count / 2;
        for (int i = 0; i < n; ++i) {
            const Lobe& lobe = lobes[std::size_t(rng.below(int(lobes.size())))];
            const double a = rng.range(0, 2 * std::numbers::pi);
            const double r = std::sqrt(rng.uniform()) * lobe.r;
            double dx = lobe.x + std::cos(a) * r;
            double dy = lobe.y + std::sin(a) * r;
            if (pass == 2) {
                if (dx + dy > -0.1)
                    continue;
                dx *= 0.92;
                dy *= 0.92;
            }
            const QPointF at(c.x() + dx * rx, c.y() + dy * ry);
            const double size = leafSize * (pass == 0 ? rng.range(1.1, 1.5) : rng.range(0.7, 1.1));
            double light = 1.0 - 0.2 * dx - 0.25 * dy;
            if (pass == 0)
                light *= 0.68;
            if (pass == 2)
                light *= 1.15;
            p.setBrush(scaled(pick(palette, rng), light));
            p.drawEllipse(at, size, size * 0.85);
        }
    }
}

void flower(QPainter& p, QPointF centre, double radius, const QColor& petal, const QColor& heart, int petals,
            double rotation, double petalWidth)
{
    p.setPen(Qt::NoPen);
    p.setBrush(petal);
    for (int i = 0; i < petals; ++i) {
        const double a = rotation + 2 * std::numbers::pi * i / petals;
        p.save();
        p.translate(centre);
        p.rotate(a * 180.0 / std::numbers::pi);
        p.drawEllipse(QPointF(radius * 0.55, 0), radius * 0.5, radius * petalWidth);
        p.restore();
    }
    p.setBrush(heart);
    p.drawEllipse(centre, radius * 0.28, radius * 0.28);
}

void grass(QPainter& p, const QRectF& area, int count, const std::vector<QColor>& palette, double minHeight,
           double maxHeight, Rng& rng)
{
    struct Blade {
        double x, y;
    };
    std::vector<Blade> blades(std::size_t(std::max(0, count)));
    for (auto& b : blades)
        b = {rng.range(area.left(), area.right()), rng.range(area.top(), area.bottom())};
    std::sort(blades.begin(), blades.end(), [](const Blade& a, const Blade& b) { return a.y < b.y; });
    p.setPen(Qt::NoPen);
    for (const auto& b : blades) {
        const double t = (b.y - area.top()) / std::max(1.0, area.height());
        const double h = (minHeight + (maxHeight - minHeight) * t) * rng.range(0.6, 1.2);
        const double w = 0.6 + 2.2 * t;
        const double lean = rng.range(-0.45, 0.45) * h;
        QPainterPath blade;
        blade.moveTo(b.x - w, b.y);
        blade.quadTo(b.x - w * 0.3 + lean * 0.2, b.y - h * 0.6, b.x + lean, b.y - h);
        blade.quadTo(b.x + w * 0.3 + lean * 0.2, b.y - h * 0.6, b.x + w, b.y);
        blade.closeSubpath();
        p.setBrush(scaled(pick(palette, rng), 0.85 + 0.3 * t));
        p.drawPath(blade);
    }
}

QPainterPath leafShape(double length)
{
    QPainterPath path;
    path.moveTo(0, 0);
    path.quadTo(length * 0.45, -length * 0.42, length, 0);
    path.quadTo(length * 0.45, length * 0.42, 0, 0);
    path.closeSubpath();
    return path;
}

void leaf(QPainter& p, QPointF centre, double length, double angle, const QColor& colour)
{
    p.save();
    p.translate(centre);
    p.rotate(angle);
    p.translate(-length / 2, 0);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(leafShape(length));
    p.setPen(QPen(scaled(colour, 0.7), std::max(0.5, length * 0.05)));
    p.drawLine(QPointF(-length * 0.15, 0), QPointF(length * 0.85, 0));
    p.restore();
}

QImage cloudLayer(QSize size, double top, double bottom, std::uint32_t seed, double coverage, double scale,
                  const QColor& lit, const QColor& shadow, double stretch, double opacity)
{
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    const ValueNoise noise(seed);
    const double span = bottom - top;
    const int y0 = std::max(0, int(top));
    const int y1 = std::min(size.height(), int(bottom) + 1);
    for (int y = y0; y < y1; ++y) {
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        const double band = smoothstep(top, top + span * 0.2, y) * (1.0 - smoothstep(bottom - span * 0.35, bottom, y));
        if (band <= 0.0)
            continue;
        for (int x = 0; x < size.width(); ++x) {
            const double u = x / (scale * stretch);
            const double v = y / scale;
            const double n = noise.fbm(u, v, 5);
            const double density = smoothstep(coverage, coverage + 0.2, n * (0.75 + 0.25 * band)) * band;
            if (density <= 0.0)
                continue;
            // Lit from above: brighter where the cloud thins out towards the top.
            const double above = noise.fbm(u, v - 0.12, 5);
            const double light = clamp01(0.6 + (n - above) * 6.0);
            const QColor c = mix(shadow, lit, light);
            const double a = clamp01(density * opacity);
            line[x] = qPremultiply(qRgba(c.red(), c.green(), c.blue(), int(a * 255 + 0.5)));
        }
    }
    return layer;
}

QImage fogLayer(QSize size, double centreY, double halfHeight, std::uint32_t seed, const QColor& colour,
                double strength)
{
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    const ValueNoise noise(seed);
    for (int y = 0; y < size.height(); ++y) {
        const double d = (y - centreY) / halfHeight;
        const double profile = std::exp(-d * d);
        if (profile < 0.01)
            continue;
        auto* line = reinterpret_cast<QRgb*>(layer.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            const double n = noise.fbm(x / 240.0, y / 30.0, 4);
            const double a = clamp01(strength * profile * (0.35 + 1.1 * n));
            line[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), int(a * 255 + 0.5)));
        }
    }
    return layer;
}

void dither(QImage& image, std::uint32_t seed, double amount)
{
    Rng rng(seed);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int d = int(std::lround((rng.uniform() - 0.5) * 2.0 * amount));
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + d, 0, 255), std::clamp(qGreen(c) + d, 0, 255),
                           std::clamp(qBlue(c) + d, 0, 255));
        }
    }
}

} // namespace paintkit
