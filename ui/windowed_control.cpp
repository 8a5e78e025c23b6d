#include "windowed_control.h"

#include "twips.h"

#include <QWidget>
#include <algorithm>

namespace platform {

void WindowedControl::Move(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Apply();
}

void WindowedControl::SetVisible(bool v)
{
    visible_ = v;
    if (QWidget* w = PlacedWidget())
        w->setVisible(v);
}

void WindowedControl::ZOrder(int position)
{
    QWidget* w = PlacedWidget();
    if (!w)
        return;
    if (position == 0)
        w->raise();
    else
        w->lower();
}

QRect WindowedControl::WidgetRect() const
{
    return {TwipsToPixelsX(left_), TwipsToPixelsY(top_), std::max(1, TwipsToPixelsX(width_)),
            std::max(1, TwipsToPixelsY(height_))};
}

} // namespace platform
