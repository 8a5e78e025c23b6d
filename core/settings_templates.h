#pragma once
// Settings templates: naming settings files and merging a newer template into a user's file.
#include <QString>

namespace mduLib {

// name & ".ini", unless name already contains ".ini" in any case.
QString WithIniExtension(const QString& name);
// The program folder's default settings file named after the executable.
QString DefaultIniPath();

// Rewrites outFile as the template's lines carrying the user's values.
bool MergeIniFile(const QString& userFile, const QString& templateFile, const QString& outFile);

} // namespace mduLib
