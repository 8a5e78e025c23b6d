// The arithmetic of the mouse on the page: bands, zones, corners and the grid a frame
// stands for.
#include "calendar/edit_math.h"
#include "calendar/layout_math.h"

#include <gtest/gtest.h>

using namespace calendaredit;

TEST(EditMath, TheSurfaceBandIsATenthOfTheLargerSideAtLeast100)
{
    const struct {
        float W, H;
        qint16 band;
    } cases[] = {
        {6000, 1000, 600}, {800, 500, 100}, {500, 3000, 300}, {1005, 0, 100}, // 100.5 halves to even
        {1015, 0, 102},    {0, 0, 100},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SurfaceBand(c.W, c.H), c.band) << c.W << " x " << c.H;
}

TEST(EditMath, TheRubberBandSpansPressPointAndPointerEitherWay)
{
    const QPointF origin(1000, 500);
    const struct {
        QPointF anchor, pointer;
        Box band;
    } cases[] = {
        {{100, 100}, {400, 300}, {1100, 600, 300, 200}},
        {{400, 300}, {100, 100}, {1100, 600, 300, 200}}, // left of and above the press point
        {{100, 100}, {100, 100}, {1100, 600, 0, 0}},     // a click leaves an empty frame
        {{100, 100}, {40, 250}, {1040, 600, 60, 150}},   // back across the press point
    };
    for (const auto& c : cases)
        EXPECT_EQ(RubberBand(origin, c.anchor, c.pointer), c.band) << c.pointer.x() << "," << c.pointer.y();
}

TEST(EditMath, FrameZonesTellResizeMoveAndNothing)
{
    const Box frame{1000, 1000, 2000, 1500}; // right edge 3000, bottom 2500
    const struct {
        qint32 px, py;
        Zone zone;
    } cases[] = {
        {2950, 1700, Zone::SizeBand}, {3000, 1700, Zone::SizeBand}, {2900, 1700, Zone::SizeBand},
        {1700, 2450, Zone::SizeBand}, {2950, 9000, Zone::SizeBand}, // the right strip runs past the frame
        {500, 2420, Zone::SizeBand},                                // and so does the bottom strip
        {1500, 1500, Zone::Inside},   {1100, 1100, Zone::Inside},   {2899, 2399, Zone::Inside},
        {1050, 1500, Zone::Outside},  {1500, 1050, Zone::Outside},  {3100, 1700, Zone::Outside},
        {1099, 1500, Zone::Outside},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FrameZone(frame, c.px, c.py), c.zone) << c.px << "," << c.py;
}

TEST(EditMath, SurfaceZonesUseTheSurfacesOwnBand)
{
    const Box picture{300, 300, 6000, 1000}; // band 600: right from 5700, bottom from 700
    const struct {
        qint32 px, py;
        Zone zone;
    } cases[] = {
        {5800, 500, Zone::SizeBand}, {1000, 800, Zone::SizeBand}, {5699, 699, Zone::Inside},
        {300, 300, Zone::Inside},    {299, 500, Zone::Outside},   {6400, 500, Zone::Outside},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SurfaceZone(picture, c.px, c.py), c.zone) << c.px << "," << c.py;
}

TEST(EditMath, ResizingPastTheOppositeEdgeMirrorsTheSize)
{
    EXPECT_EQ(Resized(2000, 1500, 300, -200), QPointF(2300, 1300));
    EXPECT_EQ(Resized(2000, 1500, -2600, -1500), QPointF(600, 0));
    EXPECT_EQ(Resized(2000, 1500, 0.5, 1.5), QPointF(2000, 1502)); // whole twips, halves to even
}

TEST(EditMath, ACellIsSelectedByItsCentreStrictlyInside)
{
    const Box cell{1000, 1000, 200, 100}; // centre 1100, 1050
    EXPECT_TRUE(CentreInside(cell, 1099, 1049, 1101, 1051));
    EXPECT_FALSE(CentreInside(cell, 1100, 1000, 2000, 2000)); // on the left edge
    EXPECT_FALSE(CentreInside(cell, 0, 0, 1100, 2000));       // on the right edge
    EXPECT_FALSE(CentreInside(cell, 0, 1050, 2000, 2000));    // on the top edge
    EXPECT_FALSE(CentreInside(cell, 1200, 1200, 1200, 1200)); // an empty rectangle
    EXPECT_TRUE(InBox(cell, 1000, 1100)) << "the edges belong to the frame";
    EXPECT_FALSE(InBox(cell, 999.5f, 1050));
}

TEST(EditMath, PageCornersShowInTheBottomCornerZones)
{
    const Box page{500, 300, 4800, 6000}; // right 5300, bottom 6300
    const struct {
        qint32 px, py;
        int corner;
    } cases[] = {
        {5000, 6000, 1}, {5300, 6300, 1}, {4999, 6100, -1}, {5100, 5999, -1},
        {799, 6000, 0},  {500, 6300, 0},  {800, 6100, -1},  {3000, 6200, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PageCornerAt(page, c.px, c.py), c.corner) << c.px << "," << c.py;
    EXPECT_EQ(PageCornerBox(page, 1), (Box{5000, 5700, 300, 600}));
    EXPECT_EQ(PageCornerBox(page, 0), (Box{500, 5700, 300, 600}));
}

TEST(EditMath, TheDragBandRunsAlongTheWindowsInnerEdges)
{
    const struct {
        float x, y;
        bool in;
    } cases[] = {
        {199, 3000, true},   {200, 3000, false}, {4000, 199, true},   {8801, 3000, true},
        {8800, 3000, false}, {4000, 7301, true}, {4000, 7300, false}, {4000, 3000, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InDragBand(c.x, c.y, 9000, 7500), c.in) << c.x << "," << c.y;
}

// The frame drawn round a laid-out grid gives back that grid's size, so a frame moved
// without resizing would store what the grid already is.
TEST(EditMath, TheFrameOfALaidOutGridGivesItsSizeBack)
{
    const float headerWidth = 330, headerHeight = 180;
    for (qint32 width : {2800, 3500, 4123, 7000}) {
        for (qint32 height : {2000, 3333, 5000}) {
            calendarlayout::GridSettings s;
            s.Width = width;
            s.Height = height;
            const auto g = calendarlayout::LayoutGridFrame({0, 0, 9000, 9000}, s);
            // As the day cells draw it: the first weekday cell and the last day cell's corner.
            const double lastLeft = calendarlayout::HeaderCellLeft(g, 7);
            const double lastTop = g.HeaderTop + 6.0 * g.RowHeight;
            const auto frameWidth = static_cast<float>(headerWidth + lastLeft - g.L);
            const auto frameHeight = static_cast<float>(headerHeight * 1.5 + lastTop - g.T);
            const GridSize back = GridSizeFromFrame(frameWidth, frameHeight, headerWidth, headerHeight);
            EXPECT_NEAR(back.Width, width, 4) << width << " x " << height;
            EXPECT_NEAR(back.Height, height, 4) << width << " x " << height;
        }
    }
    EXPECT_EQ(GridSizeFromFrame(100, 100, 330, 180).Width, 0) << "never the automatic -1";
}
