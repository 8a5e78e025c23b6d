// The flexible grid's painting: only the cells that changed, only the rows and columns in
// view, merged cells as one.
#include "flex_grid.h"

#include "flex_grid_internal.h"
#include "twips.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <vector>

namespace platform {
namespace {
using flexgrid::IsNumberText;
using flexgrid::kPad;

Qt::Alignment QtAlignment(int a, const QString& text)
{
    if (a == flexAlignGeneral || a < 0 || a > 8)
        return (IsNumberText(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    const Qt::Alignment h[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    const Qt::Alignment v[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return h[a / 3] | v[a % 3];
}
} // namespace

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

} // namespace platform
