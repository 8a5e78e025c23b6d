#pragma once
// The status bar's message line and its eye: pure steps the frame's timer runs.
#include <QString>
#include <QTime>

namespace statusticker {

inline constexpr char kSeparator[] = " << ";

// The line with msg added at its end, unless msg already occurs in it (an empty msg
// always does); an empty line takes msg as it is.
QString AppendMessage(const QString& line, const QString& msg);

// One tick: while a separator is left, the first character goes (a leading separator as
// a whole); the newest message then stays.
QString Step(const QString& line);

namespace eye {

inline constexpr int kFrames = 10;
inline constexpr qint32 kHundredthsPerDay = 24 * 60 * 60 * 100;

// The time of day in hundredths of a second since midnight.
qint32 HundredthsOfDay(const QTime& time);

// A new frame is due when none was shown yet or more than 0.15 s passed since the last;
// the time wraps at midnight, so the eye goes on in the new day.
bool IsDue(qint32 lastTick, qint32 now);

// The frame after frame, 1 to kFrames round.
int NextFrame(int frame);

} // namespace eye

} // namespace statusticker
