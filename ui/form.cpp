#include "form.h"

#include "event_guard.h"
#include "twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>
#include <QWindow>
#include <algorithm>

namespace platform {
namespace {
// How long after showing (and after the frame became known) the desktop's framing is
// still put right.
constexpr qint64 kHoldMs = 1500;

std::vector<Form*>& Forms()
{
    static std::vector<Form*> forms;
    return forms;
}

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

int ShiftBits(Qt::KeyboardModifiers m)
{
    int s = 0;
    if (m & Qt::ShiftModifier)
        s |= 1;
    if (m & Qt::ControlModifier)
        s |= 2;
    if (m & Qt::AltModifier)
        s |= 4;
    return s;
}

int ButtonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int ButtonMask(Qt::MouseButtons bs)
{
    int m = 0;
    if (bs & Qt::LeftButton)
        m |= 1;
    if (bs & Qt::RightButton)
        m |= 2;
    if (bs & Qt::MiddleButton)
        m |= 4;
    return m;
}

namespace {
// A punctuation character gives the code of the key that types it on a US keyboard (the
// digit key for the shifted digits), never its character code: "!", "(" or "." would
// otherwise read as Page Up, Down or Delete.
int PunctuationKeyCode(int k)
{
    static const struct {
        char ch;
        int code;
    } keys[] = {
        {')', 48},  {'!', 49},  {'@', 50},   {'#', 51},  {'$', 52},  {'%', 53},  {'^', 54},   {'&', 55},
        {'*', 56},  {'(', 57},  {';', 186},  {':', 186}, {'=', 187}, {'+', 187}, {',', 188},  {'<', 188},
        {'-', 189}, {'_', 189}, {'.', 190},  {'>', 190}, {'/', 191}, {'?', 191}, {'`', 192},  {'~', 192},
        {'[', 219}, {'{', 219}, {'\\', 220}, {'|', 220}, {']', 221}, {'}', 221}, {'\'', 222}, {'"', 222},
    };
    for (const auto& key : keys)
        if (k == key.ch)
            return key.code;
    return k < 256 && (k < 33 || k > 126) ? k : 0;
}
} // namespace

int KeyCodeOf(int k)
{
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return 112 + (k - Qt::Key_F1);
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9))
        return k;
    switch (k) {
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return PunctuationKeyCode(k);
    }
}

Form::Form(const QString& name) : name_(name)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    Forms().push_back(this);
}

Form::~Form()
{
    auto& f = Forms();
    f.erase(std::remove(f.begin(), f.end(), this), f.end());
}

std::vector<Form*> Form::AllForms() { return Forms(); }

void Form::EnsureLoaded()
{
    if (loaded_ || loading_)
        return;
    loading_ = true;
    loaded_ = true;
    try {
        Form_Load();
    } catch (...) {
        loading_ = false;
        throw;
    }
    loading_ = false;
}

QWidget* Form::hWnd()
{
    EnsureLoaded();
    return this;
}

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

void Form::SetCaption(const QString& c)
{
    caption_ = c;
    setWindowTitle(c);
}

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

void Form::Show()
{
    EnsureLoaded();
    const bool first = !shown_;
    if (first) {
        shown_ = true;
        ApplyGeometry();
    }
    if (mdiSub_) {
        show();
        if (windowState_ == vbMaximized)
            mdiSub_->showMaximized();
        else if (windowState_ == vbMinimized)
            mdiSub_->showMinimized();
        else
            mdiSub_->show();
        return;
    }
    if (windowState_ == vbMaximized)
        showMaximized();
    else if (windowState_ == vbMinimized)
        showMinimized();
    else
        show();
    if (first)
        HoldOuterGeometry();
}

void Form::Hide()
{
    if (mdiSub_)
        mdiSub_->hide();
    else
        hide();
}

bool Form::Visible() const { return mdiSub_ ? mdiSub_->isVisible() : isVisible(); }

void Form::SetVisible(bool on)
{
    if (on)
        Show();
    else
        Hide();
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

void Form::ReportActivation(bool active)
{
    if (active == activeWindow_)
        return;
    activeWindow_ = active;
    Guarded("focus", [&] {
        if (active)
            Form_GotFocus();
        else
            Form_LostFocus();
    });
}

bool Form::Unload(int mode)
{
    if (!loaded_ || unloading_)
        return true;
    unloading_ = true;
    int cancel = 0;
    Form_QueryUnload(cancel, mode);
    if (cancel == 0)
        Form_Unload(cancel);
    if (cancel != 0) {
        unloading_ = false;
        return false;
    }
    hide();
    loaded_ = false;
    shown_ = false;
    unloading_ = false;
    // A child window goes with its sub-window, which deletes both.
    if (QPointer<QMdiSubWindow> sub = mdiSub_)
        sub->close();
    return true;
}

void Form::Refresh()
{
    if (updatesEnabled())
        repaint();
    else
        update();
}

void Form::SetFocus()
{
    if (mdiSub_ && mdiSub_->mdiArea())
        mdiSub_->mdiArea()->setActiveSubWindow(mdiSub_);
    if (isWindow())
        activateWindow();
    setFocus(Qt::OtherFocusReason);
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

void Form::showEvent(QShowEvent* e) { QWidget::showEvent(e); }

void Form::closeEvent(QCloseEvent* e)
{
    if (unloading_ || !loaded_) {
        e->accept();
        return;
    }
    bool done = true;
    Guarded("close", [&] { done = Unload(vbFormControlMenu); });
    if (done)
        e->accept();
    else
        e->ignore();
}

void Form::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange) {
        const Qt::WindowStates s = windowState();
        windowState_ = (s & Qt::WindowMinimized) ? vbMinimized : (s & Qt::WindowMaximized) ? vbMaximized : vbNormal;
    } else if (e->type() == QEvent::ActivationChange && isWindow()) {
        ReportActivation(isActiveWindow());
    }
}

void Form::focusInEvent(QFocusEvent* e) { QWidget::focusInEvent(e); }
void Form::focusOutEvent(QFocusEvent* e) { QWidget::focusOutEvent(e); }

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

bool Form::DispatchKey(QKeyEvent* e, bool down)
{
    int code = KeyCodeOf(e->key());
    const int before = code; // a key without a code (a letter of another script) still types
    const int s = ShiftBits(e->modifiers());
    Guarded("key", [&] {
        if (down)
            Form_KeyDown(code, s);
        else
            Form_KeyUp(code, s);
    });
    // A handler that sets the code to 0 has taken the key.
    const bool taken = code == 0 && before != 0;
    if (taken)
        e->accept();
    return taken;
}

bool Form::WasPreviewed(const QKeyEvent* e) const
{
    return e == previewed_.event && e->timestamp() == previewed_.time && e->key() == previewed_.key &&
           e->type() == previewed_.type;
}

void Form::keyPressEvent(QKeyEvent* e)
{
    if (!WasPreviewed(e)) // a child's key the child left comes up here once more
        DispatchKey(e, true);
}
void Form::keyReleaseEvent(QKeyEvent* e)
{
    if (!e->isAutoRepeat() && !WasPreviewed(e))
        DispatchKey(e, false);
}

bool Form::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == mdiSub_) {
        // The user moves and sizes a child window by its sub-window; a maximised one takes
        // the area's size as the area changes (its normal place is kept).
        if ((e->type() == QEvent::Move || e->type() == QEvent::Resize) && !applying_ && mdiSub_->isVisible() &&
            windowState_ != vbMinimized)
            ReadBackGeometry(true);
        return false;
    }
    // Key preview: the form sees the keys of its windowed controls first.
    if (KeyPreview && (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease)) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (e->type() == QEvent::KeyRelease && ke->isAutoRepeat())
            return false;
        previewed_ = {e, ke->timestamp(), ke->key(), e->type()};
        return DispatchKey(ke, e->type() == QEvent::KeyPress);
    }
    return QWidget::eventFilter(watched, e);
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
