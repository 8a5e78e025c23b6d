#pragma once
// The time of day as the programs see it. Tests fix it; the programs use the system clock.
#include <QDateTime>
#include <functional>

namespace platform {

QDateTime Now();
QDate Today();
// Now() as milliseconds since 1970 UTC, without the look at the time zone that a local
// time takes.
qint64 NowMSecsSinceEpoch();

// Replaces the clock (a null function restores the system clock).
void SetClock(std::function<QDateTime()> clock);

// A clock that stays where it is put; tests move it by hand.
class FixedClock {
public:
    explicit FixedClock(QDateTime start);
    ~FixedClock();
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
    void Set(QDateTime t) { now_ = std::move(t); }
    void AdvanceSeconds(qint64 s) { now_ = now_.addSecs(s); }
    void AdvanceMs(qint64 ms) { now_ = now_.addMSecs(ms); }
    const QDateTime& Time() const { return now_; }

private:
    QDateTime now_;
};

} // namespace platform
