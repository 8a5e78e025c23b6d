// Checks the special-dates templates we ship: the all-years templates of the source
// tree's data/Dates and the per-year templates the build writes into the program
// folder. Every line must load as a date entry, merge cleanly and leave room for the
// Easter lines the program adds itself; a table of known dates checks the holidays.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QStringList>
#include <string>
#include <vector>

#ifndef ALMANORVIQUE_PROGRAM_DIR
#error "ALMANORVIQUE_PROGRAM_DIR must name the program folder"
#endif
#ifndef ALMANORVIQUE_SOURCE_DATES_DIR
#error "ALMANORVIQUE_SOURCE_DATES_DIR must name the source tree's data/Dates"
#endif

namespace {

const QStringList kCountries = {
    "United States", "United Kingdom", "Canada", "Australia", "Ireland",
    "Germany",       "France",         "Italy",  "Spain",     "Netherlands",
};
constexpr int kFirstYear = 2000;
constexpr int kLastYear = 2100;

QString allYearsPath(const QString& country) { return QStringLiteral(ALMANORVIQUE_SOURCE_DATES_DIR "/") + country; }

QString yearPath(const QString& country, int year)
{
    return QStringLiteral(ALMANORVIQUE_PROGRAM_DIR "/Dates/") + country + QStringLiteral(" dates/") +
           QString::number(year);
}

struct Read {
    bool ok = false;
    QByteArray bytes;
};

Read readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return {true, f.readAll()};
}

struct Entry {
    QString section;
    QString key;
    QString value;
};

// Everything wrong with one template, one message per fault. year 0 is the all-years
// template, whose days must exist in some year (29/02 included).
std::vector<std::string> problemsOf(const QString& path, const QByteArray& bytes, int year,
                                    std::vector<Entry>* entries = nullptr)
{
    std::vector<std::string> problems;
    auto fault = [&](int line, const QString& what) {
        problems.push_back(QStringLiteral("%1:%2: %3").arg(path).arg(line).arg(what).toStdString());
    };

    if (bytes.isEmpty()) {
        fault(0, QStringLiteral("empty file"));
        return problems;
    }
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))
            fault(0, QStringLiteral("CR without LF at byte %1").arg(i));
        else if (c == '\n' && (i == 0 || bytes[i - 1] != '\r'))
            fault(0, QStringLiteral("LF without CR at byte %1").arg(i));
        else if ((c < 0x20 && c != '\r' && c != '\n') || c == 0x7f)
            fault(0, QStringLiteral("control character at byte %1").arg(i));
        else if (c == 0x81 || c == 0x8d || c == 0x8f || c == 0x90 || c == 0x9d)
            fault(0, QStringLiteral("byte %1 is not Windows-1252").arg(i));
    }
    if (!bytes.endsWith("\r\n"))
        fault(0, QStringLiteral("last line does not end in CR LF"));

    // The program adds the Easter feasts only when their names occur nowhere in the file.
    for (const char* feast : {"Good Friday", "Easter Sunday", "Easter Monday"}) {
        if (bytes.contains(feast))
            fault(0, QStringLiteral("mentions %1").arg(QLatin1String(feast)));
    }

    static const QRegularExpression lineShape(QStringLiteral("^(PCaption|PMessage|PFormat):(\\d\\d)/(\\d\\d)=(.*)$"));
    static const QRegularExpression number(QStringLiteral("^\\d+(\\.\\d+)?$"));
    static const QRegularExpression colour(QStringLiteral("^\\d+$"));
    const QStringList sectionOrder = {"PCaption", "PMessage", "PFormat"};

    QByteArray body = bytes;
    if (body.endsWith("\r\n"))
        body.chop(2);
    const QStringList lines = QString::fromLatin1(body).split(QStringLiteral("\r\n"));

    QSet<QString> seen;
    QString tripleKey;
    int previousDay = 0; // month * 100 + day of the last caption
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const int n = i + 1;
        if (line.contains(u'[') && line.contains(u']'))
            fault(n, QStringLiteral("reads as a section line: ") + line);
        const QRegularExpressionMatch m = lineShape.match(line);
        if (!m.hasMatch()) {
            fault(n, QStringLiteral("not a date entry: ") + line);
            continue;
        }
        const QString section = m.captured(1);
        const QString key = m.captured(2) + u'/' + m.captured(3);
        const QString value = m.captured(4);
        const int day = m.captured(2).toInt();
        const int month = m.captured(3).toInt();
        if (!QDate(year ? year : 2000, month, day).isValid())
            fault(n, QStringLiteral("no such day: ") + key);
        if (value.startsWith(u'^'))
            fault(n, QStringLiteral("value starts with ^"));
        if (seen.contains(section + u':' + key))
            fault(n, QStringLiteral("duplicate entry ") + section + u':' + key);
        seen.insert(section + u':' + key);

        if (section != sectionOrder[i % 3])
            fault(n, QStringLiteral("expected %1, found %2").arg(sectionOrder[i % 3], section));
        if (i % 3 == 0) {
            tripleKey = key;
            if (value.trimmed().isEmpty())
                fault(n, QStringLiteral("empty caption"));
            if (month * 100 + day <= previousDay)
                fault(n, QStringLiteral("not in date order: ") + key);
            previousDay = month * 100 + day;
        } else if (key != tripleKey) {
            fault(n, QStringLiteral("belongs to %1, not to %2").arg(key, tripleKey));
        }

        if (section == QLatin1String("PFormat")) {
            const QStringList fields = value.split(u',');
            if (fields.size() != 7) {
                fault(n, QStringLiteral("font format needs seven fields: ") + value);
            } else {
                if (!fields[1].isEmpty() && !number.match(fields[1]).hasMatch())
                    fault(n, QStringLiteral("bad size: ") + fields[1]);
                for (int f : {2, 3, 5, 6}) {
                    if (!fields[f].isEmpty() && fields[f] != QLatin1String("True") &&
                        fields[f] != QLatin1String("False"))
                        fault(n, QStringLiteral("bad flag: ") + fields[f]);
                }
                if (!fields[4].isEmpty() && (!colour.match(fields[4]).hasMatch() || fields[4].toLongLong() > 0xFFFFFF))
                    fault(n, QStringLiteral("bad colour: ") + fields[4]);
            }
        }
        if (entries)
            entries->push_back({section, key, value});
    }
    if (lines.size() % 3 != 0)
        fault(int(lines.size()), QStringLiteral("incomplete caption, message and format lines"));
    return problems;
}

std::string joined(const std::vector<std::string>& problems)
{
    std::string out;
    for (const auto& p : problems)
        out += p + '\n';
    return out;
}

// The captions of one template by date key; a missing file gives none.
QHash<QString, QString> captionsOf(const QString& path, int year)
{
    QHash<QString, QString> captions;
    const Read r = readFile(path);
    std::vector<Entry> entries;
    if (r.ok)
        problemsOf(path, r.bytes, year, &entries);
    for (const Entry& e : entries) {
        if (e.section == QLatin1String("PCaption"))
            captions.insert(e.key, e.value);
    }
    return captions;
}

TEST(ShippedDatesFormat, DefaultTemplateStaysEmpty)
{
    const Read r = readFile(QStringLiteral(ALMANORVIQUE_SOURCE_DATES_DIR "/DefaultSpecialDates"));
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.bytes.isEmpty());
}

TEST(ShippedDatesFormat, AllYearsTemplatesLoadAndMergeCleanly)
{
    for (const QString& country : kCountries) {
        const QString path = allYearsPath(country);
        const Read r = readFile(path);
        ASSERT_TRUE(r.ok) << "missing " << path.toStdString();
        const auto problems = problemsOf(path, r.bytes, 0);
        EXPECT_TRUE(problems.empty()) << joined(problems);
    }
}

TEST(ShippedDatesFormat, EveryYearTemplateExistsAndLoadsCleanly)
{
    for (const QString& country : kCountries) {
        for (int year = kFirstYear; year <= kLastYear; ++year) {
            const QString path = yearPath(country, year);
            const Read r = readFile(path);
            ASSERT_TRUE(r.ok) << "missing " << path.toStdString();
            const auto problems = problemsOf(path, r.bytes, year);
            EXPECT_TRUE(problems.empty()) << joined(problems);
        }
    }
}

// The all-years templates are written from the generator's table by hand; a table change
// that was not carried into data/Dates shows here. No rule changes after 2026, so from
// then on the days that every year has on the same date are exactly the all-years ones.
TEST(ShippedDatesFormat, AllYearsTemplatesMatchTheCurrentYears)
{
    for (const QString& country : kCountries) {
        QSet<QString> standing;
        const auto templateDays = captionsOf(allYearsPath(country), 0);
        for (auto it = templateDays.cbegin(); it != templateDays.cend(); ++it)
            standing.insert(it.key() + u'=' + it.value());
        ASSERT_FALSE(standing.isEmpty()) << country.toStdString();

        QSet<QString> everyYear;
        for (int year = 2026; year <= kLastYear; ++year) {
            QSet<QString> thisYear;
            const auto days = captionsOf(yearPath(country, year), year);
            for (auto it = days.cbegin(); it != days.cend(); ++it) {
                for (const QString& part : it.value().split(QStringLiteral(" / ")))
                    thisYear.insert(it.key() + u'=' + part);
            }
            everyYear = year == 2026 ? thisYear : everyYear.intersect(thisYear);
        }
        QStringList onlyTemplate = (standing - everyYear).values();
        QStringList onlyYears = (everyYear - standing).values();
        onlyTemplate.sort();
        onlyYears.sort();
        EXPECT_TRUE(onlyTemplate.isEmpty() && onlyYears.isEmpty())
            << country.toStdString()
            << ": only in the all-years template: " << onlyTemplate.join(QStringLiteral("; ")).toStdString()
            << "; in every year but not in it: " << onlyYears.join(QStringLiteral("; ")).toStdString();
    }
}

struct DayCase {
    const char* country;
    int year;
    const char* key;
    const char* caption; // "" when the day must have no entry
};

const DayCase kKnownDays[] = {
    {"United States", 2024, "28/11", "Thanksgiving Day"},
    {"United States", 2025, "20/01", "Martin Luther King Jr. Day"},
    {"United States", 2026, "16/02", "Presidents' Day"},
    {"United States", 2025, "26/05", "Memorial Day"},
    {"United States", 2021, "19/06", "Juneteenth"},
    {"United States", 2020, "19/06", ""},
    {"United States", 2025, "04/07", "Independence Day"},
    {"United States", 2023, "04/09", "Labor Day"},
    {"United States", 2024, "14/10", "Columbus Day"},
    {"United States", 2025, "11/11", "Veterans Day"},
    {"United Kingdom", 2022, "02/06", "Spring Bank Holiday"},
    {"United Kingdom", 2022, "30/05", ""},
    {"United Kingdom", 2022, "03/06", "Platinum Jubilee Bank Holiday"},
    {"United Kingdom", 2022, "19/09", "State Funeral of Queen Elizabeth II"},
    {"United Kingdom", 2020, "08/05", "Early May Bank Holiday"},
    {"United Kingdom", 2020, "04/05", ""},
    {"United Kingdom", 2021, "03/05", "Early May Bank Holiday"},
    {"United Kingdom", 2002, "03/06", "Golden Jubilee Bank Holiday"},
    {"United Kingdom", 2002, "04/06", "Spring Bank Holiday"},
    {"United Kingdom", 2002, "27/05", ""},
    {"United Kingdom", 2012, "04/06", "Spring Bank Holiday"},
    {"United Kingdom", 2012, "05/06", "Diamond Jubilee Bank Holiday"},
    {"United Kingdom", 2012, "28/05", ""},
    {"United Kingdom", 2011, "29/04", "Royal Wedding"},
    {"United Kingdom", 2023, "01/05", "Early May Bank Holiday"},
    {"United Kingdom", 2023, "08/05", "Coronation of King Charles III"},
    {"United Kingdom", 2025, "26/05", "Spring Bank Holiday"},
    {"United Kingdom", 2025, "25/08", "Summer Bank Holiday"},
    {"United Kingdom", 2025, "26/12", "Boxing Day"},
    {"Canada", 2025, "19/05", "Victoria Day"},
    {"Canada", 2021, "24/05", "Victoria Day"},
    {"Canada", 2025, "01/07", "Canada Day"},
    {"Canada", 2025, "01/09", "Labour Day"},
    {"Canada", 2021, "30/09", "National Day for Truth and Reconciliation"},
    {"Canada", 2020, "30/09", ""},
    {"Canada", 2025, "13/10", "Thanksgiving Day"},
    {"Canada", 2025, "11/11", "Remembrance Day"},
    {"Australia", 2025, "26/01", "Australia Day"},
    {"Australia", 2025, "25/04", "Anzac Day"},
    {"Australia", 2025, "09/06", "King's Birthday"},
    {"Australia", 2022, "13/06", "Queen's Birthday"},
    {"Australia", 2022, "22/09", "National Day of Mourning for Queen Elizabeth II"},
    {"Ireland", 2025, "03/02", "St Brigid's Day"},
    {"Ireland", 2030, "01/02", "St Brigid's Day"},
    {"Ireland", 2022, "07/02", ""},
    {"Ireland", 2022, "18/03", "Day of Remembrance and Recognition"},
    {"Ireland", 2025, "17/03", "St Patrick's Day"},
    {"Ireland", 2025, "05/05", "May Bank Holiday"},
    {"Ireland", 2025, "02/06", "June Bank Holiday"},
    {"Ireland", 2025, "04/08", "August Bank Holiday"},
    {"Ireland", 2025, "27/10", "October Bank Holiday"},
    {"Ireland", 2025, "26/12", "St Stephen's Day"},
    {"Germany", 2025, "29/05", "Ascension Day"},
    {"Germany", 2025, "09/06", "Whit Monday"},
    {"Germany", 2008, "01/05", "Labour Day / Ascension Day"},
    {"Germany", 2017, "31/10", "Reformation Day"},
    {"Germany", 2018, "31/10", ""},
    {"Germany", 2025, "03/10", "German Unity Day"},
    {"France", 2024, "09/05", "Ascension Day"},
    {"France", 2024, "20/05", "Whit Monday"},
    {"France", 2059, "08/05", "Victory in Europe Day / Ascension Day"},
    {"France", 2025, "14/07", "Bastille Day"},
    {"France", 2025, "11/11", "Armistice Day"},
    {"Italy", 2000, "04/06", "Republic Day"},
    {"Italy", 2000, "02/06", ""},
    {"Italy", 2001, "02/06", "Republic Day"},
    {"Italy", 2011, "17/03", "150th Anniversary of the Unification of Italy"},
    {"Italy", 2025, "04/10", ""},
    {"Italy", 2026, "04/10", "St Francis of Assisi Day"},
    {"Italy", 2025, "25/04", "Liberation Day"},
    {"Italy", 2025, "26/12", "St Stephen's Day"},
    {"Spain", 2025, "06/01", "Epiphany"},
    {"Spain", 2025, "12/10", "National Day of Spain"},
    {"Spain", 2025, "06/12", "Constitution Day"},
    {"Netherlands", 2025, "26/04", "King's Day"},
    {"Netherlands", 2025, "27/04", ""},
    {"Netherlands", 2024, "27/04", "King's Day"},
    {"Netherlands", 2014, "26/04", "King's Day"},
    {"Netherlands", 2013, "30/04", "Queen's Day"},
    {"Netherlands", 2006, "29/04", "Queen's Day"},
    {"Netherlands", 2016, "05/05", "Liberation Day / Ascension Day"},
    {"Netherlands", 2025, "08/06", "Whit Sunday"},
    {"Netherlands", 2025, "09/06", "Whit Monday"},
};

TEST(ShippedDatesHolidays, KnownDays)
{
    for (const DayCase& c : kKnownDays) {
        const auto captions = captionsOf(yearPath(QString::fromLatin1(c.country), c.year), c.year);
        const QString key = QString::fromLatin1(c.key);
        EXPECT_EQ(captions.value(key).toStdString(), c.caption) << c.country << ' ' << c.year << ' ' << c.key;
    }
}

struct AbsenceCase {
    const char* country;
    int year;
    const char* caption; // must not appear anywhere in that year
};

const AbsenceCase kNotYetOrNoLonger[] = {
    {"United States", 2020, "Juneteenth"},   {"Canada", 2020, "National Day for Truth and Reconciliation"},
    {"Ireland", 2022, "St Brigid's Day"},    {"Australia", 2022, "King's Birthday"},
    {"Australia", 2023, "Queen's Birthday"}, {"Netherlands", 2013, "King's Day"},
    {"Netherlands", 2014, "Queen's Day"},    {"Italy", 2025, "St Francis of Assisi Day"},
    {"Germany", 2016, "Reformation Day"},    {"United Kingdom", 2024, "Platinum Jubilee Bank Holiday"},
};

TEST(ShippedDatesHolidays, DaysOnlyInTheYearsTheyWereKept)
{
    for (const AbsenceCase& c : kNotYetOrNoLonger) {
        const auto captions = captionsOf(yearPath(QString::fromLatin1(c.country), c.year), c.year);
        ASSERT_FALSE(captions.isEmpty()) << c.country << ' ' << c.year;
        for (auto it = captions.cbegin(); it != captions.cend(); ++it)
            EXPECT_FALSE(it.value().contains(QLatin1String(c.caption)))
                << c.country << ' ' << c.year << ' ' << c.caption;
    }
}

} // namespace
