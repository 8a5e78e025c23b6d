// The flexible grid's keys, mouse and focus: moving and selecting, resizing by the edges
// of the fixed cells, and the events the host hears.
#include "flex_grid.h"

#include "event_guard.h"
#include "form.h"
#include "twips.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopeGuard>
#include <algorithm>
#include <cstdlib>

namespace platform {

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
