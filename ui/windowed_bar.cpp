#include "windowed_bar.h"

#include "form.h"
#include "twips.h"

#include <QPalette>

namespace platform {

WindowedBar::WindowedBar(Form* owner, QString name)
    : WindowedControl(0, 0),
      name_(std::move(name)),
      widget_(new QWidget(owner))
{
    widget_->setObjectName(name_);
    widget_->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget_->setAutoFillBackground(true);
    Apply();
}

WindowedBar::~WindowedBar() { delete widget_.data(); }

void WindowedBar::SetBackColor(qint32 c)
{
    backColor_ = c;
    Apply();
}

void WindowedBar::Apply()
{
    if (!widget_)
        return;
    widget_->setGeometry(WidgetRect());
    QPalette pal = widget_->palette();
    pal.setColor(QPalette::Window, ColorFromValue(backColor_));
    widget_->setPalette(pal);
    widget_->setVisible(visible_);
}

} // namespace platform
