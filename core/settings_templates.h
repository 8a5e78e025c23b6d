#pragma once
// Settings templates: naming settings files and merging a newer template into a user's file.
#include "text_file.h"

#include <QString>
#include <QStringList>
#include <map>
#include <optional>

namespace mduLib {

// name & ".ini", unless name already contains ".ini" in any case.
QString WithIniExtension(const QString& name);
// The program folder's default settings file named after the executable.
QString DefaultIniPath();

// Whole lines of a settings file by key (section line text & key part), keys compared
// without regard to case.
class KeyCollection {
public:
    // False (and nothing changed) when the key is there already.
    bool Add(const QString& key, const QString& line);
    // The line under the key; nullptr when there is none.
    const QString* Find(const QString& key) const;
    int Count() const { return static_cast<int>(items_.size()); }

    // The same lines found as the store reads them: the section line, and the key part's
    // section and key, each trimmed and in any case. The first line of a key wins.
    void AddEntry(const QString& sectionLine, const QString& line);
    const QString* FindEntry(const QString& sectionLine, const QString& keyPart) const;

private:
    std::map<QString, QString> items_;   // case-folded key -> line
    std::map<QString, QString> entries_; // MergeKey -> line
};

// A trimmed line of the form "[...]" without "=" starts a section.
bool IsSectionLine(const QString& line);
// The key the merge compares a line's key part under (within sectionLine's section):
// section and key trimmed and case-folded, so that blanks and case do not hide an entry.
QString MergeKey(const QString& sectionLine, const QString& keyPart);

// Adds every non-empty line of the file. A key seen before keeps its first line.
// False when the file cannot be read.
bool LoadKeyCollection(const QString& path, KeyCollection& collection);
bool CollectionHasKey(const KeyCollection& collection, const QString& key);

// Settings files have "[...]" section lines and option lists; date files have neither:
// there a "[...]" line is an entry like any other and a comma list is plain text.
enum class MergeStyle { Settings, Dates };
// The template's lines carrying the user's values. Merging the result again gives the
// same lines.
QStringList MergeLines(const QStringList& user, const QStringList& templ, MergeStyle style = MergeStyle::Settings);
// MergeLines of the two files; std::nullopt when the template cannot be read, or the user
// file exists but cannot be. encoding, when given, receives the encoding to write the
// result in: the user file's, else the template's; lineEnd likewise the user file's line
// ends, else CR LF.
std::optional<QStringList> MergedIniLines(const QString& userFile, const QString& templateFile,
                                          textfile::Encoding* encoding = nullptr, textfile::LineEnd* lineEnd = nullptr);
// Writes the merge to outFile (which may be userFile). outFile is replaced only when the
// whole merge succeeded; False leaves it as it was.
bool MergeIniFile(const QString& userFile, const QString& templateFile, const QString& outFile);

} // namespace mduLib
