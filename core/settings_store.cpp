#include "settings_store.h"

#include "conversions.h"
#include "file_helpers.h"
#include "text_file.h"
#include "text_utilities.h"

#include "system/whole_file_write.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <atomic>
#include <tuple>

namespace mduLib {

quint64 PropertyTable::RevisionNumber::Next()
{
    static std::atomic<quint64> last{0}; // a table may be made on any thread
    return ++last;
}

void PropertyTable::Create(int ubound)
{
    if (ubound < 0)
        throw SubscriptError();
    if (ubound > kMaxUBound)
        throw conv::OverflowError();
    items_.assign(static_cast<size_t>(ubound) + 1, PropertyItem{});
    Touch();
    created_ = true;
    encoding_ = textfile::Encoding::Cp1252;
    lineEnd_ = textfile::LineEnd::CrLf;
    MarkSaved();
}

void PropertyTable::MarkSaved()
{
    changed_ = false;
    saved_ = items_;
}

int PropertyTable::UBound() const
{
    if (!created_)
        throw SubscriptError();
    return static_cast<int>(items_.size()) - 1;
}

void PropertyTable::GrowTo(int ubound)
{
    if (!created_)
        throw SubscriptError();
    if (ubound > kMaxUBound)
        throw conv::OverflowError();
    if (ubound + 1 > static_cast<int>(items_.size())) {
        items_.resize(static_cast<size_t>(ubound) + 1);
        changed_ = true;
        Touch();
    }
}

PropertyItem& PropertyTable::operator[](int i)
{
    if (!created_ || i < 0 || i >= static_cast<int>(items_.size()))
        throw SubscriptError();
    Touch();
    return items_[static_cast<size_t>(i)];
}

const PropertyItem& PropertyTable::operator[](int i) const
{
    if (!created_ || i < 0 || i >= static_cast<int>(items_.size()))
        throw SubscriptError();
    return items_[static_cast<size_t>(i)];
}

bool EntryMatches(const PropertyItem& e, const QString& key, const QString& section)
{
    if (!conv::EqualsTrimmedNoCase(e.Key, key))
        return false;
    return section.isEmpty() || conv::EqualsTrimmedNoCase(e.Section, section);
}

namespace {
// Index of the first match, 0 when none (or the table was never created).
int FindFirst(const PropertyTable& entries, const QString& key, const QString& section)
{
    if (!entries.IsCreated())
        return 0;
    const int u = entries.UBound();
    for (int i = 1; i <= u; ++i)
        if (EntryMatches(entries[i], key, section))
            return i;
    return 0;
}

QString AfterFirstComma(const QString& v)
{
    const qsizetype p = v.indexOf(u',');
    return p < 0 ? v : v.mid(p + 1);
}
} // namespace

std::optional<std::pair<QString, QString>> SplitSection(const QString& keyPart)
{
    const qsizetype colon = keyPart.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    return std::make_pair(keyPart.left(colon), keyPart.mid(colon + 1));
}

EntryLine ParseEntryLine(const QString& line)
{
    EntryLine e;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) {
        e.keyPart = e.key = line;
        return e;
    }
    e.hasEquals = true;
    e.keyPart = line.left(eq);
    if (auto split = SplitSection(e.keyPart)) {
        e.hasSection = true;
        std::tie(e.section, e.key) = std::move(*split);
    } else {
        e.key = e.keyPart;
    }
    e.value = line.mid(eq + 1);
    return e;
}

namespace {
// Hands each line to visit until it answers false; false (the table untouched) when there
// are no lines to give, as for a file that cannot be read.
using LineFeed = std::function<bool(const std::function<bool(QStringView)>& visit)>;

// How a load ended.
enum class Loaded { Whole, NoLines, TooLong, Failed };

// Fills the table from the lines the feed hands over, one by one, so that no other copy
// of the text is held beside the table.
Loaded LoadIniFrom(const LineFeed& feed, PropertyTable& entries)
{
    const bool changed = entries.Changed();
    struct KeepMark {
        PropertyTable& t;
        bool changed;
        bool read = true;
        ~KeepMark()
        {
            if (!changed && read)
                t.MarkSaved();
        }
    } keep{entries, changed};
    int n = 0;
    bool full = false, failed = false;
    keep.read = feed([&](QStringView line) {
        if (n == PropertyTable::kMaxUBound) {
            full = true; // the entries read so far stay
            return false;
        }
        try {
            ++n;
            if (!entries.IsCreated())
                entries.Create(n);
            else if (entries.UBound() < n)
                entries.GrowTo(n);
            PropertyItem& e = entries[n];
            EntryLine parsed = ParseEntryLine(line.toString());
            if (parsed.hasSection)
                e.Section = std::move(parsed.section); // a line without one keeps the old one
            e.Key = std::move(parsed.key);
            e.Value = std::move(parsed.value);
        } catch (const std::exception&) {
            failed = true;
            return false;
        }
        return true;
    });
    if (!keep.read || failed)
        return Loaded::Failed;
    if (full)
        return Loaded::TooLong;
    return n > 0 ? Loaded::Whole : Loaded::NoLines;
}

// Loads the file; problem receives why it was not read whole ("" when it was, or has no
// lines).
bool LoadFile(const QString& path, PropertyTable& entries, QString& problem)
{
    problem.clear();
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    textfile::Encoding encoding = textfile::Encoding::Cp1252;
    textfile::LineEnd lineEnd = textfile::LineEnd::CrLf;
    // The lines are parsed as they are decoded from the file's bytes; the whole text is
    // never held beside the table.
    bool opened = false, notText = false;
    const Loaded loaded = LoadIniFrom(
        [&](const std::function<bool(QStringView)>& visit) {
            return opened = textfile::VisitFileLines(path, visit, &encoding, &lineEnd, &notText);
        },
        entries);
    if (!opened) {
        problem = notText ? QStringLiteral("its text is not the UTF-16 that its first two bytes announce")
                          : QStringLiteral("it cannot be read");
        return false;
    }
    if (entries.IsCreated()) {
        entries.SetFileEncoding(encoding);
        entries.SetFileLineEnd(lineEnd);
    }
    static_assert(PropertyTable::kMaxUBound == 32767, "the message names the limit");
    if (loaded == Loaded::TooLong)
        problem = QStringLiteral("it is too long to read whole (more than 32,767 lines)");
    else if (loaded == Loaded::Failed)
        problem = QStringLiteral("it cannot be read");
    return loaded == Loaded::Whole;
}
} // namespace

bool LoadIniLines(const QStringList& lines, PropertyTable& entries)
{
    return LoadIniFrom(
               [&](const std::function<bool(QStringView)>& visit) {
                   for (const QString& line : lines)
                       if (!visit(line))
                           break;
                   return true;
               },
               entries) == Loaded::Whole;
}

bool LoadIniFile(const QString& path, PropertyTable& entries)
{
    QString problem;
    return LoadFile(path, entries, problem);
}

bool LoadIniFileForRewrite(const QString& path, PropertyTable& entries, QString* problem)
{
    QString why;
    LoadFile(path, entries, why);
    if (problem)
        *problem = why;
    return why.isEmpty();
}

namespace {
// A key without a section goes as it stands, and one holding ":" reads back as a section
// and a key, which saves as the same line. Only a key whose first ":" starts or ends it
// would come back as another key or none: for it the empty section is written out.
bool WritesEmptySection(const PropertyItem& e)
{
    if (!e.Section.isEmpty())
        return false;
    const qsizetype colon = e.Key.indexOf(u':');
    return colon == 0 || (colon > 0 && colon == e.Key.size() - 1);
}
} // namespace

void WriteEntryLine(QStringList& out, const PropertyItem& entry, const QString& lineText)
{
    if (!entry.Section.isEmpty())
        out.append(entry.Section + u':' + lineText);
    else if (WritesEmptySection(entry))
        out.append(u':' + lineText);
    else
        out.append(lineText);
}

namespace {
// Hands each line SaveIniFile writes to put, in order.
void VisitIniFileLines(const PropertyTable& entries, const std::function<void(QStringView)>& put)
{
    QString line; // one buffer for every line
    const int u = entries.UBound();
    for (int i = 1; i <= u; ++i) {
        const PropertyItem& e = entries[i];
        if (e.Key.isEmpty())
            continue;
        // The forced-value marker is not written; all of it, so that a value saved
        // again stays as it is.
        qsizetype start = 0;
        while (start < e.Value.size() && e.Value[start] == u'^')
            ++start;
        const QStringView value = QStringView(e.Value).sliced(start);
        line.resize(0); // keeps its room for the next line
        if (!e.Section.isEmpty())
            line.append(e.Section).append(u':');
        else if (WritesEmptySection(e))
            line.append(u':');
        line.append(e.Key).append(u'=').append(value);
        put(line);
    }
}
} // namespace

QStringList IniFileLines(const PropertyTable& entries)
{
    QStringList out;
    out.reserve(entries.UBound());
    VisitIniFileLines(entries, [&](QStringView line) { out.append(line.toString()); });
    return out;
}

bool SaveIniFile(const PropertyTable& entries, const QString& path)
{
    if (!entries.IsCreated() || path.isEmpty())
        return false;
    // Encoded line by line as it is written, without the lines, the text or its bytes whole.
    return textfile::WriteLineSource(
        path, [&](const std::function<void(QStringView)>& put) { VisitIniFileLines(entries, put); },
        entries.FileEncoding(), entries.FileLineEnd());
}

namespace {
// The section and key as the store compares them.
QString EntryId(const PropertyItem& e)
{
    return conv::Trim(e.Section).toLower() + QChar(u'\x1f') + conv::Trim(e.Key).toLower();
}

// The place of an entry: its section and key and how many entries of that section and key
// come before it (a hand-edited file may hold a key twice, and the date manager edits each
// row of it).
QString PlaceId(const QString& entryId, int repeat) { return entryId + QChar(u'\x1e') + QString::number(repeat); }

// The index of every entry under its place.
QHash<QString, int> EntryPlaces(const std::vector<PropertyItem>& items)
{
    QHash<QString, int> places;
    QHash<QString, int> seen;
    places.reserve(static_cast<qsizetype>(items.size()));
    for (size_t i = 1; i < items.size(); ++i)
        if (!items[i].Key.isEmpty()) {
            const QString id = EntryId(items[i]);
            places.insert(PlaceId(id, seen[id]++), static_cast<int>(i));
        }
    return places;
}

std::vector<PropertyItem> ItemsOf(const PropertyTable& t)
{
    std::vector<PropertyItem> items;
    if (!t.IsCreated())
        return items;
    const int u = t.UBound();
    items.reserve(static_cast<size_t>(u) + 1);
    for (int i = 0; i <= u; ++i)
        items.push_back(t[i]);
    return items;
}
} // namespace

std::vector<EntryChange> ChangesSinceSaved(const PropertyTable& entries)
{
    std::vector<EntryChange> changes;
    if (!entries.IsCreated())
        return changes;
    const std::vector<PropertyItem>& saved = entries.Saved();
    const std::vector<PropertyItem> now = ItemsOf(entries);
    const QHash<QString, int> before = EntryPlaces(saved);
    const QHash<QString, int> after = EntryPlaces(now);
    for (auto it = after.cbegin(); it != after.cend(); ++it) {
        const PropertyItem& e = now[static_cast<size_t>(*it)];
        const auto was = before.constFind(it.key());
        if (was == before.cend() || !(saved[static_cast<size_t>(*was)] == e))
            changes.push_back({false, e, it.key(), *it});
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (!after.contains(it.key())) {
            const PropertyItem& e = saved[static_cast<size_t>(*it)];
            changes.push_back({true, PropertyItem{e.Section, e.Key, QString()}, it.key(), *it});
        }
    std::sort(changes.begin(), changes.end(), [](const EntryChange& a, const EntryChange& b) {
        return a.deleted != b.deleted ? !a.deleted : a.order < b.order;
    });
    return changes;
}

void ApplyChanges(const std::vector<EntryChange>& changes, PropertyTable& entries)
{
    if (changes.empty() || !entries.IsCreated())
        return;
    const QHash<QString, int> at = EntryPlaces(ItemsOf(entries));
    for (const EntryChange& c : changes) {
        const QString id = c.place.isEmpty() ? PlaceId(EntryId(c.entry), 0) : c.place;
        const auto found = at.constFind(id);
        if (c.deleted) {
            if (found == at.cend())
                continue;
            PropertyItem& e = entries[*found];
            e.Key.clear();
            e.Value.clear();
            entries.MarkChanged();
            continue;
        }
        if (found != at.cend()) {
            PropertyItem& e = entries[*found];
            if (!(e == c.entry)) {
                e = c.entry;
                entries.MarkChanged();
            }
            continue;
        }
        int u = entries.UBound();
        if (u == 0 || !entries[u].Key.isEmpty())
            entries.GrowTo(++u);
        entries[u] = c.entry;
        entries.MarkChanged();
    }
}

bool SaveIniFileMerged(PropertyTable& entries, const QString& path)
{
    if (!entries.IsCreated() || path.isEmpty())
        return false;
    // Another copy's read and write of the file must not fall between ours.
    const platform::FolderWriteLock lock(path);
    if (!QFileInfo::exists(path)) {
        if (!SaveIniFile(entries, path))
            return false;
        entries.MarkSaved();
        return true;
    }
    const std::vector<EntryChange> changes = ChangesSinceSaved(entries);
    if (changes.empty()) {
        entries.MarkSaved(); // what a writer set back to its old value
        return true;
    }
    PropertyTable onDisk(1);
    QString problem;
    if (!LoadIniFileForRewrite(path, onDisk, &problem)) {
        platform::SetWriteFailure(path, problem + QStringLiteral(", so it is left as it is"));
        return false;
    }
    try {
        ApplyChanges(changes, onDisk);
    } catch (const conv::OverflowError&) {
        platform::SetWriteFailure(path, QStringLiteral("the file holds as many entries as it can"));
        return false;
    }
    if (!SaveIniFile(onDisk, path))
        return false;
    entries.MarkSaved();
    return true;
}

bool SaveIniFileReplacing(const PropertyTable& entries, const QString& path)
{
    if (!entries.IsCreated() || path.isEmpty())
        return false;
    const platform::FolderWriteLock lock(path);
    // What the table would replace must be what the program can read: a file cut at the
    // line limit or not decoded would lose the rest.
    PropertyTable onDisk(1);
    QString problem;
    if (!LoadIniFileForRewrite(path, onDisk, &problem)) {
        platform::SetWriteFailure(path, problem + QStringLiteral(", so it is left as it is"));
        return false;
    }
    return SaveIniFile(entries, path);
}

bool ReloadKeepingChanges(PropertyTable& entries, const QString& path)
{
    const std::vector<EntryChange> changes = ChangesSinceSaved(entries);
    PropertyTable fresh(1);
    if (!LoadIniFileForRewrite(path, fresh))
        return false;
    fresh.MarkSaved();
    try {
        ApplyChanges(changes, fresh);
    } catch (const conv::OverflowError&) {
        return false; // the file has no room for this run's entries: the table stays
    }
    entries = std::move(fresh);
    return true;
}

QString FirstListItem(const QString& value)
{
    const qsizetype p = value.indexOf(u',');
    return p < 0 ? value : value.left(p);
}

QString GetProp(const QString& key, const PropertyTable& entries, const QString& section)
{
    const int i = FindFirst(entries, key, section);
    return i ? FirstListItem(entries[i].Value) : QStringLiteral("0");
}

bool GetYesNoProp(const QString& key, const PropertyTable& entries, bool whenMissing)
{
    const int i = FindFirst(entries, key, QString());
    return i ? IsYes(FirstListItem(entries[i].Value)) : whenMissing;
}

double GetNumberProp(const QString& key, const PropertyTable& entries, double whenMissing)
{
    const int i = FindFirst(entries, key, QString());
    return i ? conv::LeadingNumber(FirstListItem(entries[i].Value)) : whenMissing;
}

QString GetValue(const QString& key, const PropertyTable& entries, const QString& section)
{
    const int i = FindFirst(entries, key, section);
    return i ? entries[i].Value : QString();
}

QString GetValueByKey(const QString& key, const PropertyTable& entries) { return GetValue(key, entries, QString()); }

QString GetPropOptions(const QString& key, const PropertyTable& entries)
{
    return AfterFirstComma(GetValueByKey(key, entries));
}

namespace {
// The first entry matching key and section; when there is none, a new last entry with
// newKey (and the section when one is given).
PropertyItem& FindOrAppend(PropertyTable& entries, const QString& key, const QString& section, const QString& newKey)
{
    const int u = entries.UBound(); // a table never created raises
    if (const int i = FindFirst(entries, key, section))
        return entries[i];
    entries.GrowTo(u + 1);
    PropertyItem& e = entries[u + 1];
    if (!section.isEmpty())
        e.Section = section;
    e.Key = newKey;
    return e;
}

void Assign(PropertyTable& entries, QString& field, const QString& value)
{
    if (field == value)
        return;
    field = value;
    entries.MarkChanged();
}
} // namespace

void SetProp(const QString& key, const QString& value, PropertyTable& entries, const QString& section)
{
    PropertyItem& e = FindOrAppend(entries, key, section, key);
    const qsizetype p = e.Value.indexOf(u',');
    // The options after the current value stay; a comma in front has no current value.
    Assign(entries, e.Value, p >= 1 ? conv::Trim(value) + u',' + e.Value.mid(p + 1) : conv::Trim(value));
}

void SetValue(const QString& key, const QString& value, PropertyTable& entries, const QString& section)
{
    PropertyItem& e = FindOrAppend(entries, key, section, conv::Trim(key));
    Assign(entries, e.Value, conv::Trim(value));
    if (!section.isEmpty())
        Assign(entries, e.Section, section);
}

void SetValueAsGiven(const QString& key, const QString& value, PropertyTable& entries)
{
    PropertyItem& e = FindOrAppend(entries, key, QString(), key);
    Assign(entries, e.Value, value);
}

bool SetValueAndSave(const QString& key, const QString& value, PropertyTable& entries, const QString& path)
{
    SetValueAsGiven(key, value, entries);
    if (!SaveIniFile(entries, path))
        return false;
    entries.MarkSaved();
    return true;
}

void AppendEntry(const QString& section, const QString& key, const QString& value, PropertyTable& entries)
{
    int u = entries.UBound();
    if (!entries[u].Key.isEmpty()) {
        entries.GrowTo(u + 1);
        ++u;
    }
    entries[u] = PropertyItem{section, key, value};
    entries.MarkChanged();
}

void ClearEntry(const QString& key, PropertyTable& entries, const QString& section)
{
    const int u = entries.UBound();
    for (int i = 1; i <= u; ++i) {
        PropertyItem& e = entries[i];
        if (EntryMatches(e, key, section)) {
            Assign(entries, e.Key, QString());
            Assign(entries, e.Value, QString());
        }
    }
}

namespace {
const QString& Field(const PropertyItem& e, int field)
{
    switch (field) {
    case 1:
        return e.Section;
    case 3:
        return e.Value;
    default:
        return e.Key;
    }
}
} // namespace

void InsertSortedIndex(const PropertyTable& entries, int index, int field, int order, std::vector<int>& collection)
{
    if ((order == 1 || order == 2) && field >= 1 && field <= 3) {
        const QString& own = Field(entries[index], field);
        for (size_t pos = 0; pos < collection.size(); ++pos) {
            const int c = QString::compare(Field(entries[collection[pos]], field), own, Qt::CaseSensitive);
            if ((order == 1 && c > 0) || (order == 2 && c < 0)) {
                collection.insert(collection.begin() + static_cast<std::ptrdiff_t>(pos), index);
                return;
            }
        }
    }
    collection.push_back(index);
}

std::vector<int> SortEntries(const PropertyTable& entries, int field, int order)
{
    std::vector<int> collection;
    const int u = entries.UBound();
    for (int i = 1; i <= u; ++i)
        if (!entries[i].Key.isEmpty())
            InsertSortedIndex(entries, i, field, order, collection);
    return collection;
}

namespace {
// "dd/mm" read day first; std::nullopt when the text is no date key.
bool ReadDayMonth(const QString& piece, int* day, int* month)
{
    static const QRegularExpression re(QStringLiteral("^ *(\\d{1,2})/(\\d{1,2}) *$"));
    const auto m = re.match(piece);
    if (!m.hasMatch())
        return false;
    *day = m.captured(1).toInt();
    *month = m.captured(2).toInt();
    return *day >= 1 && *day <= 31 && *month >= 1 && *month <= 12;
}
} // namespace

QString FindDateEntry(const QDate& d, const PropertyTable& entries, QString& year)
{
    if (!d.isValid())
        return {};
    year = conv::Trim(year);
    if (!entries.IsCreated())
        return {};
    const int u = entries.UBound();
    for (int i = 1; i <= u; ++i) {
        const PropertyItem& e = entries[i];
        if (!e.Key.contains(u'-'))
            continue;
        const QStringList pieces = e.Key.split(u'-');
        int d1, m1, d2, m2;
        if (pieces.size() < 2 || !ReadDayMonth(pieces[0], &d1, &m1) || !ReadDayMonth(pieces[1], &d2, &m2))
            continue;
        if (!conv::IsNumeric(year))
            return {};
        const int y = static_cast<int>(conv::RoundHalfEven(conv::ToDouble(year)));
        const QDate from(y, m1, d1);
        QDate to(y, m2, d2);
        if (!from.isValid() || !to.isValid())
            return {}; // a range that cannot form a date in that year ends the look-up
        if (to < from)
            to = QDate(y + 1, m2, d2);
        if (!to.isValid())
            return {};
        if (d >= from && d <= to)
            return e.Value;
    }
    return {};
}

} // namespace mduLib
