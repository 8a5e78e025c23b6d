#pragma once
// Format masks of grid columns: number patterns ("0", "0.00", "#,##0", "0%", sections by
// ";"), date and time patterns ("dd/mm/yyyy", "hh:nn"), text patterns ("@", "<", ">")
// and the named formats. Sunday starts the week.
#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

namespace cellformat {

// The text as a cell of a column with this mask holds it; a blank mask keeps the text.
// A text that the mask cannot read (a word under a number mask) stays as it is.
QString FormatWithMask(const QString& text, const QString& mask);

// A number rounded to that many decimals, halves away from zero.
double RoundAway(double v, int decimals);

// The text as a date (and time) in the user's locale, its short and long forms and the
// fixed forms the system writes; nothing when it is none.
std::optional<QDateTime> ReadDateTime(const QString& text);
// The locale's short date, with the time of day when it is not midnight.
QString ShortDateText(const QDateTime& when);

} // namespace cellformat
