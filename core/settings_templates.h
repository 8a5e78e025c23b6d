#pragma once
// Settings templates: naming settings files and merging a newer template into a user's file.
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

private:
    std::map<QString, QString> items_; // case-folded key -> line
};

// A line holding both "[" and "]" anywhere starts a section.
bool IsSectionLine(const QString& line);

// Adds every non-empty line of the file. A key seen before keeps its first line.
// False when the file cannot be read.
bool LoadKeyCollection(const QString& path, KeyCollection& collection);
bool CollectionHasKey(const KeyCollection& collection, const QString& key);

// The template's lines carrying the user's values; std::nullopt when the template cannot
// be read.
std::optional<QStringList> MergedIniLines(const QString& userFile, const QString& templateFile);
// Writes the merge to outFile (which may be userFile). outFile is replaced only when the
// whole merge succeeded; False leaves it as it was.
bool MergeIniFile(const QString& userFile, const QString& templateFile, const QString& outFile);

} // namespace mduLib
