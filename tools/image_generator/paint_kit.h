#pragma once

// Building blocks shared by the pictures: colour arithmetic, skies, ridges, trees,
// flowers and semi-transparent layers (clouds, fog) drawn pixel by pixel.

#include "noise.h"

#include <QColor>
#include <QGradientStops>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include <cstdint>
#include <vector>

class QPainter;

namespace paintkit {

double clamp01(double x);
double smoothstep(double edge0, double edge1, double x);
QColor mix(const QColor& a, const QColor& b, double t);
// Multiplies the RGB channels by factor (above 1 lightens), keeping alpha.
QColor scaled(const QColor& c, double factor);
QColor withAlpha(const QColor& c, double alpha);
// A colour from the list, with a little random variation of brightness.
QColor pick(const std::vector<QColor>& palette, Rng& rng, double variation = 0.08);

void fillVertical(QPainter& p, const QRectF& rect, const QGradientStops& stops);
// A radial fade from colour at the centre to nothing at radius.
void glow(QPainter& p, QPointF centre, double radius, const QColor& colour);
void disc(QPainter& p, QPointF centre, double radius, const QColor& colour);

// A horizon line made of noise; yAt gives its height at x.
struct Ridge {
    double baseY;
    double amplitude;
    double wavelength;
    ValueNoise noise;
    int octaves = 4;
    double phase = 0.0;

    double yAt(double x) const;
    QPainterPath path(double width, double bottom) const;
};
void fillRidge(QPainter& p, const Ridge& ridge, double width, double bottom, const QColor& top, const QColor& low);

void pine(QPainter& p, QPointF base, double height, const QColor& body, const QColor& snow, double snowAmount,
          Rng& rng);
// tips, when given, collects the ends of the outer twigs (where buds and blossom go).
void bareTree(QPainter& p, QPointF base, double height, const QColor& colour, Rng& rng, double spread = 0.45,
              std::vector<QPointF>* tips = nullptr);
void leafyTree(QPainter& p, QPointF base, double height, const std::vector<QColor>& palette, const QColor& trunk,
               Rng& rng);
void flower(QPainter& p, QPointF centre, double radius, const QColor& petal, const QColor& heart, int petals,
            double rotation, double petalWidth = 0.3);
// Blades rooted anywhere in area; those lower in the area are taller (nearer the eye).
void grass(QPainter& p, const QRectF& area, int count, const std::vector<QColor>& palette, double minHeight,
           double maxHeight, Rng& rng);
// A pointed leaf along the x axis from 0 to length.
QPainterPath leafShape(double length);
void leaf(QPainter& p, QPointF centre, double length, double angle, const QColor& colour);

// Clouds between top and bottom; coverage in [0, 1] is the noise level where clouds begin
// (higher means fewer clouds).
QImage cloudLayer(QSize size, double top, double bottom, std::uint32_t seed, double coverage, double scale,
                  const QColor& lit, const QColor& shadow, double stretch = 2.5, double opacity = 0.95);
// A band of mist around centreY.
QImage fogLayer(QSize size, double centreY, double halfHeight, std::uint32_t seed, const QColor& colour,
                double strength);
// Grain that breaks up the steps of smooth gradients before JPEG compression.
void dither(QImage& image, std::uint32_t seed, double amount);

} // namespace paintkit
