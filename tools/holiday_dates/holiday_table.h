#pragma once
// The public holidays the program ships, one rule a row, and the two outputs made from
// them: the all-years template of a country and its template for one year.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <array>
#include <span>

namespace holidaytable {

enum class Kind {
    Fixed,             // day/month
    NthWeekday,        // the nth weekday of the month
    LastWeekday,       // the last weekday of the month
    WeekdayOnOrBefore, // the weekday on or before day/month
    Easter,            // Easter Sunday + offset days
    Computed,          // a rule that is easier told in code
};

struct Rule {
    const char* caption = "";
    Kind kind = Kind::Fixed;
    int month = 0;
    int day = 0;     // Fixed and WeekdayOnOrBefore: day of month; NthWeekday: n
    int weekday = 0; // Qt numbering, 1 = Monday
    int offset = 0;  // Easter
    QDate (*compute)(int year) = nullptr;
    int firstYear = 0;              // 0: no limit
    int lastYear = 0;               // 0: still in force
    std::array<int, 4> skipYears{}; // years in which another row gives the day instead
    const char* message = "";

    constexpr Rule from(int year) const
    {
        Rule r = *this;
        r.firstYear = year;
        return r;
    }
    constexpr Rule until(int year) const
    {
        Rule r = *this;
        r.lastYear = year;
        return r;
    }
    constexpr Rule only(int year) const { return from(year).until(year); }
    constexpr Rule except(std::array<int, 4> years) const
    {
        Rule r = *this;
        r.skipYears = years;
        return r;
    }
    constexpr Rule note(const char* text) const
    {
        Rule r = *this;
        r.message = text;
        return r;
    }

    bool inForce(int year) const;
    // Invalid when the rule does not give a day in that year.
    QDate dateIn(int year) const;
};

struct Country {
    const char* name; // the English country name the locale gives
    std::span<const Rule> rules;
};

std::span<const Country> countries();

QDate easterSunday(int year);

inline constexpr int kFirstYear = 2000;
inline constexpr int kLastYear = 2100;
inline constexpr const char* kHolidayFormat = ",,True,False,255,,";

// Windows-1252 bytes, every line ending in CR LF.
QByteArray allYearsTemplate(const Country& country);
QByteArray yearTemplate(const Country& country, int year);

} // namespace holidaytable
