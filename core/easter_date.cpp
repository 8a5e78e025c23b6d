#include "easter_date.h"

#include "app_identity.h"
#include "conversions.h"
#include "system/message_box.h"

namespace mduEasterDate {
namespace {
// The check the routine makes before it calculates; "" when the year and method are fine.
QString RangeWarning(int year, int method)
{
    if (method < 1 || method > 3)
        return QStringLiteral("Method must be 1, 2 or 3");
    if (method == 1 && year < 326)
        return QStringLiteral("The original calculation applies to all years from 326 AD");
    if (method != 1 && (year < 1583 || year > 4099))
        return QStringLiteral("Gregorian calendar Easters apply for years 1583 to 4099 only");
    return {};
}

int YearOf(const QString& text)
{
    if (!conv::IsNumeric(text))
        return 0;
    try {
        return conv::ToInt32(text);
    } catch (const std::exception&) {
        return 0; // far out of range either way
    }
}
} // namespace

std::optional<int> EasterDayOfMarch(int y, int method)
{
    if (!RangeWarning(y, method).isEmpty())
        return std::nullopt;
    const int century = y / 100;
    const int golden = y % 19;
    int d = 0;
    if (method < 3) {
        // Paschal full moon on the Julian calendar, then the Sunday after it.
        const int pfm = ((225 - 11 * golden) % 30) + 21;
        const int b = (pfm - 19) % 7;
        const int c = (40 - century) % 7;
        const int t = y % 100;
        const int e = (t + t / 4) % 7;
        d = pfm + ((20 - b - c - e) % 7) + 1;
        if (method == 2) {
            // Ten days dropped in October 1582, and a further day for every century year
            // that is no leap year on the Gregorian calendar.
            int shift = 10;
            if (y > 1600)
                shift += century - 16 - (century - 16) / 4;
            d += shift;
        }
    } else {
        int t = (century - 15) / 2 + 202 - 11 * golden;
        switch (century) {
        case 21:
        case 24:
        case 25:
        case 27:
        case 28:
        case 29:
        case 30:
        case 31:
        case 32:
        case 34:
        case 35:
        case 38:
            t -= 1;
            break;
        case 33:
        case 36:
        case 37:
        case 39:
        case 40:
            t -= 2;
            break;
        default:
            break;
        }
        t %= 30;
        int pfm = t + 21;
        if (t == 29)
            pfm -= 1;
        if (t == 28 && golden > 10)
            pfm -= 1;
        const int b = (pfm - 19) % 7;
        int c = (40 - century) % 4;
        if (c == 3)
            c += 1;
        if (c > 1)
            c += 1;
        const int r = y % 100;
        const int e = (r + r / 4) % 7;
        d = pfm + ((20 - b - c - e) % 7) + 1;
    }
    return d;
}

QString EasterDate(const QString& year, int method)
{
    method = 3; // the calendar keeps Gregorian Easters only
    const int y = YearOf(year);
    const QString warning = RangeWarning(y, method);
    if (!warning.isEmpty()) {
        platform::MsgBox(warning, platform::vbExclamation | platform::vbOKOnly, appinfo::ProgramTitle());
        return {};
    }
    const int d = *EasterDayOfMarch(y, method);
    if (d < 32)
        return QStringLiteral("%1/3").arg(d);
    if (d < 62)
        return QStringLiteral("%1/4").arg(d - 31);
    return QStringLiteral("%1/5").arg(d - 61);
}

} // namespace mduEasterDate
