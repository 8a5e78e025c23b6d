#include "clock.h"

namespace platform {
namespace {
std::function<QDateTime()>& ClockFunction()
{
    static std::function<QDateTime()> f;
    return f;
}
} // namespace

QDateTime Now()
{
    auto& f = ClockFunction();
    return f ? f() : QDateTime::currentDateTime();
}

QDate Today() { return Now().date(); }

qint64 NowMSecsSinceEpoch()
{
    auto& f = ClockFunction();
    return f ? f().toMSecsSinceEpoch() : QDateTime::currentMSecsSinceEpoch();
}

void SetClock(std::function<QDateTime()> clock) { ClockFunction() = std::move(clock); }

FixedClock::FixedClock(QDateTime start) : now_(std::move(start))
{
    SetClock([this] { return now_; });
}

FixedClock::~FixedClock() { SetClock(nullptr); }

} // namespace platform
