#pragma once
// The arithmetic of working the page with the mouse: the rubber band, the frame and
// surface bands, the page-turn corners, the window-drag band and the grid size that a
// resized grid frame stands for. Positions and sizes are twips.
#include "layout_math.h"

#include <QPointF>
#include <QtGlobal>

namespace calendaredit {

using calendarlayout::Box;

// The Button and Shift values the mouse handlers test.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kCtrlKey = 2;

// The band along the right and bottom edges of a frame, and its inner margin for moving.
constexpr qint32 kFrameBand = 100;
// The zone of the page's bottom corners that shows a page-turn corner.
constexpr qint32 kCornerZone = 300;
// The band along the window's edges that drags the window.
constexpr float kDragBand = 200;

// The rubber band between the press point (ax, ay) and the pointer (x, y), both in the
// coordinates of a surface whose top-left corner is at `origin` in the window.
Box RubberBand(QPointF origin, QPointF anchor, QPointF pointer);

// Where a pointer stands against a frame or a surface.
enum class Zone {
    Outside,  // nothing to edit here
    SizeBand, // the right or bottom band: resize
    Inside,   // the movable inside
};

// The grid frame: the right band (tested on px alone) or the bottom band (py alone) of
// 100 twips, else 100 twips inside every edge.
Zone FrameZone(const Box& frame, qint32 px, qint32 py);

// The band width of the picture or the page: int16 of the largest of W / 10, int32(H / 10)
// and 100.
qint16 SurfaceBand(float width, float height);

// The picture or the page: the right or bottom band of SurfaceBand, else on the surface.
Zone SurfaceZone(const Box& surface, qint32 px, qint32 py);

// A resize that moves the right and bottom edges by (dx, dy): the size stays positive,
// a drag past the left or top edge mirrors it without moving that edge.
QPointF Resized(float width, float height, double dx, double dy);

// A window coordinate of the pointer: int32 of the surface's edge plus the event's offset.
qint32 WindowCoordinate(float surfaceEdge, float offset);

// Is the cell's centre (int32 of each) strictly inside the rectangle?
bool CentreInside(const Box& cell, qint32 left, qint32 top, qint32 right, qint32 bottom);

// Does the point lie in the box, edges included?
bool InBox(const Box& box, float x, float y);

// Which page-turn corner the pointer shows: 1 bottom right, 0 bottom left, -1 none.
int PageCornerAt(const Box& page, qint32 px, qint32 py);
// A shown corner: a sixteenth of the page's width by a tenth of its height, in its corner.
Box PageCornerBox(const Box& page, int index);

// Is a surface point in the window-drag band? x and y are the surface's own coordinates,
// measured against the window's inner size.
bool InDragBand(float x, float y, float scaleWidth, float scaleHeight);

// The grid frame drawn round the day grid is six columns plus the first weekday cell
// wide, and 1.2 grid heights plus one and a half weekday rows high. The grid size a
// frame of the given size stands for, the first weekday cell being headerWidth by
// headerHeight.
struct GridSize {
    qint32 Width = 0, Height = 0;
};
GridSize GridSizeFromFrame(float frameWidth, float frameHeight, float headerWidth, float headerHeight);

} // namespace calendaredit
