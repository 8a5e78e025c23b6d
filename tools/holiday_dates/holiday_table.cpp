#include "holiday_table.h"

#include <QStringList>
#include <algorithm>
#include <map>
#include <stdexcept>
#include <vector>

namespace holidaytable {
namespace {

constexpr int Mon = 1, Thu = 4, Sun = 7;
constexpr int Jan = 1, Feb = 2, Mar = 3, Apr = 4, May = 5, Jun = 6, Jul = 7, Aug = 8, Sep = 9, Oct = 10, Nov = 11,
              Dec = 12;

constexpr Rule fixed(const char* caption, int day, int month)
{
    Rule r;
    r.caption = caption;
    r.kind = Kind::Fixed;
    r.day = day;
    r.month = month;
    return r;
}

constexpr Rule nth(const char* caption, int n, int weekday, int month)
{
    Rule r;
    r.caption = caption;
    r.kind = Kind::NthWeekday;
    r.day = n;
    r.weekday = weekday;
    r.month = month;
    return r;
}

constexpr Rule last(const char* caption, int weekday, int month)
{
    Rule r;
    r.caption = caption;
    r.kind = Kind::LastWeekday;
    r.weekday = weekday;
    r.month = month;
    return r;
}

constexpr Rule onOrBefore(const char* caption, int weekday, int day, int month)
{
    Rule r;
    r.caption = caption;
    r.kind = Kind::WeekdayOnOrBefore;
    r.weekday = weekday;
    r.day = day;
    r.month = month;
    return r;
}

constexpr Rule easter(const char* caption, int offset)
{
    Rule r;
    r.caption = caption;
    r.kind = Kind::Easter;
    r.offset = offset;
    return r;
}

constexpr Rule computed(const char* caption, QDate (*compute)(int))
{
    Rule r;
    r.caption = caption;
    r.kind = Kind::Computed;
    r.compute = compute;
    return r;
}

// Easter offsets. Good Friday, Easter Sunday and Easter Monday are not in the table:
// the program adds those three to every year file itself.
constexpr int kAscension = 39;
constexpr int kWhitSunday = 49;
constexpr int kWhitMonday = 50;

// First Monday of February, or 1 February when that is a Friday.
QDate stBrigidsDay(int year)
{
    const QDate first(year, Feb, 1);
    if (first.dayOfWeek() == 5)
        return first;
    return first.addDays((Mon - first.dayOfWeek() + 7) % 7);
}

// The Dutch royal birthday is kept on the Saturday before when it falls on a Sunday.
QDate royalBirthday(int year, int day)
{
    const QDate d(year, Apr, day);
    return d.dayOfWeek() == Sun ? d.addDays(-1) : d;
}
QDate queensDay(int year) { return royalBirthday(year, 30); }
QDate kingsDay(int year) { return royalBirthday(year, 27); }

constexpr const char* kOneOff = "One-off public holiday";
constexpr const char* kOneOffBank = "One-off bank holiday";

// Federal holidays (5 U.S.C. 6103).
constexpr Rule kUnitedStates[] = {
    fixed("New Year's Day", 1, Jan),         nth("Martin Luther King Jr. Day", 3, Mon, Jan),
    nth("Presidents' Day", 3, Mon, Feb),     last("Memorial Day", Mon, May),
    fixed("Juneteenth", 19, Jun).from(2021), fixed("Independence Day", 4, Jul),
    nth("Labor Day", 1, Mon, Sep),           nth("Columbus Day", 2, Mon, Oct),
    fixed("Veterans Day", 11, Nov),          nth("Thanksgiving Day", 4, Thu, Nov),
    fixed("Christmas Day", 25, Dec),
};

// Bank holidays common to England, Wales and Northern Ireland (Scotland keeps its
// summer holiday on the first Monday of August and has others of its own).
constexpr Rule kUnitedKingdom[] = {
    fixed("New Year's Day", 1, Jan),
    fixed("Royal Wedding", 29, Apr).only(2011).note(kOneOffBank),
    nth("Early May Bank Holiday", 1, Mon, May).except({2020}),
    fixed("Early May Bank Holiday", 8, May).only(2020).note("Moved for the 75th anniversary of VE Day"),
    fixed("Coronation of King Charles III", 8, May).only(2023).note(kOneOffBank),
    last("Spring Bank Holiday", Mon, May).except({2002, 2012, 2022}),
    fixed("Golden Jubilee Bank Holiday", 3, Jun).only(2002).note(kOneOffBank),
    fixed("Spring Bank Holiday", 4, Jun).only(2002).note("Moved for the Golden Jubilee"),
    fixed("Spring Bank Holiday", 4, Jun).only(2012).note("Moved for the Diamond Jubilee"),
    fixed("Diamond Jubilee Bank Holiday", 5, Jun).only(2012).note(kOneOffBank),
    fixed("Spring Bank Holiday", 2, Jun).only(2022).note("Moved for the Platinum Jubilee"),
    fixed("Platinum Jubilee Bank Holiday", 3, Jun).only(2022).note(kOneOffBank),
    last("Summer Bank Holiday", Mon, Aug),
    fixed("State Funeral of Queen Elizabeth II", 19, Sep).only(2022).note(kOneOffBank),
    fixed("Christmas Day", 25, Dec),
    fixed("Boxing Day", 26, Dec),
};

// Federal holidays of the Canada Labour Code.
constexpr Rule kCanada[] = {
    fixed("New Year's Day", 1, Jan),
    onOrBefore("Victoria Day", Mon, 24, May),
    fixed("Canada Day", 1, Jul),
    nth("Labour Day", 1, Mon, Sep),
    fixed("National Day for Truth and Reconciliation", 30, Sep).from(2021),
    nth("Thanksgiving Day", 2, Mon, Oct),
    fixed("Remembrance Day", 11, Nov),
    fixed("Christmas Day", 25, Dec),
    fixed("Boxing Day", 26, Dec),
};

// Holidays of every state and territory; the sovereign's birthday is listed on the
// second Monday of June, where most states keep it.
constexpr Rule kAustralia[] = {
    fixed("New Year's Day", 1, Jan),
    fixed("Australia Day", 26, Jan),
    fixed("Anzac Day", 25, Apr),
    nth("Queen's Birthday", 2, Mon, Jun).until(2022),
    nth("King's Birthday", 2, Mon, Jun).from(2023),
    fixed("National Day of Mourning for Queen Elizabeth II", 22, Sep).only(2022).note(kOneOff),
    fixed("Christmas Day", 25, Dec),
    fixed("Boxing Day", 26, Dec),
};

// Public holidays of the Organisation of Working Time Act.
constexpr Rule kIreland[] = {
    fixed("New Year's Day", 1, Jan),
    computed("St Brigid's Day", stBrigidsDay).from(2023),
    fixed("St Patrick's Day", 17, Mar),
    fixed("Day of Remembrance and Recognition", 18, Mar).only(2022).note(kOneOff),
    nth("May Bank Holiday", 1, Mon, May),
    nth("June Bank Holiday", 1, Mon, Jun),
    nth("August Bank Holiday", 1, Mon, Aug),
    last("October Bank Holiday", Mon, Oct),
    fixed("Christmas Day", 25, Dec),
    fixed("St Stephen's Day", 26, Dec),
};

// Holidays kept in all sixteen states.
constexpr Rule kGermany[] = {
    fixed("New Year's Day", 1, Jan),
    fixed("Labour Day", 1, May),
    easter("Ascension Day", kAscension),
    easter("Whit Monday", kWhitMonday),
    fixed("German Unity Day", 3, Oct),
    fixed("Reformation Day", 31, Oct).only(2017).note("500th anniversary of the Reformation"),
    fixed("Christmas Day", 25, Dec),
    fixed("Second Day of Christmas", 26, Dec),
};

// Jours fériés of the Code du travail, without those of Alsace-Moselle alone.
constexpr Rule kFrance[] = {
    fixed("New Year's Day", 1, Jan),     fixed("Labour Day", 1, May),        fixed("Victory in Europe Day", 8, May),
    easter("Ascension Day", kAscension), easter("Whit Monday", kWhitMonday), fixed("Bastille Day", 14, Jul),
    fixed("Assumption Day", 15, Aug),    fixed("All Saints' Day", 1, Nov),   fixed("Armistice Day", 11, Nov),
    fixed("Christmas Day", 25, Dec),
};

constexpr Rule kItaly[] = {
    fixed("New Year's Day", 1, Jan),
    fixed("Epiphany", 6, Jan),
    fixed("150th Anniversary of the Unification of Italy", 17, Mar).only(2011).note(kOneOff),
    fixed("Liberation Day", 25, Apr),
    fixed("Labour Day", 1, May),
    // Kept on the first Sunday of June from 1977 until it was put back on 2 June in 2001.
    nth("Republic Day", 1, Sun, Jun).until(2000),
    fixed("Republic Day", 2, Jun).from(2001),
    fixed("Assumption Day", 15, Aug),
    fixed("St Francis of Assisi Day", 4, Oct).from(2026),
    fixed("All Saints' Day", 1, Nov),
    fixed("Immaculate Conception", 8, Dec),
    fixed("Christmas Day", 25, Dec),
    fixed("St Stephen's Day", 26, Dec),
};

// The national calendar; Maundy Thursday and the days each region picks are left out.
constexpr Rule kSpain[] = {
    fixed("New Year's Day", 1, Jan),
    fixed("Epiphany", 6, Jan),
    fixed("Labour Day", 1, May),
    fixed("Assumption Day", 15, Aug),
    fixed("National Day of Spain", 12, Oct),
    fixed("All Saints' Day", 1, Nov),
    fixed("Constitution Day", 6, Dec),
    fixed("Immaculate Conception", 8, Dec),
    fixed("Christmas Day", 25, Dec),
};

// The holidays of the Algemene termijnenwet, with Liberation Day.
constexpr Rule kNetherlands[] = {
    fixed("New Year's Day", 1, Jan),
    computed("Queen's Day", queensDay).until(2013),
    computed("King's Day", kingsDay).from(2014),
    fixed("Liberation Day", 5, May),
    easter("Ascension Day", kAscension),
    easter("Whit Sunday", kWhitSunday),
    easter("Whit Monday", kWhitMonday),
    fixed("Christmas Day", 25, Dec),
    fixed("Second Day of Christmas", 26, Dec),
};

const Country kCountries[] = {
    {"United States", kUnitedStates},
    {"United Kingdom", kUnitedKingdom},
    {"Canada", kCanada},
    {"Australia", kAustralia},
    {"Ireland", kIreland},
    {"Germany", kGermany},
    {"France", kFrance},
    {"Italy", kItaly},
    {"Spain", kSpain},
    {"Netherlands", kNetherlands},
};

QString dateKey(int day, int month)
{
    return QStringLiteral("%1/%2").arg(day, 2, 10, QLatin1Char('0')).arg(month, 2, 10, QLatin1Char('0'));
}

// Every text we ship is plain ASCII, which Windows-1252 holds unchanged; anything else
// is a slip in the table and must not reach the files as a "?".
QByteArray encode(const QStringList& lines)
{
    QByteArray out;
    for (const QString& line : lines) {
        for (QChar c : line) {
            if (c.unicode() < 0x20 || c.unicode() > 0x7e)
                throw std::runtime_error("non-ASCII or control character in: " + line.toStdString());
        }
        if (line.contains(u'[') && line.contains(u']'))
            throw std::runtime_error("line would read as a section line: " + line.toStdString());
        out += line.toLatin1();
        out += "\r\n";
    }
    return out;
}

struct Day {
    int month;
    int day;
    QStringList captions;
    QStringList messages;
};

QByteArray render(const std::vector<Day>& days)
{
    QStringList lines;
    for (const Day& d : days) {
        const QString key = dateKey(d.day, d.month);
        const QString caption = d.captions.join(QStringLiteral(" / "));
        const QString message = d.messages.join(QStringLiteral(" / "));
        if (caption.startsWith(u'^') || message.startsWith(u'^'))
            throw std::runtime_error("value starting with ^ at " + key.toStdString());
        lines << QStringLiteral("PCaption:%1=%2").arg(key, caption)
              << QStringLiteral("PMessage:%1=%2").arg(key, message)
              << QStringLiteral("PFormat:%1=%2").arg(key, QLatin1String(kHolidayFormat));
    }
    return encode(lines);
}

// Holidays on the same day share one entry: a year file holds one caption per day.
void add(std::map<std::pair<int, int>, Day>& days, int month, int day, const Rule& rule)
{
    Day& d = days[{month, day}];
    d.month = month;
    d.day = day;
    d.captions << QString::fromLatin1(rule.caption);
    if (*rule.message)
        d.messages << QString::fromLatin1(rule.message);
}

std::vector<Day> ordered(const std::map<std::pair<int, int>, Day>& days)
{
    std::vector<Day> out;
    for (const auto& [when, d] : days)
        out.push_back(d);
    return out;
}

} // namespace

std::span<const Country> countries() { return kCountries; }

QDate easterSunday(int year)
{
    // Anonymous Gregorian algorithm (Meeus/Jones/Butcher).
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(year, month, day);
}

bool Rule::inForce(int year) const
{
    if (firstYear && year < firstYear)
        return false;
    if (lastYear && year > lastYear)
        return false;
    return std::find(skipYears.begin(), skipYears.end(), year) == skipYears.end();
}

QDate Rule::dateIn(int year) const
{
    if (!inForce(year))
        return {};
    switch (kind) {
    case Kind::Fixed:
        return QDate(year, month, day);
    case Kind::NthWeekday: {
        const QDate first(year, month, 1);
        return first.addDays((weekday - first.dayOfWeek() + 7) % 7 + 7 * (day - 1));
    }
    case Kind::LastWeekday: {
        const QDate end(year, month, QDate(year, month, 1).daysInMonth());
        return end.addDays(-((end.dayOfWeek() - weekday + 7) % 7));
    }
    case Kind::WeekdayOnOrBefore: {
        const QDate limit(year, month, day);
        return limit.addDays(-((limit.dayOfWeek() - weekday + 7) % 7));
    }
    case Kind::Easter:
        return easterSunday(year).addDays(offset);
    case Kind::Computed:
        return compute(year);
    }
    return {};
}

QByteArray allYearsTemplate(const Country& country)
{
    // Only what falls on the same day every year under the rules now in force; the
    // per-year templates carry the rest.
    std::map<std::pair<int, int>, Day> days;
    for (const Rule& rule : country.rules) {
        if (rule.kind == Kind::Fixed && rule.lastYear == 0)
            add(days, rule.month, rule.day, rule);
    }
    return render(ordered(days));
}

QByteArray yearTemplate(const Country& country, int year)
{
    std::map<std::pair<int, int>, Day> days;
    for (const Rule& rule : country.rules) {
        const QDate d = rule.dateIn(year);
        if (!d.isValid())
            continue;
        if (d.year() != year)
            throw std::runtime_error(std::string("rule leaves its year: ") + rule.caption);
        add(days, d.month(), d.day(), rule);
    }
    return render(ordered(days));
}

} // namespace holidaytable
