// A form's life: loading, showing and hiding, unloading and closing, the focus and the
// window's activation.
#include "form.h"

#include "event_guard.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <algorithm>

namespace platform {
namespace {
std::vector<Form*>& Forms()
{
    static std::vector<Form*> forms;
    return forms;
}
} // namespace

Form::Form(const QString& name) : name_(name)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, true);
    Forms().push_back(this);
}

Form::~Form()
{
    auto& f = Forms();
    f.erase(std::remove(f.begin(), f.end(), this), f.end());
}

std::vector<Form*> Form::AllForms() { return Forms(); }

void Form::EnsureLoaded()
{
    if (loaded_ || loading_)
        return;
    loading_ = true;
    loaded_ = true;
    try {
        Form_Load();
    } catch (...) {
        loading_ = false;
        throw;
    }
    loading_ = false;
}

QWidget* Form::hWnd()
{
    EnsureLoaded();
    return this;
}

void Form::SetCaption(const QString& c)
{
    caption_ = c;
    setWindowTitle(c);
}

void Form::Show()
{
    EnsureLoaded();
    const bool first = !shown_;
    if (first) {
        shown_ = true;
        ApplyGeometry();
    }
    if (mdiSub_) {
        show();
        if (windowState_ == vbMaximized)
            mdiSub_->showMaximized();
        else if (windowState_ == vbMinimized)
            mdiSub_->showMinimized();
        else
            mdiSub_->show();
        return;
    }
    if (windowState_ == vbMaximized)
        showMaximized();
    else if (windowState_ == vbMinimized)
        showMinimized();
    else
        show();
    if (first)
        HoldOuterGeometry();
}

void Form::Hide()
{
    if (mdiSub_)
        mdiSub_->hide();
    else
        hide();
}

bool Form::Visible() const { return mdiSub_ ? mdiSub_->isVisible() : isVisible(); }

void Form::SetVisible(bool on)
{
    if (on)
        Show();
    else
        Hide();
}

void Form::ReportActivation(bool active)
{
    if (active == activeWindow_)
        return;
    activeWindow_ = active;
    Guarded("focus", [&] {
        if (active)
            Form_GotFocus();
        else
            Form_LostFocus();
    });
}

bool Form::Unload(int mode)
{
    if (!loaded_ || unloading_)
        return true;
    unloading_ = true;
    int cancel = 0;
    Form_QueryUnload(cancel, mode);
    if (cancel == 0)
        Form_Unload(cancel);
    if (cancel != 0) {
        unloading_ = false;
        return false;
    }
    hide();
    loaded_ = false;
    shown_ = false;
    unloading_ = false;
    // A child window goes with its sub-window, which deletes both.
    if (QPointer<QMdiSubWindow> sub = mdiSub_)
        sub->close();
    return true;
}

void Form::Refresh()
{
    if (updatesEnabled())
        repaint();
    else
        update();
}

void Form::SetFocus()
{
    if (mdiSub_ && mdiSub_->mdiArea())
        mdiSub_->mdiArea()->setActiveSubWindow(mdiSub_);
    if (isWindow())
        activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void Form::showEvent(QShowEvent* e) { QWidget::showEvent(e); }

void Form::closeEvent(QCloseEvent* e)
{
    if (unloading_ || !loaded_) {
        e->accept();
        return;
    }
    bool done = true;
    Guarded("close", [&] { done = Unload(vbFormControlMenu); });
    if (done)
        e->accept();
    else
        e->ignore();
}

void Form::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange) {
        const Qt::WindowStates s = windowState();
        windowState_ = (s & Qt::WindowMinimized) ? vbMinimized : (s & Qt::WindowMaximized) ? vbMaximized : vbNormal;
    } else if (e->type() == QEvent::ActivationChange && isWindow()) {
        ReportActivation(isActiveWindow());
    }
}

void Form::focusInEvent(QFocusEvent* e) { QWidget::focusInEvent(e); }
void Form::focusOutEvent(QFocusEvent* e) { QWidget::focusOutEvent(e); }

} // namespace platform
