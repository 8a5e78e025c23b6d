#include "mdi_frame.h"

#include "event_guard.h"
#include "twips.h"

#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <cmath>

namespace platform {

MDIForm::MDIForm(const QString& name) : Form(name)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    main_ = new QMainWindow(this);
    main_->setWindowFlags(Qt::Widget); // QMainWindow makes itself a window otherwise
    area_ = new QMdiArea(main_);
    area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    main_->setCentralWidget(area_);
    layout->addWidget(main_);
    area_->viewport()->installEventFilter(this);
    area_->viewport()->setMouseTracking(true);
}

void MDIForm::AddChild(Form& child)
{
    auto* sub = new QMdiSubWindow(area_);
    child.HostIn(sub);
    area_->addSubWindow(sub);
    sub->hide();
}

std::vector<Form*> MDIForm::Children() const
{
    std::vector<Form*> out;
    for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::CreationOrder))
        if (auto* f = qobject_cast<Form*>(sub->widget()); f && f->IsLoaded())
            out.push_back(f);
    return out;
}

Form* MDIForm::ActiveChild() const
{
    QMdiSubWindow* sub = area_->activeSubWindow();
    return sub ? qobject_cast<Form*>(sub->widget()) : nullptr;
}

float MDIForm::ClientWidth() const { return static_cast<float>(PixelsToTwipsX(area_->viewport()->width())); }
float MDIForm::ClientHeight() const { return static_cast<float>(PixelsToTwipsY(area_->viewport()->height())); }

void MDIForm::Arrange(int code)
{
    switch (code) {
    case vbCascade:
        Cascade();
        break;
    case vbTileHorizontal:
        Tile(true);
        break;
    case vbTileVertical:
        Tile(false);
        break;
    case vbArrangeIcons: {
        // Minimised windows in a row along the bottom, from the left.
        int x = 0;
        const int bottom = area_->viewport()->height();
        for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::CreationOrder)) {
            if (!sub->isVisible() || !sub->isMinimized())
                continue;
            sub->move(x, bottom - sub->height());
            x += sub->width();
        }
        break;
    }
    default:
        break;
    }
}

std::vector<QMdiSubWindow*> MDIForm::ArrangedWindows() const
{
    // Shown and not minimised, in the order they were made.
    std::vector<QMdiSubWindow*> subs;
    for (QMdiSubWindow* sub : area_->subWindowList(QMdiArea::CreationOrder))
        if (sub->isVisible() && !sub->isMinimized())
            subs.push_back(sub);
    return subs;
}

void MDIForm::Cascade()
{
    // Qt's own cascade sizes each window from its widget's size hint, which a form without
    // a layout does not have: the windows would shrink to their title bars. Here each keeps
    // its size and steps down and right by a title bar's height.
    const std::vector<QMdiSubWindow*> subs = ArrangedWindows();
    if (subs.empty())
        return;
    const QSize area = area_->viewport()->size();
    const int step = std::max(8, subs.front()->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, subs.front()));
    int x = 0, y = 0;
    for (QMdiSubWindow* sub : subs) {
        if (sub->isMaximized())
            sub->showNormal();
        QSize size = sub->size();
        // A window with no room for its contents gets half the area, as a new window would.
        if (size.height() <= step * 2 || size.width() <= step * 2)
            size = QSize(std::max(step * 4, area.width() / 2), std::max(step * 4, area.height() / 2));
        sub->setGeometry(x, y, size.width(), size.height());
        sub->raise();
        x += step;
        y += step;
    }
}

void MDIForm::Tile(bool stacked)
{
    const std::vector<QMdiSubWindow*> subs = ArrangedWindows();
    if (subs.empty())
        return;
    // A grid of nearly square count; stacked fills rows first, side by side columns first.
    const int n = static_cast<int>(subs.size());
    const int across = std::max(1, static_cast<int>(std::floor(std::sqrt(static_cast<double>(n)))));
    const int along = (n + across - 1) / across;
    const int cols = stacked ? across : along;
    const int rows = stacked ? along : across;
    const QSize area = area_->viewport()->size();
    const int w = std::max(1, area.width() / cols);
    const int h = std::max(1, area.height() / rows);
    for (int i = 0; i < n; ++i) {
        const int r = stacked ? i / cols : i % rows;
        const int c = stacked ? i % cols : i / rows;
        if (subs[i]->isMaximized())
            subs[i]->showNormal();
        subs[i]->setGeometry(c * w, r * h, w, h);
    }
}

bool MDIForm::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == area_->viewport()) {
        switch (e->type()) {
        case QEvent::MouseButtonPress: {
            auto* me = static_cast<QMouseEvent*>(e);
            const int b = ButtonOf(me->button());
            const float x = static_cast<float>(PixelsToTwipsX(me->position().x()));
            const float y = static_cast<float>(PixelsToTwipsY(me->position().y()));
            Guarded("mouse down", [&] { MDIForm_MouseDown(b, ShiftBits(me->modifiers()), x, y); });
            break;
        }
        case QEvent::MouseMove: {
            auto* me = static_cast<QMouseEvent*>(e);
            const int b = ButtonMask(me->buttons());
            const float x = static_cast<float>(PixelsToTwipsX(me->position().x()));
            const float y = static_cast<float>(PixelsToTwipsY(me->position().y()));
            Guarded("mouse move", [&] { MDIForm_MouseMove(b, ShiftBits(me->modifiers()), x, y); });
            break;
        }
        case QEvent::MouseButtonDblClick:
            Guarded("double click", [&] { MDIForm_DblClick(); });
            break;
        default:
            break;
        }
        return false;
    }
    return Form::eventFilter(watched, e);
}

} // namespace platform
