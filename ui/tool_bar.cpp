#include "tool_bar.h"

#include "event_guard.h"
#include "form.h"
#include "system/registry_store.h"
#include "twips.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLayout>
#include <QMainWindow>
#include <QMouseEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace platform {

ToolBar::ToolBar(QMainWindow& host) : QObject(&host), host_(host)
{
    bar_ = new QToolBar(QStringLiteral("Tool Bar"), &host);
    bar_->setObjectName(QStringLiteral("tbToolBar"));
    bar_->setMovable(false);
    bar_->setFloatable(false);
    bar_->setContextMenuPolicy(Qt::PreventContextMenu);
    bar_->installEventFilter(this);
    bar_->setMouseTracking(true);
    host.addToolBar(Qt::TopToolBarArea, bar_);
}

void ToolBar::Dock()
{
    Qt::ToolBarArea area = Qt::TopToolBarArea;
    switch (align_) {
    case vbAlignBottom:
        area = Qt::BottomToolBarArea;
        break;
    case vbAlignLeft:
        area = Qt::LeftToolBarArea;
        break;
    case vbAlignRight:
        area = Qt::RightToolBarArea;
        break;
    default:
        break;
    }
    host_.removeToolBar(bar_);
    host_.addToolBar(area, bar_);
    bar_->setVisible(visible_);
}

void ToolBar::SetAlign(int align)
{
    align_ = (align >= vbAlignNone && align <= vbAlignRight) ? align : vbAlignNone;
    sideWidth_ = 0;
    bar_->setMinimumSize(0, 0);
    bar_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    Dock();
}

void ToolBar::SetVisible(bool on)
{
    visible_ = on;
    bar_->setVisible(on);
}

float ToolBar::Width() const
{
    return static_cast<float>(PixelsToTwipsX(bar_->isVisible() ? bar_->width() : bar_->sizeHint().width()));
}
float ToolBar::Height() const
{
    return static_cast<float>(PixelsToTwipsY(bar_->isVisible() ? bar_->height() : bar_->sizeHint().height()));
}

// The thickness across the docking edge; a toolbar whose captions need more grows to
// them rather than cutting them short.
void ToolBar::SetWidth(float twips)
{
    bar_->setMinimumSize(std::max(1, TwipsToPixelsX(twips)), 0);
    bar_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    sideWidth_ = 0;
    if (align_ == vbAlignLeft || align_ == vbAlignRight) {
        sideWidth_ = std::max(1, TwipsToPixelsX(twips));
        FitSideWidth();
    }
}

void ToolBar::SetHeight(float twips)
{
    if (align_ != vbAlignLeft && align_ != vbAlignRight)
        sideWidth_ = 0;
    bar_->setMinimumSize(0, std::max(1, TwipsToPixelsY(twips)));
    bar_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // Docked at a side the dock gives the length: the thickness across it stays as set,
    // fitted to the captions and pictures it now shows.
    FitSideWidth();
}

void ToolBar::FitSideWidth()
{
    if (sideWidth_ <= 0)
        return;
    // Docked at a side, the toolbar is as wide as it was asked to be, not as wide as the
    // buttons would like (their own size leaves room beside a caption): only a caption or
    // picture that would not fit widens it, to just what that needs.
    int needed = 0;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const ToolButton& b = buttons_[i];
        if (b.Style == tbrSeparator || !b.Visible)
            continue;
        const QWidget* w = bar_->widgetForAction(actions_[i]);
        const QFontMetrics fm = w ? w->fontMetrics() : bar_->fontMetrics();
        const int frame = bar_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
        if (b.Image >= 1)
            needed = std::max(needed, imageSize_);
        if (!b.Caption.isEmpty())
            needed = std::max(needed, fm.horizontalAdvance(b.Caption) + 2 * (frame + 1));
    }
    const QMargins margins = bar_->layout() ? bar_->layout()->contentsMargins() : QMargins();
    bar_->setFixedWidth(std::max(sideWidth_, needed + margins.left() + margins.right()));
}

void ToolBar::SetImageList(const std::vector<QImage>& pictures, int size)
{
    pictures_.clear();
    for (const QImage& p : pictures)
        pictures_.push_back(p.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    imageSize_ = size;
    bar_->setIconSize(QSize(size, size));
}

void ToolBar::AddButton(int style)
{
    ToolButton b;
    b.Style = style;
    buttons_.push_back(b);
    const int n = ButtonCount();
    QAction* a = style == tbrSeparator ? bar_->addSeparator() : bar_->addAction(QString());
    if (QWidget* w = bar_->widgetForAction(a)) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    if (style != tbrSeparator)
        connect(a, &QAction::triggered, this, [this, n] {
            if (ButtonClick)
                Guarded("toolbar button", [&] { ButtonClick(n); });
        });
    actions_.push_back(a);
}

void ToolBar::Refresh()
{
    bool captions = false;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const ToolButton& b = buttons_[i];
        QAction* a = actions_[i];
        a->setVisible(b.Visible);
        if (b.Style == tbrSeparator)
            continue;
        captions = captions || !b.Caption.isEmpty();
        a->setText(b.Caption);
        a->setToolTip(b.ToolTipText);
        a->setStatusTip(b.Description);
        a->setData(b.Key);
        const int img = b.Image;
        a->setIcon(img >= 1 && img <= static_cast<int>(pictures_.size())
                       ? QIcon(QPixmap::fromImage(pictures_[static_cast<size_t>(img - 1)]))
                       : QIcon());
    }
    bar_->setToolButtonStyle(captions ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
    FitSideWidth();
}

bool ToolBar::SaveToolbar(const QString& key, const QString& subKey, const QString& valueName) const
{
    QStringList parts;
    for (const ToolButton& b : buttons_)
        parts << (b.Key + u'|' + (b.Visible ? u'1' : u'0'));
    return registry::WriteValue(key + QStringLiteral("\\") + subKey, valueName, registry::Value::Text(parts.join(u';')),
                                true);
}

void ToolBar::Customize()
{
    QDialog dlg(bar_->window());
    dlg.setWindowTitle(QStringLiteral("Customize Toolbar"));
    auto* layout = new QVBoxLayout(&dlg);
    std::vector<QCheckBox*> boxes;
    for (const ToolButton& b : buttons_) {
        auto* box = new QCheckBox(b.Style == tbrSeparator ? QStringLiteral("Separator") : b.Tag, &dlg);
        box->setChecked(b.Visible);
        layout->addWidget(box);
        boxes.push_back(box);
    }
    auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
    connect(ok, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    connect(ok, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    layout->addWidget(ok);
    if (dlg.exec() != QDialog::Accepted)
        return;
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i].Visible = boxes[i]->isChecked();
    Refresh();
}

float ToolBar::Left() const { return static_cast<float>(PixelsToTwipsX(bar_->x())); }
float ToolBar::Top() const { return static_cast<float>(PixelsToTwipsY(bar_->y())); }

QSize ToolBar::ButtonSizePixels(int n) const
{
    const QWidget* w = bar_->widgetForAction(actions_.at(static_cast<size_t>(n - 1)));
    if (!w)
        return {};
    return w->isVisible() ? w->size() : w->sizeHint();
}

QRectF ToolBar::ButtonRect(int n) const
{
    if (n < 1 || n > ButtonCount())
        return {};
    const bool vertical = align_ == vbAlignLeft || align_ == vbAlignRight;
    const QWidget* w = bar_->widgetForAction(actions_.at(static_cast<size_t>(n - 1)));
    QRect r;
    if (w && w->isVisible()) {
        r = w->geometry();
    } else {
        // Where the toolbar would lay it out: after every shown button before it, also
        // those that do not fit and are set aside by the toolbar.
        QPoint at = bar_->contentsRect().topLeft();
        for (int i = 1; i < n; ++i) {
            if (!buttons_[static_cast<size_t>(i - 1)].Visible)
                continue;
            const QSize size = ButtonSizePixels(i);
            at += vertical ? QPoint(0, size.height()) : QPoint(size.width(), 0);
        }
        r = QRect(at, ButtonSizePixels(n));
    }
    return {PixelsToTwipsX(r.x()), PixelsToTwipsY(r.y()), PixelsToTwipsX(r.width()), PixelsToTwipsY(r.height())};
}

QSize ToolBar::LargestButtonPixels() const
{
    QSize most;
    for (int n = 1; n <= ButtonCount(); ++n)
        if (buttons_[static_cast<size_t>(n - 1)].Style != tbrSeparator)
            most = most.expandedTo(ButtonSizePixels(n));
    return most;
}

float ToolBar::ButtonWidth() const { return static_cast<float>(PixelsToTwipsX(LargestButtonPixels().width())); }
float ToolBar::ButtonHeight() const { return static_cast<float>(PixelsToTwipsY(LargestButtonPixels().height())); }

bool ToolBar::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::ToolTip && !NativeTips)
        return true;
    if (e->type() == QEvent::MouseMove && MouseMove && watched->isWidgetType()) {
        auto* me = static_cast<QMouseEvent*>(e);
        const QPointF at = static_cast<QWidget*>(watched)->mapTo(bar_, me->position().toPoint());
        const float x = static_cast<float>(PixelsToTwipsX(at.x()));
        const float y = static_cast<float>(PixelsToTwipsY(at.y()));
        Guarded("toolbar mouse move", [&] { MouseMove(ButtonMask(me->buttons()), ShiftBits(me->modifiers()), x, y); });
    }
    // A press on a button is one on the toolbar too (the button takes it from the bar).
    if (e->type() == QEvent::MouseButtonPress && MouseDown && watched->isWidgetType() &&
        (watched == bar_ || static_cast<QWidget*>(watched)->parentWidget() == bar_)) {
        auto* me = static_cast<QMouseEvent*>(e);
        const int b = ButtonOf(me->button());
        const QPointF at = static_cast<QWidget*>(watched)->mapTo(bar_, me->position().toPoint());
        const float x = static_cast<float>(PixelsToTwipsX(at.x()));
        const float y = static_cast<float>(PixelsToTwipsY(at.y()));
        Guarded("toolbar mouse down", [&] { MouseDown(b, ShiftBits(me->modifiers()), x, y); });
    }
    return QObject::eventFilter(watched, e);
}

} // namespace platform
