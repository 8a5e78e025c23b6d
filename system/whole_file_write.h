#pragma once
// Whole-file writes that never leave a cut or empty file behind: the bytes go to a
// temporary file next to the target, which replaces the target only when every byte was
// written and flushed. A full disk (or any other write error) is reported by the result
// and leaves the old file as it was.
#include <QByteArray>
#include <QString>
#include <functional>

namespace platform {

// False on any failure; the old file (if any) is then untouched. A link is written
// through when this account owns it; a link or a file another account owns, and a file
// made read-only, are never written (the failure says why).
bool WriteFileWhole(const QString& path, const QByteArray& bytes);
// Takes each piece of the file's bytes, in order; false when it could not be written.
using ByteSink = std::function<bool(QByteArrayView)>;
// The same for bytes made piece by piece: produce hands them to the sink and answers false
// when the sink did (or when it has to give up itself); the whole file is never held.
bool WriteFileWhole(const QString& path, const std::function<bool(const ByteSink&)>& produce);

// Why the last whole-file write of this thread failed ("" after a success), for the
// user: the file's path and the system's reason.
QString LastWriteFailure();
// Records why a write of path was not done, for LastWriteFailure.
void SetWriteFailure(const QString& path, const QString& reason);

// The name of the temporary file a write of path uses (hidden, marked as ours, with six
// random characters), so that nothing but our own leftovers is ever taken for one.
bool IsTemporaryName(const QString& fileName);

// Removes what an interrupted whole-file write of path left next to it; the file itself
// and the user's own files are not touched.
void RemoveLeftoverTemporaries(const QString& path);
// The same for every file of the folder.
void RemoveLeftoverTemporariesIn(const QString& folder);

// Held while a file is read, changed and written back, so that another copy of the
// program doing the same to a file of that folder waits instead of writing between our
// read and our write. Locks the folder, not the file, which the write replaces.
class FolderWriteLock {
public:
    explicit FolderWriteLock(const QString& filePath);
    ~FolderWriteLock();
    FolderWriteLock(const FolderWriteLock&) = delete;
    FolderWriteLock& operator=(const FolderWriteLock&) = delete;

private:
    int fd_ = -1;
};

} // namespace platform
