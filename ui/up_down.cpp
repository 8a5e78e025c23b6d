#include "up_down.h"

#include "event_guard.h"
#include "twips.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace platform {

UpDown::UpDown(QWidget* parent, QString name, int index) : name_(std::move(name)), index_(index)
{
    frame_ = new QWidget(parent);
    frame_->setFocusPolicy(Qt::StrongFocus);
    auto* layout = new QVBoxLayout(frame_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_ = new QToolButton(frame_);
    down_ = new QToolButton(frame_);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        layout->addWidget(b);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    QObject::connect(up_, &QToolButton::clicked, frame_, [this] { ClickUp(); });
    QObject::connect(down_, &QToolButton::clicked, frame_, [this] { ClickDown(); });
    Apply();
}

UpDown::~UpDown() { delete frame_.data(); }

void UpDown::Apply()
{
    if (!frame_)
        return;
    frame_->setGeometry(TwipsToPixelsX(left_), TwipsToPixelsY(top_), std::max(1, TwipsToPixelsX(width_)),
                        std::max(1, TwipsToPixelsY(height_)));
    frame_->setVisible(visible_);
}

void UpDown::Move(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Apply();
}

void UpDown::SetVisible(bool v)
{
    visible_ = v;
    if (frame_)
        frame_->setVisible(v);
}

void UpDown::ClickUp()
{
    value_ = std::min(Max, value_ + 1);
    if (UpClick)
        Guarded("spin up", UpClick);
}

void UpDown::ClickDown()
{
    value_ = std::max(Min, value_ - 1);
    if (DownClick)
        Guarded("spin down", DownClick);
}

void UpDown::SetFocus()
{
    if (frame_)
        frame_->setFocus(Qt::OtherFocusReason);
}

void UpDown::ZOrder(int position)
{
    if (!frame_)
        return;
    if (position == 0)
        frame_->raise();
    else
        frame_->lower();
}

} // namespace platform
