// holiday_dates: writes the special-dates templates of the "Dates" folder from the one
// holiday table in holiday_table.cpp.
//
//   holiday_dates --years DIR
//       writes DIR/<Country> dates/<year> for every country and every year 2000 to 2100:
//       the holidays of that one year, fixed and movable. The build runs this into the
//       program folder's "Dates".
//   holiday_dates --templates DIR
//       writes DIR/<Country>, the country's template for all other years (the days that
//       fall on the same date every year). Run it into the source tree's data/Dates after
//       changing the table, and commit the result:
//           holiday_dates --templates <source>/data/Dates
//       (the build target almanorvique_holiday_templates does the same).
//
// A file is written only when its bytes change: a template newer than a user's year
// file makes the program merge it into that file, so an unchanged one keeps its time.
#include "holiday_table.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QString>
#include <cstdio>
#include <exception>

namespace {

enum class Outcome { Unchanged, Written, Failed };

Outcome writeIfChanged(const QString& path, const QByteArray& bytes)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly)) {
        if (existing.readAll() == bytes)
            return Outcome::Unchanged;
        existing.close();
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        std::fprintf(stderr, "holiday_dates: cannot write %s\n", qPrintable(QDir::toNativeSeparators(path)));
        return Outcome::Failed;
    }
    return Outcome::Written;
}

bool makeFolder(const QString& path)
{
    if (QDir().mkpath(path))
        return true;
    std::fprintf(stderr, "holiday_dates: cannot make folder %s\n", qPrintable(QDir::toNativeSeparators(path)));
    return false;
}

struct Counts {
    int written = 0;
    int unchanged = 0;
    bool ok = true;

    void take(Outcome o)
    {
        if (o == Outcome::Written)
            ++written;
        else if (o == Outcome::Unchanged)
            ++unchanged;
        else
            ok = false;
    }
};

Counts writeYears(const QString& dir)
{
    Counts counts;
    for (const holidaytable::Country& country : holidaytable::countries()) {
        const QString folder = dir + u'/' + QString::fromLatin1(country.name) + QStringLiteral(" dates");
        if (!makeFolder(folder)) {
            counts.ok = false;
            continue;
        }
        for (int year = holidaytable::kFirstYear; year <= holidaytable::kLastYear; ++year)
            counts.take(
                writeIfChanged(folder + u'/' + QString::number(year), holidaytable::yearTemplate(country, year)));
    }
    return counts;
}

Counts writeTemplates(const QString& dir)
{
    Counts counts;
    if (!makeFolder(dir)) {
        counts.ok = false;
        return counts;
    }
    for (const holidaytable::Country& country : holidaytable::countries())
        counts.take(
            writeIfChanged(dir + u'/' + QString::fromLatin1(country.name), holidaytable::allYearsTemplate(country)));
    return counts;
}

int usage()
{
    std::fprintf(stderr, "usage: holiday_dates --years DIR | --templates DIR\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return usage();
    const QString option = QString::fromLocal8Bit(argv[1]);
    const QString dir = QDir::cleanPath(QString::fromLocal8Bit(argv[2]));
    try {
        Counts counts;
        if (option == QLatin1String("--years"))
            counts = writeYears(dir);
        else if (option == QLatin1String("--templates"))
            counts = writeTemplates(dir);
        else
            return usage();
        std::printf("holiday_dates: %d written, %d unchanged in %s\n", counts.written, counts.unchanged,
                    qPrintable(QDir::toNativeSeparators(dir)));
        return counts.ok ? 0 : 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "holiday_dates: %s\n", e.what());
        return 1;
    }
}
