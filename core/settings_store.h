#pragma once
// The settings store: tables of (section, key, value) entries loaded from and written
// back to plain-text settings files. Every settings file, style file and date file of the
// system goes through here.
#include <QDate>
#include <QString>
#include <QStringList>
#include <stdexcept>
#include <vector>

namespace mduLib {

struct PropertyItem {
    QString Section;
    QString Key;
    QString Value;
};

// Raised when an index lies outside a table or the table was never created.
struct SubscriptError : std::runtime_error {
    SubscriptError() : std::runtime_error("Subscript out of range") {}
};

// A growable array of entries with lower bound 0; entries are used from index 1 and
// index 0 stays empty. It only grows; at most 32,767 entries.
class PropertyTable {
public:
    static constexpr int kMaxUBound = 32767;

    PropertyTable() = default; // not created yet
    explicit PropertyTable(int ubound) { Create(ubound); }

    // A fresh, empty table with the given upper bound.
    void Create(int ubound);
    bool IsCreated() const { return created_; }
    // Throws SubscriptError when the table was never created.
    int UBound() const;
    // Keeps the entries; only grows. Past 32,767 throws conv::OverflowError.
    void GrowTo(int ubound);

    PropertyItem& operator[](int i);
    const PropertyItem& operator[](int i) const;

private:
    bool created_ = false;
    std::vector<PropertyItem> items_;
};

// Does the entry match key (trimmed, any case) and section (empty matches any)?
bool EntryMatches(const PropertyItem& e, const QString& key, const QString& section);

bool LoadIniFile(const QString& path, PropertyTable& entries);
// Loads as LoadIniFile and answers whether writing the table back later loses nothing of
// the file: it was missing or empty, or it was read whole (not cut at the line limit, not
// unreadable).
bool LoadIniFileForRewrite(const QString& path, PropertyTable& entries);
// Rewrites path with the table. False (the old file kept as it was) when the table was
// never created or the file could not be written.
bool SaveIniFile(const PropertyTable& entries, const QString& path);
// Adds the entry's line (with its section prefix when it has one) to the output.
void WriteEntryLine(QStringList& out, const PropertyItem& entry, const QString& lineText);

QString GetProp(const QString& key, const PropertyTable& entries, const QString& section = QString());
QString GetValue(const QString& key, const PropertyTable& entries, const QString& section = QString());
QString GetValueByKey(const QString& key, const PropertyTable& entries);
QString GetPropOptions(const QString& key, const PropertyTable& entries);
QString FirstListItem(const QString& value);

void SetProp(const QString& key, const QString& value, PropertyTable& entries,
             const QString& section = QString());
void SetValue(const QString& key, const QString& value, PropertyTable& entries,
              const QString& section = QString());
bool SetValueAndSave(const QString& key, const QString& value, PropertyTable& entries, const QString& path);
void AppendEntry(const QString& section, const QString& key, const QString& value, PropertyTable& entries);
void ClearEntry(const QString& key, PropertyTable& entries, const QString& section = QString());

// Indices of the non-empty-key entries ordered by field (1 section, 2 key, 3 value) and
// order (1 ascending, 2 descending, anything else table order); stable.
std::vector<int> SortEntries(const PropertyTable& entries, int field, int order);
void InsertSortedIndex(const PropertyTable& entries, int index, int field, int order,
                       std::vector<int>& collection);

// The value of the first range entry ("dd/mm-dd/mm") containing d, the range read in year
// (which is trimmed in place); "" when none.
QString FindDateEntry(const QDate& d, const PropertyTable& entries, QString& year);

} // namespace mduLib
