#pragma once
// Whole-file writes that never leave a cut or empty file behind: the bytes go to a
// temporary file next to the target, which replaces the target only when every byte was
// written and flushed. A full disk (or any other write error) is reported by the result
// and leaves the old file as it was.
#include <QByteArray>
#include <QString>

namespace platform {

// False on any failure; the old file (if any) is then untouched.
bool WriteFileWhole(const QString& path, const QByteArray& bytes);

// Removes what an interrupted whole-file write of path left next to it ("<name>.Xxxxxx",
// six random letters); the file itself is not touched.
void RemoveLeftoverTemporaries(const QString& path);

} // namespace platform
