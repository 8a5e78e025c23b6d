#include "year_dates.h"

#include "conversions.h"
#include "data_folders.h"
#include "easter_date.h"
#include "file_helpers.h"
#include "set_up_step.h"
#include "settings_templates.h"
#include "text_file.h"

#include <QStringList>
#include <map>
#include <utility>

using mduLib::Step;

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

namespace {

// The year's own template, else the country's, else the fallback (which may be missing).
QString SpecialDatesTemplate(const QString& year)
{
    const QString forYear = gDatesFolder + gRegion + " dates/" + conv::Trim(year);
    if (mduLib::FileExists(forYear))
        return forYear;
    const QString forCountry = gDatesFolder + gRegion;
    if (mduLib::FileExists(forCountry))
        return forCountry;
    return gDatesFolder + "DefaultSpecialDates";
}

// Section and key of a line as the settings store reads it, in the form its lookups
// compare them (trimmed, any case).
struct EntryKey {
    QString section;
    QString key;
    QString value;
};

EntryKey ParseEntry(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0)
        return {QString(), conv::Trim(line).toCaseFolded(), QString()};
    QString key = line.left(eq);
    QString section;
    const qsizetype colon = key.indexOf(u':');
    if (colon >= 0) {
        section = key.left(colon);
        key = key.mid(colon + 1);
    }
    return {conv::Trim(section).toCaseFolded(), conv::Trim(key).toCaseFolded(), line.mid(eq + 1)};
}

// The key part of a line (before its first "="), as the merge compares it.
QString RawKey(const QString& line)
{
    const qsizetype eq = line.indexOf(u'=');
    return eq < 0 ? line : line.left(eq);
}

// The merge writes only the template's keys: the entries only the year file had (the
// user's own captions, notes, pictures, the Easter lines) follow the template's lines.
void MergeKeepingOwnEntries(const QString& yearFile, const QString& templ)
{
    const auto own = textfile::ReadLines(yearFile);
    if (!own)
        throw mduLib::FileError(QStringLiteral("Cannot read ") + yearFile);
    auto merged = mduLib::MergedIniLines(yearFile, templ);
    if (!merged)
        throw mduLib::FileError(QStringLiteral("Cannot read ") + templ);
    // Where each entry of the output stands, and the key text it was written under.
    std::map<std::pair<QString, QString>, std::pair<qsizetype, QString>> written;
    for (qsizetype i = 0; i < merged->size(); ++i) {
        const QString& line = (*merged)[i];
        if (conv::Trim(line).isEmpty())
            continue;
        const EntryKey k = ParseEntry(line);
        written.emplace(std::make_pair(k.section, k.key), std::make_pair(i, RawKey(line)));
    }
    for (const QString& line : *own) {
        if (conv::Trim(line).isEmpty())
            continue;
        const EntryKey k = ParseEntry(line);
        const auto it = written.find({k.section, k.key});
        if (it == written.end())
            merged->append(line);
        else if (RawKey(line).compare(it->second.second, Qt::CaseInsensitive) != 0)
            // The same entry spelt with other blanks: the merge could not see it, and the
            // user's value wins as it would have under the template's spelling.
            (*merged)[it->second.first] = line;
    }
    if (!textfile::WriteLines(yearFile, *merged))
        throw mduLib::FileError(QStringLiteral("Cannot write ") + yearFile);
}

QDate EasterSundayOf(const QString& year, const QString& easter)
{
    const QStringList dm = easter.split(u'/');
    if (dm.size() != 2 || !conv::IsNumeric(year))
        return {};
    bool okDay = false, okMonth = false;
    const int day = dm[0].toInt(&okDay);
    const int month = dm[1].toInt(&okMonth);
    if (!okDay || !okMonth)
        return {};
    try {
        return QDate(conv::ToInt32(year), month, day);
    } catch (const std::exception&) {
        return {};
    }
}

// Indices of the lines holding section and date key k.
std::vector<int> LinesOf(const QStringList& lines, const QString& section, const QString& k)
{
    const QString s = section.toCaseFolded();
    const QString key = k.toCaseFolded();
    std::vector<int> found;
    for (int i = 0; i < lines.size(); ++i) {
        const EntryKey e = ParseEntry(lines[i]);
        if (e.section == s && e.key == key)
            found.push_back(i);
    }
    return found;
}

// Does one of the caption lines name the feast (in any case), alone or joined with
// another holiday?
bool NamesFeast(const QStringList& lines, const std::vector<int>& captions, const QString& name)
{
    for (int i : captions) {
        // A caption may carry a greeting for the message line after "~".
        const QString caption = ParseEntry(lines[i]).value.section(u'~', 0, 0);
        const QStringList names = caption.split(QStringLiteral(" / "));
        for (const QString& n : names)
            if (conv::Trim(n).compare(name, Qt::CaseInsensitive) == 0)
                return true;
    }
    return false;
}
} // namespace

QString ReadWholeFile(const QString& path)
{
    if (!mduLib::FileExists(path))
        return {};
    const auto lines = textfile::ReadLines(path);
    if (!lines)
        throw mduLib::FileError(QStringLiteral("Cannot read ") + path);
    QString text;
    for (const QString& l : *lines)
        text += l + QStringLiteral("\r\n");
    return text;
}

void AddEasterHolidays(const QString& yearFile, const QString& year)
{
    QStringList lines = textfile::SplitLines(ReadWholeFile(yearFile));
    const QDate sunday = EasterSundayOf(year, mduEasterDate::EasterDate(year, 3));
    if (!sunday.isValid())
        return;
    static const struct {
        int offset;
        const char* name;
        const char* message;
    } feasts[] = {
        {-2, "Good Friday", ""},
        {0, "Easter Sunday", ""},
        {1, "Easter Monday", "Have a nice break"},
    };
    const int ownLines = static_cast<int>(lines.size());
    bool changed = false;
    for (const auto& f : feasts) {
        const QString k = DayMonthKey(sunday.addDays(f.offset));
        const QString name = QString::fromLatin1(f.name);
        const std::vector<int> captions = LinesOf(lines, QStringLiteral("PCaption"), k);
        if (NamesFeast(lines, captions, name))
            continue;
        changed = true;
        if (captions.empty()) {
            lines.append("PCaption:" + k + "=" + name);
        } else {
            // Another holiday on the same day: one caption naming both, since a second
            // line under the same key would hide one of them.
            QString& line = lines[captions.front()];
            const qsizetype eq = line.indexOf(u'=');
            const QString value = line.mid(eq + 1);
            const qsizetype tilde = value.indexOf(u'~');
            const QString caption = tilde < 0 ? value : value.left(tilde);
            const QString greeting = tilde < 0 ? QString() : value.mid(tilde);
            line = line.left(eq + 1) + (conv::Trim(caption).isEmpty() ? name : caption + " / " + name) + greeting;
        }
        if (LinesOf(lines, QStringLiteral("PMessage"), k).empty())
            lines.append("PMessage:" + k + "=" + QString::fromLatin1(f.message));
        if (LinesOf(lines, QStringLiteral("PFormat"), k).empty())
            lines.append("PFormat:" + k + "=,,True,True,65535,,");
    }
    if (!changed)
        return;
    // The added lines stand apart from the file's own after one empty line.
    if (lines.size() > ownLines)
        lines.insert(ownLines, QString());
    if (!textfile::WriteLines(yearFile, lines))
        throw mduLib::FileError(QStringLiteral("Cannot write ") + yearFile);
}

void PrepareYearDatesFile(const QString& year)
{
    const QString yearFile = YearFilePath(year);
    QString templ;
    Step([&] { templ = SpecialDatesTemplate(year); });
    if (!mduLib::FileExists(yearFile)) {
        Step([&] {
            if (mduLib::FileExists(templ))
                mduLib::CopyFileFso(templ, yearFile, false);
            else if (!textfile::WriteWhole(yearFile, QByteArray()))
                throw mduLib::FileError(QStringLiteral("Cannot write ") + yearFile);
        });
        Step([&] { AddEasterHolidays(yearFile, year); });
    } else if (mduLib::IsFileNewer(templ, yearFile)) {
        Step([&] { MergeKeepingOwnEntries(yearFile, templ); });
        Step([&] { AddEasterHolidays(yearFile, year); });
    }
    // Otherwise the file is up to date, or there is no template to compare it with.
}

} // namespace mduAlmanorvqueLib
