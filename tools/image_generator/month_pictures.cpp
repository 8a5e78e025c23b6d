#include "month_pictures.h"

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

constexpr double pi = std::numbers::pi;

QColor c(unsigned rgb, int alpha = 255)
{
    QColor col = QColor::fromRgb(QRgb(rgb));
    col.setAlpha(alpha);
    return col;
}

QImage canvas(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void begin(QPainter& p, QImage& image)
{
    p.begin(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
}

void snowflakes(QPainter& p, QSizeF s, int count, double maxRadius, const QColor& colour, Rng& rng)
{
    for (int i = 0; i < count; ++i) {
        const QPointF at(rng.range(0, s.width()), rng.range(0, s.height()));
        const double r = maxRadius * (0.3 + 0.7 * rng.uniform() * rng.uniform());
        glow(p, at, r * 2.2, withAlpha(colour, colour.alphaF() * 0.5));
        disc(p, at, r * 0.7, withAlpha(colour, colour.alphaF() * 0.9));
    }
}

void stars(QPainter& p, QSizeF s, double horizon, int count, Rng& rng)
{
    for (int i = 0; i < count; ++i) {
        const double y = horizon * std::pow(rng.uniform(), 1.3);
        const QPointF at(rng.range(0, s.width()), y);
        const double fadeOut = 1.0 - smoothstep(horizon * 0.55, horizon, y);
        const double b = std::pow(rng.uniform(), 3.0);
        const QColor tint = rng.chance(0.25) ? c(0xfff1d6) : (rng.chance(0.3) ? c(0xd6e4ff) : c(0xffffff));
        const double alpha = (0.35 + 0.65 * b) * fadeOut;
        if (b > 0.55)
            glow(p, at, 3.0 + 6.0 * b, withAlpha(tint, alpha * 0.45));
        disc(p, at, 0.45 + 1.1 * b, withAlpha(tint, alpha));
    }
}

// A ridge with a sprinkling of trees along its crest, drawn back to front.
template <typename DrawTree>
void treesAlong(const Ridge& ridge, double fromX, double toX, double step, double sink, Rng& rng, DrawTree draw)
{
    for (double x = fromX; x < toX; x += step * rng.range(0.5, 1.5))
        draw(QPointF(x, ridge.yAt(x) + sink * rng.uniform()));
}

// A long soft shadow lying on the ground from base, angle in degrees (0 = to the right).
void castShadow(QPainter& p, QPointF base, double length, double angle, const QColor& colour)
{
    p.save();
    p.translate(base);
    p.rotate(angle);
    QLinearGradient fade(0, 0, length, 0);
    fade.setColorAt(0.0, colour);
    fade.setColorAt(1.0, withAlpha(colour, 0.0));
    p.setPen(Qt::NoPen);
    p.setBrush(fade);
    p.drawEllipse(QPointF(length * 0.45, 0), length * 0.5, std::max(1.5, length * 0.05));
    p.restore();
}

struct Placed {
    QPointF at;
    double h;
};

void byDepth(std::vector<Placed>& v)
{
    std::sort(v.begin(), v.end(), [](const Placed& a, const Placed& b) { return a.at.y() < b.at.y(); });
}

// ---------------------------------------------------------------- January
QImage january(QSize size)
{
    const double W = size.width();
    const double H = size.height();
    QImage img = canvas(size);
    Rng rng(0x1a01);
    QPainter p;
    begin(p, img);

    fillVertical(p, QRectF(0, 0, W, H * 0.66),
                 {{0.0, c(0x7fa7d4)}, {0.5, c(0xb9d1ea)}, {0.85, c(0xe4edf5)}, {1.0, c(0xf7efe6)}});
    const QPointF sun(W * 0.7, H * 0.33);
    glow(p, sun, H * 0.6, c(0xfff1d8, 150));
    glow(p, sun, H * 0.12, c(0xfffaf0, 200));
    disc(p, sun, H * 0.032, c(0xfffdf6));
    p.drawImage(0, 0, cloudLayer(size, 0, H * 0.45, 11, 0.56, 80, c(0xffffff), c(0xb9cbe0), 3.2, 0.75));

    const Ridge mountains{H * 0.45, H * 0.09, 150, ValueNoise(15), 5};
    fillRidge(p, mountains, W, H, c(0xc9d8ea), c(0xd7e2ee));
    const Ridge far{H * 0.52, H * 0.06, 360, ValueNoise(12)};
    fillRidge(p, far, W, H, c(0xb7c9de), c(0xdce6f0));
    treesAlong(far, 0, W, 8, 6, rng, [&](QPointF at) {
        if (rng.chance(0.6))
            pine(p, at, rng.range(10, 20), c(0x7f99b4), c(0xdfe8f1), 0.6, rng);
    });

    const Ridge mid{H * 0.61, H * 0.05, 280, ValueNoise(13)};
    fillRidge(p, mid, W, H, c(0xf7f9fc), c(0xd2deeb));

    // A frozen pond in the hollow.
    const QPointF pond(W * 0.44, H * 0.715);
    QLinearGradient ice(0, pond.y() - 18, 0, pond.y() + 18);
    ice.setColorAt(0.0, c(0xa7c1dc));
    ice.setColorAt(1.0, c(0xcfdfee));
    p.setPen(QPen(c(0xffffff), 3));
    p.setBrush(ice);
    p.drawEllipse(pond, W * 0.17, H * 0.03);
    p.setPen(QPen(c(0xffffff, 150), 1.5, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 9; ++i) {
        const double x = pond.x() + rng.bell() * W * 0.1;
        const double y = pond.y() + rng.bell() * H * 0.018;
        p.drawLine(QPointF(x, y), QPointF(x + rng.range(10, 40), y));
    }

    std::vector<Placed> grove;
    for (double centre : {W * 0.14, W * 0.72, W * 0.9}) {
        for (int i = 0; i < 10; ++i) {
            const double x = centre + rng.bell() * 55;
            grove.push_back({QPointF(x, mid.yAt(x) + rng.range(4, 22)), rng.range(34, 78)});
        }
    }
    byDepth(grove);
    for (const auto& t : grove)
        castShadow(p, t.at, t.h * 1.1, 168, c(0x8ea8c8, 110));
    for (const auto& t : grove)
        pine(p, t.at, t.h, c(0x36564d), c(0xf6f9fd), 0.7, rng);
    for (double x : {W * 0.3, W * 0.58}) {
        const QPointF at(x, mid.yAt(x) + 26);
        castShadow(p, at, 90, 168, c(0x8ea8c8, 100));
        bareTree(p, at, rng.range(70, 95), c(0x6b6570), rng, 0.5);
    }

    const Ridge near{H * 0.82, H * 0.05, 420, ValueNoise(14), 3};
    fillRidge(p, near, W, H, c(0xffffff), c(0xd3e0ee));
    std::vector<Placed> front{{QPointF(W * 0.05, near.yAt(W * 0.05) + 34), 250},
                              {QPointF(W * 0.15, near.yAt(W * 0.15) + 44), 160},
                              {QPointF(W * 0.94, near.yAt(W * 0.94) + 40), 210}};
    for (const auto& t : front)
        castShadow(p, t.at, t.h * 0.8, 172, c(0x9fb6d4, 120));
    for (const auto& t : front)
        pine(p, t.at, t.h, c(0x2c4a43), c(0xf7fafd), 0.85, rng);

    // Glitter on the snow.
    for (int i = 0; i < 260; ++i) {
        const double x = rng.range(0, W);
        const double y = rng.range(near.yAt(x) + 4, H);
        disc(p, QPointF(x, y), rng.range(0.5, 1.3), c(0xffffff, int(rng.range(120, 255))));
    }
    snowflakes(p, size, 70, 1.8, c(0xffffff, 200), rng);
    p.end();
    return img;
}

// ---------------------------------------------------------------- February
QImage february(QSize size)
{
    const double W = size.width();
    const double H = size.height();
    QImage img = canvas(size);
    Rng rng(0x1a02);
    QPainter p;
    begin(p, img);

    fillVertical(p, QRectF(0, 0, W, H * 0.66),
                 {{0.0, c(0x33457a)}, {0.4, c(0x7a76ad)}, {0.72, c(0xdf9fb0)}, {1.0, c(0xf9cf9f)}});
    glow(p, QPointF(W * 0.36, H * 0.64), W * 0.55, c(0xffcf9a, 150));
    stars(p, QSizeF(W, H), H * 0.32, 40, rng);
    p.drawImage(0, 0, cloudLayer(size, H * 0.12, H * 0.5, 21, 0.6, 70, c(0xf6c3c0), c(0x8d86b5), 6.0, 0.7));

    const Ridge far{H * 0.6, H * 0.05, 300, ValueNoise(22)};
    fillRidge(p, far, W, H, c(0x5d5f91), c(0x7e7fae));
    treesAlong(far, 0, W, 7, 4, rng, [&](QPointF at) {
        if (rng.chance(0.6))
            pine(p, at, rng.range(10, 22), c(0x4b4c7c), c(0x4b4c7c), 0.0, rng);
    });

    const Ridge mid{H * 0.7, H * 0.05, 380, ValueNoise(23)};
    fillRidge(p, mid, W, H, c(0xf2d7df), c(0xaaa6d2));
    const Ridge near{H * 0.86, H * 0.05, 460, ValueNoise(24), 3};

    // Bare trees stand on the middle field, with long shadows towards the viewer.
    for (double x : {W * 0.12, W * 0.24, W * 0.71}) {
        const double base = mid.yAt(x) + rng.range(10, 20);
        castShadow(p, QPointF(x, base), 150, 170, c(0x6f6aa0, 110));
        bareTree(p, QPointF(x, base), rng.range(150, 210), c(0x3a3352), rng, 0.5);
    }
    fillRidge(p, near, W, H, c(0xeee2ee), c(0x9a9cca));
    for (int i = 0; i < 160; ++i) {
        const double x = rng.range(0, W);
        disc(p, QPointF(x, rng.range(near.yAt(x) + 4, H)), rng.range(0.5, 1.2), c(0xffffff, 180));
    }
    snowflakes(p, size, 180, 2.2, c(0xffffff, 190), rng);
    p.end();
    return img;
}

// A crocus cup seen from the side.
void crocus(QPainter& p, QPointF base, double h, const QColor& petal, Rng& rng)
{
    const double lean = rng.range(-0.15, 0.15) * h;
    const QPointF top(base.x() + lean, base.y() - h);
    p.setPen(QPen(c(0x5f8f3a), std::max(0.8, h * 0.07)));
    p.drawLine(base, top);
    // Narrow leaves at the foot.
    for (int i = 0; i < 2; ++i) {
        QPainterPath l;
        const double side = i == 0 ? -1 : 1;
        l.moveTo(base);
        l.quadTo(base.x() + side * h * 0.1, base.y() - h * 0.5, base.x() + side * h * 0.25, base.y() - h * 0.75);
        p.setPen(QPen(c(0x6e9e42), std::max(0.8, h * 0.06)));
        p.drawPath(l);
    }
    p.setPen(Qt::NoPen);
    const double w = h * 0.22;
    for (int i = -1; i <= 1; ++i) {
        QPainterPath cup;
        const QPointF tip(top.x() + i * w * 0.55, top.y() - h * 0.42);
        cup.moveTo(top);
        cup.quadTo(top.x() + i * w * 0.5 - w * 0.6, top.y() - h * 0.2, tip.x(), tip.y());
        cup.quadTo(top.x() + i * w * 0.5 + w * 0.6, top.y() - h * 0.2, top.x(), top.y());
        p.setBrush(scaled(petal, i == 0 ? 1.08 : 0.9));
        p.drawPath(cup);
    }
}

// ---------------------------------------------------------------- March
QImage march(QSize size)
{
    const double W = size.width();
    const double H = size.height();
    QImage img = canvas(size);
    Rng rng(0x1a03);
    QPainter p;
    begin(p, img);

    fillVertical(p, QRectF(0, 0, W, H * 0.6), {{0.0, c(0x6fa6de)}, {0.6, c(0xbcd8f1)}, {1.0, c(0xeef3ea)}});
    p.drawImage(0, 0, cloudLayer(size, 0, H * 0.5, 31, 0.49, 95, c(0xffffff), c(0xaabfd6), 2.4, 0.92));

    const Ridge far{H * 0.5, H * 0.08, 320, ValueNoise(32)};
    fillRidge(p, far, W, H, c(0x93aec4), c(0xaec3c6));
    const Ridge field1{H * 0.58, H * 0.04, 260, ValueNoise(33)};
    fillRidge(p, field1, W, H, c(0xa9c77c), c(0x93b365));
    // Hedgerow of young trees between the fields.
    treesAlong(field1, 0, W, 26, 4, rng, [&](QPointF at) {
        if (rng.chance(0.5))
            leafyTree(p, at, rng.range(16, 30), {c(0x7f9a55), c(0x8ca862), c(0x6d8a4a)}, c(0x5d5040), rng);
    });

    // A ploughed field: furrows run towards a point beyond the horizon.
    const Ridge ploughed{H * 0.67, H * 0.035, 300, ValueNoise(34)};
    fillRidge(p, ploughed, W, H, c(0xb49a74), c(0x96795a));
    p.save();
    p.setClipPath(ploughed.path(W, H));
    const QPointF vanish(W * 0.35, H * 0.45);
    for (int i = -60; i <= 60; ++i) {
        p.setPen(QPen(c(0x6e5539, 70), 1.6));
        p.drawLine(vanish, QPointF(vanish.x() + i * 28, H));
    }
    p.restore();

    const Ridge meadow{H * 0.79, H * 0.05, 380, ValueNoise(35), 3};
    fillRidge(p, meadow, W, H, c(0x9fcb68), c(0x5f9440));

    // An old tree just coming into leaf.
    std::vector<QPointF> tips;
    bareTree(p, QPointF(W * 0.8, meadow.yAt(W * 0.8) + 18), 290, c(0x4d3e33), rng, 0.4, &tips);
    p.setPen(Qt::NoPen);
    for (const auto& t : tips) {
        if (rng.chance(0.6))
            disc(p, t + QPointF(rng.bell() * 3, rng.bell() * 3), rng.range(1.0, 2.4),
                 pick({c(0xb5d96a), c(0xcfe58a), c(0x9cc658)}, rng));
    }

    grass(p, QRectF(0, H * 0.8, W, H * 0.22), 2600, {c(0x74a946), c(0x8cbf55), c(0x5f9638), c(0xa2cc66)}, 4, 26, rng);
    struct Flower {
        QPointF at;
        double h;
        QColor colour;
    };
    std::vector<Flower> flowers;
    const std::vector<QColor> crocusColours{c(0x8a5bc6), c(0xa47bd8), c(0xf4f0fa), c(0xf3c743), c(0x7b4fb8)};
    for (int i = 0; i < 230; ++i) {
        // Crocuses grow in drifts.
        const double cx = (i / 23) * W / 9.0 + rng.range(-30, 60);
        const double y = rng.range(H * 0.82, H * 1.03);
        const double t = (y - H * 0.82) / (H * 0.2);
        flowers.push_back({QPointF(cx + rng.bell() * 60, y), 8 + 34 * t * t, pick(crocusColours, rng, 0.06)});
    }
    std::sort(flowers.begin(), flowers.end(), [](const Flower& a, const Flower& b) { return a.at.y() < b.at.y(); });
    for (const auto& f : flowers)
        crocus(p, f.at, f.h, f.colour, rng);
    p.end();
    return img;
}

void blossomCluster(QPainter& p, QPointF at, double radius, int count, Rng& rng)
{
    const std::vector<QColor> pinks{c(0xf7c3d4), c(0xf3a6bf), c(0xfde3ec), c(0xffffff), c(0xeb94b1)};
    for (int i = 0; i < count; ++i) {
        const QPointF f(at.x() + rng.bell() * radius, at.y() + rng.bell() * radius);
        const double r = rng.range(3.0, 6.5);
        flower(p, f, r, pick(pinks, rng, 0.04), c(0xc2476f), 5, rng.range(0, 2 * pi));
    }
}

// ---------------------------------------------------------------- April
QImage april(QSize size)
{
    const double W = size.width();
    const double H = size.height();
    QImage img = canvas(size);
    Rng rng(0x1a04);
    QPainter p;
    begin(p, img);

    fillVertical(p, QRectF(0, 0, W, H * 0.62), {{0.0, c(0x5d9ede)}, {0.55, c(0xa9cdf0)}, {1.0, c(0xe4f0f4)}});
    p.drawImage(0, 0, cloudLayer(size, 0, H * 0.5, 41, 0.55, 100, c(0xffffff), c(0xb3c6dc), 2.4, 0.9));

    const Ridge far{H * 0.5, H * 0.1, 200, ValueNoise(42), 5};
    fillRidge(p, far, W, H, c(0x8db3c2), c(0xa8c6b8));
    const Ridge mid{H * 0.62, H * 0.05, 260, ValueNoise(43)};
    fillRidge(p, mid, W, H, c(0x97c566), c(0x79ab4c));
    treesAlong(mid, 0, W, 22, 6, rng, [&](QPointF at) {
        if (rng.chance(0.45)) {
            if (rng.chance(0.4))
                leafyTree(p, at, rng.range(22, 40), {c(0xf2c4d4), c(0xfbe2ea), c(0xe9aac0)}, c(0x5b4a3b), rng);
            else
                leafyTree(p, at, rng.range(22, 40), {c(0x6f9a45), c(0x83ad52), c(0x95bd5e)}, c(0x5b4a3b), rng);
        }
    });
    const Ridge meadow{H * 0.76, H * 0.04, 400, ValueNoise(44), 3};
    fillRidge(p, meadow, W, H, c(0xa6d06f), c(0x6aa144));
    grass(p, QRectF(0, H * 0.78, W, H * 0.24), 2200, {c(0x7db34b), c(0x93c45a), c(0x68a03e)}, 4, 20, rng);

    // The cherry trees: branches first, then blossom along the outer twigs.
    std::vector<QPointF> tips;
    bareTree(p, QPointF(W * 0.22, H * 1.02), H * 0.78, c(0x4a3530), rng, 0.62, &tips);
    bareTree(p, QPointF(W * 1.0, H * 0.98), H * 0.62, c(0x4f3a33), rng, 0.62, &tips);
    for (const auto& t : tips)
        blossomCluster(p, t, 8, 5, rng);
    // Petals on the wind and in the grass.
    for (int i = 0; i < 140; ++i) {
        const QPointF at(rng.range(0, W), rng.range(0, H));
        p.save();
        p.translate(at);
        p.rotate(rng.range(0, 360));
        p.setPen(Qt::NoPen);
        p.setBrush(c(0xf9d0dd, int(rng.range(150, 240))));
        p.drawEllipse(QPointF(0, 0), rng.range(2.0, 4.0), rng.range(1.2, 2.0));
        p.restore();
    }
    for (int i = 0; i < 300; ++i) {
        const double x = rng.range(0, W);
        const double y = rng.range(meadow.yAt(x) + 5, H);
        disc(p, QPointF(x, y), rng.range(0.8, 2.2), c(0xfbe1ea, 220));
    }
    p.end();
    return img;
}

// ---------------------------------------------------------------- May
QImage may(QSize size)
{
    const double W = size.width();
    const double H = size.height();
    QImage img = canvas(size);
    Rng rng(0x1a05);
    QPainter p;
    begin(p, img);

    fillVertical(p, QRectF(0, 0, W, H * 0.6), {{0.0, c(0x4a8fd8)}, {0.6, c(0xa7cdf0)}, {1.0, c(0xe6f0ee)}});
    p.drawImage(0, 0, cloudLayer(size, 0, H * 0.52, 51, 0.5, 110, c(0xffffff), c(0xa2b8d2), 2.0, 0.95));

    const Ridge far{H * 0.52, H * 0.06, 300, ValueNoise(52)};
    fillRidge(p, far, W, H, c(0x86aebd), c(0x9fbfae));
    const Ridge mid{H * 0.6, H * 0.04, 240, ValueNoise(53)};
    fillRidge(p, mid, W, H, c(0x7fb451), c(0x6aa042));
    treesAlong(mid, 0, W, 22, 5, rng, [&](QPointF at) {
        if (rng.chance(0.55))
            leafyTree(p, at, rng.range(20, 42), {c(0x4f7f34), c(0x5e8f3c), c(0x6f9f45)}, c(0x4a3c2e), rng);
    });
    const double top = H * 0.66;
    const Ridge meadow{top, H * 0.025, 420, ValueNoise(54), 3};
    fillRidge(p, meadow, W, H, c(0x9ccf5e), c(0x4f8c34));
    grass(p, QRectF(0, top, W, H - top + 10), 3200, {c(0x6ea844), c(0x86bd52), c(0x5a9638), c(0xa0cf62)}, 3, 30, rng);

    struct Bloom {
        QPointF at;
        double r;
        int kind;
    };
    std::vector<Bloom> blooms;
    for (int i = 0; i < 1500; ++i) {
        // Uniform in depth, so they crowd together towards the horizon.
        const double t = std::pow(rng.uniform(), 1.6);
        const double y = top + 4 + (H + 10 - top) * t;
        blooms.push_back({QPointF(rng.range(-10, W + 10), y), 1.2 + 10.0 * t, rng.below(10)});
    }
    std::sort(blooms.begin(), blooms.end(), [](const Bloom& a, const Bloom& b) { return a.at.y() < b.at.y(); });
    for (const auto& b : blooms) {
        const double rot = rng.range(0, 2 * pi);
        if (b.r > 4) {
            p.setPen(QPen(c(0x4f8a33), std::max(0.7, b.r * 0.14)));
            p.drawLine(b.at, b.at + QPointF(rng.range(-2, 2), b.r * 2.2));
        }
        if (b.kind < 4)
            flower(p, b.at, b.r, c(0xf7d33a), c(0xd99a1e), 5, rot);
        else if (b.kind < 7)
            flower(p, b.at, b.r, c(0xfbfbf6), c(0xf1c232), 12, rot);
        else if (b.kind < 9)
            flower(p, b.at, b.r * 1.1, c(0xe3392f), c(0x2b1d1d), 4, rot, 0.48);
        else
            flower(p, b.at, b.r * 0.9, c(0x5b7fd9), c(0x3a4f9e), 7, rot);
    }
    p.end();
    return img;
}

// ---------------------------------------------------------------- June
QImage june(QSize size)
{
    const double W = size.width();
    const double H = size.height();
    QImage img = canvas(size);
    Rng rng(0x1a06);
    QPainter p;
    begin(p, img);

    const double horizon = H * 0.5;
    fillVertical(p, QRectF(0, 0, W, horizon + 4),
                 {{0.0, c(0x7fa8d6)}, {0.5, c(0xc9d3dc)}, {0.82, c(0xf4dcb4)}, {1.0, c(0xf8c98e)}});
    const QPointF sun(W * 0.66, horizon - H * 0.07);
    glow(p, sun, W * 0.5, c(0xffe2a8, 170));
    glow(p, sun, H * 0.09, c(0xfff4d8, 230));
    disc(p, sun, H * 0.035, c(0xfffbef));
    p.drawImage(0, 0, cloudLayer(size, H * 0.05, H * 0.4, 61, 0.6, 80, c(0xfff1de), c(0xc8a9b8), 4.5, 0.8));

    const Ridge far{horizon, H * 0.025, 260, ValueNoise(62)};
    fillRidge(p, far, W, H, c(0xb4a6b4), c(0xb49eac));
    // A lone tree and a line of cypresses on the skyline.
    leafyTree(p, QPointF(W * 0.2, far.yAt(W * 0.2) + 3), 46, {c(0x5f6e4a), c(0x6d7c53)}, c(0x4a3f35), rng);
    for (int i = 0; i < 5; ++i) {
        const double x = W * 0.82 + i * 9;
        const double h = rng.range(26, 40);
        p.setPen(Qt::NoPen);
        p.setBrush(c(0x56624a));
        p.drawEllipse(QPointF(x, far.yAt(x) - h / 2 + 3), 3.6, h / 2);
    }

    const double fieldTop = horizon + 6;
    fillVertical(p, QRectF(0, fieldTop, W, H - fieldTop), {{0.0, c(0x9c9f6a)}, {1.0, c(0x5c7a36)}});
    const QPointF vp(W * 0.55, horizon - H * 0.04);
    p.save();
    p.setClipRect(QRectF(0, fieldTop, W, H - fieldTop));
    QLinearGradient rowShade(0, fieldTop, 0, H);
    rowShade.setColorAt(0.0, c(0xb7a0c8));
    rowShade.setColorAt(0.35, c(0x9a7cc0));
    rowShade.setColorAt(1.0, c(0x6a4a9e));
    const double spacing = 64;
    const double half = 22;
    for (int i = -26; i <= 26; ++i) {
        const double bx = vp.x() + i * spacing;
        QPainterPath row;
        row.moveTo(vp);
        row.lineTo(bx - half * 1.6, H + 40);
        row.lineTo(bx + half * 1.6, H + 40);
        row.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(rowShade);
        p.drawPath(row);
    }
    // Flower spikes: small dabs, larger and more purple towards the viewer.
    const std::vector<QColor> purples{c(0x8a63c4), c(0x9d78cf), c(0x7450ae), c(0xb08fdb), c(0x6a4a9e)};
    for (int i = -26; i <= 26; ++i) {
        const double bx = vp.x() + i * spacing;
        for (int k = 0; k < 900; ++k) {
            const double t = std::pow(rng.uniform(), 0.7);
            const double y = vp.y() + (H + 30 - vp.y()) * t;
            if (y < fieldTop)
                continue;
            const double xCentre = vp.x() + (bx - vp.x()) * t;
            const double x = xCentre + rng.bell() * half * 1.4 * t;
            if (x < -10 || x > W + 10)
                continue;
            const double depth = (y - fieldTop) / (H - fieldTop);
            const QColor haze = c(0xc2aed0);
            const QColor col = mix(haze, pick(purples, rng), 0.35 + 0.65 * depth);
            p.setBrush(col);
            const double r = 0.5 + 3.2 * depth;
            p.drawEllipse(QPointF(x, y - r), r * 0.7, r * 1.5);
        }
    }
    p.restore();
    p.end();
    return img;
}

// ---------------------------------------------------------------- July
QImage july(QSize size)
{
    const double W = size.width();
    const double H = size.height();
    QImage img = canvas(size);
    Rng rng(0x1a07);
    QPainter p;
    begin(p, img);

    const double horizon = H * 0.52;
    fillVertical(p, QRectF(0, 0, W, horizon + 2), {{0.0, c(0x2a79cc)}, {0.55, c(0x79b9e8)}, {1.0, c(0xd7eef8)}});
    const QPointF sun(W * 0.7, H * 0.17);
    glow(p, sun, H * 0.55, c(0xfffbe6, 150));
    glow(p, sun, H * 0.12, c(0xffffff, 230));
    disc(p, sun, H * 0.045, c(0xfffef7));
    p.drawImage(0, 0, cloudLayer(size, H * 0.24, horizon, 71, 0.6, 70, c(0xffffff), c(0xa9c4dc), 2.8, 0.9));

    // A green headland on the left runs down into the sea.
    const Ridge headland{horizon - H * 0.1, H * 0.05, 160, ValueNoise(72)};
    QPainterPath land;
    land.moveTo(-2, horizon + 2);
    for (double x = -2; x <= W * 0.45; x += 2) {
        const double fall = smoothstep(W * 0.18, W * 0.44, x);
        land.lineTo(x, headland.yAt(x) + (horizon - headland.yAt(x)) * fall);
    }
    land.lineTo(W * 0.45, horizon + 2);
    land.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c(0x6f9a90));
    p.drawPath(land);

    const double shore = H * 0.8;
    fillVertical(p, QRectF(0, horizon, W, shore - horizon + 30),
                 {{0.0, c(0x4f9ed2)}, {0.3, c(0x2572ad)}, {0.75, c(0x1f86b3)}, {1.0, c(0x3cb3c0)}});
    // Wave crests and troughs; they get longer towards the viewer.
    for (int i = 0; i < 2600; ++i) {
        const double t = std::pow(rng.uniform(), 1.7);
        const double y = horizon + 1 + (shore + 20 - horizon) * t;
        const double x = rng.range(0, W);
        const double len = 3 + 46 * t;
        const bool crest = rng.chance(0.5);
        p.setPen(QPen(crest ? c(0xffffff, int(40 + 60 * t)) : c(0x0f4f80, int(50 + 50 * t)), 0.6 + 1.6 * t,
                      Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, y), QPointF(x + len, y + rng.range(-0.5, 0.5)));
    }
    // The path of glitter under the sun.
    for (int i = 0; i < 1100; ++i) {
        const double t = std::pow(rng.uniform(), 1.5);
        const double y = horizon + 1 + (shore - horizon) * t;
        const double spread = 12 + 150 * t;
        const double x = sun.x() + rng.bell() * spread;
        const double len = 2 + 22 * t * rng.uniform();
        p.setPen(QPen(c(0xfffbe0, int(rng.range(140, 255))), 0.8 + 1.6 * t, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, y), QPointF(x + len, y));
    }
    // A sail far out.
    {
        const QPointF hull(W * 0.56, horizon + H * 0.03);
        QPainterPath sail;
        sail.moveTo(hull + QPointF(0, -2));
        sail.lineTo(hull + QPointF(0, -34));
        sail.lineTo(hull + QPointF(16, -3));
        sail.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(c(0xfdfbf4));
        p.drawPath(sail);
        p.setBrush(c(0xe9e3d6));
        QPainterPath jib;
        jib.moveTo(hull + QPointF(-1, -28));
        jib.lineTo(hull + QPointF(-1, -3));
        jib.lineTo(hull + QPointF(-11, -3));
        jib.closeSubpath();
        p.drawPath(jib);
        p.setBrush(c(0x7a4e3a));
        QPainterPath boat;
        boat.moveTo(hull + QPointF(-14, -2));
        boat.lineTo(hull + QPointF(20, -2));
        boat.lineTo(hull + QPointF(14, 2));
        boat.lineTo(hull + QPointF(-10, 2));
        boat.closeSubpath();
        p.drawPath(boat);
    }

    // Beach: wet sand, foam, dry sand with grain.
    const Ridge waterline{shore, H * 0.02, 200, ValueNoise(73), 3};
    fillRidge(p, waterline, W, H, c(0xcdb58b), c(0xe9d3a3));
    const Ridge drySand{shore + H * 0.035, H * 0.02, 260, ValueNoise(74), 3};
    fillRidge(p, drySand, W, H, c(0xf1deb0), c(0xe6c890));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c(0xffffff, 230), 3.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(waterline.path(W, H + 200));
    for (int i = 0; i < 500; ++i) {
        const double x = rng.range(0, W);
        const double y = waterline.yAt(x) + rng.range(-6, 5);
        disc(p, QPointF(x, y), rng.range(0.8, 3.0), c(0xffffff, int(rng.range(90, 200))));
    }
    for (int i = 0; i < 5000; ++i) {
        const double x = rng.range(0, W);
        const double y = rng.range(drySand.yAt(x), H);
        disc(p, QPointF(x, y), rng.range(0.4, 1.1), rng.chance(0.5) ? c(0xfff4d6, 130) : c(0xb8955f, 90));
    }
    p.end();
    return img;
}

void hayBale(QPainter& p, QPointF centre, double r)
{
    // Shadow away from the low sun on the left.
    p.setPen(Qt::NoPen);
    p.setBrush(c(0x7a5a26, 90));
    p.drawEllipse(QPointF(centre.x() + r * 1.4, centre.y() + r * 0.92), r * 1.6, r * 0.22);
    QLinearGradient body(centre.x(), centre.y() - r, centre.x(), centre.y() + r);
    body.setColorAt(0.0, c(0xf2d58a));
    body.setColorAt(0.6, c(0xc99a44));
    body.setColorAt(1.0, c(0x8f6a2a));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(centre.x() - r * 0.2, centre.y() - r, r * 1.5, r * 2), r * 0.3, r * 0.3);
    p.setBrush(c(0xe9c779));
    p.drawEllipse(QPointF(centre.x() - r * 0.2, centre.y()), r * 0.62, r);
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 4; ++i) {
        p.setPen(QPen(c(0xb48a3e, 170), std::max(0.7, r * 0.05)));
        p.drawEllipse(QPointF(centre.x() - r * 0.2, centre.y()), r * 0.62 * i / 5.0, r * i / 5.0);
    }
}

void wheatStalk(QPainter& p, QPointF base, double h, Rng& rng)
{
    const double lean = rng.range(-0.12, 0.2) * h;
    const QPointF top(base.x() + lean, base.y() - h);
    const QColor stem = pick({c(0xd6a84c), c(0xc99a3e), c(0xe2b860)}, rng);
    QPainterPath path(base);
    path.quadTo(QPointF(base.x() + lean * 0.2, base.y() - h * 0.5), top);
    p.setPen(QPen(stem, std::max(0.6, h * 0.008)));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    // The ear: grains on alternate sides, with whiskers.
    const double earLen = h * 0.16;
    const double angle = std::atan2(lean * 0.8, h);
    const QPointF dir(std::sin(angle), -std::cos(angle));
    const QPointF side(-dir.y(), dir.x());
    const QColor grain = pick({c(0xf0c96b), c(0xe7b652), c(0xf6d88a)}, rng);
    const int grains = 8;
    for (int g = 0; g < grains; ++g) {
        const double f = double(g) / grains;
        const QPointF at = top + dir * (f * earLen * 0.9);
        const double s = (g % 2 == 0) ? 1 : -1;
        const QPointF gc = at + side * (s * earLen * 0.06);
        p.save();
        p.translate(gc);
        p.rotate(angle * 180 / pi + s * 20);
        p.setPen(Qt::NoPen);
        p.setBrush(scaled(grain, 0.9 + 0.2 * f));
        p.drawEllipse(QPointF(0, 0), earLen * 0.05, earLen * 0.1);
        p.setPen(QPen(c(0xe9c67a, 180), 0.5));
        p.drawLine(QPointF(0, -earLen * 0.08), QPointF(s * earLen * 0.2, -earLen * 0.45));
        p.restore();
    }
}

// ---------------------------------------------------------------- August
QImage august(QSize size)
{
    const double W = size.width();
    const double H = size.height();
    QImage img = canvas(size);
    Rng rng(0x1a08);
    QPainter p;
    begin(p, img);

    fillVertical(p, QRectF(0, 0, W, H * 0.58),
                 {{0.0, c(0x6b9dd0)}, {0.55, c(0xc7d3d6)}, {0.85, c(0xf3d7a4)}, {1.0, c(0xf6c47c)}});
    const QPointF sun(W * 0.22, H * 0.3);
    glow(p, sun, W * 0.5, c(0xffe1a0, 150));
    glow(p, sun, H * 0.1, c(0xfff4d8, 230));
    disc(p, sun, H * 0.04, c(0xfffbee));
    p.drawImage(0, 0, cloudLayer(size, H * 0.02, H * 0.42, 81, 0.6, 90, c(0xfff6e6), c(0xc0b2b8), 3.2, 0.85));

    const Ridge trees{H * 0.52, H * 0.03, 200, ValueNoise(82)};
    fillRidge(p, trees, W, H, c(0x7d8f6c), c(0x76886a));
    treesAlong(trees, 0, W, 14, 3, rng, [&](QPointF at) {
        if (rng.chance(0.7))
            leafyTree(p, at, rng.range(18, 38), {c(0x6f8460), c(0x7a8f66), c(0x64795a)}, c(0x5a5040), rng);
    });

    const Ridge far{H * 0.56, H * 0.03, 260, ValueNoise(83)};
    fillRidge(p, far, W, H, c(0xe3c46f), c(0xd4ae58));
    const Ridge green{H * 0.61, H * 0.025, 300, ValueNoise(84)};
    fillRidge(p, green, W, H, c(0xa9b062), c(0x98a052));
    // Hedge between the fields.
    treesAlong(green, 0, W, 6, 2, rng, [&](QPointF at) {
        disc(p, at + QPointF(0, 2), rng.range(3, 6), pick({c(0x5e7448), c(0x6b8050), c(0x566c42)}, rng));
    });
    const Ridge stubble{H * 0.65, H * 0.03, 340, ValueNoise(85), 3};
    fillRidge(p, stubble, W, H, c(0xf2d27c), c(0xdcab4c));
    p.save();
    p.setClipPath(stubble.path(W, H));
    p.setBrush(Qt::NoBrush);
    // Rows of stubble follow the lie of the land, wider apart nearer the viewer.
    for (int r = 0; r < 30; ++r) {
        const double off = 3 + r * r * 0.42;
        p.setPen(QPen(c(0xb8862f, 55), 0.8 + r * 0.1));
        QPainterPath line;
        line.moveTo(-2, stubble.yAt(-2) + off);
        for (double x = 0; x <= W + 2; x += 4)
            line.lineTo(x, stubble.yAt(x) + off);
        p.drawPath(line);
    }
    p.restore();
    const double baleX[] = {W * 0.36, W * 0.5, W * 0.67, W * 0.86};
    const double baleY[] = {H * 0.69, H * 0.72, H * 0.7, H * 0.75};
    for (int i = 0; i < 4; ++i)
        hayBale(p, QPointF(baleX[i], baleY[i]), 9 + (baleY[i] - H * 0.66) * 0.55);

    // Standing wheat at the front, with a few poppies.
    struct Stalk {
        QPointF base;
        double h;
    };
    std::vector<Stalk> stalks;
    for (int i = 0; i < 620; ++i) {
        const double y = rng.range(H * 0.9, H * 1.15);
        stalks.push_back({QPointF(rng.range(-20, W + 20), y), (y - H * 0.8) * rng.range(0.85, 1.1)});
    }
    std::sort(stalks.begin(), stalks.end(), [](const Stalk& a, const Stalk& b) { return a.base.y() < b.base.y(); });
    for (std::size_t i = 0; i < stalks.size(); ++i) {
        wheatStalk(p, stalks[i].base, stalks[i].h, rng);
        if (i % 41 == 5) {
            const QPointF at(stalks[i].base.x() + 12, stalks[i].base.y() - stalks[i].h * 0.6);
            flower(p, at, 8, c(0xd9362b), c(0x2b1d1d), 4, rng.range(0, pi), 0.5);
        }
    }
    p.end();
    return img;
}

// Mirrors everything above the waterline into the water below it, with ripples.
void reflect(QImage& img, int waterline, const QColor& tint, std::uint32_t seed)
{
    const QImage source = img.copy();
    const ValueNoise noise(seed);
    const int W = img.width();
    const int H = img.height();
    for (int y = waterline; y < H; ++y) {
        const double depth = double(y - waterline) / (H - waterline);
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < W; ++x) {
            const double ripple = (noise.fbm(x / 90.0, y / (2.5 + depth * 8), 3) - 0.5) * (4 + 30 * depth);
            int sy = waterline - (y - waterline) - 1 + int(ripple * 0.4);
            sy = std::clamp(sy, 0, waterline - 1);
            const int sx = std::clamp(x + int(ripple), 0, W - 1);
            const QColor s = QColor::fromRgb(source.pixel(sx, sy));
            const QColor m = mix(s, tint, 0.22 + 0.4 * depth);
            line[x] = m.rgb();
        }
    }
}

// ---------------------------------------------------------------- September
QImage september(QSize size)
{
    const double W = size.width();
    const double H = size.height();
    QImage img = canvas(size);
    Rng rng(0x1a09);
    QPainter p;
    begin(p, img);

    const double shore = H * 0.56;
    fillVertical(p, QRectF(0, 0, W, shore), {{0.0, c(0x7aaed9)}, {0.5, c(0xbcd6e8)}, {1.0, c(0xf3e4cc)}});
    p.drawImage(0, 0, cloudLayer(size, 0, H * 0.38, 91, 0.57, 85, c(0xffffff), c(0xb6c3d4), 3.0, 0.85));
    const Ridge mountains{H * 0.36, H * 0.1, 220, ValueNoise(92), 5};
    fillRidge(p, mountains, W, shore, c(0x8ea5c3), c(0xb5c4d3));
    const Ridge hills{H * 0.46, H * 0.05, 180, ValueNoise(93)};
    fillRidge(p, hills, W, shore, c(0x7f9e98), c(0x93ab9f));

    // The far shore: a forest just turning.
    const std::vector<QColor> turning{c(0x5f8a3c), c(0x6f9444), c(0x82a04a), c(0xd8a640), c(0xc9772f), c(0x4f7a38)};
    for (int i = 0; i < 120; ++i) {
        const double x = rng.range(-20, W + 20);
        const double base = shore - rng.range(0, 14);
        if (rng.chance(0.3))
            pine(p, QPointF(x, base), rng.range(34, 62), c(0x3f6140), c(0x3f6140), 0.0, rng);
        else
            leafyTree(p, QPointF(x, base), rng.range(28, 56), {pick(turning, rng), pick(turning, rng)}, c(0x4a3c30),
                      rng);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(c(0x6b6a4b));
    p.drawRect(QRectF(0, shore - 2, W, 3));
    p.end();

    reflect(img, int(shore), c(0x3b6a84), 94);

    begin(p, img);
    p.drawImage(0, 0, fogLayer(size, shore - 6, H * 0.035, 95, c(0xf4efe6), 0.55));
    for (int i = 0; i < 380; ++i) {
        const double t = std::pow(rng.uniform(), 1.6);
        const double y = shore + 3 + (H - shore) * t;
        const double x = rng.range(0, W);
        p.setPen(QPen(c(0xffffff, int(30 + 50 * t)), 0.6 + t, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, y), QPointF(x + 8 + 60 * t, y));
    }
    // Fallen leaves afloat.
    for (int i = 0; i < 26; ++i) {
        const double t = rng.uniform();
        const double y = shore + 20 + (H - shore - 20) * t;
        p.save();
        p.translate(rng.range(0, W), y);
        p.scale(1.0, 0.45);
        leaf(p, QPointF(0, 0), 6 + 14 * t, rng.range(0, 360), pick({c(0xe0a23a), c(0xd0662a), c(0xe8c24e)}, rng));
        p.restore();
    }
    // Reeds in the near corner.
    for (int i = 0; i < 70; ++i) {
        const QPointF base(rng.range(-10, W * 0.22), H + 5);
        const double h = rng.range(80, 190);
        const double lean = rng.range(-20, 30);
        QPainterPath reed(base);
        reed.quadTo(base + QPointF(lean * 0.2, -h * 0.6), base + QPointF(lean, -h));
        p.setPen(
            QPen(pick({c(0x6d7a3a), c(0x8a8a45), c(0x5a6a32)}, rng), rng.range(1.2, 2.6), Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(reed);
        if (rng.chance(0.25)) {
            p.save();
            p.translate(base + QPointF(lean * 0.92, -h * 0.92));
            p.rotate(std::atan2(lean, h) * 180 / pi);
            p.setPen(Qt::NoPen);
            p.setBrush(c(0x6b4a2c));
            p.drawRoundedRect(QRectF(-3, -12, 6, 24), 3, 3);
            p.restore();
        }
    }
    p.end();
    return img;
}

// ---------------------------------------------------------------- October
QImage october(QSize size)
{
    const double W = size.width();
    const double H = size.height();
    QImage img = canvas(size);
    Rng rng(0x1a0a);
    QPainter p;
    begin(p, img);

    fillVertical(p, QRectF(0, 0, W, H * 0.6), {{0.0, c(0x79a6d4)}, {0.55, c(0xc6d8e4)}, {1.0, c(0xf6dcc0)}});
    p.drawImage(0, 0, cloudLayer(size, 0, H * 0.42, 101, 0.58, 90, c(0xfffaf2), c(0xbcb6c2), 2.8, 0.85));
    const Ridge far{H * 0.48, H * 0.06, 300, ValueNoise(102)};
    fillRidge(p, far, W, H, c(0xa8a4bd), c(0xbdb4bf));

    const std::vector<QColor> autumn{c(0xd8572a), c(0xe8902f), c(0xf2c14e), c(0xb63b2a), c(0x9aa03a), c(0xe5762c)};
    const Ridge forest{H * 0.57, H * 0.05, 260, ValueNoise(103)};
    fillRidge(p, forest, W, H, c(0xb0703c), c(0x8f5a32));
    for (int layer = 0; layer < 2; ++layer) {
        treesAlong(forest, -20, W + 20, layer == 0 ? 12 : 18, 10 + layer * 20, rng, [&](QPointF at) {
            const double h = layer == 0 ? rng.range(26, 50) : rng.range(40, 70);
            std::vector<QColor> hazed;
            for (const auto& col : autumn)
                hazed.push_back(mix(col, c(0xc9b8b0), layer == 0 ? 0.35 : 0.15));
            leafyTree(p, at + QPointF(0, layer * 14), h, hazed, c(0x5a4234), rng);
        });
    }

    const Ridge meadow{H * 0.74, H * 0.04, 380, ValueNoise(104), 3};
    fillRidge(p, meadow, W, H, c(0xb9a34e), c(0x7f7030));
    // A path winds from the viewer into the wood.
    QPainterPath path;
    path.moveTo(W * 0.38, H + 2);
    path.cubicTo(W * 0.5, H * 0.9, W * 0.36, H * 0.82, W * 0.5, meadow.yAt(W * 0.5) + 4);
    path.lineTo(W * 0.52, meadow.yAt(W * 0.52) + 4);
    path.cubicTo(W * 0.44, H * 0.82, W * 0.66, H * 0.9, W * 0.64, H + 2);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c(0xcaa878));
    p.drawPath(path);
    grass(p, QRectF(0, H * 0.76, W, H * 0.26), 1800, {c(0x9a8a3c), c(0xb5a04a), c(0x7d7a34), c(0xc4a857)}, 3, 22, rng);

    leafyTree(p, QPointF(W * 0.1, H * 0.94), 420, {c(0xd8572a), c(0xe5762c), c(0xc8452a), c(0xe8902f), c(0xb63b2a)},
              c(0x4a3428), rng);
    leafyTree(p, QPointF(W * 0.93, H * 0.9), 340, {c(0xf2c14e), c(0xe8a23a), c(0xd8802a), c(0xf4d468)}, c(0x4a3428),
              rng);

    // Leaves on the ground, thicker on the path, and a few still falling.
    for (int i = 0; i < 900; ++i) {
        const double t = std::pow(rng.uniform(), 0.8);
        const double y = H * 0.76 + (H * 0.26) * t;
        leaf(p, QPointF(rng.range(0, W), y), 3 + 13 * t, rng.range(0, 360), pick(autumn, rng, 0.12));
    }
    for (int i = 0; i < 45; ++i)
        leaf(p, QPointF(rng.range(0, W), rng.range(0, H * 0.8)), rng.range(10, 22), rng.range(0, 360),
             pick(autumn, rng, 0.1));
    p.end();
    return img;
}

// ---------------------------------------------------------------- November
QImage november(QSize size)
{
    const double W = size.width();
    const double H = size.height();
    QImage img = canvas(size);
    Rng rng(0x1a0b);
    QPainter p;
    begin(p, img);

    fillVertical(p, QRectF(0, 0, W, H * 0.6), {{0.0, c(0xaeb0c4)}, {0.6, c(0xe0d4d2)}, {1.0, c(0xf0e2d6)}});
    const QPointF sun(W * 0.3, H * 0.28);
    glow(p, sun, H * 0.45, c(0xfff0dc, 120));
    disc(p, sun, H * 0.05, c(0xfff6ea, 200));

    const QColor hazes[] = {c(0xcac0c6), c(0xaea2b0), c(0x8f8299), c(0x6f6380), c(0x4f4661)};
    const double bases[] = {H * 0.44, H * 0.53, H * 0.62, H * 0.73, H * 0.86};
    const double amps[] = {H * 0.08, H * 0.06, H * 0.05, H * 0.05, H * 0.04};
    for (int i = 0; i < 5; ++i) {
        const Ridge r{bases[i], amps[i], 300.0 - i * 20, ValueNoise(111 + i), 4};
        const QColor col = hazes[i];
        if (i >= 1 && i <= 3) {
            treesAlong(r, -10, W + 10, 10 + i * 3, 6, rng, [&](QPointF at) {
                if (rng.chance(0.55))
                    pine(p, at + QPointF(0, 4), rng.range(14, 26) * (1 + i * 0.4), scaled(col, 0.9), col, 0.0, rng);
            });
        }
        fillRidge(p, r, W, H, col, scaled(col, 1.05));
        if (i == 4) {
            for (double x : {W * 0.66, W * 0.8, W * 0.9}) {
                bareTree(p, QPointF(x, r.yAt(x) + 14), rng.range(150, 230), c(0x3a3344), rng, 0.38);
            }
        }
        if (i < 4)
            p.drawImage(0, 0, fogLayer(size, bases[i] + amps[i] * 0.8, H * 0.05, 120 + i, c(0xf1e6e0), 0.7));
    }
    grass(p, QRectF(0, H * 0.9, W, H * 0.12), 900, {c(0x4a4258), c(0x57495a), c(0x5d5262)}, 4, 18, rng);
    p.end();
    return img;
}

// A snowed-in hut with a lit window; base is the middle of its front wall's foot.
void cabin(QPainter& p, QPointF base, double h, Rng& rng)
{
    const double w = h * 1.5;
    const QRectF wall(base.x() - w / 2, base.y() - h * 0.62, w, h * 0.62);
    glow(p, QPointF(base.x(), base.y() - h * 0.3), h * 2.2, c(0xffc774, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(c(0x3b2c2a));
    p.drawRect(wall);
    p.setBrush(c(0x2c2120));
    p.drawRect(QRectF(base.x() + w * 0.18, base.y() - h * 1.05, h * 0.16, h * 0.4));
    QPainterPath roof;
    roof.moveTo(wall.left() - h * 0.14, wall.top() + 2);
    roof.lineTo(base.x(), base.y() - h * 1.0);
    roof.lineTo(wall.right() + h * 0.14, wall.top() + 2);
    roof.closeSubpath();
    p.setBrush(c(0xe4ecf7));
    p.drawPath(roof);
    for (double x : {base.x() - w * 0.25, base.x() + w * 0.22}) {
        const QRectF win(x - h * 0.1, base.y() - h * 0.44, h * 0.2, h * 0.18);
        glow(p, win.center(), h * 0.45, c(0xffd58a, 120));
        p.setBrush(c(0xffd98f));
        p.drawRect(win);
    }
    // Smoke from the chimney, thinning as it rises.
    for (int i = 0; i < 7; ++i) {
        const QPointF puff(base.x() + w * 0.26 + i * 3.0 + rng.range(-1, 1), base.y() - h * (1.1 + i * 0.22));
        disc(p, puff, h * (0.08 + i * 0.025), c(0xc8d2e4, 60 - i * 7));
    }
    // Snow drifted up against the front.
    p.setBrush(c(0xc9d7eb));
    p.drawEllipse(QPointF(base.x(), base.y() + 1), w * 0.7, h * 0.12);
}

// ---------------------------------------------------------------- December
QImage december(QSize size)
{
    const double W = size.width();
    const double H = size.height();
    QImage img = canvas(size);
    Rng rng(0x1a0c);
    QPainter p;
    begin(p, img);

    fillVertical(p, QRectF(0, 0, W, H * 0.7),
                 {{0.0, c(0x081231)}, {0.5, c(0x15295a)}, {0.85, c(0x2f4f86)}, {1.0, c(0x4c6fa0)}});
    stars(p, QSizeF(W, H), H * 0.62, 520, rng);
    const QPointF moon(W * 0.76, H * 0.17);
    glow(p, moon, H * 0.55, c(0xbfd0ff, 80));
    glow(p, moon, H * 0.1, c(0xe8eeff, 120));
    disc(p, moon, H * 0.05, c(0xf6f3e4));
    for (int i = 0; i < 6; ++i) {
        const QPointF crater = moon + QPointF(rng.bell() * H * 0.025, rng.bell() * H * 0.025);
        disc(p, crater, rng.range(2, 5), c(0xe2ddc8, 70));
    }

    const Ridge far{H * 0.6, H * 0.06, 320, ValueNoise(122)};
    fillRidge(p, far, W, H, c(0x7b93bd), c(0x5e769f));
    treesAlong(far, -10, W + 10, 8, 5, rng, [&](QPointF at) {
        if (rng.chance(0.6))
            pine(p, at, rng.range(12, 24), c(0x1f3552), c(0x8ea4c8), 0.5, rng);
    });
    const Ridge mid{H * 0.72, H * 0.05, 300, ValueNoise(123)};
    fillRidge(p, mid, W, H, c(0xb4c6e2), c(0x7387ae));
    cabin(p, QPointF(W * 0.45, mid.yAt(W * 0.45) + 16), 34, rng);
    for (double centre : {W * 0.22, W * 0.66}) {
        for (int i = 0; i < 9; ++i) {
            const double x = centre + rng.bell() * 70;
            pine(p, QPointF(x, mid.yAt(x) + rng.range(2, 12)), rng.range(34, 70), c(0x142840), c(0xc3d2ea), 0.7, rng);
        }
    }
    const Ridge near{H * 0.86, H * 0.04, 420, ValueNoise(124), 3};
    fillRidge(p, near, W, H, c(0xdde6f4), c(0x9aaccb));
    pine(p, QPointF(W * 0.9, near.yAt(W * 0.9) + 34), 250, c(0x10223a), c(0xd9e3f2), 0.85, rng);
    pine(p, QPointF(W * 0.04, near.yAt(W * 0.04) + 30), 200, c(0x10223a), c(0xd9e3f2), 0.85, rng);
    for (int i = 0; i < 300; ++i) {
        const double x = rng.range(0, W);
        disc(p, QPointF(x, rng.range(near.yAt(x) + 3, H)), rng.range(0.4, 1.2), c(0xffffff, int(rng.range(90, 230))));
    }
    p.end();
    return img;
}

} // namespace

QImage paintMonthPicture(int month, QSize size)
{
    using Painter = QImage (*)(QSize);
    static constexpr Painter painters[12] = {january, february, march,     april,   may,      june,
                                             july,    august,   september, october, november, december};
    QImage img = painters[std::clamp(month, 1, 12) - 1](size);
    dither(img, 0x5eed00u + unsigned(month), 1.5);
    return img;
}
