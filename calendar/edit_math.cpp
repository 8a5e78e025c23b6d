#include "edit_math.h"

#include "core/conversions.h"
#include "core/text_utilities.h"

#include <algorithm>
#include <cmath>

namespace calendaredit {

using conv::ToInt32;

Box RubberBand(QPointF origin, QPointF anchor, QPointF pointer)
{
    const auto ax = static_cast<float>(anchor.x()), ay = static_cast<float>(anchor.y());
    const auto x = static_cast<float>(pointer.x()), y = static_cast<float>(pointer.y());
    Box b;
    b.Left = static_cast<float>(origin.x()) + std::min(ax, x);
    b.Top = static_cast<float>(origin.y()) + std::min(ay, y);
    b.Width = static_cast<float>(std::abs(ToInt32(x - ax)));
    b.Height = static_cast<float>(std::abs(ToInt32(y - ay)));
    return b;
}

namespace {
bool Between(double lo, double v, double hi) { return lo <= v && v <= hi; }

Zone BandZone(const Box& b, qint32 band, qint32 margin, qint32 px, qint32 py)
{
    const double right = static_cast<double>(b.Left) + b.Width;
    const double bottom = static_cast<double>(b.Top) + b.Height;
    if (Between(right - band, px, right) || Between(bottom - band, py, bottom))
        return Zone::SizeBand;
    if (Between(b.Left + margin, px, right - margin) && Between(b.Top + margin, py, bottom - margin))
        return Zone::Inside;
    return Zone::Outside;
}
} // namespace

Zone FrameZone(const Box& frame, qint32 px, qint32 py) { return BandZone(frame, kFrameBand, kFrameBand, px, py); }

qint16 SurfaceBand(float width, float height)
{
    const float tenth = width / 10;
    const auto larger = mduLib::MaxValue(tenth, ToInt32(height / 10));
    return conv::ToInt16(mduLib::MaxValue(larger, kFrameBand));
}

Zone SurfaceZone(const Box& surface, qint32 px, qint32 py)
{
    return BandZone(surface, SurfaceBand(surface.Width, surface.Height), 0, px, py);
}

QPointF Resized(float width, float height, double dx, double dy)
{
    return {static_cast<double>(std::abs(ToInt32(dx + width))), static_cast<double>(std::abs(ToInt32(dy + height)))};
}

qint32 WindowCoordinate(float surfaceEdge, float offset) { return ToInt32(static_cast<double>(surfaceEdge) + offset); }

bool CentreInside(const Box& cell, qint32 left, qint32 top, qint32 right, qint32 bottom)
{
    const qint32 cx = ToInt32(cell.Left + cell.Width / 2.0);
    const qint32 cy = ToInt32(cell.Top + cell.Height / 2.0);
    return left < cx && cx < right && top < cy && cy < bottom;
}

bool InBox(const Box& box, float x, float y)
{
    return Between(box.Left, x, box.Left + box.Width) && Between(box.Top, y, box.Top + box.Height);
}

int PageCornerAt(const Box& page, qint32 px, qint32 py)
{
    const double bottomZone = static_cast<double>(page.Top) + page.Height - kCornerZone;
    if (py < bottomZone)
        return -1;
    if (px >= static_cast<double>(page.Left) + page.Width - kCornerZone)
        return 1;
    if (px < static_cast<double>(page.Left) + kCornerZone)
        return 0;
    return -1;
}

Box PageCornerBox(const Box& page, int index)
{
    Box b;
    b.Width = page.Width / 16;
    b.Height = page.Height / 10;
    b.Top = page.Top + page.Height - b.Height;
    b.Left = index == 0 ? page.Left : page.Left + page.Width - b.Width;
    return b;
}

bool InDragBand(float x, float y, float scaleWidth, float scaleHeight)
{
    return x < kDragBand || x > scaleWidth - kDragBand || y < kDragBand || y > scaleHeight - kDragBand;
}

GridSize GridSizeFromFrame(float frameWidth, float frameHeight, float headerWidth, float headerHeight)
{
    // Seven columns where the frame spans six past the first cell; the weekday row sits
    // 1.2 rows below the captions and the six day rows follow it.
    const double width = (static_cast<double>(frameWidth) - headerWidth) * 7 / 6;
    const double height = (static_cast<double>(frameHeight) - 1.5 * headerHeight) / 1.2;
    // A frame smaller than its own headers gives an empty grid, never the automatic -1.
    return {std::max(ToInt32(width), 0), std::max(ToInt32(height), 0)};
}

} // namespace calendaredit
