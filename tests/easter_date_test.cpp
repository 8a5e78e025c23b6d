#include "core/app_identity.h"
#include "core/easter_date.h"
#include "system/message_box.h"

#include <QCalendar>
#include <QDate>
#include <gtest/gtest.h>

using namespace mduEasterDate;

namespace {
// Anonymous Gregorian algorithm (Meeus/Jones/Butcher).
QDate GregorianEaster(int y)
{
    const int a = y % 19, b = y / 100, c = y % 100, d = b / 4, e = b % 4, f = (b + 8) / 25;
    const int g = (b - f + 1) / 3, h = (19 * a + b - d - g + 15) % 30, i = c / 4, k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7, m = (a + 11 * h + 22 * l) / 451;
    const int n = h + l - 7 * m + 114;
    return QDate(y, n / 31, n % 31 + 1);
}

// Meeus' Julian algorithm, as a date of the Julian calendar.
QDate JulianEaster(int y)
{
    const int a = y % 4, b = y % 7, c = y % 19, d = (19 * c + 15) % 30, e = (2 * a + 4 * b - d + 34) % 7;
    const int n = d + e + 114;
    return QDate(y, n / 31, n % 31 + 1, QCalendar(QCalendar::System::Julian));
}

// Day of March, counting on into April and May, of a date in the Gregorian calendar.
int DayOfMarch(const QDate& d) { return static_cast<int>(QDate(d.year(), 3, 1).daysTo(d)) + 1; }
int JulianDayOfMarch(const QDate& d)
{
    const QCalendar julian(QCalendar::System::Julian);
    return static_cast<int>(QDate(d.year(julian), 3, 1, julian).daysTo(d)) + 1;
}
} // namespace

TEST(EasterDate, KnownYears)
{
    platform::ScriptedMessageBox boxes;
    const struct {
        const char* year;
        const char* easter;
    } cases[] = {
        {"1583", "10/4"}, {"1818", "22/3"}, {"2285", "22/3"}, {"1943", "25/4"}, {"2038", "25/4"},
        {"2024", "31/3"}, {"2025", "20/4"}, {"2026", "5/4"},  {"4099", "19/4"}, {" 2000 ", "23/4"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EasterDate(c.year, 3), c.easter) << c.year;
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(EasterDate, EveryGregorianYearMatchesTheAnonymousAlgorithm)
{
    for (int y = 1583; y <= 4099; ++y) {
        const QDate e = GregorianEaster(y);
        ASSERT_EQ(EasterDate(QString::number(y), 3), QStringLiteral("%1/%2").arg(e.day()).arg(e.month())) << y;
    }
}

TEST(EasterDate, TheJulianMethodsMatchTheJulianCalendar)
{
    for (int y = 326; y <= 4099; ++y) {
        const QDate e = JulianEaster(y);
        ASSERT_EQ(EasterDayOfMarch(y, 1), JulianDayOfMarch(e)) << y;
        if (y >= 1583) {
            ASSERT_EQ(EasterDayOfMarch(y, 2), DayOfMarch(e)) << y; // the same day on the Gregorian calendar
        }
    }
    EXPECT_EQ(EasterDayOfMarch(2024, 2), 31 + 30 + 5); // 5 May
    EXPECT_EQ(EasterDayOfMarch(2024, 3), 31);
}

TEST(EasterDate, OutsideTheMethodsRangeThereIsNoDate)
{
    const struct {
        int year, method;
    } cases[] = {{325, 1}, {1582, 2}, {4100, 2}, {1582, 3}, {4100, 3}, {2024, 0}, {2024, 4}};
    for (const auto& c : cases)
        EXPECT_FALSE(EasterDayOfMarch(c.year, c.method).has_value()) << c.year << " " << c.method;
}

TEST(EasterDate, AlwaysGregorianWhateverMethodIsAsked)
{
    platform::ScriptedMessageBox boxes;
    for (int method : {0, 1, 2, 7})
        EXPECT_EQ(EasterDate("2024", method), "31/3") << method;
    EXPECT_TRUE(boxes.Shown().empty());
}

TEST(EasterDate, AYearOutOfRangeWarnsOnceAndGivesNothing)
{
    for (const char* year : {"1582", "4100", "326", "0", "", "abc", "-2024", "99999999999"}) {
        platform::ScriptedMessageBox boxes;
        EXPECT_EQ(EasterDate(year, 1), "") << year;
        ASSERT_EQ(boxes.Shown().size(), 1u) << year;
        const auto& box = boxes.Shown()[0];
        EXPECT_EQ(box.prompt, "Gregorian calendar Easters apply for years 1583 to 4099 only");
        EXPECT_EQ(box.buttons, platform::vbExclamation | platform::vbOKOnly);
        EXPECT_EQ(box.title, appinfo::ProgramTitle());
    }
}
