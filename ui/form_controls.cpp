// A form's light controls: their z-order, the drawing, the mouse and its pointer, and the
// controls' tooltips.
#include "form.h"

#include "event_guard.h"
#include "twips.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <utility>

namespace platform {
namespace {
// A position in the client area, pixels to twips.
std::pair<float, float> TwipsAt(QPointF px)
{
    return {static_cast<float>(PixelsToTwipsX(px.x())), static_cast<float>(PixelsToTwipsY(px.y()))};
}

Qt::CursorShape ShapeOf(int pointer)
{
    switch (pointer) {
    case vbCrosshair:
        return Qt::CrossCursor;
    case vbIbeam:
        return Qt::IBeamCursor;
    case vbSizePointer:
    case vbSizeAll:
        return Qt::SizeAllCursor;
    case vbSizeNESW:
        return Qt::SizeBDiagCursor;
    case vbSizeNS:
        return Qt::SizeVerCursor;
    case vbSizeNWSE:
        return Qt::SizeFDiagCursor;
    case vbSizeWE:
        return Qt::SizeHorCursor;
    case vbUpArrow:
        return Qt::UpArrowCursor;
    case vbHourglass:
        return Qt::WaitCursor;
    case vbNoDrop:
        return Qt::ForbiddenCursor;
    case vbArrowHourglass:
        return Qt::BusyCursor;
    case vbArrowQuestion:
        return Qt::WhatsThisCursor;
    default:
        return Qt::ArrowCursor;
    }
}
} // namespace

void Form::SetBackColor(qint32 c)
{
    backColor_ = c;
    update();
    emit AreaInvalidated(rect());
}

void Form::SetMousePointer(int p)
{
    mousePointer_ = p;
    ShowPointer(p, &MouseIcon);
}

void Form::ShowPointer(int pointer, const QImage* icon)
{
    if (pointer == vbCustom && icon && !icon->isNull())
        setCursor(QCursor(QPixmap::fromImage(*icon)));
    else if (pointer == vbDefault)
        unsetCursor();
    else
        setCursor(ShapeOf(pointer));
}

void Form::AddControl(LightControl* c) { zorder_.push_back(c); }

void Form::RemoveControl(LightControl* c)
{
    zorder_.erase(std::remove(zorder_.begin(), zorder_.end(), c), zorder_.end());
    if (captured_ == c)
        captured_ = nullptr;
    if (pressedOn_ == c)
        pressedOn_ = nullptr;
}

void Form::BringToFront(LightControl* c)
{
    RemoveControl(c);
    zorder_.push_back(c);
}

void Form::SendToBack(LightControl* c)
{
    RemoveControl(c);
    zorder_.insert(zorder_.begin(), c);
}

void Form::InvalidateTwips(const QRectF& r)
{
    if (r.isEmpty())
        return;
    const QRect px(TwipsToPixelsX(r.left()) - 2, TwipsToPixelsY(r.top()) - 2, TwipsToPixelsX(r.width()) + 5,
                   TwipsToPixelsY(r.height()) + 5);
    update(px);
    emit AreaInvalidated(px);
}

LightControl* Form::ControlAt(float x, float y) const
{
    for (auto it = zorder_.rbegin(); it != zorder_.rend(); ++it)
        if ((*it)->HitTest(x, y))
            return *it;
    return nullptr;
}

void Form::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    const QRect dirty = e->rect();
    p.fillRect(dirty, ColorFromValue(backColor_));
    // Only what the dirty area touches: a ticking clock or message line must not draw
    // every cell of the page again (a few pixels more for glyphs past a label's edge).
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    for (LightControl* c : zorder_) {
        if (!c->Visible())
            continue;
        const QRectF r = c->RectTwips();
        const QRectF px(r.left() / tx - 4, r.top() / ty - 4, r.width() / tx + 9, r.height() / ty + 9);
        if (px.intersects(QRectF(dirty)))
            c->Paint(p);
    }
}

void Form::UpdateCursorAt(float x, float y)
{
    LightControl* c = captured_ ? captured_ : ControlAt(x, y);
    int pointer = c ? c->MousePointer : vbDefault;
    const QImage* icon = c ? &c->MouseIcon : nullptr;
    if (pointer == vbDefault) {
        pointer = mousePointer_;
        icon = &MouseIcon;
    }
    ShowPointer(pointer, icon);
}

void Form::mousePressEvent(QMouseEvent* e)
{
    const auto at = TwipsAt(e->position());
    const float x = at.first, y = at.second;
    const int b = ButtonOf(e->button());
    const int s = ShiftBits(e->modifiers());
    LightControl* c = ControlAt(x, y);
    captured_ = c;
    pressedOn_ = c;
    pressedOnForm_ = c == nullptr;
    Guarded("mouse down", [&] {
        if (c) {
            if (c->Events.MouseDown)
                c->Events.MouseDown(b, s, x - c->Left(), y - c->Top());
        } else {
            Form_MouseDown(b, s, x, y);
        }
    });
}

void Form::mouseMoveEvent(QMouseEvent* e)
{
    const auto at = TwipsAt(e->position());
    const float x = at.first, y = at.second;
    const int b = ButtonMask(e->buttons());
    const int s = ShiftBits(e->modifiers());
    // A release that went elsewhere (to a popup menu opened by the press) ends the capture.
    if (e->buttons() == Qt::NoButton)
        captured_ = nullptr;
    LightControl* c = captured_ ? captured_ : ControlAt(x, y);
    Guarded("mouse move", [&] {
        if (c) {
            if (c->Events.MouseMove)
                c->Events.MouseMove(b, s, x - c->Left(), y - c->Top());
        } else {
            Form_MouseMove(b, s, x, y);
        }
    });
    UpdateCursorAt(x, y);
}

void Form::mouseReleaseEvent(QMouseEvent* e)
{
    const auto at = TwipsAt(e->position());
    const float x = at.first, y = at.second;
    const int b = ButtonOf(e->button());
    const int s = ShiftBits(e->modifiers());
    LightControl* c = captured_;
    const bool onForm = pressedOnForm_ && !c;
    const bool click = pressedOn_ != nullptr || onForm;
    LightControl* clickTarget = pressedOn_;
    captured_ = nullptr;
    pressedOn_ = nullptr;
    pressedOnForm_ = false;
    Guarded("mouse up", [&] {
        if (c) {
            if (c->Events.MouseUp)
                c->Events.MouseUp(b, s, x - c->Left(), y - c->Top());
        } else {
            Form_MouseUp(b, s, x, y);
        }
        if (click) {
            if (clickTarget) {
                if (clickTarget->HitTest(x, y) && clickTarget->Events.Click)
                    clickTarget->Events.Click();
            } else {
                Form_Click();
            }
        }
    });
}

void Form::mouseDoubleClickEvent(QMouseEvent* e)
{
    const auto at = TwipsAt(e->position());
    const float x = at.first, y = at.second;
    LightControl* c = ControlAt(x, y);
    captured_ = c;
    pressedOn_ = nullptr; // the release after a double click is no click
    pressedOnForm_ = false;
    Guarded("double click", [&] {
        if (c) {
            if (c->Events.DblClick)
                c->Events.DblClick();
        } else {
            Form_DblClick();
        }
    });
}

bool Form::event(QEvent* e)
{
    if (e->type() == QEvent::ToolTip) {
        auto* he = static_cast<QHelpEvent*>(e);
        const auto at = TwipsAt(he->pos());
        const float x = at.first, y = at.second;
        LightControl* c = ControlAt(x, y);
        if (c && !c->ToolTipText.isEmpty())
            QToolTip::showText(he->globalPos(), c->ToolTipText, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

} // namespace platform
