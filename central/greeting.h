#pragma once
// The spoken start greeting's text: the "Start Message" setting with its date and
// time-of-day placeholders filled in.
#include <QDateTime>
#include <QLocale>
#include <QString>

namespace greeting {

inline constexpr char kDatePlaceholder[] = "<date>";
inline constexpr char kTimeOfDayPlaceholder[] = "<Morning/Afternoon/Evening>";

// "Morning" before noon, "Afternoon" to 18:59, "Evening" from 19:00: by the hour, so
// that it holds in every locale, whatever its names for the two halves of the day.
QString TimeOfDay(const QTime& time);

// The separator the locale writes between the parts of a short date ("/" when it has none).
QString DateSeparator(const QLocale& locale);

// The first "<date>" becomes MM<sep>DD<sep>YYYY, the first time-of-day placeholder the
// time of day; further occurrences stay as written.
QString FillStartMessage(const QString& text, const QDateTime& now, const QLocale& locale);

} // namespace greeting
