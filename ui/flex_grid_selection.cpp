// The flexible grid's current cell and selection: every move of them runs one move with
// its events; the first rows and columns shown.
#include "flex_grid.h"

#include <algorithm>

namespace platform {

void FlexGrid::MoveTo(qint32 r, qint32 c, qint32 rowSel, qint32 colSel)
{
    const bool cellChanges = r != row_ || c != col_;
    const bool selChanges = cellChanges || rowSel != rowSel_ || colSel != colSel_;
    if (!selChanges)
        return;
    if (cellChanges && Events.LeaveCell)
        Events.LeaveCell();
    const bool wide = rowSel_ != row_ || colSel_ != col_ || rowSel != r || colSel != c;
    if (!wide)
        InvalidateCell(row_, col_);
    row_ = r;
    col_ = c;
    rowSel_ = rowSel;
    colSel_ = colSel;
    if (wide)
        InvalidateAll();
    else
        InvalidateCell(row_, col_);
    if (cellChanges) {
        if (Events.EnterCell)
            Events.EnterCell();
        if (Events.RowColChange)
            Events.RowColChange();
    }
    if (Events.SelChange)
        Events.SelChange();
}

void FlexGrid::SetRow(qint32 r)
{
    CheckRow(r);
    MoveTo(r, col_, r, col_);
}

void FlexGrid::SetCol(qint32 c)
{
    CheckCol(c);
    MoveTo(row_, c, row_, c);
}

void FlexGrid::SetRowSel(qint32 r)
{
    CheckRow(r);
    MoveTo(row_, col_, r, colSel_);
}

void FlexGrid::SetColSel(qint32 c)
{
    CheckCol(c);
    MoveTo(row_, col_, rowSel_, c);
}

void FlexGrid::SetTopRow(qint32 r)
{
    CheckRow(r);
    const qint32 top = std::clamp(r, fixedRows_, std::max(fixedRows_, MaxTopRow()));
    if (top == topRow_)
        return;
    topRow_ = top;
    // The cells move under a pressed button: no drag selection from where they were.
    dragging_ = false;
    SyncBars();
    InvalidateAll();
    if (Events.Scroll)
        Events.Scroll();
}

void FlexGrid::SetLeftCol(qint32 c)
{
    CheckCol(c);
    const qint32 left = std::clamp(c, fixedCols_, std::max(fixedCols_, MaxLeftCol()));
    if (left == leftCol_)
        return;
    leftCol_ = left;
    dragging_ = false;
    SyncBars();
    InvalidateAll();
    if (Events.Scroll)
        Events.Scroll();
}

void FlexGrid::ShowCell(qint32 r, qint32 c)
{
    if (r >= fixedRows_ && r < Rows()) {
        int fixedH = 0;
        for (qint32 i = 0; i < fixedRows_; ++i)
            fixedH += RowHeightPx(i);
        const int avail = viewport()->height() - fixedH;
        if (r < topRow_) {
            SetTopRow(r);
        } else {
            int h = 0;
            for (qint32 i = topRow_; i <= r; ++i)
                h += RowHeightPx(i);
            if (h > avail) {
                qint32 t = r;
                int sum = RowHeightPx(r);
                while (t > fixedRows_ && sum + RowHeightPx(t - 1) <= avail)
                    sum += RowHeightPx(--t);
                SetTopRow(t);
            }
        }
    }
    if (c >= fixedCols_ && c < cols_) {
        int fixedW = 0;
        for (qint32 i = 0; i < fixedCols_; ++i)
            fixedW += ColWidthPx(i);
        const int avail = viewport()->width() - fixedW;
        if (c < leftCol_) {
            SetLeftCol(c);
        } else {
            int w = 0;
            for (qint32 i = leftCol_; i <= c; ++i)
                w += ColWidthPx(i);
            if (w > avail) {
                qint32 l = c;
                int sum = ColWidthPx(c);
                while (l > fixedCols_ && sum + ColWidthPx(l - 1) <= avail)
                    sum += ColWidthPx(--l);
                SetLeftCol(l);
            }
        }
    }
}

void FlexGrid::ExtendTo(qint32 r, qint32 c)
{
    if (look_.SelectionMode == 1)
        MoveTo(row_, col_, r, cols_ - 1);
    else if (look_.SelectionMode == 2)
        MoveTo(row_, col_, Rows() - 1, c);
    else
        MoveTo(row_, col_, r, c);
}

} // namespace platform
