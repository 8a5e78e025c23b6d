#pragma once
// Easter Sunday of a year.
#include <QString>
#include <optional>

namespace mduEasterDate {

// Easter Sunday as day "/" month without leading zeros ("20/4" for 2025). Always computed
// on the Gregorian calendar: the method argument is ignored. A year outside 1583 to 4099
// (or no number) shows a warning and gives "".
QString EasterDate(const QString& year, int method);

// The calculation itself: the day of March on which Easter Sunday falls, counting on into
// April and May (32 is 1 April). Method 1 is the Julian calculation (years from 326),
// 2 the Julian one given as Gregorian dates and 3 the Gregorian one (both 1583 to 4099).
// std::nullopt for a method or year outside those.
std::optional<int> EasterDayOfMarch(int year, int method);

} // namespace mduEasterDate
