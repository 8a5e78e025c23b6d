#pragma once
// The settings store: tables of (section, key, value) entries loaded from and written
// back to plain-text settings files. Every settings file, style file and date file of the
// system goes through here.
#include "text_file.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace mduLib {

struct PropertyItem {
    QString Section;
    QString Key;
    QString Value;
    bool operator==(const PropertyItem&) const = default;
};

// One line of a settings file as the store reads it. The key part is the text before the
// first "=" (the whole line when it has none); the value is everything after that "=".
// In a line with "=", a ":" in the key part ends the section; a line without "=" is all
// key, its ":" kept.
struct EntryLine {
    bool hasEquals = false;
    bool hasSection = false; // the key part holds a ":"
    QString keyPart;
    QString section;
    QString key;
    QString value;
};
EntryLine ParseEntryLine(const QString& line);
// A key part split at its first ":" into section and key; std::nullopt without a ":".
std::optional<std::pair<QString, QString>> SplitSection(const QString& keyPart);

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

    // Code that writes an entry through here marks the table changed itself.
    PropertyItem& operator[](int i);
    const PropertyItem& operator[](int i) const;

    // Whether a writer changed the table since it was created, loaded into or saved: only
    // then does it differ from its file, and only then may writing it back replace what
    // another program added to the file meanwhile.
    bool Changed() const { return changed_; }
    void MarkChanged()
    {
        changed_ = true;
        Touch();
    }
    // The table now equals its file: what it holds becomes the base its later changes are
    // measured against.
    void MarkSaved();
    // The entries as they were when the table last equalled its file.
    const std::vector<PropertyItem>& Saved() const { return saved_; }

    // A number no other state of any table had: it changes with each write access to the
    // entries (a write through a reference counts from when the reference was taken), and
    // a copy carries it with the entries it copied. Equal numbers mean equal entries, so
    // what was read from a table stays good while its number does.
    quint64 Revision() const { return revision_.value; }

    // The encoding of the file it was last loaded from; a new table's file is Windows-1252.
    textfile::Encoding FileEncoding() const { return encoding_; }
    void SetFileEncoding(textfile::Encoding e) { encoding_ = e; }
    // Likewise its line ends; a new table's file has CR LF.
    textfile::LineEnd FileLineEnd() const { return lineEnd_; }
    void SetFileLineEnd(textfile::LineEnd e) { lineEnd_ = e; }

private:
    // A moved-from table holds other entries than before: it takes a new number.
    struct RevisionNumber {
        static quint64 Next();
        quint64 value = Next();
        RevisionNumber() = default;
        RevisionNumber(const RevisionNumber&) = default;
        RevisionNumber& operator=(const RevisionNumber&) = default;
        RevisionNumber(RevisionNumber&& other) noexcept : value(std::exchange(other.value, Next())) {}
        RevisionNumber& operator=(RevisionNumber&& other) noexcept
        {
            value = std::exchange(other.value, Next());
            return *this;
        }
    };
    void Touch() { revision_.value = RevisionNumber::Next(); }

    RevisionNumber revision_;
    bool created_ = false;
    bool changed_ = false;
    textfile::Encoding encoding_ = textfile::Encoding::Cp1252;
    textfile::LineEnd lineEnd_ = textfile::LineEnd::CrLf;
    std::vector<PropertyItem> items_;
    std::vector<PropertyItem> saved_; // shares its texts with items_ until they change
};

// One entry this run set or deleted since the table last equalled its file, named by its
// section and key as the store compares them (trimmed, any case) and by its place among
// the entries of that section and key (0 for the first).
struct EntryChange {
    bool deleted = false;
    PropertyItem entry;
    QString place; // empty: the first entry of the section and key
    int order = 0; // the entry's index in the table it came from
};
// What the table's writers changed since it last equalled its file: each entry added or
// changed, in table order, then each entry deleted.
std::vector<EntryChange> ChangesSinceSaved(const PropertyTable& entries);
// Applies changes to a table (a change of an entry the table lacks appends it; a deletion
// clears the entry at that place). Marks the table changed when anything differs.
void ApplyChanges(const std::vector<EntryChange>& changes, PropertyTable& entries);

// Does the entry match key (trimmed, any case) and section (empty matches any)?
bool EntryMatches(const PropertyItem& e, const QString& key, const QString& section);

bool LoadIniFile(const QString& path, PropertyTable& entries);
// The same for lines already read; the table's changed mark stays as it was.
bool LoadIniLines(const QStringList& lines, PropertyTable& entries);
// Loads as LoadIniFile and answers whether writing the table back later loses nothing of
// the file: it was missing or held no lines, or it was read whole (not cut at the line
// limit, not unreadable, not text in an encoding other than its mark names). problem, when
// given, receives why not, as a sentence for the user ("" when it was).
bool LoadIniFileForRewrite(const QString& path, PropertyTable& entries, QString* problem = nullptr);
// Rewrites path with the table, in its file's encoding and line ends; a value's leading "^" (the forced
// marker) is not written. False (the old file kept as it was) when the table was never
// created or the file could not be written.
bool SaveIniFile(const PropertyTable& entries, const QString& path);
// Writes into the file, as it is on disk now, only what this run changed in the table
// since it last equalled the file, key by key: what another program (or another copy of
// this one) wrote to other keys meanwhile stays. A missing file gets the whole table; a
// file that cannot be read whole is left alone (false, why said through LastWriteFailure).
// Nothing is written when nothing changed. The folder is locked meanwhile. On success the table's changes count as
// saved; its entries stay as they are.
bool SaveIniFileMerged(PropertyTable& entries, const QString& path);
// Rewrites path with the whole table (SaveIniFile), under the folder's lock, unless the
// file there cannot be read whole: that one is left alone (false, said through
// LastWriteFailure). For a file the table did not come from, such as a style.
bool SaveIniFileReplacing(const PropertyTable& entries, const QString& path);
// Makes the table what its file holds now, with this run's unsaved changes on top (they
// stay unsaved). False, with the table left as it was, when the file cannot be read whole.
bool ReloadKeepingChanges(PropertyTable& entries, const QString& path);
// The lines SaveIniFile writes. Loading them gives the same entries (spare slots aside),
// but for a key holding ":" without a section; saving those again gives the same lines.
QStringList IniFileLines(const PropertyTable& entries);
// Adds the entry's line (with its section prefix when it has one) to the output. A key
// with ":" and no section (a line without "=") goes as it stands and so reads back as a
// section and a key; only a key whose first ":" starts or ends it gets a leading ":",
// which keeps it.
void WriteEntryLine(QStringList& out, const PropertyItem& entry, const QString& lineText);

QString GetProp(const QString& key, const PropertyTable& entries, const QString& section = QString());
QString GetValue(const QString& key, const PropertyTable& entries, const QString& section = QString());
QString GetValueByKey(const QString& key, const PropertyTable& entries);
QString GetPropOptions(const QString& key, const PropertyTable& entries);
QString FirstListItem(const QString& value);
// Reads of a setting whose entry may be missing (a file of an older version, one read
// only in part, a row deleted in the property editor): whenMissing is what the setting
// reads as without its entry. GetProp answers "0" for a missing key and IsYes reads that
// as Yes, so a setting that is off by default is read here, never as IsYes(GetProp(...)).
// IsYes of the first list item (anything but "no" is Yes), or whenMissing.
bool GetYesNoProp(const QString& key, const PropertyTable& entries, bool whenMissing);
// The leading number of the first list item (0 when it starts with none), or whenMissing.
double GetNumberProp(const QString& key, const PropertyTable& entries, double whenMissing);

void SetProp(const QString& key, const QString& value, PropertyTable& entries, const QString& section = QString());
void SetValue(const QString& key, const QString& value, PropertyTable& entries, const QString& section = QString());
// The value as it is (nothing trimmed) for the first entry of key, or a new last entry.
void SetValueAsGiven(const QString& key, const QString& value, PropertyTable& entries);
bool SetValueAndSave(const QString& key, const QString& value, PropertyTable& entries, const QString& path);
void AppendEntry(const QString& section, const QString& key, const QString& value, PropertyTable& entries);
void ClearEntry(const QString& key, PropertyTable& entries, const QString& section = QString());

// Indices of the non-empty-key entries ordered by field (1 section, 2 key, 3 value) and
// order (1 ascending, 2 descending, anything else table order); stable.
std::vector<int> SortEntries(const PropertyTable& entries, int field, int order);
void InsertSortedIndex(const PropertyTable& entries, int index, int field, int order, std::vector<int>& collection);

// The value of the first range entry ("dd/mm-dd/mm") containing d, the range read in year
// (which is trimmed in place); "" when none.
QString FindDateEntry(const QDate& d, const PropertyTable& entries, QString& year);

} // namespace mduLib
