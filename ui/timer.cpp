#include "timer.h"

#include "event_guard.h"

namespace platform {
namespace {
bool gManual = false;
}

Timer::Timer(QObject* parent, int interval, bool enabled) : QObject(parent), interval_(interval), enabled_(enabled)
{
    connect(&timer_, &QTimer::timeout, this, &Timer::Fire);
    Restart();
}

void Timer::SetInterval(int ms)
{
    interval_ = ms;
    Restart();
}

void Timer::SetEnabled(bool on)
{
    enabled_ = on;
    Restart();
}

void Timer::Restart()
{
    timer_.stop();
    if (enabled_ && interval_ > 0 && !gManual)
        timer_.start(interval_);
}

void Timer::Fire()
{
    if (inTick_ || !OnTimer || !enabled_ || interval_ <= 0)
        return;
    inTick_ = true;
    Guarded("timer", OnTimer);
    inTick_ = false;
}

void Timer::SetManualMode(bool manual) { gManual = manual; }
bool Timer::ManualMode() { return gManual; }

} // namespace platform
