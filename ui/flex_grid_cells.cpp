// The flexible grid's cells: their texts, the clip, sorting and the format string, and
// the current cell's formatting.
#include "flex_grid.h"

#include "core/conversions.h"
#include "flex_grid_internal.h"
#include "twips.h"

#include <QFontMetrics>
#include <QStringList>
#include <algorithm>
#include <numeric>

namespace platform {
namespace {
using flexgrid::IsNumberText;
using flexgrid::kPad;

int Sign(double d) { return d < 0 ? -1 : d > 0 ? 1 : 0; }
} // namespace

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

} // namespace platform
