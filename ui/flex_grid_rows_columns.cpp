// The flexible grid's rows and columns: sizes, data, alignment, merging, order, and where
// they are shown now.
#include "flex_grid.h"

#include "twips.h"

#include <algorithm>

namespace platform {

qint32 FlexGrid::RowHeight(qint32 r) const
{
    CheckRow(r);
    const qint32 h = rowInfo_[static_cast<size_t>(r)].height;
    return h >= 0 ? h : std::max(defaultRowTwips_, rowHeightMin_);
}

void FlexGrid::SetRowHeight(qint32 r, qint32 twips)
{
    if (r == -1) {
        for (auto& info : rowInfo_)
            info.height = twips;
    } else {
        CheckRow(r);
        if (twips < -1)
            throw InvalidIndexError();
        rowInfo_[static_cast<size_t>(r)].height = twips;
    }
    UpdateScrollBars();
    InvalidateAll();
}

qint32 FlexGrid::ColWidth(qint32 c) const
{
    CheckCol(c);
    const qint32 w = colInfo_[static_cast<size_t>(c)].width;
    return w >= 0 ? w : DefaultColWidth();
}

void FlexGrid::SetColWidth(qint32 c, qint32 twips)
{
    if (twips < -1)
        throw InvalidIndexError();
    if (c == -1) {
        for (auto& info : colInfo_)
            info.width = twips;
    } else {
        CheckCol(c);
        colInfo_[static_cast<size_t>(c)].width = twips;
    }
    UpdateScrollBars();
    InvalidateAll();
}

void FlexGrid::SetRowHeightMin(qint32 twips)
{
    if (twips < 0)
        throw InvalidIndexError();
    rowHeightMin_ = twips;
    UpdateScrollBars();
    InvalidateAll();
}

qint32 FlexGrid::RowData(qint32 r) const
{
    CheckRow(r);
    return rowInfo_[static_cast<size_t>(r)].data;
}

void FlexGrid::SetRowData(qint32 r, qint32 v)
{
    CheckRow(r);
    rowInfo_[static_cast<size_t>(r)].data = v;
}

qint32 FlexGrid::ColData(qint32 c) const
{
    CheckCol(c);
    return colInfo_[static_cast<size_t>(c)].data;
}

void FlexGrid::SetColData(qint32 c, qint32 v)
{
    CheckCol(c);
    colInfo_[static_cast<size_t>(c)].data = v;
}

int FlexGrid::ColAlignment(qint32 c) const
{
    CheckCol(c);
    return colInfo_[static_cast<size_t>(c)].alignment;
}

void FlexGrid::SetColAlignment(qint32 c, int a)
{
    if (a < 0 || a > flexAlignGeneral)
        throw InvalidIndexError();
    if (c == -1) {
        for (auto& info : colInfo_)
            info.alignment = a;
    } else {
        CheckCol(c);
        colInfo_[static_cast<size_t>(c)].alignment = a;
    }
    InvalidateAll();
}

int FlexGrid::FixedAlignment(qint32 c) const
{
    CheckCol(c);
    const int a = colInfo_[static_cast<size_t>(c)].fixedAlignment;
    return a >= 0 ? a : colInfo_[static_cast<size_t>(c)].alignment;
}

void FlexGrid::SetFixedAlignment(qint32 c, int a)
{
    CheckCol(c);
    if (a < 0 || a > flexAlignGeneral)
        throw InvalidIndexError();
    colInfo_[static_cast<size_t>(c)].fixedAlignment = a;
    InvalidateAll();
}

bool FlexGrid::MergeRow(qint32 r) const
{
    CheckRow(r);
    return rowInfo_[static_cast<size_t>(r)].merge;
}

void FlexGrid::SetMergeRow(qint32 r, bool on)
{
    CheckRow(r);
    rowInfo_[static_cast<size_t>(r)].merge = on;
}

bool FlexGrid::MergeCol(qint32 c) const
{
    CheckCol(c);
    return colInfo_[static_cast<size_t>(c)].merge;
}

void FlexGrid::SetMergeCol(qint32 c, bool on)
{
    CheckCol(c);
    colInfo_[static_cast<size_t>(c)].merge = on;
}

void FlexGrid::SetRowPosition(qint32 r, qint32 position)
{
    CheckRow(r);
    CheckRow(position);
    if (r == position)
        return;
    auto cells = std::move(cells_[static_cast<size_t>(r)]);
    const RowInfo info = rowInfo_[static_cast<size_t>(r)];
    cells_.erase(cells_.begin() + r);
    rowInfo_.erase(rowInfo_.begin() + r);
    cells_.insert(cells_.begin() + position, std::move(cells));
    rowInfo_.insert(rowInfo_.begin() + position, info);
    UpdateScrollBars();
    InvalidateAll();
}

void FlexGrid::SetColPosition(qint32 c, qint32 position)
{
    CheckCol(c);
    CheckCol(position);
    if (c == position)
        return;
    for (auto& row : cells_) {
        Cell cell = std::move(row[static_cast<size_t>(c)]);
        row.erase(row.begin() + c);
        row.insert(row.begin() + position, std::move(cell));
    }
    const ColInfo info = colInfo_[static_cast<size_t>(c)];
    colInfo_.erase(colInfo_.begin() + c);
    colInfo_.insert(colInfo_.begin() + position, info);
    UpdateScrollBars();
    InvalidateAll();
}

QPoint FlexGrid::ViewportOffset() const { return viewport()->geometry().topLeft(); }

int FlexGrid::DefaultRowHeightPx() const { return TwipsToPixelsY(std::max(defaultRowTwips_, rowHeightMin_)); }

int FlexGrid::RowHeightPx(qint32 r) const
{
    const qint32 h = rowInfo_[static_cast<size_t>(r)].height;
    return h >= 0 ? TwipsToPixelsY(h) : DefaultRowHeightPx();
}

int FlexGrid::ColWidthPx(qint32 c) const
{
    const qint32 w = colInfo_[static_cast<size_t>(c)].width;
    return TwipsToPixelsX(w >= 0 ? w : DefaultColWidth());
}

int FlexGrid::RowY(qint32 r) const
{
    int y = 0;
    for (qint32 i = 0; i < std::min(r, fixedRows_); ++i)
        y += RowHeightPx(i);
    if (r < fixedRows_)
        return y;
    if (r >= topRow_) {
        for (qint32 i = topRow_; i < r; ++i)
            y += RowHeightPx(i);
    } else {
        for (qint32 i = r; i < topRow_; ++i)
            y -= RowHeightPx(i);
    }
    return y;
}

int FlexGrid::ColX(qint32 c) const
{
    int x = 0;
    for (qint32 i = 0; i < std::min(c, fixedCols_); ++i)
        x += ColWidthPx(i);
    if (c < fixedCols_)
        return x;
    if (c >= leftCol_) {
        for (qint32 i = leftCol_; i < c; ++i)
            x += ColWidthPx(i);
    } else {
        for (qint32 i = c; i < leftCol_; ++i)
            x -= ColWidthPx(i);
    }
    return x;
}

QRect FlexGrid::CellRect(qint32 r, qint32 c) const { return {ColX(c), RowY(r), ColWidthPx(c), RowHeightPx(r)}; }

qint32 FlexGrid::RowPos(qint32 r) const
{
    CheckRow(r);
    return static_cast<qint32>(PixelsToTwipsY(RowY(r) + ViewportOffset().y()));
}

qint32 FlexGrid::ColPos(qint32 c) const
{
    CheckCol(c);
    return static_cast<qint32>(PixelsToTwipsX(ColX(c) + ViewportOffset().x()));
}

bool FlexGrid::RowIsVisible(qint32 r) const
{
    CheckRow(r);
    if (r >= fixedRows_ && r < topRow_)
        return false;
    const int y = RowY(r);
    return y < viewport()->height() && y + RowHeightPx(r) > 0;
}

bool FlexGrid::ColIsVisible(qint32 c) const
{
    CheckCol(c);
    if (c >= fixedCols_ && c < leftCol_)
        return false;
    const int x = ColX(c);
    return x < viewport()->width() && x + ColWidthPx(c) > 0;
}

} // namespace platform
