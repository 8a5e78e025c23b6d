#pragma once
// Year date files and date keys.
#include <QDate>
#include <QString>

namespace mduAlmanorvqueLib {

// gUserRegionFolder & the trimmed year.
QString YearFilePath(const QString& year);
QString YearFilePath(int year);
// "dd/mm" of the date, whatever the locale.
QString DayMonthKey(const QDate& d);
// The same for a date kept as text; "" when the text is no date.
QString DayMonthKey(const QString& dateText);

// Makes or updates that year's date file.
void PrepareYearDatesFile(const QString& year);

} // namespace mduAlmanorvqueLib
