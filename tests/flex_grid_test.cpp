// The flexible grid stand-in: the order of its cell events, selection, sorting and clip.
#include "ui/flex_grid.h"
#include "ui/twips.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using platform::FlexGrid;

namespace {
struct LoggedGrid {
    FlexGrid grid;
    QStringList log;
    LoggedGrid()
    {
        grid.SetCols(3);
        grid.SetRows(6);
        auto at = [this] { return QStringLiteral(" %1,%2").arg(grid.Row()).arg(grid.Col()); };
        grid.Events.LeaveCell = [this, at] { log << "LeaveCell" + at(); };
        grid.Events.EnterCell = [this, at] { log << "EnterCell" + at(); };
        grid.Events.RowColChange = [this, at] { log << "RowColChange" + at(); };
        grid.Events.SelChange = [this, at] { log << "SelChange" + at(); };
    }
};

QPoint CellCentre(FlexGrid& g, qint32 r, qint32 c)
{
    const QPoint corner = g.viewport()->geometry().topLeft();
    return {platform::TwipsToPixelsX(g.ColPos(c) + g.ColWidth(c) / 2) - corner.x(),
            platform::TwipsToPixelsY(g.RowPos(r) + g.RowHeight(r) / 2) - corner.y()};
}
} // namespace

TEST(FlexGrid, AMoveFiresLeaveCellWhileTheOldCellIsCurrent)
{
    LoggedGrid g;
    g.grid.SetRow(3);
    const QStringList expected = {"LeaveCell 1,1", "EnterCell 3,1", "RowColChange 3,1", "SelChange 3,1"};
    EXPECT_EQ(g.log, expected);
    g.log.clear();
    g.grid.SetRow(3); // unchanged: nothing
    g.grid.SetCol(1);
    EXPECT_TRUE(g.log.isEmpty());
}

TEST(FlexGrid, SettingRowOrColCollapsesTheSelection)
{
    LoggedGrid g;
    g.grid.SetRowSel(4);
    g.grid.SetColSel(2);
    EXPECT_EQ(g.log, QStringList({"SelChange 1,1", "SelChange 1,1"}));
    g.grid.SetRow(2);
    EXPECT_EQ(g.grid.RowSel(), 2);
    EXPECT_EQ(g.grid.ColSel(), 1);
    g.grid.SetRowSel(5);
    g.grid.SetCol(2);
    EXPECT_EQ(g.grid.RowSel(), 2);
    EXPECT_EQ(g.grid.ColSel(), 2);
    EXPECT_THROW(g.grid.SetRow(6), platform::InvalidIndexError);
}

TEST(FlexGrid, SortsTheSelectedRowsStablyWithTheirRowData)
{
    const struct {
        int order;
        QStringList keys, expected;
    } cases[] = {
        {platform::flexSortGenericAscending, {"10", "9", "b", "100", "A"}, {"9", "10", "100", "A", "b"}},
        {platform::flexSortNumericAscending, {"10", "9", "100", "x", "2"}, {"x", "2", "9", "10", "100"}},
        {platform::flexSortNumericDescending, {"10", "9", "100", "x", "2"}, {"100", "10", "9", "2", "x"}},
        {platform::flexSortStringAscending, {"10", "9", "100", "b", "B"}, {"10", "100", "9", "B", "b"}},
        {platform::flexSortStringNoCaseAscending, {"b", "A", "a", "B", "c"}, {"A", "a", "b", "B", "c"}},
        {platform::flexSortStringNoCaseDescending, {"b", "A", "a", "B", "c"}, {"c", "b", "B", "A", "a"}},
        {platform::flexSortStringDescending, {"b", "A", "a", "B", "c"}, {"c", "b", "a", "B", "A"}},
    };
    for (const auto& c : cases) {
        FlexGrid grid;
        grid.SetCols(3);
        grid.SetRows(6);
        for (int r = 1; r <= 5; ++r) {
            grid.SetTextMatrix(r, 1, c.keys[r - 1]);
            grid.SetTextMatrix(r, 2, "row" + c.keys[r - 1]);
            grid.SetRowData(r, r * 10);
        }
        grid.SetRow(1);
        grid.SetRowSel(5);
        grid.SetSort(c.order);
        for (int r = 1; r <= 5; ++r) {
            EXPECT_EQ(grid.TextMatrix(r, 1), c.expected[r - 1]) << c.order << " row " << r;
            EXPECT_EQ(grid.TextMatrix(r, 2), "row" + c.expected[r - 1]);
            EXPECT_EQ(grid.RowData(r), (c.keys.indexOf(c.expected[r - 1]) + 1) * 10) << "key and row stay together";
        }
    }
}

TEST(FlexGrid, ClipReadsAndFillsTheSelectedRange)
{
    FlexGrid grid;
    grid.SetCols(4);
    grid.SetRows(5);
    grid.SetRow(1);
    grid.SetCol(1);
    grid.SetRowSel(2);
    grid.SetColSel(2);
    grid.SetClip("a\tb\rc\td\te\rf");
    EXPECT_EQ(grid.TextMatrix(1, 1), "a");
    EXPECT_EQ(grid.TextMatrix(2, 2), "d");
    EXPECT_EQ(grid.TextMatrix(2, 3), ""); // beyond the selection
    EXPECT_EQ(grid.Clip(), "a\tb\rc\td");
    EXPECT_EQ(grid.TextArray(2 * 4 + 1), "c");
}

TEST(FlexGrid, RowsComeAndGoButFixedOnesStay)
{
    FlexGrid grid;
    grid.SetRows(4);
    grid.AddItem("x\ty", 2);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.TextMatrix(2, 0), "x");
    EXPECT_EQ(grid.TextMatrix(2, 1), "y");
    EXPECT_THROW(grid.RemoveItem(0), platform::InvalidIndexError);
    grid.RemoveItem(2);
    EXPECT_EQ(grid.Rows(), 4);
    grid.SetRow(3);
    grid.RemoveItem(3); // the current row goes: the one above becomes current
    EXPECT_EQ(grid.Row(), 2);
}

TEST(FlexGrid, APressOnAHeaderSelectsTheColumnAndTheMouseCellIsLastSeen)
{
    LoggedGrid g;
    g.grid.Move(0, 0, 4000, 3000);
    g.grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&g.grid));
    QStringList mouse;
    g.grid.Events.MouseDown = [&](int& b, int&, float&, float&) {
        mouse << QStringLiteral("%1 %2,%3-%4").arg(b).arg(g.grid.Row()).arg(g.grid.RowSel()).arg(g.grid.MouseCol());
    };
    QTest::mouseClick(g.grid.viewport(), Qt::LeftButton, {}, CellCentre(g.grid, 0, 2));
    EXPECT_EQ(mouse, QStringList{"1 1,5-2"}); // the move comes before MouseDown
    EXPECT_EQ(g.grid.Col(), 2);
    EXPECT_EQ(g.grid.ColSel(), 2);
    QTest::mouseClick(g.grid.viewport(), Qt::LeftButton, {}, CellCentre(g.grid, 3, 1));
    EXPECT_EQ(g.grid.MouseRow(), 3);
    EXPECT_EQ(g.grid.MouseCol(), 1);
    const QPoint below(CellCentre(g.grid, 3, 1).x(), g.grid.viewport()->height() - 2);
    QTest::mouseClick(g.grid.viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(g.grid.MouseRow(), 3); // no row under the pointer: the last one stays
    EXPECT_EQ(g.grid.Row(), 3);
}

TEST(FlexGrid, ScrollingKeepsTheCurrentCellAndReportsItself)
{
    FlexGrid grid;
    grid.Move(0, 0, 3000, 1500);
    grid.SetRows(200);
    int scrolls = 0;
    grid.Events.Scroll = [&] { ++scrolls; };
    grid.SetTopRow(50);
    EXPECT_EQ(grid.TopRow(), 50);
    EXPECT_EQ(scrolls, 1);
    EXPECT_FALSE(grid.RowIsVisible(10));
    EXPECT_TRUE(grid.RowIsVisible(50));
    grid.ShowCell(10, 1);
    EXPECT_EQ(grid.TopRow(), 10);
    grid.SetTopRow(199); // as far as the last row at the bottom
    EXPECT_LT(grid.TopRow(), 199);
    EXPECT_TRUE(grid.RowIsVisible(199));
}

TEST(FlexGrid, TheUserResizesColumnsOnlyWhenAllowed)
{
    FlexGrid grid;
    grid.Move(0, 0, 5000, 3000);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    const qint32 before = grid.ColWidth(1);
    const int edge = platform::TwipsToPixelsX(grid.ColPos(1) + before) - grid.viewport()->geometry().left();
    const QPoint grip(edge, 5);
    auto drag = [&] {
        QWidget* vp = grid.viewport();
        QMouseEvent press(QEvent::MouseButtonPress, grip, vp->mapToGlobal(grip), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(vp, &press);
        const QPoint to = grip + QPoint(30, 0);
        QMouseEvent move(QEvent::MouseMove, to, vp->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(vp, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, to, vp->mapToGlobal(to), Qt::LeftButton, {}, {});
        QApplication::sendEvent(vp, &release);
    };
    drag();
    EXPECT_EQ(grid.ColWidth(1), before);
    grid.SetLook(&platform::FlexLook::AllowUserResizing, 1);
    drag();
    EXPECT_NEAR(grid.ColWidth(1), before + platform::PixelsToTwipsX(30), 1);
}

TEST(FlexGrid, EqualNeighboursMergeWhereMergingIsOn)
{
    FlexGrid grid;
    grid.Move(0, 0, 5000, 3000);
    grid.SetCols(4);
    grid.SetRows(4);
    grid.SetLook(&platform::FlexLook::GridColor, static_cast<qint32>(0x0000FF)); // red lines
    grid.SetLook(&platform::FlexLook::BackColor, static_cast<qint32>(0xFFFFFF));
    grid.SetLook(&platform::FlexLook::HighLight, 0);
    grid.SetTextMatrix(2, 1, "same");
    grid.SetTextMatrix(2, 2, "same");
    grid.SetMergeRow(2, true);
    grid.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    // The line between the two cells, half way down, away from the text.
    const QPoint corner = grid.viewport()->geometry().topLeft();
    const int lineX = platform::TwipsToPixelsX(grid.ColPos(2)) - corner.x() - 1;
    const int midY = platform::TwipsToPixelsY(grid.RowPos(2)) - corner.y() + 2;
    auto lineColour = [&] { return grid.viewport()->grab().toImage().pixelColor(lineX, midY); };
    EXPECT_EQ(lineColour(), QColor(255, 0, 0)); // MergeCells 0: no merging
    grid.SetLook(&platform::FlexLook::MergeCells, 1);
    EXPECT_EQ(lineColour(), QColor(255, 255, 255));
    grid.SetTextMatrix(2, 2, "other");
    EXPECT_EQ(lineColour(), QColor(255, 0, 0));
}
