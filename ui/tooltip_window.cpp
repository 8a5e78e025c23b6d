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

namespace platform {

namespace {
constexpr int kPad = 6;
constexpr int kTail = 12;
constexpr int kIcon = 16;
constexpr int kClose = 10;

// Stored texts break lines with CR LF; the painter wants LF alone.
QString Drawn(const QString& text) { return QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n")); }
} // namespace

TooltipWindow::TooltipWindow(QWidget* parent, bool tracking)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      tool_(parent),
      tracking_(tracking)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    initial_.setSingleShot(true);
    autoPop_.setSingleShot(true);
    connect(&initial_, &QTimer::timeout, this, [this] {
        if (tool_ && tool_->underMouse() && !look_.Text.isEmpty()) {
            PlaceAt(QCursor::pos());
            show();
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
    update();
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
        show();
        raise();
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
}

void TooltipWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette pal = QApplication::palette("QToolTip");
    const QColor back = look_.BackColor.value_or(pal.color(QPalette::ToolTipBase));
    const QColor fore = look_.TextColor.value_or(pal.color(QPalette::ToolTipText));
    const int tail = look_.Balloon ? kTail : 0;
    const QRectF body(0.5, tail + 0.5, width() - 1.0, height() - tail - 1.0);
    QPainterPath path;
    if (look_.Balloon) {
        path.addRoundedRect(body, 8, 8);
        QPainterPath tip;
        tip.moveTo(tailX_, 0.5);
        tip.lineTo(tailX_ + 4, tail + 1);
        tip.lineTo(tailX_ + 16 > width() - 8 ? tailX_ - 12 : tailX_ + 16, tail + 1);
        tip.closeSubpath();
        path = path.united(tip);
    } else {
        path.addRect(body);
    }
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
