#include "flex_grid.h"

#include "core/conversions.h"
#include "event_guard.h"
#include "form.h"
#include "twips.h"

#include <QApplication>
#include <QDrag>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStringList>
#include <algorithm>
#include <climits>
#include <numeric>

namespace platform {
namespace {
constexpr int kPad = 2; // pixels between a cell's edge and its text

bool IsNumberText(const QString& t) { return !conv::Trim(t).isEmpty() && conv::IsNumeric(t); }

int Sign(double d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }

Qt::Alignment QtAlignment(int a, const QString& text)
{
    if (a == flexAlignGeneral || a < 0 || a > 8)
        return (IsNumberText(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    const Qt::Alignment h[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const Qt::Alignment v[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return h[a / 3] | v[a % 3];
}
} // namespace

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

// ---- structure ----

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

// ---- current cell and selection ----

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

// ---- texts ----

QString FlexGrid::Text() const
{
    CheckRow(row_);
    CheckCol(col_);
    return CellAt(row_, col_).text;
}

template <class F> void FlexGrid::ForFillCells(F&& f)
{
    CheckRow(row_);
    CheckCol(col_);
    if (look_.FillStyle == 0) {
        f(row_, col_);
        return;
    }
    const qint32 r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const qint32 c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    for (qint32 r = r0; r <= r1; ++r)
        for (qint32 c = c0; c <= c1; ++c)
            f(r, c);
}

void FlexGrid::SetText(const QString& t)
{
    ForFillCells([&](qint32 r, qint32 c) {
        CellAt(r, c).text = t;
        InvalidateCell(r, c);
    });
}

QString FlexGrid::TextMatrix(qint32 r, qint32 c) const
{
    CheckRow(r);
    CheckCol(c);
    return CellAt(r, c).text;
}

void FlexGrid::SetTextMatrix(qint32 r, qint32 c, const QString& t)
{
    CheckRow(r);
    CheckCol(c);
    CellAt(r, c).text = t;
    InvalidateCell(r, c);
}

QString FlexGrid::TextArray(qint32 index) const
{
    if (cols_ <= 0 || index < 0)
        throw InvalidIndexError();
    return TextMatrix(index / cols_, index % cols_);
}

void FlexGrid::SetTextArray(qint32 index, const QString& t)
{
    if (cols_ <= 0 || index < 0)
        throw InvalidIndexError();
    SetTextMatrix(index / cols_, index % cols_, t);
}

QString FlexGrid::Clip() const
{
    CheckRow(row_);
    CheckCol(col_);
    const qint32 r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const qint32 c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    QString out;
    for (qint32 r = r0; r <= r1; ++r) {
        if (r > r0)
            out += u'\r';
        for (qint32 c = c0; c <= c1; ++c) {
            if (c > c0)
                out += u'\t';
            out += CellAt(r, c).text;
        }
    }
    return out;
}

void FlexGrid::SetClip(const QString& t)
{
    CheckRow(row_);
    CheckCol(col_);
    const qint32 r0 = std::min(row_, rowSel_), r1 = std::max(row_, rowSel_);
    const qint32 c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    QString text = t;
    text.replace(QLatin1String("\r\n"), QLatin1String("\r"));
    const QStringList lines = text.split(u'\r');
    for (qint32 r = r0; r <= r1 && r - r0 < lines.size(); ++r) {
        const QStringList cells = lines[r - r0].split(u'\t');
        for (qint32 c = c0; c <= c1 && c - c0 < cells.size(); ++c)
            CellAt(r, c).text = cells[c - c0];
    }
    InvalidateAll();
}

int FlexGrid::SortCompare(int order, qint32 a, qint32 b) const
{
    const qint32 c0 = std::min(col_, colSel_), c1 = std::max(col_, colSel_);
    if (order == flexSortCustom) {
        int cmp = 0;
        if (Events.Compare)
            Events.Compare(a, b, cmp);
        return cmp;
    }
    const bool descending = order % 2 == 0;
    for (qint32 c = c0; c <= c1; ++c) {
        const QString& x = CellAt(a, c).text;
        const QString& y = CellAt(b, c).text;
        int cmp = 0;
        switch (order) {
        case flexSortGenericAscending:
        case flexSortGenericDescending:
            if (IsNumberText(x) && IsNumberText(y))
                cmp = Sign(conv::ToDouble(x) - conv::ToDouble(y));
            else
                cmp = x.compare(y, Qt::CaseInsensitive);
            break;
        case flexSortNumericAscending:
        case flexSortNumericDescending:
            cmp = Sign((IsNumberText(x) ? conv::ToDouble(x) : 0.0) - (IsNumberText(y) ? conv::ToDouble(y) : 0.0));
            break;
        case flexSortStringNoCaseAscending:
        case flexSortStringNoCaseDescending:
            cmp = x.compare(y, Qt::CaseInsensitive);
            break;
        default:
            cmp = x.compare(y, Qt::CaseSensitive);
            break;
        }
        if (cmp != 0)
            return descending ? -Sign(cmp) : Sign(cmp);
    }
    return 0;
}

void FlexGrid::SetSort(int order)
{
    if (order < 0 || order > flexSortCustom)
        throw InvalidIndexError();
    if (order == flexSortNone || Rows() == 0 || cols_ == 0)
        return;
    const qint32 r0 = std::max(fixedRows_, std::min(row_, rowSel_)), r1 = std::max(row_, rowSel_);
    if (r1 <= r0)
        return;
    std::vector<qint32> order_(static_cast<size_t>(r1 - r0 + 1));
    std::iota(order_.begin(), order_.end(), r0);
    std::stable_sort(order_.begin(), order_.end(), [&](qint32 a, qint32 b) { return SortCompare(order, a, b) < 0; });
    std::vector<std::vector<Cell>> cells;
    std::vector<RowInfo> info;
    cells.reserve(order_.size());
    info.reserve(order_.size());
    for (qint32 r : order_) {
        cells.push_back(std::move(cells_[static_cast<size_t>(r)]));
        info.push_back(rowInfo_[static_cast<size_t>(r)]);
    }
    for (size_t i = 0; i < order_.size(); ++i) {
        cells_[static_cast<size_t>(r0) + i] = std::move(cells[i]);
        rowInfo_[static_cast<size_t>(r0) + i] = info[i];
    }
    UpdateScrollBars();
    InvalidateAll();
}

void FlexGrid::SetFormatString(const QString& f)
{
    formatString_ = f;
    const qsizetype semi = f.indexOf(u';');
    const QString colPart = semi < 0 ? f : f.left(semi);
    const QString rowPart = semi < 0 ? QString() : f.mid(semi + 1);
    const QFontMetrics fm(font_.ToQFont());
    if (!colPart.isEmpty()) {
        const QStringList pieces = colPart.split(u'|');
        if (pieces.size() > cols_)
            SetCols(static_cast<qint32>(pieces.size()));
        for (qint32 c = 0; c < pieces.size(); ++c) {
            QString text = pieces[c];
            int align = -1;
            if (text.startsWith(u'<'))
                align = flexAlignLeftCenter;
            else if (text.startsWith(u'^'))
                align = flexAlignCenterCenter;
            else if (text.startsWith(u'>'))
                align = flexAlignRightCenter;
            if (align >= 0) {
                text.remove(0, 1);
                colInfo_[static_cast<size_t>(c)].alignment = align;
            }
            if (Rows() > 0)
                CellAt(0, c).text = text;
            colInfo_[static_cast<size_t>(c)].width =
                static_cast<qint32>(PixelsToTwipsX(fm.horizontalAdvance(text) + 4 * kPad));
        }
    }
    if (!rowPart.isEmpty() && cols_ > 0) {
        const QStringList pieces = rowPart.split(u'|');
        if (pieces.size() > Rows())
            SetRows(static_cast<qint32>(pieces.size()));
        for (qint32 r = 0; r < pieces.size(); ++r)
            CellAt(r, 0).text = pieces[r];
    }
    UpdateScrollBars();
    InvalidateAll();
}

// ---- rows and columns ----

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

// ---- current cell's formatting ----

qint32 FlexGrid::CellForeColor() const { return CellAt(row_, col_).foreColor; }

void FlexGrid::SetCellForeColor(qint32 v)
{
    ForFillCells([&](qint32 r, qint32 c) {
        CellAt(r, c).foreColor = v;
        InvalidateCell(r, c);
    });
}

qint32 FlexGrid::CellBackColor() const { return CellAt(row_, col_).backColor; }

void FlexGrid::SetCellBackColor(qint32 v)
{
    ForFillCells([&](qint32 r, qint32 c) {
        CellAt(r, c).backColor = v;
        InvalidateCell(r, c);
    });
}

bool FlexGrid::CellFlag(quint8 flag) const
{
    CheckRow(row_);
    CheckCol(col_);
    const Cell& cell = CellAt(row_, col_);
    if (cell.fontSet & flag)
        return (cell.fontOn & flag) != 0;
    switch (flag) {
    case kBold:
        return font_.Bold;
    case kItalic:
        return font_.Italic;
    case kUnderline:
        return font_.Underline;
    default:
        return font_.Strikethrough;
    }
}

void FlexGrid::SetCellFlag(quint8 flag, bool on)
{
    ForFillCells([&](qint32 r, qint32 c) {
        Cell& cell = CellAt(r, c);
        cell.fontSet |= flag;
        cell.fontOn = on ? (cell.fontOn | flag) : (cell.fontOn & ~flag);
        InvalidateCell(r, c);
    });
}

bool FlexGrid::CellFontBold() const { return CellFlag(kBold); }
void FlexGrid::SetCellFontBold(bool on) { SetCellFlag(kBold, on); }
bool FlexGrid::CellFontItalic() const { return CellFlag(kItalic); }
void FlexGrid::SetCellFontItalic(bool on) { SetCellFlag(kItalic, on); }
bool FlexGrid::CellFontUnderline() const { return CellFlag(kUnderline); }
void FlexGrid::SetCellFontUnderline(bool on) { SetCellFlag(kUnderline, on); }
bool FlexGrid::CellFontStrikeThrough() const { return CellFlag(kStrike); }
void FlexGrid::SetCellFontStrikeThrough(bool on) { SetCellFlag(kStrike, on); }

Picture FlexGrid::CellPicture() const
{
    CheckRow(row_);
    CheckCol(col_);
    return CellAt(row_, col_).picture;
}

void FlexGrid::SetCellPicture(const Picture& p)
{
    ForFillCells([&](qint32 r, qint32 c) {
        CellAt(r, c).picture = p;
        InvalidateCell(r, c);
    });
}

int FlexGrid::CellAlignment() const
{
    CheckRow(row_);
    CheckCol(col_);
    const int a = CellAt(row_, col_).alignment;
    return a >= 0 ? a : colInfo_[static_cast<size_t>(col_)].alignment;
}

void FlexGrid::SetCellAlignment(int a)
{
    if (a < 0 || a > flexAlignGeneral)
        throw InvalidIndexError();
    ForFillCells([&](qint32 r, qint32 c) {
        CellAt(r, c).alignment = static_cast<qint8>(a);
        InvalidateCell(r, c);
    });
}

float FlexGrid::CellLeft() const { return static_cast<float>(ColPos(col_)); }
float FlexGrid::CellTop() const { return static_cast<float>(RowPos(row_)); }
float FlexGrid::CellWidth() const { return static_cast<float>(ColWidth(col_)); }
float FlexGrid::CellHeight() const { return static_cast<float>(RowHeight(row_)); }

// ---- look ----

void FlexGrid::SetFont(const FontModel& f)
{
    font_ = f;
    const QFontMetrics fm(font_.ToQFont());
    defaultRowTwips_ = static_cast<qint32>(PixelsToTwipsY(fm.height() + 2));
    QAbstractScrollArea::setFont(font_.ToQFont());
    UpdateScrollBars();
    InvalidateAll();
}

void FlexGrid::SetMouseIcon(const Picture& p)
{
    mouseIcon_ = p;
    ApplyLook();
}

void FlexGrid::ApplyLook()
{
    setFrameShape(look_.BorderStyle == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
    setFrameShadow(look_.Appearance == 0 ? QFrame::Plain : QFrame::Sunken);
    setToolTip(look_.ToolTipText);
    setLayoutDirection(look_.RightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    verticalScrollBar()->setTracking(look_.ScrollTrack);
    horizontalScrollBar()->setTracking(look_.ScrollTrack);
    ApplyCursor();
    UpdateScrollBars();
    InvalidateAll();
}

void FlexGrid::ApplyCursor()
{
    switch (look_.MousePointer) {
    case vbCrosshair:
        viewport()->setCursor(Qt::CrossCursor);
        break;
    case vbIbeam:
        viewport()->setCursor(Qt::IBeamCursor);
        break;
    case vbHourglass:
        viewport()->setCursor(Qt::WaitCursor);
        break;
    case vbCustom:
        if (!mouseIcon_.IsEmpty()) {
            viewport()->setCursor(QCursor(QPixmap::fromImage(mouseIcon_.Image())));
            break;
        }
        [[fallthrough]];
    default:
        viewport()->unsetCursor();
        break;
    }
}

Picture FlexGrid::GridPicture() { return Picture::FromImage(grab().toImage()); }

void FlexGrid::Refresh()
{
    if (look_.Redraw)
        viewport()->repaint();
}

void FlexGrid::OLEDrag()
{
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setText(Clip());
    drag->setMimeData(mime);
    const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction);
    qint32 effect = action == Qt::CopyAction ? 1 : action == Qt::MoveAction ? 2 : 0;
    if (Events.OLECompleteDrag)
        Events.OLECompleteDrag(effect);
}

void FlexGrid::SetFocus() { setFocus(Qt::OtherFocusReason); }

// ---- scrolling ----

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

// ---- painting ----

void FlexGrid::InvalidateAll()
{
    if (look_.Redraw)
        viewport()->update();
}

void FlexGrid::InvalidateCell(qint32 r, qint32 c)
{
    if (!look_.Redraw || r < 0 || c < 0 || r >= Rows() || c >= cols_)
        return;
    if ((r >= fixedRows_ && r < topRow_) || (c >= fixedCols_ && c < leftCol_))
        return;
    // Walk only as far as the view goes.
    const int vh = viewport()->height(), vw = viewport()->width();
    int y = 0;
    for (qint32 i = 0; i < std::min(r, fixedRows_); ++i)
        y += RowHeightPx(i);
    if (r >= fixedRows_)
        for (qint32 i = topRow_; i < r && y <= vh; ++i)
            y += RowHeightPx(i);
    if (y > vh)
        return;
    int x = 0;
    for (qint32 i = 0; i < std::min(c, fixedCols_); ++i)
        x += ColWidthPx(i);
    if (c >= fixedCols_)
        for (qint32 i = leftCol_; i < c && x <= vw; ++i)
            x += ColWidthPx(i);
    if (x > vw)
        return;
    viewport()->update(QRect(x, y, ColWidthPx(c), RowHeightPx(r)).adjusted(-1, -1, 1, 1));
}

bool FlexGrid::IsSelected(qint32 r, qint32 c) const
{
    if (look_.HighLight == 0 || (look_.HighLight == 2 && !hasFocus()))
        return false;
    if (r < fixedRows_ || c < fixedCols_ || (r == row_ && c == col_))
        return false;
    return r >= std::min(row_, rowSel_) && r <= std::max(row_, rowSel_) && c >= std::min(col_, colSel_) &&
           c <= std::max(col_, colSel_);
}

void FlexGrid::CellColours(qint32 r, qint32 c, qint32& back, qint32& fore) const
{
    const Cell& cell = CellAt(r, c);
    const bool fixed = r < fixedRows_ || c < fixedCols_;
    back = cell.backColor != 0 ? cell.backColor : fixed ? look_.BackColorFixed : look_.BackColor;
    fore = cell.foreColor != 0 ? cell.foreColor : fixed ? look_.ForeColorFixed : look_.ForeColor;
    if (IsSelected(r, c)) {
        back = look_.BackColorSel;
        fore = look_.ForeColorSel;
    }
}

void FlexGrid::PaintCellBack(QPainter& p, qint32 r, qint32 c, const QRect& rect, bool rightLine, bool bottomLine) const
{
    const Cell& cell = CellAt(r, c);
    const bool fixed = r < fixedRows_ || c < fixedCols_;
    qint32 back, fore;
    CellColours(r, c, back, fore);
    p.fillRect(rect, ColorFromValue(back));
    const QRect inner = rect.adjusted(kPad, 0, -kPad, 0);
    if (!cell.picture.IsEmpty()) {
        const QImage& img = cell.picture.Image();
        QSize s = img.size().scaled(inner.size(), Qt::KeepAspectRatio);
        if (img.width() <= inner.width() && img.height() <= inner.height())
            s = img.size();
        const QRect target(inner.left(), inner.top() + (inner.height() - s.height()) / 2, s.width(), s.height());
        p.drawImage(target, img);
    }
    const qint32 lines = fixed ? look_.GridLinesFixed : look_.GridLines;
    if (lines != 0) {
        QPen pen(ColorFromValue(fixed ? look_.GridColorFixed : look_.GridColor));
        if (fixed && lines >= 2)
            pen.setColor(palette().color(lines == 2 ? QPalette::Dark : QPalette::Mid));
        pen.setWidth(std::max<int>(1, look_.GridLineWidth));
        p.setPen(pen);
        if (rightLine)
            p.drawLine(rect.topRight(), rect.bottomRight());
        if (bottomLine)
            p.drawLine(rect.bottomLeft(), rect.bottomRight());
    }
}

void FlexGrid::PaintCellText(QPainter& p, qint32 r, qint32 c, const QRect& rect) const
{
    const Cell& cell = CellAt(r, c);
    if (cell.text.isEmpty())
        return;
    const bool fixed = r < fixedRows_ || c < fixedCols_;
    qint32 back, fore;
    CellColours(r, c, back, fore);
    QFont f = font_.ToQFont();
    if (cell.fontSet) {
        auto pick = [&](quint8 flag, bool base) { return cell.fontSet & flag ? (cell.fontOn & flag) != 0 : base; };
        f.setBold(pick(kBold, font_.Bold));
        f.setItalic(pick(kItalic, font_.Italic));
        f.setUnderline(pick(kUnderline, font_.Underline));
        f.setStrikeOut(pick(kStrike, font_.Strikethrough));
    }
    p.setFont(f);
    int a = cell.alignment >= 0 ? cell.alignment : colInfo_[static_cast<size_t>(c)].alignment;
    if (fixed && colInfo_[static_cast<size_t>(c)].fixedAlignment >= 0)
        a = colInfo_[static_cast<size_t>(c)].fixedAlignment;
    const int flags =
        static_cast<int>(QtAlignment(a, cell.text)) | (look_.WordWrap ? Qt::TextWordWrap : Qt::TextSingleLine);
    const QRect inner = rect.adjusted(kPad, 0, -kPad, 0);
    // 3-D text: 1 raised, 2 inset, 3 raised light, 4 inset light.
    const qint32 style = fixed ? look_.TextStyleFixed : look_.TextStyle;
    if (style >= 1 && style <= 4) {
        const bool raised = style == 1 || style == 3;
        p.setPen(palette().color(raised ? QPalette::Light : QPalette::Dark));
        p.drawText(inner.translated(raised ? -1 : 1, raised ? -1 : 1), flags, cell.text);
        if (style <= 2) {
            p.setPen(palette().color(raised ? QPalette::Dark : QPalette::Light));
            p.drawText(inner.translated(raised ? 1 : -1, raised ? 1 : -1), flags, cell.text);
        }
    }
    p.setPen(ColorFromValue(fore));
    p.drawText(inner, flags, cell.text);
}

bool FlexGrid::MergesAcross(qint32 r, qint32 c1, qint32 c2) const
{
    if (look_.MergeCells == 0 || !rowInfo_[static_cast<size_t>(r)].merge)
        return false;
    const bool fixed1 = r < fixedRows_ || c1 < fixedCols_, fixed2 = r < fixedRows_ || c2 < fixedCols_;
    if (look_.MergeCells == 4 && !(fixed1 && fixed2))
        return false;
    const QString& t = CellAt(r, c1).text;
    if (t.isEmpty() || t != CellAt(r, c2).text)
        return false;
    // Restricted rows merge only under cells that merge as well.
    return look_.MergeCells != 2 || r == 0 || MergesAcross(r - 1, c1, c2);
}

bool FlexGrid::MergesDown(qint32 r1, qint32 r2, qint32 c) const
{
    if (look_.MergeCells == 0 || !colInfo_[static_cast<size_t>(c)].merge)
        return false;
    const bool fixed1 = r1 < fixedRows_ || c < fixedCols_, fixed2 = r2 < fixedRows_ || c < fixedCols_;
    if (look_.MergeCells == 4 && !(fixed1 && fixed2))
        return false;
    const QString& t = CellAt(r1, c).text;
    if (t.isEmpty() || t != CellAt(r2, c).text)
        return false;
    return look_.MergeCells != 3 || c == 0 || MergesDown(r1, r2, c - 1);
}

void FlexGrid::paintEvent(QPaintEvent* e)
{
    if (!look_.Redraw)
        return;
    QPainter p(viewport());
    const QRect clip = e->rect();
    const int vh = viewport()->height(), vw = viewport()->width();
    p.fillRect(clip, QColor(128, 128, 128));
    // The rows and columns in view: the fixed ones, then from TopRow and LeftCol on.
    struct Span {
        qint32 index;
        int at, size;
    };
    std::vector<Span> rows, cols;
    int y = 0;
    for (qint32 r = 0; r < Rows() && y < vh; ++r) {
        if (r >= fixedRows_ && r < topRow_)
            r = topRow_;
        if (r >= Rows())
            break;
        rows.push_back({r, y, RowHeightPx(r)});
        y += rows.back().size;
    }
    int x = 0;
    for (qint32 c = 0; c < cols_ && x < vw; ++c) {
        if (c >= fixedCols_ && c < leftCol_)
            c = leftCol_;
        if (c >= cols_)
            break;
        cols.push_back({c, x, ColWidthPx(c)});
        x += cols.back().size;
    }
    auto rectOf = [&](size_t ri, size_t ci) { return QRect(cols[ci].at, rows[ri].at, cols[ci].size, rows[ri].size); };
    auto across = [&](size_t ri, size_t ci) { // the cell and the one right of it merge
        return ci + 1 < cols.size() && MergesAcross(rows[ri].index, cols[ci].index, cols[ci + 1].index);
    };
    auto down = [&](size_t ri, size_t ci) { // the cell and the one below it merge
        return ri + 1 < rows.size() && MergesDown(rows[ri].index, rows[ri + 1].index, cols[ci].index);
    };
    // Backgrounds and lines first, then each text once over the cells it merges with.
    for (size_t ri = 0; ri < rows.size(); ++ri)
        for (size_t ci = 0; ci < cols.size(); ++ci) {
            const QRect rect = rectOf(ri, ci);
            if (!rect.isEmpty() && rect.intersects(clip))
                PaintCellBack(p, rows[ri].index, cols[ci].index, rect, !across(ri, ci), !down(ri, ci));
        }
    for (size_t ri = 0; ri < rows.size(); ++ri)
        for (size_t ci = 0; ci < cols.size(); ++ci) {
            if ((ci > 0 && across(ri, ci - 1)) || (ri > 0 && down(ri - 1, ci)))
                continue; // drawn by the first cell of its run
            QRect rect = rectOf(ri, ci);
            size_t k = ci;
            while (across(ri, k))
                rect = rect.united(rectOf(ri, ++k));
            if (k == ci)
                for (size_t j = ri; down(j, ci);)
                    rect = rect.united(rectOf(++j, ci));
            if (!rect.isEmpty() && rect.intersects(clip))
                PaintCellText(p, rows[ri].index, cols[ci].index, rect);
        }
    if (hasFocus() && look_.FocusRect != 0 && row_ < Rows() && col_ < cols_ && row_ >= fixedRows_ &&
        col_ >= fixedCols_ && (row_ >= topRow_) && (col_ >= leftCol_)) {
        QPen pen(ColorFromValue(look_.ForeColor));
        pen.setStyle(look_.FocusRect == 1 ? Qt::DotLine : Qt::SolidLine);
        pen.setWidth(look_.FocusRect == 2 ? 2 : 1);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(CellRect(row_, col_).adjusted(1, 1, -2, -2));
    }
}

// ---- keys, mouse and focus ----

void FlexGrid::keyPressEvent(QKeyEvent* e)
{
    e->accept();
    Guarded("grid key", [&] {
        int code = KeyCodeOf(e->key());
        const int before = code; // a key without a code (a letter of another script) still types
        int shift = ShiftBits(e->modifiers());
        if (Events.KeyDown)
            Events.KeyDown(code, shift);
        if ((code == 0 && before != 0) || Rows() == 0 || cols_ == 0)
            return;
        const bool extend = (shift & 1) != 0;
        qint32 r = extend ? rowSel_ : row_, c = extend ? colSel_ : col_;
        const qint32 page = std::max(1, viewport()->height() / std::max(1, DefaultRowHeightPx()) - 1);
        bool navigation = true;
        switch (code) {
        case 37:
            c = std::max(fixedCols_, c - 1);
            break;
        case 39:
            c = std::min(cols_ - 1, c + 1);
            break;
        case 38:
            r = std::max(fixedRows_, r - 1);
            break;
        case 40:
            r = std::min(Rows() - 1, r + 1);
            break;
        case 33:
            r = std::max(fixedRows_, r - page);
            break;
        case 34:
            r = std::min(Rows() - 1, r + page);
            break;
        case 36:
            c = fixedCols_;
            if (shift & 2)
                r = fixedRows_;
            break;
        case 35:
            c = cols_ - 1;
            if (shift & 2)
                r = Rows() - 1;
            break;
        default:
            navigation = false;
            break;
        }
        if (navigation) {
            if (extend)
                ExtendTo(r, c);
            else
                MoveTo(r, c, r, c);
            ShowCell(r, c);
            return;
        }
        const QString text = e->text();
        // Delete carries U+007F as its text on some systems: it is no typed character.
        if (!text.isEmpty() && text.at(0) != QChar(0x7f) && Events.KeyPress) {
            // The character's code point, not the first half of a surrogate pair.
            int ascii = static_cast<int>(text.toUcs4().value(0));
            typedText_ = text;
            const auto forget = qScopeGuard([this] { typedText_.clear(); });
            Events.KeyPress(ascii);
        }
    });
}

void FlexGrid::keyReleaseEvent(QKeyEvent* e)
{
    e->accept();
    if (e->isAutoRepeat() || !Events.KeyUp)
        return;
    Guarded("grid key", [&] {
        int code = KeyCodeOf(e->key());
        int shift = ShiftBits(e->modifiers());
        Events.KeyUp(code, shift);
    });
}

bool FlexGrid::HitCell(const QPoint& pos, qint32& r, qint32& c) const
{
    r = c = -1;
    int y = 0;
    for (qint32 i = 0; i < Rows() && y <= pos.y(); ++i) {
        if (i >= fixedRows_ && i < topRow_)
            i = topRow_;
        if (i >= Rows())
            break;
        const int h = RowHeightPx(i);
        if (pos.y() >= y && pos.y() < y + h) {
            r = i;
            break;
        }
        y += h;
    }
    int x = 0;
    for (qint32 i = 0; i < cols_ && x <= pos.x(); ++i) {
        if (i >= fixedCols_ && i < leftCol_)
            i = leftCol_;
        if (i >= cols_)
            break;
        const int w = ColWidthPx(i);
        if (pos.x() >= x && pos.x() < x + w) {
            c = i;
            break;
        }
        x += w;
    }
    return r >= 0 && c >= 0;
}

void FlexGrid::NoteMouse(const QPoint& pos)
{
    qint32 r, c;
    HitCell(pos, r, c);
    // Outside the cells the last row and column seen stay.
    if (r >= 0)
        mouseRow_ = r;
    if (c >= 0)
        mouseCol_ = c;
}

bool FlexGrid::ResizeHit(const QPoint& pos, int& kind, qint32& index) const
{
    constexpr int kGrip = 3;
    int fixedH = 0, fixedW = 0;
    for (qint32 r = 0; r < fixedRows_; ++r)
        fixedH += RowHeightPx(r);
    for (qint32 c = 0; c < fixedCols_; ++c)
        fixedW += ColWidthPx(c);
    if ((look_.AllowUserResizing & 1) && pos.y() < fixedH) {
        for (qint32 c = 0; c < cols_; ++c) {
            if (c >= fixedCols_ && c < leftCol_)
                continue;
            const int right = ColX(c) + ColWidthPx(c);
            if (std::abs(pos.x() - right) <= kGrip) {
                kind = 1;
                index = c;
                return true;
            }
            if (right > pos.x() + kGrip)
                break;
        }
    }
    if ((look_.AllowUserResizing & 2) && pos.x() < fixedW) {
        for (qint32 r = 0; r < Rows(); ++r) {
            if (r >= fixedRows_ && r < topRow_)
                continue;
            const int bottom = RowY(r) + RowHeightPx(r);
            if (std::abs(pos.y() - bottom) <= kGrip) {
                kind = 2;
                index = r;
                return true;
            }
            if (bottom > pos.y() + kGrip)
                break;
        }
    }
    return false;
}

void FlexGrid::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    int kind = 0;
    qint32 index = -1;
    if (e->button() == Qt::LeftButton && look_.AllowUserResizing != 0 &&
        ResizeHit(e->position().toPoint(), kind, index)) {
        // A press on an edge resizes; it selects nothing.
        resize_ = {kind, index, kind == 1 ? e->position().toPoint().x() : e->position().toPoint().y(),
                   kind == 1 ? ColWidth(index) : RowHeight(index)};
        return;
    }
    Guarded("grid mouse", [&] {
        if (!hasFocus())
            setFocus(Qt::MouseFocusReason);
        const QPoint pos = e->position().toPoint();
        NoteMouse(pos);
        qint32 r, c;
        if (HitCell(pos, r, c)) {
            const bool hasData = Rows() > fixedRows_ && cols_ > fixedCols_;
            if (r < fixedRows_ && c < fixedCols_) {
                if (hasData)
                    MoveTo(fixedRows_, fixedCols_, Rows() - 1, cols_ - 1);
            } else if (r < fixedRows_) {
                if (hasData)
                    MoveTo(fixedRows_, c, Rows() - 1, c);
            } else if (c < fixedCols_) {
                if (hasData)
                    MoveTo(r, fixedCols_, r, cols_ - 1);
            } else if (e->modifiers() & Qt::ShiftModifier) {
                ExtendTo(r, c);
            } else if (look_.SelectionMode == 1) {
                MoveTo(r, c, r, cols_ - 1);
            } else if (look_.SelectionMode == 2) {
                MoveTo(r, c, Rows() - 1, c);
            } else {
                MoveTo(r, c, r, c);
                dragging_ = e->button() == Qt::LeftButton;
            }
        }
        int button = ButtonOf(e->button());
        int shift = ShiftBits(e->modifiers());
        float x = static_cast<float>(PixelsToTwipsX(pos.x() + ViewportOffset().x()));
        float y = static_cast<float>(PixelsToTwipsY(pos.y() + ViewportOffset().y()));
        if (Events.MouseDown)
            Events.MouseDown(button, shift, x, y);
    });
}

void FlexGrid::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    const QPoint at = e->position().toPoint();
    if (resize_.kind != 0) {
        const int delta = (resize_.kind == 1 ? at.x() : at.y()) - resize_.startPx;
        if (resize_.kind == 1)
            SetColWidth(resize_.index, std::max(0, resize_.startTwips + static_cast<qint32>(PixelsToTwipsX(delta))));
        else
            SetRowHeight(resize_.index, std::max(0, resize_.startTwips + static_cast<qint32>(PixelsToTwipsY(delta))));
        return;
    }
    if (look_.AllowUserResizing != 0) {
        int kind = 0;
        qint32 index = -1;
        const bool hit = ResizeHit(at, kind, index);
        if (hit)
            viewport()->setCursor(kind == 1 ? Qt::SplitHCursor : Qt::SplitVCursor);
        else if (resizeCursor_)
            ApplyCursor();
        resizeCursor_ = hit;
    }
    Guarded("grid mouse", [&] {
        const QPoint pos = e->position().toPoint();
        NoteMouse(pos);
        qint32 r, c;
        if (dragging_ && (e->buttons() & Qt::LeftButton) && HitCell(pos, r, c) && r >= fixedRows_ && c >= fixedCols_)
            ExtendTo(r, c);
        int button = ButtonMask(e->buttons());
        int shift = ShiftBits(e->modifiers());
        float x = static_cast<float>(PixelsToTwipsX(pos.x() + ViewportOffset().x()));
        float y = static_cast<float>(PixelsToTwipsY(pos.y() + ViewportOffset().y()));
        if (Events.MouseMove)
            Events.MouseMove(button, shift, x, y);
    });
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    dragging_ = false;
    if (resize_.kind != 0) {
        resize_ = {};
        return;
    }
    Guarded("grid mouse", [&] {
        const QPoint pos = e->position().toPoint();
        int button = ButtonOf(e->button());
        int shift = ShiftBits(e->modifiers());
        float x = static_cast<float>(PixelsToTwipsX(pos.x() + ViewportOffset().x()));
        float y = static_cast<float>(PixelsToTwipsY(pos.y() + ViewportOffset().y()));
        if (Events.MouseUp)
            Events.MouseUp(button, shift, x, y);
        if (Events.Click)
            Events.Click();
    });
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* e)
{
    e->accept();
    if (Events.DblClick)
        Guarded("grid double click", Events.DblClick);
}

void FlexGrid::focusInEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusInEvent(e);
    InvalidateAll();
    if (Events.GotFocus)
        Guarded("grid focus", Events.GotFocus);
}

void FlexGrid::focusOutEvent(QFocusEvent* e)
{
    QAbstractScrollArea::focusOutEvent(e);
    InvalidateAll();
    if (e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason)
        return;
    Guarded("grid focus", [&] {
        bool cancel = false;
        if (Events.Validate)
            Events.Validate(cancel);
        if (cancel) {
            setFocus(Qt::OtherFocusReason);
            return;
        }
        if (Events.LostFocus)
            Events.LostFocus();
    });
}

} // namespace platform
