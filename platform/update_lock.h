#pragma once
// The window-update lock: one window at a time may hold its drawing back. Locking another
// window while one is locked fails; passing nullptr releases the lock.
class QWidget;

namespace platform {

bool LockWindowUpdate(QWidget* window);
QWidget* LockedWindow();

} // namespace platform
