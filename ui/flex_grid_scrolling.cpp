// The flexible grid's scrolling: how far it may scroll, and its scroll bars.
#include "flex_grid.h"

#include "event_guard.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

namespace platform {

qint32 FlexGrid::MaxTopRow() const
{
    int fixedH = 0;
    for (qint32 i = 0; i < fixedRows_; ++i)
        fixedH += RowHeightPx(i);
    const int avail = viewport()->height() - fixedH;
    int sum = 0;
    for (qint32 r = Rows() - 1; r >= fixedRows_; --r) {
        sum += RowHeightPx(r);
        if (sum > avail)
            return std::min(r + 1, Rows() - 1);
    }
    return fixedRows_;
}

qint32 FlexGrid::MaxLeftCol() const
{
    int fixedW = 0;
    for (qint32 i = 0; i < fixedCols_; ++i)
        fixedW += ColWidthPx(i);
    const int avail = viewport()->width() - fixedW;
    int sum = 0;
    for (qint32 c = cols_ - 1; c >= fixedCols_; --c) {
        sum += ColWidthPx(c);
        if (sum > avail)
            return std::min(c + 1, cols_ - 1);
    }
    return fixedCols_;
}

void FlexGrid::UpdateScrollBars()
{
    setVerticalScrollBarPolicy(look_.ScrollBars & 2 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(look_.ScrollBars & 1 ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    ClampScroll();
    SyncBars();
}

void FlexGrid::ClampScroll()
{
    const qint32 top = std::clamp(topRow_, fixedRows_, std::max(fixedRows_, MaxTopRow()));
    const qint32 left = std::clamp(leftCol_, fixedCols_, std::max(fixedCols_, MaxLeftCol()));
    if (top != topRow_ || left != leftCol_) {
        topRow_ = top;
        leftCol_ = left;
        InvalidateAll();
    }
}

void FlexGrid::SyncBars()
{
    syncing_ = true;
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, MaxTopRow() - fixedRows_));
    v->setPageStep(std::max(1, viewport()->height() / std::max(1, DefaultRowHeightPx())));
    v->setValue(topRow_ - fixedRows_);
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, MaxLeftCol() - fixedCols_));
    h->setPageStep(1);
    h->setValue(leftCol_ - fixedCols_);
    syncing_ = false;
}

void FlexGrid::scrollContentsBy(int, int)
{
    if (syncing_)
        return;
    const qint32 top = fixedRows_ + verticalScrollBar()->value();
    const qint32 left = fixedCols_ + horizontalScrollBar()->value();
    if (top == topRow_ && left == leftCol_)
        return;
    topRow_ = std::min(top, std::max(fixedRows_, Rows() - 1));
    leftCol_ = std::min(left, std::max(fixedCols_, cols_ - 1));
    InvalidateAll();
    if (Events.Scroll)
        Guarded("scroll", Events.Scroll);
}

void FlexGrid::resizeEvent(QResizeEvent* e)
{
    QAbstractScrollArea::resizeEvent(e);
    ClampScroll();
    SyncBars();
}

} // namespace platform
