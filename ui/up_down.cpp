#include "up_down.h"

#include "event_guard.h"

#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace platform {

UpDown::UpDown(QWidget* parent, QString name, int index)
    : WindowedControl(240, 285),
      name_(std::move(name)),
      index_(index)
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
    frame_->setGeometry(WidgetRect());
    frame_->setVisible(visible_);
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

} // namespace platform
