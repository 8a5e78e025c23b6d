#include "whole_file_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace platform {

bool WriteFileWhole(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = f.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            f.cancelWriting();
            return false;
        }
        done += n;
    }
    // commit() flushes Qt's buffer itself but does not report a failing flush, so a full
    // disk would replace the file with a cut or empty one: flush and check first.
    if (!f.flush() || f.error() != QFileDevice::NoError) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

namespace {
// Six letters or digits with both cases among them, as the temporary names are made;
// a suffix such as ".backup" of the user's own is no leftover.
bool IsTemporarySuffix(QStringView s)
{
    if (s.size() != 6)
        return false;
    bool upper = false, lower = false;
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        if (u >= 'A' && u <= 'Z')
            upper = true;
        else if (u >= 'a' && u <= 'z')
            lower = true;
        else if (u < '0' || u > '9')
            return false;
    }
    return upper && lower;
}
} // namespace

void RemoveLeftoverTemporaries(const QString& path)
{
    if (path.isEmpty())
        return;
    const QFileInfo target(path);
    const QString prefix = target.fileName() + u'.';
    if (prefix.size() < 2)
        return;
    const QDir dir = target.dir();
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.size() == prefix.size() + 6 && name.startsWith(prefix) &&
            IsTemporarySuffix(QStringView(name).mid(prefix.size())))
            QFile::remove(dir.filePath(name));
    }
}

} // namespace platform
