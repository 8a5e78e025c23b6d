#pragma once
// The window-update lock: one window at a time may hold its drawing back. Locking another
// window while one is locked fails; passing nullptr releases the lock.
class QWidget;

namespace platform {

bool LockWindowUpdate(QWidget* window);
QWidget* LockedWindow();

// Holds the window's drawing back until the scope ends, also when a step fails.
struct ScopedUpdateLock {
    explicit ScopedUpdateLock(QWidget* window) { LockWindowUpdate(window); }
    ~ScopedUpdateLock() { LockWindowUpdate(nullptr); }
    ScopedUpdateLock(const ScopedUpdateLock&) = delete;
    ScopedUpdateLock& operator=(const ScopedUpdateLock&) = delete;
};

} // namespace platform
