// The codes the event handlers get for keys, buttons and modifiers, and the form's keys:
// with key preview the form sees its windowed controls' keys first.
#include "form.h"

#include "event_guard.h"

#include <QKeyEvent>
#include <QMdiSubWindow>

namespace platform {

int ShiftBits(Qt::KeyboardModifiers m)
{
    int s = 0;
    if (m & Qt::ShiftModifier)
        s |= 1;
    if (m & Qt::ControlModifier)
        s |= 2;
    if (m & Qt::AltModifier)
        s |= 4;
    return s;
}

int ButtonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int ButtonMask(Qt::MouseButtons bs)
{
    int m = 0;
    if (bs & Qt::LeftButton)
        m |= 1;
    if (bs & Qt::RightButton)
        m |= 2;
    if (bs & Qt::MiddleButton)
        m |= 4;
    return m;
}

namespace {
// A punctuation character gives the code of the key that types it on a US keyboard (the
// digit key for the shifted digits), never its character code: "!", "(" or "." would
// otherwise read as Page Up, Down or Delete.
int PunctuationKeyCode(int k)
{
    static const struct {
        char ch;
        int code;
    } keys[] = {
        {')', 48},  {'!', 49},  {'@', 50},   {'#', 51},  {'$', 52},  {'%', 53},  {'^', 54},   {'&', 55},
        {'*', 56},  {'(', 57},  {';', 186},  {':', 186}, {'=', 187}, {'+', 187}, {',', 188},  {'<', 188},
        {'-', 189}, {'_', 189}, {'.', 190},  {'>', 190}, {'/', 191}, {'?', 191}, {'`', 192},  {'~', 192},
        {'[', 219}, {'{', 219}, {'\\', 220}, {'|', 220}, {']', 221}, {'}', 221}, {'\'', 222}, {'"', 222},
    };
    for (const auto& key : keys)
        if (k == key.ch)
            return key.code;
    return k < 256 && (k < 33 || k > 126) ? k : 0;
}
} // namespace

int KeyCodeOf(int k)
{
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return 112 + (k - Qt::Key_F1);
    if ((k >= Qt::Key_A && k <= Qt::Key_Z) || (k >= Qt::Key_0 && k <= Qt::Key_9))
        return k;
    switch (k) {
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        return PunctuationKeyCode(k);
    }
}

bool Form::DispatchKey(QKeyEvent* e, bool down)
{
    int code = KeyCodeOf(e->key());
    const int before = code; // a key without a code (a letter of another script) still types
    const int s = ShiftBits(e->modifiers());
    Guarded("key", [&] {
        if (down)
            Form_KeyDown(code, s);
        else
            Form_KeyUp(code, s);
    });
    // A handler that sets the code to 0 has taken the key.
    const bool taken = code == 0 && before != 0;
    if (taken)
        e->accept();
    return taken;
}

bool Form::WasPreviewed(const QKeyEvent* e) const
{
    return e == previewed_.event && e->timestamp() == previewed_.time && e->key() == previewed_.key &&
           e->type() == previewed_.type;
}

void Form::keyPressEvent(QKeyEvent* e)
{
    if (!WasPreviewed(e)) // a child's key the child left comes up here once more
        DispatchKey(e, true);
}
void Form::keyReleaseEvent(QKeyEvent* e)
{
    if (!e->isAutoRepeat() && !WasPreviewed(e))
        DispatchKey(e, false);
}

bool Form::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == mdiSub_) {
        // The user moves and sizes a child window by its sub-window; a maximised one takes
        // the area's size as the area changes (its normal place is kept).
        if ((e->type() == QEvent::Move || e->type() == QEvent::Resize) && !applying_ && mdiSub_->isVisible() &&
            windowState_ != vbMinimized)
            ReadBackGeometry(true);
        return false;
    }
    // Key preview: the form sees the keys of its windowed controls first.
    if (KeyPreview && (e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease)) {
        auto* ke = static_cast<QKeyEvent*>(e);
        if (e->type() == QEvent::KeyRelease && ke->isAutoRepeat())
            return false;
        previewed_ = {e, ke->timestamp(), ke->key(), e->type()};
        return DispatchKey(ke, e->type() == QEvent::KeyPress);
    }
    return QWidget::eventFilter(watched, e);
}

} // namespace platform
