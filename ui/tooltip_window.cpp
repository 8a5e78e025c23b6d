#include "tooltip_window.h"

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QStyle>
#include <cstdlib>

#if ALMANORVIQUE_HAVE_XCB
#include <QGuiApplication>
#include <xcb/xcb.h>
#endif

namespace platform {

namespace {
constexpr int kPad = 6;
constexpr int kTail = 12;
constexpr int kIcon = 16;
constexpr int kClose = 10;

// Stored texts break lines with CR LF; the painter wants LF alone.
QString Drawn(const QString& text) { return QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")); }

std::optional<bool>& ForcedCompositing()
{
    static std::optional<bool> forced;
    return forced;
}

#if ALMANORVIQUE_HAVE_XCB
// The screen number in DISPLAY (":0.1" is screen 1), 0 when it names none.
int DisplayScreen()
{
    const QByteArray display = qgetenv("DISPLAY");
    const qsizetype colon = display.lastIndexOf(':');
    const qsizetype dot = display.indexOf('.', colon + 1);
    if (colon < 0 || dot < 0)
        return 0;
    bool ok = false;
    const int n = display.mid(dot + 1).toInt(&ok);
    return ok ? n : 0;
}

// A compositing manager owns the selection _NET_WM_CM_S<screen> while it runs.
std::optional<bool> X11Compositing()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return std::nullopt;
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(DisplayScreen());
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(name.size()), name.constData()), nullptr);
    const xcb_atom_t selection = atom ? atom->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(atom);
    if (selection == XCB_ATOM_NONE)
        return false; // nobody ever asked for the name, so nobody owns it
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const bool owned = owner && owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return owned;
}
#endif
} // namespace

// The few pixels over a balloon's close box that take the mouse; the balloon itself lets
// it through.
class TooltipCloseBox : public QWidget {
public:
    explicit TooltipCloseBox(TooltipWindow* tip)
        : QWidget(tip, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
          tip_(tip)
    {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setObjectName(QStringLiteral("closeBox"));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        tip_->render(&p, QPoint(), QRegion(QRect(tip_->mapFromGlobal(mapToGlobal(QPoint())), size())));
    }
    void mousePressEvent(QMouseEvent* e) override
    {
        if (e->button() == Qt::LeftButton)
            tip_->hide();
    }

private:
    TooltipWindow* tip_;
};

bool TooltipWindow::Compositing()
{
    if (ForcedCompositing())
        return *ForcedCompositing();
#if ALMANORVIQUE_HAVE_XCB
    if (const std::optional<bool> x11 = X11Compositing())
        return *x11;
#endif
    return true; // the other desktops compose every window
}

void TooltipWindow::ForceCompositing(std::optional<bool> answer) { ForcedCompositing() = answer; }

TooltipWindow::TooltipWindow(QWidget* parent, bool tracking)
    // A tooltip stays on top and bypasses the window manager anyway; spelled out, they keep
    // X11 from making the native window again at show, which would drop its input shape.
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::WindowTransparentForInput | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint),
      tool_(parent),
      tracking_(tracking)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    initial_.setSingleShot(true);
    autoPop_.setSingleShot(true);
    connect(&initial_, &QTimer::timeout, this, [this] {
        if (tool_ && tool_->underMouse() && !look_.Text.isEmpty()) {
            PlaceAt(QCursor::pos());
            ShowSurface();
            autoPop_.start(visibleMs_);
        }
    });
    connect(&autoPop_, &QTimer::timeout, this, &QWidget::hide);
    if (tool_ && !tracking_)
        tool_->installEventFilter(this);
}

TooltipWindow::~TooltipWindow()
{
    if (tool_)
        tool_->removeEventFilter(this);
}

void TooltipWindow::SetLook(const TooltipLook& look)
{
    look_ = look;
    update();
}

void TooltipWindow::SetTitle(int icon, const QString& title)
{
    look_.Icon = icon;
    look_.Title = title;
    if (isVisible())
        PlaceAt(tracking_ ? tracked_ : pos());
    update();
}

void TooltipWindow::SetText(const QString& text)
{
    look_.Text = text;
    if (isVisible())
        PlaceAt(tracking_ ? tracked_ : QCursor::pos());
    update();
}

void TooltipWindow::SetTextColor(const QColor& c)
{
    look_.TextColor = c;
    update();
}

void TooltipWindow::SetBackColor(const QColor& c)
{
    look_.BackColor = c;
    update();
}

void TooltipWindow::SetCloseBox(bool on)
{
    if (closeBox_ == on)
        return;
    closeBox_ = on;
    if (isVisible())
        PlaceAt(tracking_ ? tracked_ : pos());
    PlaceCloseBox();
    update();
}

QWidget* TooltipWindow::CloseBoxWindow() const
{
    return closeWindow_ && closeWindow_->isVisible() ? closeWindow_.data() : nullptr;
}

void TooltipWindow::PlaceCloseBox()
{
    if (!closeBox_ || !isVisible()) {
        if (closeWindow_)
            closeWindow_->hide();
        return;
    }
    if (!closeWindow_)
        closeWindow_ = new TooltipCloseBox(this);
    // A little larger than the cross drawn, so it is easy to hit.
    const QRect box = CloseBoxRect().adjusted(-3, -3, 3, 3).intersected(rect());
    closeWindow_->setGeometry(QRect(mapToGlobal(box.topLeft()), box.size()));
    closeWindow_->show();
    closeWindow_->raise();
    closeWindow_->update();
}

void TooltipWindow::PrepareSurface()
{
    const bool cut = !Compositing();
    // The native window's visual follows the choice; a window made for the other one is
    // made again.
    if (cut != cut_ && testAttribute(Qt::WA_WState_Created))
        destroy();
    cut_ = cut;
    setAttribute(Qt::WA_TranslucentBackground, !cut_);
    if (cut_)
        setAttribute(Qt::WA_NoSystemBackground, false);
    UpdateShape();
}

void TooltipWindow::ShowSurface()
{
    PrepareSurface();
    show();
    raise();
    PlaceCloseBox();
}

void TooltipWindow::UpdateShape()
{
    if (cut_)
        setMask(QRegion(OutlineAt(0).toFillPolygon().toPolygon()));
    else if (!mask().isEmpty())
        clearMask();
}

void TooltipWindow::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    PlaceCloseBox();
}

void TooltipWindow::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    if (closeWindow_)
        closeWindow_->hide();
}

void TooltipWindow::moveEvent(QMoveEvent* e)
{
    QWidget::moveEvent(e);
    PlaceCloseBox();
}

void TooltipWindow::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    PlaceCloseBox();
}

QRect TooltipWindow::CloseBoxRect() const
{
    const int tail = look_.Balloon ? kTail : 0;
    return {width() - kPad - kClose, tail + kPad, kClose, kClose};
}

void TooltipWindow::mousePressEvent(QMouseEvent* e)
{
    if (closeBox_ && CloseBoxRect().contains(e->position().toPoint()))
        hide();
    else
        QWidget::mousePressEvent(e);
}

void TooltipWindow::SetDelays(int visibleMs, int initialMs)
{
    visibleMs_ = visibleMs;
    initialMs_ = initialMs;
}

void TooltipWindow::TrackPosition(QPoint screen)
{
    tracked_ = screen;
    if (isVisible())
        PlaceAt(screen);
}

void TooltipWindow::TrackActivate(bool on)
{
    if (!tracking_)
        return;
    if (on) {
        PlaceAt(tracked_);
        ShowSurface();
    } else {
        hide();
    }
}

QSize TooltipWindow::ContentSize() const
{
    const QFontMetrics fm(font());
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics fb(bold);
    const QRect text = fm.boundingRect(QRect(0, 0, 2000, 2000), Qt::AlignLeft | Qt::TextExpandTabs, Drawn(look_.Text));
    int w = text.width();
    int h = text.height();
    if (!look_.Title.isEmpty() || look_.Icon != 0) {
        const int titleW = (look_.Icon ? kIcon + 4 : 0) + fb.horizontalAdvance(look_.Title);
        w = std::max(w, titleW);
        h += std::max(kIcon, fb.height()) + 4;
    }
    if (closeBox_)
        w += kClose + kPad;
    return {w + 2 * kPad, h + 2 * kPad};
}

void TooltipWindow::PlaceAt(QPoint screen)
{
    const QSize body = ContentSize();
    const int tail = look_.Balloon ? kTail : 0;
    resize(body.width(), body.height() + tail);
    // The tail points at the spot from above the body; a centred tip sits under it.
    QPoint topLeft = look_.CenterOnPoint ? QPoint(screen.x() - width() / 2, screen.y())
                                         : QPoint(screen.x() - std::min(20, width() / 4), screen.y());
    if (!look_.Balloon)
        topLeft += QPoint(0, 20); // a plain tip stands clear of the pointer
    if (QScreen* s = QGuiApplication::screenAt(screen)) {
        const QRect area = s->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - width() + 1)));
        topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - height() + 1)));
    }
    move(topLeft);
    tailX_ = std::clamp(screen.x() - topLeft.x(), 8, std::max(8, width() - 8));
    UpdateShape();
}

QPainterPath TooltipWindow::Outline() const { return OutlineAt(0.5); }

QPainterPath TooltipWindow::OutlineAt(qreal inset) const
{
    const int tail = look_.Balloon ? kTail : 0;
    const QRectF body(inset, tail + inset, width() - 2 * inset, height() - tail - 2 * inset);
    QPainterPath path;
    if (!look_.Balloon) {
        path.addRect(body);
        return path;
    }
    path.addRoundedRect(body, 8, 8);
    QPainterPath tip;
    tip.moveTo(tailX_, inset);
    tip.lineTo(tailX_ + 4, tail + 1);
    tip.lineTo(tailX_ + 16 > width() - 8 ? tailX_ - 12 : tailX_ + 16, tail + 1);
    tip.closeSubpath();
    return path.united(tip);
}

void TooltipWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    // A window cut to the outline has no half-covered edge pixels to blend.
    p.setRenderHint(QPainter::Antialiasing, !cut_);
    const QPalette pal = QApplication::palette("QToolTip");
    const QColor back = look_.BackColor.value_or(pal.color(QPalette::ToolTipBase));
    const QColor fore = look_.TextColor.value_or(pal.color(QPalette::ToolTipText));
    const int tail = look_.Balloon ? kTail : 0;
    const QPainterPath path = Outline();
    if (cut_)
        p.fillRect(rect(), back);
    p.fillPath(path, back);
    p.setPen(QPen(fore.darker(150), 1));
    p.drawPath(path);

    if (closeBox_) {
        const QRect box = CloseBoxRect();
        p.setPen(QPen(fore, 1.5));
        p.drawLine(box.topLeft() + QPoint(2, 2), box.bottomRight() - QPoint(2, 2));
        p.drawLine(box.topRight() + QPoint(-2, 2), box.bottomLeft() + QPoint(2, -2));
    }
    int y = tail + kPad;
    p.setPen(fore);
    if (!look_.Title.isEmpty() || look_.Icon != 0) {
        int x = kPad;
        if (look_.Icon >= 1 && look_.Icon <= 3) {
            static const QStyle::StandardPixmap icons[] = {QStyle::SP_MessageBoxInformation,
                                                           QStyle::SP_MessageBoxWarning, QStyle::SP_MessageBoxCritical};
            p.drawPixmap(x, y, style()->standardIcon(icons[look_.Icon - 1]).pixmap(kIcon, kIcon));
            x += kIcon + 4;
        }
        QFont bold = font();
        bold.setBold(true);
        p.setFont(bold);
        const int h = std::max(kIcon, QFontMetrics(bold).height());
        p.drawText(QRect(x, y, width() - x - kPad, h), Qt::AlignLeft | Qt::AlignVCenter, look_.Title);
        y += h + 4;
        p.setFont(font());
    }
    p.drawText(QRect(kPad, y, width() - 2 * kPad, height() - y - kPad), Qt::AlignLeft | Qt::TextExpandTabs,
               Drawn(look_.Text));
}

bool TooltipWindow::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == tool_) {
        switch (e->type()) {
        case QEvent::Enter:
        case QEvent::MouseMove:
            if (!isVisible() && !initial_.isActive())
                initial_.start(initialMs_);
            break;
        case QEvent::Leave:
        case QEvent::MouseButtonPress:
        case QEvent::Hide:
            initial_.stop();
            autoPop_.stop();
            hide();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace platform
