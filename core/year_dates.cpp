#include "year_dates.h"

#include "conversions.h"
#include "data_folders.h"

namespace mduAlmanorvqueLib {

QString YearFilePath(const QString& year) { return gUserRegionFolder + conv::Trim(year); }
QString YearFilePath(int year) { return YearFilePath(QString::number(year)); }

QString DayMonthKey(const QDate& d)
{
    if (!d.isValid())
        return {};
    return QStringLiteral("%1/%2").arg(d.day(), 2, 10, QLatin1Char('0')).arg(d.month(), 2, 10, QLatin1Char('0'));
}

QString DayMonthKey(const QString& dateText)
{
    const auto d = conv::DateFromText(dateText);
    return d ? DayMonthKey(*d) : QString();
}

void PrepareYearDatesFile(const QString&)
{
    // Making the file from the country's template comes with the special-dates work.
}

} // namespace mduAlmanorvqueLib
