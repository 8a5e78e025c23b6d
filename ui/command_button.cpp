#include "command_button.h"

#include "event_guard.h"
#include "form.h"

#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace platform {
namespace {
class PictureButton : public QPushButton {
public:
    PictureButton(QWidget* parent, CommandButton* owner) : QPushButton(parent), owner_(owner)
    {
        setAutoDefault(false);
        setDefault(false);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter p(this);
        QStyleOptionButton opt;
        initStyleOption(&opt);
        p.drawControl(QStyle::CE_PushButtonBevel, opt);
        if (!owner_->Picture().isNull()) {
            const int inset = isDown() ? 3 : 2;
            const QRect area = rect().adjusted(inset, inset, -inset, -inset);
            if (isEnabled()) {
                p.drawImage(area, owner_->Picture());
            } else {
                // Greyed and washed out: the desktop's grey caption of a disabled button
                // must stay readable on it.
                p.drawImage(area, owner_->Picture().convertToFormat(QImage::Format_Grayscale8));
                p.fillRect(area, QColor(255, 255, 255, 170));
            }
        }
        if (!isEnabled() && !owner_->Picture().isNull()) {
            // The style's disabled grey is made for a plain light face; on a picture it
            // needs to be darker to be read.
            opt.palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(96, 96, 96));
        }
        p.drawControl(QStyle::CE_PushButtonLabel, opt);
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = rect().adjusted(4, 4, -4, -4);
            p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }

private:
    CommandButton* owner_;
};
} // namespace

CommandButton::CommandButton(Form* owner, QString name, int index)
    : WindowedControl(1215, 375),
      name_(std::move(name)),
      index_(index)
{
    button_ = new PictureButton(owner, this);
    button_->installEventFilter(owner);
    QObject::connect(button_, &QPushButton::clicked, button_, [this] {
        if (Events.Click)
            Guarded("click", Events.Click);
    });
    Apply();
}

CommandButton::~CommandButton() { delete button_.data(); }

void CommandButton::Apply()
{
    if (!button_)
        return;
    button_->setGeometry(WidgetRect());
    button_->setText(caption_);
    button_->setFont(font_.ToQFont());
    button_->setEnabled(enabled_);
    button_->setToolTip(ToolTipText);
    button_->setVisible(visible_);
    button_->update();
}

void CommandButton::SetEnabled(bool v)
{
    enabled_ = v;
    if (button_)
        button_->setEnabled(v);
}

void CommandButton::SetCaption(const QString& c)
{
    caption_ = c;
    if (button_)
        button_->setText(c);
}

void CommandButton::SetFont(const FontModel& f)
{
    font_ = f;
    Apply();
}

void CommandButton::SetPicture(const QImage& p)
{
    picture_ = p;
    if (button_)
        button_->update();
}

void CommandButton::SetFocus()
{
    if (button_)
        button_->setFocus(Qt::OtherFocusReason);
}

void CommandButton::CopyFrom(const CommandButton& o)
{
    left_ = o.left_;
    top_ = o.top_;
    width_ = o.width_;
    height_ = o.height_;
    enabled_ = o.enabled_;
    caption_ = o.caption_;
    font_ = o.font_;
    picture_ = o.picture_;
    Tag = o.Tag;
    ToolTipText = o.ToolTipText;
    Apply();
}

} // namespace platform
