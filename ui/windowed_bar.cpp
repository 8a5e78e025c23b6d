#include "windowed_bar.h"

#include "form.h"
#include "twips.h"

#include <QPalette>
#include <algorithm>

namespace platform {

WindowedBar::WindowedBar(Form* owner, QString name) : name_(std::move(name)), widget_(new QWidget(owner))
{
    widget_->setObjectName(name_);
    widget_->setAttribute(Qt::WA_TransparentForMouseEvents);
    widget_->setAutoFillBackground(true);
    Apply();
}

WindowedBar::~WindowedBar() { delete widget_.data(); }

void WindowedBar::Move(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Apply();
}

void WindowedBar::SetVisible(bool v)
{
    visible_ = v;
    if (widget_)
        widget_->setVisible(v);
}

void WindowedBar::SetBackColor(qint32 c)
{
    backColor_ = c;
    Apply();
}

void WindowedBar::ZOrder(int position)
{
    if (!widget_)
        return;
    if (position == 0)
        widget_->raise();
    else
        widget_->lower();
}

void WindowedBar::Apply()
{
    if (!widget_)
        return;
    widget_->setGeometry(TwipsToPixelsX(left_), TwipsToPixelsY(top_), std::max(1, TwipsToPixelsX(width_)),
                         std::max(1, TwipsToPixelsY(height_)));
    QPalette pal = widget_->palette();
    pal.setColor(QPalette::Window, ColorFromValue(backColor_));
    widget_->setPalette(pal);
    widget_->setVisible(visible_);
}

} // namespace platform
