#pragma once
// The timer control. In manual mode (tests) nothing ticks by itself: the test calls Fire().
#include <QObject>
#include <QTimer>
#include <functional>

namespace platform {

class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr, int interval = 0, bool enabled = true);

    int Interval() const { return interval_; }
    // Restarts the count; 0 stops the timer.
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on);

    // One tick as the timer would run it; a tick never runs inside another.
    void Fire();

    std::function<void()> OnTimer;

    static void SetManualMode(bool manual);
    static bool ManualMode();

private:
    void Restart();
    QTimer timer_;
    int interval_ = 0;
    bool enabled_ = true;
    bool inTick_ = false;
};

} // namespace platform
