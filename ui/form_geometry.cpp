// A form's outer geometry in twips, held while the desktop frames the window; its window
// states; the sub-window that hosts a child window.
#include "form.h"

#include "event_guard.h"
#include "twips.h"

#include <QMdiSubWindow>
#include <QTimer>
#include <QWindow>
#include <algorithm>

namespace platform {
namespace {
// How long after showing (and after the frame became known) the desktop's framing is
// still put right.
constexpr qint64 kHoldMs = 1500;
} // namespace

QSize Form::FrameExtra() const
{
    if (mdiSub_) {
        // The sub-window's title bar and borders.
        const QMargins m = mdiSub_->contentsMargins();
        return QSize(m.left() + m.right(), m.top() + m.bottom());
    }
    if (!isWindow())
        return {};
    if (const QWindow* w = windowHandle()) {
        const QMargins m = w->frameMargins();
        return QSize(m.left() + m.right(), m.top() + m.bottom());
    }
    return {};
}

void Form::ApplyGeometry()
{
    const QSize extra = FrameExtra();
    const int wpx = std::max(1, TwipsToPixelsX(width_) - extra.width());
    const int hpx = std::max(1, TwipsToPixelsY(height_) - extra.height());
    applying_ = true;
    if (windowState_ == vbNormal) {
        const QPoint pos(TwipsToPixelsX(left_), TwipsToPixelsY(top_));
        if (mdiSub_) {
            // A child window's outer rectangle is its sub-window, in the frame's client area.
            mdiSub_->setGeometry(QRect(pos, QSize(wpx + extra.width(), hpx + extra.height())));
        } else if (isWindow() && isVisible() && !extra.isNull()) {
            // A framed window: corner and size in one request, so the desktop's answer to
            // a move cannot undo the resize that follows it.
            const QMargins m = windowHandle()->frameMargins();
            setGeometry(QRect(pos + QPoint(m.left(), m.top()), QSize(wpx, hpx)));
        } else if (isWindow()) {
            // The outer corner is what the form keeps; the desktop adds the frame.
            create();
            windowHandle()->setFramePosition(pos);
            resize(wpx, hpx);
        } else {
            move(pos);
            resize(wpx, hpx);
        }
    }
    applying_ = false;
    const float cw = static_cast<float>(PixelsToTwipsX(wpx));
    const float ch = static_cast<float>(PixelsToTwipsY(hpx));
    if (windowState_ == vbNormal && (cw != clientW_ || ch != clientH_)) {
        clientW_ = cw;
        clientH_ = ch;
        if (loaded_)
            Form_Resize();
    }
}

void Form::ReadBackGeometry(bool fireResize)
{
    const QSize extra = FrameExtra();
    // A maximised or minimised window remembers the normal rectangle it had: that is the
    // one "Normal" gives back, and so the one saved.
    const Qt::WindowStates shownState =
        mdiSub_ ? mdiSub_->windowState() : (isWindow() ? windowState() : Qt::WindowNoState);
    const bool normal =
        windowState_ == vbNormal && !(shownState & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    if (normal) {
        const QPoint pos = mdiSub_ ? mdiSub_->pos() : isWindow() ? frameGeometry().topLeft() : this->pos();
        if (pos.x() != TwipsToPixelsX(left_))
            left_ = static_cast<float>(PixelsToTwipsX(pos.x()));
        if (pos.y() != TwipsToPixelsY(top_))
            top_ = static_cast<float>(PixelsToTwipsY(pos.y()));
    }
    const int outerW = mdiSub_ ? mdiSub_->width() : width() + extra.width();
    const int outerH = mdiSub_ ? mdiSub_->height() : height() + extra.height();
    if (outerW != TwipsToPixelsX(width_))
        width_ = static_cast<float>(PixelsToTwipsX(outerW));
    if (outerH != TwipsToPixelsY(height_))
        height_ = static_cast<float>(PixelsToTwipsY(outerH));
    if (normal)
        normal_ = QRectF(left_, top_, width_, height_);
    const float cw = static_cast<float>(PixelsToTwipsX(width()));
    const float ch = static_cast<float>(PixelsToTwipsY(height()));
    if (cw != clientW_ || ch != clientH_) {
        clientW_ = cw;
        clientH_ = ch;
        if (fireResize && loaded_ && windowState_ != vbMinimized)
            Guarded("resize", [this] { Form_Resize(); });
    }
}

void Form::HoldOuterGeometry()
{
    if (!isWindow() || windowState_ != vbNormal)
        return;
    held_ = QRectF(left_, top_, width_, height_);
    holding_ = true;
    shownClock_.start();
    holdClock_.invalidate();
    framedClock_.invalidate();
    QTimer::singleShot(0, this, [this] { CheckHeldGeometry(); });
}

bool Form::IsBeingFramed() const
{
    // The hold counts from the first check the event loop ran, and from the moment the
    // frame was known: a program busy while the desktop frames its window (a slow disk,
    // a long load) still puts the window right once it runs again.
    return holding_ && (!holdClock_.isValid() || holdClock_.elapsed() <= kHoldMs ||
                        (framedClock_.isValid() && framedClock_.elapsed() <= kHoldMs));
}

void Form::CheckHeldGeometry()
{
    if (!holding_)
        return;
    // Looks again a few times after the first check and after the frame became known,
    // since the desktop answers at its own pace; the last look comes after the hold's
    // end, so the hold closes itself.
    const auto lookAgain = [this] {
        for (int ms : {100, 300, 800, 1600})
            QTimer::singleShot(ms, this, [this] { CheckHeldGeometry(); });
    };
    if (!holdClock_.isValid()) {
        holdClock_.start();
        lookAgain();
    }
    QWindow* handle = windowHandle();
    if (handle && !framedClock_.isValid() && !handle->frameMargins().isNull()) {
        framedClock_.start();
        if (holdClock_.elapsed() > 50)
            lookAgain();
    }
    if (!IsBeingFramed() || windowState_ != vbNormal || !isVisible()) {
        holding_ = false;
        return;
    }
    const QRect wanted(TwipsToPixelsX(held_.left()), TwipsToPixelsY(held_.top()), TwipsToPixelsX(held_.width()),
                       TwipsToPixelsY(held_.height()));
    if (shownClock_.elapsed() > kHoldMs) {
        // The program was busy while the desktop framed the window, and the user may have
        // moved or resized it meanwhile: only the frame's own mistake is put right, the
        // outer size taken as the inside's, where the window stands now.
        if (handle && !handle->frameMargins().isNull() && size() == wanted.size()) {
            const QPoint corner = frameGeometry().topLeft();
            Move(static_cast<float>(PixelsToTwipsX(corner.x())), static_cast<float>(PixelsToTwipsY(corner.y())),
                 static_cast<float>(held_.width()), static_cast<float>(held_.height()));
        }
        return;
    }
    // The native window is what the desktop shows: a resize asked for while the desktop
    // was still framing the window may reach the widget and not the native window, which
    // then shows a band the widget never paints.
    const QSize shown = handle ? handle->frameGeometry().size() : frameGeometry().size();
    if (shown != wanted.size()) {
        Move(static_cast<float>(held_.left()), static_cast<float>(held_.top()), static_cast<float>(held_.width()),
             static_cast<float>(held_.height()));
        if (handle && handle->geometry().size() != size())
            handle->resize(size());
    }
    // The frame's corner is where the desktop put it: shift the window by the difference,
    // which needs no knowledge of the frame.
    const QPoint shift = wanted.topLeft() - frameGeometry().topLeft();
    if (!shift.isNull() && windowHandle())
        windowHandle()->setPosition(windowHandle()->position() + shift);
}

void Form::SetLeft(float v) { Move(v, top_, width_, height_); }
void Form::SetTop(float v) { Move(left_, v, width_, height_); }
void Form::SetWidth(float v) { Move(left_, top_, v, height_); }
void Form::SetHeight(float v) { Move(left_, top_, width_, v); }

void Form::SetOuterRect(float left, float top, float width, float height)
{
    Move(left, top, width, height);
    if (shown_ && !mdiSub_ && isVisible() && windowState_ == vbNormal)
        HoldOuterGeometry();
}

void Form::Move(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = std::max(0.0f, width);
    height_ = std::max(0.0f, height);
    if (windowState_ == vbNormal)
        normal_ = QRectF(left_, top_, width_, height_);
    if (holding_) // what the code asks for is what is held
        held_ = QRectF(left_, top_, width_, height_);
    ApplyGeometry();
}

float Form::ScaleWidth() const
{
    if (clientW_ > 0 || windowState_ != vbNormal)
        return clientW_;
    return std::max(0.0f, width_ - static_cast<float>(PixelsToTwipsX(FrameExtra().width())));
}

float Form::ScaleHeight() const
{
    if (clientH_ > 0 || windowState_ != vbNormal)
        return clientH_;
    return std::max(0.0f, height_ - static_cast<float>(PixelsToTwipsY(FrameExtra().height())));
}

void Form::SetWindowState(int state)
{
    if (state != vbMinimized && state != vbMaximized)
        state = vbNormal;
    if (state == vbNormal && windowState_ != vbNormal && normal_.isValid()) {
        left_ = static_cast<float>(normal_.left());
        top_ = static_cast<float>(normal_.top());
        width_ = static_cast<float>(normal_.width());
        height_ = static_cast<float>(normal_.height());
    }
    windowState_ = state;
    if (!shown_ || stateHeld_)
        return;
    PushWindowState();
}

void Form::HoldWindowState(bool hold)
{
    if (stateHeld_ == hold)
        return;
    stateHeld_ = hold;
    if (hold || !shown_)
        return;
    emit FrameDue();
    PushWindowState();
    // The flags may have hidden and shown the window faster than the window manager
    // answers, which can leave it withdrawn: shown again once it has answered.
    QTimer::singleShot(500, this, [this] {
        QWindow* handle = mdiSub_ ? nullptr : windowHandle();
        if (!stateHeld_ && handle && isVisible() && !handle->isExposed()) {
            hide();
            // Qt counts the lost state as given; it is given afresh with the new map.
            setWindowState(Qt::WindowNoState);
            PushWindowState();
        }
    });
}

void Form::PushWindowState()
{
    const int state = windowState_;
    applying_ = false;
    if (mdiSub_) {
        // A hidden child window takes its state when it is shown again.
        if (!mdiSub_->isVisible())
            return;
        if (state == vbMaximized)
            mdiSub_->showMaximized();
        else if (state == vbMinimized)
            mdiSub_->showMinimized();
        else {
            mdiSub_->showNormal();
            ApplyGeometry();
        }
        return;
    }
    if (state == vbMaximized)
        showMaximized();
    else if (state == vbMinimized)
        showMinimized();
    else {
        showNormal();
        ApplyGeometry();
        // The desktop answers the state change after this: the normal rectangle is held.
        HoldOuterGeometry();
    }
}

void Form::HostIn(QMdiSubWindow* sub)
{
    mdiSub_ = sub;
    mdiChild_ = true;
    sub->setAttribute(Qt::WA_DeleteOnClose, true);
    sub->setWidget(this);
    sub->installEventFilter(this);
    connect(sub, &QMdiSubWindow::windowStateChanged, this,
            [this](Qt::WindowStates o, Qt::WindowStates n) { SubWindowStateChanged(o, n); });
}

void Form::SubWindowStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState)
{
    windowState_ = (newState & Qt::WindowMinimized)   ? vbMinimized
                   : (newState & Qt::WindowMaximized) ? vbMaximized
                                                      : vbNormal;
    // Maximised or restored by its title bar, the window has its new size only now (the
    // sub-window changes it while it is hidden for the change).
    const Qt::WindowStates shape = Qt::WindowMinimized | Qt::WindowMaximized;
    if ((oldState & shape) != (newState & shape) && !(newState & Qt::WindowMinimized) && !applying_ &&
        mdiSub_->isVisible())
        ReadBackGeometry(true);
    const bool wasActive = oldState & Qt::WindowActive;
    const bool active = newState & Qt::WindowActive;
    if (active != wasActive)
        ReportActivation(active);
}

void Form::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (holding_)
        QTimer::singleShot(0, this, [this] { CheckHeldGeometry(); });
    if (!applying_ && isVisible())
        ReadBackGeometry(true);
}

void Form::moveEvent(QMoveEvent* e)
{
    QWidget::moveEvent(e);
    if (holding_)
        QTimer::singleShot(0, this, [this] { CheckHeldGeometry(); });
    // While the window is being shown the desktop reports passing positions.
    if (!applying_ && isVisible() && windowState_ == vbNormal)
        ReadBackGeometry(true);
}

} // namespace platform
