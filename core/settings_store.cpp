#include "settings_store.h"

#include "conversions.h"
#include "file_helpers.h"
#include "text_file.h"

#include "system/whole_file_write.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <tuple>

namespace mduLib {

void PropertyTable::Create(int ubound)
{
    if (ubound < 0)
        throw SubscriptError();
    if (ubound > kMaxUBound)
        throw conv::OverflowError();
    items_.assign(static_cast<size_t>(ubound) + 1, PropertyItem{});
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
    }
}

PropertyItem& PropertyTable::operator[](int i)
{
    if (!created_ || i < 0 || i >= static_cast<int>(items_.size()))
        throw SubscriptError();
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

bool LoadIniLines(const QStringList& lines, PropertyTable& entries)
{
    const bool changed = entries.Changed();
    struct KeepMark {
        PropertyTable& t;
        bool changed;
        ~KeepMark()
        {
            if (!changed)
                t.MarkSaved();
        }
    } keep{entries, changed};
    int n = 0;
    try {
        for (const QString& line : lines) {
            if (n == PropertyTable::kMaxUBound)
                return false; // the entries read so far stay
            ++n;
            if (!entries.IsCreated())
                entries.Create(n);
            else if (entries.UBound() < n)
                entries.GrowTo(n);
            PropertyItem& e = entries[n];
            EntryLine parsed = ParseEntryLine(line);
            if (parsed.hasSection)
                e.Section = std::move(parsed.section); // a line without one keeps the old one
            e.Key = std::move(parsed.key);
            e.Value = std::move(parsed.value);
        }
    } catch (const std::exception&) {
        return false;
    }
    return n > 0;
}

bool LoadIniFile(const QString& path, PropertyTable& entries)
{
    if (!FileExists(path))
        return false;
    textfile::Encoding encoding = textfile::Encoding::Cp1252;
    textfile::LineEnd lineEnd = textfile::LineEnd::CrLf;
    const auto lines = textfile::ReadLines(path, &encoding, &lineEnd);
    if (!lines)
        return false;
    const bool loaded = LoadIniLines(*lines, entries);
    if (entries.IsCreated()) {
        entries.SetFileEncoding(encoding);
        entries.SetFileLineEnd(lineEnd);
    }
    return loaded;
}

bool LoadIniFileForRewrite(const QString& path, PropertyTable& entries)
{
    if (LoadIniFile(path, entries))
        return true;
    const QFileInfo fi(path);
    return !fi.exists() || (fi.isFile() && fi.size() == 0);
}

void WriteEntryLine(QStringList& out, const PropertyItem& entry, const QString& lineText)
{
    if (!entry.Section.isEmpty())
        out.append(entry.Section + u':' + lineText);
    else if (entry.Key.contains(u':'))
        out.append(u':' + lineText);
    else
        out.append(lineText);
}

QStringList IniFileLines(const PropertyTable& entries)
{
    QStringList out;
    const int u = entries.UBound();
    out.reserve(u);
    for (int i = 1; i <= u; ++i) {
        const PropertyItem& e = entries[i];
        if (e.Key.isEmpty())
            continue;
        // The forced-value marker is not written; all of it, so that a value saved
        // again stays as it is.
        qsizetype start = 0;
        while (start < e.Value.size() && e.Value[start] == u'^')
            ++start;
        WriteEntryLine(out, e, e.Key + u'=' + e.Value.mid(start));
    }
    return out;
}

bool SaveIniFile(const PropertyTable& entries, const QString& path)
{
    if (!entries.IsCreated() || path.isEmpty())
        return false;
    return textfile::WriteLines(path, IniFileLines(entries), entries.FileEncoding(), entries.FileLineEnd());
}

namespace {
// The section and key as the store compares them.
QString EntryId(const PropertyItem& e)
{
    return conv::Trim(e.Section).toLower() + QChar(u'\x1f') + conv::Trim(e.Key).toLower();
}

// The index of the first entry of each section and key.
QHash<QString, int> FirstEntries(const std::vector<PropertyItem>& items)
{
    QHash<QString, int> first;
    first.reserve(static_cast<qsizetype>(items.size()));
    for (size_t i = 1; i < items.size(); ++i)
        if (!items[i].Key.isEmpty()) {
            const QString id = EntryId(items[i]);
            if (!first.contains(id))
                first.insert(id, static_cast<int>(i));
        }
    return first;
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
    const QHash<QString, int> before = FirstEntries(saved);
    const QHash<QString, int> after = FirstEntries(now);
    for (size_t i = 1; i < now.size(); ++i) {
        const PropertyItem& e = now[i];
        if (e.Key.isEmpty())
            continue;
        const QString id = EntryId(e);
        if (after.value(id) != static_cast<int>(i))
            continue; // only the first entry of a key counts, as the store reads it
        const auto was = before.constFind(id);
        if (was == before.cend() || !(saved[static_cast<size_t>(*was)] == e))
            changes.push_back({false, e});
    }
    for (size_t i = 1; i < saved.size(); ++i) {
        const PropertyItem& e = saved[i];
        if (e.Key.isEmpty())
            continue;
        const QString id = EntryId(e);
        if (before.value(id) == static_cast<int>(i) && !after.contains(id))
            changes.push_back({true, PropertyItem{e.Section, e.Key, QString()}});
    }
    return changes;
}

void ApplyChanges(const std::vector<EntryChange>& changes, PropertyTable& entries)
{
    if (changes.empty() || !entries.IsCreated())
        return;
    QHash<QString, int> first = FirstEntries(ItemsOf(entries));
    for (const EntryChange& c : changes) {
        const QString id = EntryId(c.entry);
        if (c.deleted) {
            if (!first.contains(id))
                continue;
            const int u = entries.UBound();
            for (int i = first.value(id); i <= u; ++i) {
                PropertyItem& e = entries[i];
                if (!e.Key.isEmpty() && EntryId(e) == id) {
                    e.Key.clear();
                    e.Value.clear();
                }
            }
            first.remove(id);
            entries.MarkChanged();
            continue;
        }
        if (const auto at = first.constFind(id); at != first.cend()) {
            PropertyItem& e = entries[*at];
            if (!(e == c.entry)) {
                e = c.entry;
                entries.MarkChanged();
            }
            continue;
        }
        // A spare last slot (an emptied entry) is used before the table grows.
        int u = entries.UBound();
        if (u == 0 || !entries[u].Key.isEmpty())
            entries.GrowTo(++u);
        entries[u] = c.entry;
        entries.MarkChanged();
        first.insert(id, u);
    }
}

bool SaveIniFileMerged(PropertyTable& entries, const QString& path)
{
    if (!entries.IsCreated() || path.isEmpty())
        return false;
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
    if (!LoadIniFileForRewrite(path, onDisk)) {
        platform::SetWriteFailure(path, QStringLiteral("the file could not be read whole"));
        return false;
    }
    ApplyChanges(changes, onDisk);
    if (!SaveIniFile(onDisk, path))
        return false;
    entries.MarkSaved();
    return true;
}

bool ReloadKeepingChanges(PropertyTable& entries, const QString& path)
{
    const std::vector<EntryChange> changes = ChangesSinceSaved(entries);
    PropertyTable fresh(1);
    if (!LoadIniFileForRewrite(path, fresh))
        return false;
    fresh.MarkSaved();
    ApplyChanges(changes, fresh);
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

bool SetValueAndSave(const QString& key, const QString& value, PropertyTable& entries, const QString& path)
{
    PropertyItem& e = FindOrAppend(entries, key, QString(), key);
    Assign(entries, e.Value, value);
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
