#include "settings_store.h"

#include "conversions.h"
#include "file_helpers.h"
#include "text_file.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace mduLib {

void PropertyTable::Create(int ubound)
{
    if (ubound < 0)
        throw SubscriptError();
    if (ubound > kMaxUBound)
        throw conv::OverflowError();
    items_.assign(static_cast<size_t>(ubound) + 1, PropertyItem{});
    created_ = true;
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
    if (ubound + 1 > static_cast<int>(items_.size()))
        items_.resize(static_cast<size_t>(ubound) + 1);
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

bool LoadIniFile(const QString& path, PropertyTable& entries)
{
    if (!FileExists(path))
        return false;
    const auto lines = textfile::ReadLines(path);
    if (!lines)
        return false;
    int n = 0;
    try {
        for (const QString& line : *lines) {
            if (n == PropertyTable::kMaxUBound)
                return false; // the entries read so far stay
            ++n;
            if (!entries.IsCreated())
                entries.Create(n);
            else if (entries.UBound() < n)
                entries.GrowTo(n);
            PropertyItem& e = entries[n];
            const qsizetype eq = line.indexOf(u'=');
            if (eq < 0) {
                e.Key = line;
                e.Value.clear();
                continue;
            }
            QString key = line.left(eq);
            const qsizetype colon = key.indexOf(u':');
            if (colon >= 0) {
                e.Section = key.left(colon);
                key = key.mid(colon + 1);
            }
            e.Key = key;
            e.Value = line.mid(eq + 1);
        }
    } catch (const std::exception&) {
        return false;
    }
    return n > 0;
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
    if (entry.Section.isEmpty())
        out.append(lineText);
    else
        out.append(entry.Section + u':' + lineText);
}

bool SaveIniFile(const PropertyTable& entries, const QString& path)
{
    if (!entries.IsCreated() || path.isEmpty())
        return false;
    QStringList out;
    const int u = entries.UBound();
    out.reserve(u);
    for (int i = 1; i <= u; ++i) {
        const PropertyItem& e = entries[i];
        if (e.Key.isEmpty())
            continue;
        const QString value = e.Value.startsWith(u'^') ? e.Value.mid(1) : e.Value;
        WriteEntryLine(out, e, e.Key + u'=' + value);
    }
    return textfile::WriteLines(path, out);
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

QString GetValueByKey(const QString& key, const PropertyTable& entries)
{
    return GetValue(key, entries, QString());
}

QString GetPropOptions(const QString& key, const PropertyTable& entries)
{
    return AfterFirstComma(GetValueByKey(key, entries));
}

void SetProp(const QString& key, const QString& value, PropertyTable& entries, const QString& section)
{
    const int u = entries.UBound(); // a table never created raises
    if (const int i = FindFirst(entries, key, section)) {
        PropertyItem& e = entries[i];
        const qsizetype p = e.Value.indexOf(u',');
        if (p >= 1)
            e.Value = conv::Trim(value) + u',' + e.Value.mid(p + 1);
        else
            e.Value = conv::Trim(value);
        return;
    }
    entries.GrowTo(u + 1);
    PropertyItem& e = entries[u + 1];
    if (!section.isEmpty())
        e.Section = section;
    e.Key = key;
    e.Value = conv::Trim(value);
}

void SetValue(const QString& key, const QString& value, PropertyTable& entries, const QString& section)
{
    const int u = entries.UBound();
    if (const int i = FindFirst(entries, key, section)) {
        PropertyItem& e = entries[i];
        e.Value = conv::Trim(value);
        if (!section.isEmpty())
            e.Section = section;
        return;
    }
    entries.GrowTo(u + 1);
    PropertyItem& e = entries[u + 1];
    e.Key = conv::Trim(key);
    e.Value = conv::Trim(value);
    if (!section.isEmpty())
        e.Section = section;
}

bool SetValueAndSave(const QString& key, const QString& value, PropertyTable& entries, const QString& path)
{
    const int u = entries.UBound();
    if (const int i = FindFirst(entries, key, QString())) {
        entries[i].Value = value;
    } else {
        entries.GrowTo(u + 1);
        entries[u + 1].Key = key;
        entries[u + 1].Value = value;
    }
    return SaveIniFile(entries, path);
}

void AppendEntry(const QString& section, const QString& key, const QString& value, PropertyTable& entries)
{
    int u = entries.UBound();
    if (!entries[u].Key.isEmpty()) {
        entries.GrowTo(u + 1);
        ++u;
    }
    PropertyItem& e = entries[u];
    e.Section = section;
    e.Key = key;
    e.Value = value;
}

void ClearEntry(const QString& key, PropertyTable& entries, const QString& section)
{
    const int u = entries.UBound();
    for (int i = 1; i <= u; ++i) {
        PropertyItem& e = entries[i];
        if (EntryMatches(e, key, section)) {
            e.Key.clear();
            e.Value.clear();
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

void InsertSortedIndex(const PropertyTable& entries, int index, int field, int order,
                       std::vector<int>& collection)
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
