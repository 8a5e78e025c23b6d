#include "update_lock.h"

#include <QPointer>
#include <QWidget>

namespace platform {
namespace {
QPointer<QWidget> gLocked;
}

bool LockWindowUpdate(QWidget* window)
{
    if (!window) {
        if (gLocked) {
            gLocked->setUpdatesEnabled(true);
            gLocked->update();
        }
        gLocked = nullptr;
        return true;
    }
    if (gLocked && gLocked != window)
        return false;
    gLocked = window;
    window->setUpdatesEnabled(false);
    return true;
}

QWidget* LockedWindow() { return gLocked.data(); }

} // namespace platform
