#include "year_dates.h"

#include "conversions.h"
#include "data_folders.h"
#include "easter_date.h"
#include "file_helpers.h"
#include "set_up_step.h"
#include "settings_templates.h"
#include "text_file.h"

#include "settings_store.h"
#include "system/whole_file_write.h"

#include <QStringList>
#include <set>

using mduLib::Step;

namespace mduAlmanorvqueLib {

QString YearFilePath(const QString& year) { return gUserRegionFolder + conv::Trim(year); }
QString YearFilePath(int year) { return YearFilePath(QString::number(year)); }

std::shared_ptr<SharedYearTable> SharedYearDates(int year, bool fromFile)
{
    const QString path = YearFilePath(year);
    std::shared_ptr<SharedYearTable> shared = gRun.YearTables[path].lock();
    if (shared && !fromFile)
        return shared;
    if (!shared) {
        shared = std::make_shared<SharedYearTable>();
        gRun.YearTables[path] = shared;
    }
    Step([&] { PrepareYearDatesFile(QString::number(year)); });
    // A table the run holds keeps its unsaved entries on top of what the file holds now.
    if (shared->Table.IsCreated() && (shared->Safe || shared->Table.Changed())) {
        if (mduLib::ReloadKeepingChanges(shared->Table, path))
            shared->Safe = true;
        return shared; // unreadable now: the table stays as it is, with its unsaved entries
    }
    shared->Table.Create(1);
    shared->Safe = mduLib::LoadIniFileForRewrite(path, shared->Table);
    return shared;
}

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

// A merge's lines: the template's keys with the file's values, and the entries only the
// year file had (the user's own captions, notes, pictures, the Easter lines), which follow.
struct MergedYear {
    QStringList templ;
    QStringList own;
};

// The merge writes only the template's keys: the entries only the year file had follow
// the template's lines. The date files have no sections and no option lists.
MergedYear MergedYearLines(const QStringList& own, const QStringList& templ)
{
    // A key the template repeats is written once: the store reads only its first line,
    // and a feast joined into that line must not differ from a copy of it.
    MergedYear merged;
    std::set<QString> written;
    for (const QString& line : mduLib::MergeLines(own, templ, mduLib::MergeStyle::Dates))
        if (conv::Trim(line).isEmpty() ||
            written.insert(mduLib::MergeKey(QString(), mduLib::ParseEntryLine(line).keyPart)).second)
            merged.templ.append(line);
    // A later line of the file under a key the merge wrote is a duplicate the store never
    // reads (the first line wins there, as it did in the merge).
    for (const QString& line : own)
        if (!conv::Trim(line).isEmpty() &&
            !written.count(mduLib::MergeKey(QString(), mduLib::ParseEntryLine(line).keyPart)))
            merged.own.append(line);
    return merged;
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

// Indices of the lines holding section and date key k, compared as the store does. A bare
// line (no "=") counts as the merge counts it: as that key's line, which a merge keeps in
// place of any later one.
std::vector<int> LinesOf(const QStringList& lines, const QString& section, const QString& k)
{
    std::vector<int> found;
    for (int i = 0; i < lines.size(); ++i) {
        const auto split = mduLib::SplitSection(mduLib::ParseEntryLine(lines[i]).keyPart);
        if (split && conv::EqualsTrimmedNoCase(split->first, section) && conv::EqualsTrimmedNoCase(split->second, k))
            found.push_back(i);
    }
    return found;
}

// The first caption of the day (the one the calendar shows), before a greeting after "~".
QString FirstCaption(const QStringList& lines, const std::vector<int>& captions)
{
    return captions.empty() ? QString() : mduLib::ParseEntryLine(lines[captions.front()]).value.section(u'~', 0, 0);
}

// Does the caption name the feast (in any case), alone or joined with another holiday?
bool NamesFeast(const QString& caption, const QString& name)
{
    for (const QString& n : caption.split(QStringLiteral(" / ")))
        if (conv::Trim(n).compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The date keys whose first caption the lines give a text; a bare line is a first caption
// without one, as LinesOf counts it.
std::set<QString> CaptionedDays(const QStringList& lines)
{
    std::set<QString> days;
    std::set<QString> seen;
    for (const QString& line : lines) {
        const mduLib::EntryLine e = mduLib::ParseEntryLine(line);
        const auto split = mduLib::SplitSection(e.keyPart);
        if (!split || !conv::EqualsTrimmedNoCase(split->first, QStringLiteral("PCaption")))
            continue;
        const QString k = conv::Trim(split->second);
        if (seen.insert(k).second && !conv::Trim(e.value.section(u'~', 0, 0)).isEmpty())
            days.insert(k);
    }
    return days;
}

// Whether the lines mention the name anywhere, exactly as written.
bool Mentions(const QStringList& lines, const QString& name)
{
    for (const QString& line : lines)
        if (line.contains(name))
            return true;
    return false;
}

// The lines with the Easter feasts they lack: a feast whose name the lines mention
// anywhere is left out. A day whose caption is in kept (the user's own) is left as it is;
// another holiday on a feast day gets one caption naming both, and a caption that names
// the feast in other letters stays. The added lines go in at blockAt, after an empty line
// when blankBefore is set.
QStringList WithEasterFeasts(QStringList lines, const QString& year, const std::set<QString>& kept, qsizetype blockAt,
                             bool blankBefore)
{
    const QDate sunday = EasterSundayOf(year, mduEasterDate::EasterDate(year, 3));
    if (!sunday.isValid())
        return lines;
    static const struct {
        int offset;
        const char* name;
        const char* message;
    } feasts[] = {
        {-2, "Good Friday", ""},
        {0, "Easter Sunday", ""},
        {1, "Easter Monday", "Have a nice break"},
    };
    const qsizetype ownLines = lines.size();
    for (const auto& f : feasts) {
        const QString k = DayMonthKey(sunday.addDays(f.offset));
        const QString name = QString::fromLatin1(f.name);
        if (Mentions(lines, name))
            continue;
        const std::vector<int> captions = LinesOf(lines, QStringLiteral("PCaption"), k);
        const QString caption = FirstCaption(lines, captions);
        if (!captions.empty() && kept.count(k))
            continue;
        if (captions.empty()) {
            lines.append("PCaption:" + k + "=" + name);
        } else if (!NamesFeast(caption, name)) {
            // Another holiday on the same day: one caption naming both, since a second
            // line under the same key would hide one of them.
            QString& line = lines[captions.front()];
            if (!line.contains(u'='))
                line += u'='; // a bare line becomes the day's caption entry
            const qsizetype eq = line.indexOf(u'=');
            const QString value = line.mid(eq + 1);
            const qsizetype tilde = value.indexOf(u'~');
            const QString greeting = tilde < 0 ? QString() : value.mid(tilde);
            line = line.left(eq + 1) + (conv::Trim(caption).isEmpty() ? name : caption + " / " + name) + greeting;
        }
        if (LinesOf(lines, QStringLiteral("PMessage"), k).empty())
            lines.append("PMessage:" + k + "=" + QString::fromLatin1(f.message));
        if (LinesOf(lines, QStringLiteral("PFormat"), k).empty())
            lines.append("PFormat:" + k + "=,,True,True,65535,,");
    }
    if (lines.size() == ownLines)
        return lines;
    QStringList block = lines.mid(ownLines);
    lines.resize(ownLines);
    if (blankBefore)
        block.prepend(QString());
    for (qsizetype i = 0; i < block.size(); ++i)
        lines.insert(blockAt + i, block[i]);
    return lines;
}

void WriteYearFile(const QString& yearFile, const QStringList& lines, textfile::Encoding encoding,
                   textfile::LineEnd lineEnd = textfile::LineEnd::CrLf)
{
    if (!textfile::WriteLines(yearFile, lines, encoding, lineEnd))
        throw mduLib::FileError(QStringLiteral("Cannot write ") +
                                (platform::LastWriteFailure().isEmpty() ? yearFile : platform::LastWriteFailure()));
}

QStringList ReadYearLines(const QString& path, textfile::Encoding* encoding, textfile::LineEnd* lineEnd = nullptr)
{
    auto lines = textfile::ReadLines(path, encoding, lineEnd);
    if (!lines)
        throw mduLib::FileError(QStringLiteral("Cannot read ") + path);
    return std::move(*lines);
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
    textfile::Encoding encoding = textfile::Encoding::Cp1252;
    textfile::LineEnd lineEnd = textfile::LineEnd::CrLf;
    const QStringList lines =
        mduLib::FileExists(yearFile) ? ReadYearLines(yearFile, &encoding, &lineEnd) : QStringList();
    const QStringList with = WithEasterFeasts(lines, year, {}, lines.size(), true);
    if (with != lines)
        WriteYearFile(yearFile, with, encoding, lineEnd);
}

QStringList PreparedYearLines(const QStringList& own, const QStringList& templ, const QString& year)
{
    // As in a new file, an empty line parts the template's lines from the year's own:
    // the Easter feasts, then the file's other entries.
    const MergedYear merged = MergedYearLines(own, templ);
    QStringList lines = merged.templ;
    const qsizetype blockAt = lines.size() + (merged.own.isEmpty() ? 0 : 1);
    if (!merged.own.isEmpty())
        lines << QString() << merged.own;
    return WithEasterFeasts(lines, year, CaptionedDays(own), blockAt, merged.own.isEmpty());
}

QStringList NewYearLines(const QStringList& templ, const QString& year)
{
    return WithEasterFeasts(templ, year, {}, templ.size(), true);
}

void PrepareYearDatesFile(const QString& year)
{
    const QString yearFile = YearFilePath(year);
    Step([&] { platform::RemoveLeftoverTemporaries(yearFile); });
    QString templ;
    Step([&] { templ = SpecialDatesTemplate(year); });
    // An empty file is what a first start on a full disk left: it is made again. The
    // whole file is written at once, so that no kill leaves it without its feasts.
    if (mduLib::IsMissingOrEmpty(yearFile)) {
        Step([&] {
            textfile::Encoding encoding = textfile::Encoding::Cp1252;
            const QStringList lines = mduLib::FileExists(templ) ? ReadYearLines(templ, &encoding) : QStringList();
            WriteYearFile(yearFile, NewYearLines(lines, year), encoding);
        });
    } else if (mduLib::IsFileNewer(templ, yearFile)) {
        Step([&] {
            textfile::Encoding encoding = textfile::Encoding::Cp1252;
            textfile::LineEnd lineEnd = textfile::LineEnd::CrLf;
            const QStringList own = ReadYearLines(yearFile, &encoding, &lineEnd);
            const QStringList lines = ReadYearLines(templ, nullptr);
            WriteYearFile(yearFile, PreparedYearLines(own, lines, year), encoding, lineEnd);
        });
    }
    // Otherwise the file is up to date, or there is no template to compare it with.
}

} // namespace mduAlmanorvqueLib
