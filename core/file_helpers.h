#pragma once
// Small file helpers: folders, existence, copy, delete and file dates.
#include "text_utilities.h"

#include <QString>
#include <optional>
#include <stdexcept>

namespace mduLib {

struct FileError : std::runtime_error {
    explicit FileError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

// Creates the last level of path when nothing of that name exists; throws FileError when
// it cannot.
void MakeFolderIfMissing(const QString& path);
// An ordinary (not hidden) file, or any match of a wildcard pattern.
bool FileExists(const QString& path);
// Not an ordinary file, or one without a byte: what a first start on a full disk left
// where a file is made from a template.
bool IsMissingOrEmpty(const QString& path);
// Trims path in place, then FileExists.
bool IsPathPresent(QString& path);
// False without copying when target exists and overwrite is not set; otherwise copies
// (the copy keeps the source's modification time) and answers True; throws FileError
// when the copy fails, leaving an existing target as it was.
bool CopyFileFso(const QString& source, const QString& target, bool overwrite);
bool DeleteFileFso(const QString& path);
// Kind 4: the last-modified date and time in the user's locale; "" otherwise.
QString GetFileDate(const QString& path, int kind);
// Last-modified time in whole seconds since the epoch; std::nullopt for a missing file.
std::optional<qint64> FileTimeSeconds(const QString& path);
// Both files exist and candidate was modified later than reference (whole seconds).
bool IsFileNewer(const QString& candidate, const QString& reference);

// "Yes" or "No": the text utilities' YesNoText under the name these helpers' callers use.
inline constexpr auto& YesNo = YesNoText;
// The whole command line is exactly "/s".
bool IsScreenSaverRun();

} // namespace mduLib
