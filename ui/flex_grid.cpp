// The flexible grid's making, its place on the parent and its structure: rows, columns,
// the fixed ones, rows added and removed.
#include "flex_grid.h"

#include "twips.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QStringList>
#include <algorithm>

namespace platform {

FlexGrid::FlexGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    font_.Name = QStringLiteral("MS Sans Serif");
    fixedRows_ = fixedCols_ = 0;
    SetCols(2);
    SetRows(2);
    fixedRows_ = fixedCols_ = 1;
    SetFont(font_);
    ApplyLook();
    Move(left_, top_, width_, height_);
}

FlexGrid::~FlexGrid() = default;

void FlexGrid::Move(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    const QSize old = size();
    setGeometry(TwipsToPixelsX(left), TwipsToPixelsY(top), std::max(1, TwipsToPixelsX(width)),
                std::max(1, TwipsToPixelsY(height)));
    if (!isVisible() && old != size()) {
        // A hidden widget hears of its new size only when shown; the scroll bars and the
        // viewport must follow now.
        QResizeEvent ev(size(), old);
        QCoreApplication::sendEvent(this, &ev);
    }
    UpdateScrollBars();
}

void FlexGrid::CheckRow(qint32 r) const
{
    if (r < 0 || r >= Rows())
        throw InvalidIndexError();
}

void FlexGrid::CheckCol(qint32 c) const
{
    if (c < 0 || c >= cols_)
        throw InvalidIndexError();
}

void FlexGrid::SetRows(qint32 n)
{
    if (n < 0)
        throw InvalidIndexError();
    if (n > 0 && (row_ >= n || rowSel_ >= n)) {
        const qint32 r = std::min(row_, n - 1);
        MoveTo(r, col_, std::min(rowSel_, n - 1), colSel_);
    }
    cells_.resize(static_cast<size_t>(n), std::vector<Cell>(static_cast<size_t>(cols_)));
    rowInfo_.resize(static_cast<size_t>(n));
    fixedRows_ = std::min(fixedRows_, n);
    if (n == 0)
        row_ = rowSel_ = 0;
    UpdateScrollBars();
    InvalidateAll();
}

void FlexGrid::SetCols(qint32 n)
{
    if (n < 0)
        throw InvalidIndexError();
    if (n > 0 && (col_ >= n || colSel_ >= n))
        MoveTo(row_, std::min(col_, n - 1), rowSel_, std::min(colSel_, n - 1));
    cols_ = n;
    for (auto& row : cells_)
        row.resize(static_cast<size_t>(n));
    colInfo_.resize(static_cast<size_t>(n));
    fixedCols_ = std::min(fixedCols_, n);
    if (n == 0)
        col_ = colSel_ = 0;
    UpdateScrollBars();
    InvalidateAll();
}

void FlexGrid::SetFixedRows(qint32 n)
{
    if (n < 0 || (n > 0 && n >= Rows()))
        throw InvalidIndexError();
    fixedRows_ = n;
    topRow_ = std::max(topRow_, n);
    if (row_ < n)
        MoveTo(n, col_, n, colSel_);
    UpdateScrollBars();
    InvalidateAll();
}

void FlexGrid::SetFixedCols(qint32 n)
{
    if (n < 0 || (n > 0 && n >= cols_))
        throw InvalidIndexError();
    fixedCols_ = n;
    leftCol_ = std::max(leftCol_, n);
    if (col_ < n)
        MoveTo(row_, n, rowSel_, n);
    UpdateScrollBars();
    InvalidateAll();
}

void FlexGrid::AddItem(const QString& item, qint32 index)
{
    if (index == -1)
        index = Rows();
    if (index < 0 || index > Rows())
        throw InvalidIndexError();
    std::vector<Cell> cells(static_cast<size_t>(cols_));
    const QStringList parts = item.split(u'\t');
    for (qint32 c = 0; c < cols_ && c < parts.size(); ++c)
        cells[static_cast<size_t>(c)].text = parts[c];
    cells_.insert(cells_.begin() + index, std::move(cells));
    rowInfo_.insert(rowInfo_.begin() + index, RowInfo{});
    UpdateScrollBars();
    InvalidateAll();
}

void FlexGrid::RemoveItem(qint32 index)
{
    CheckRow(index);
    // Fixed rows stay, and so does the last row that is not fixed.
    if (index < fixedRows_ || Rows() - 1 <= fixedRows_)
        throw InvalidIndexError();
    const qint32 last = Rows() - 2;
    if (row_ > last || rowSel_ > last)
        MoveTo(std::min(row_, last), col_, std::min(rowSel_, last), colSel_);
    cells_.erase(cells_.begin() + index);
    rowInfo_.erase(rowInfo_.begin() + index);
    UpdateScrollBars();
    InvalidateAll();
}

void FlexGrid::Clear()
{
    for (auto& row : cells_)
        std::fill(row.begin(), row.end(), Cell{});
    InvalidateAll();
}

} // namespace platform
