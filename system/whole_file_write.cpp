#include "whole_file_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// A temporary is ".<name>.almanorvique-save-XXXXXX": hidden, so no folder listing or
// menu ever offers one, and marked, so that no file of the user's looks like one.
constexpr char kMarker[] = ".almanorvique-save-";
constexpr int kRandomLength = 6;

thread_local QString lastFailure;

bool Fail(const QString& path, int error)
{
    lastFailure = path + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
    return false;
}

bool Refuse(const QString& path, const QString& reason)
{
    lastFailure = path + QStringLiteral(": ") + reason;
    return false;
}

QString TemporaryName(const QString& fileName)
{
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString name = u'.' + fileName + QLatin1String(kMarker);
    for (int i = 0; i < kRandomLength; ++i)
        name += QLatin1Char(kChars[QRandomGenerator::global()->bounded(int(sizeof kChars) - 1)]);
    return name;
}

// The file a write of path replaces. A link is written through to the file it names, so
// that the user's own links stay links; a link another account owns is never followed
// (it could lead to any file of the user's), a file another account owns is not replaced,
// and neither is a file its owner made read-only (a rename would replace it all the same).
bool WriteTarget(const QString& path, QString& finalPath)
{
    QString p = QFileInfo(path).absoluteFilePath();
    for (int level = 0; level < 40; ++level) {
        const QByteArray name = QFile::encodeName(p);
        struct stat st {};
        if (::lstat(name.constData(), &st) != 0) {
            if (errno != ENOENT)
                return Fail(path, errno);
            finalPath = p; // a new file (the folder must be there)
            return true;
        }
        if (st.st_uid != ::geteuid())
            return Refuse(path, !S_ISLNK(st.st_mode) ? QStringLiteral("the file belongs to another account")
                                : level == 0
                                    ? QStringLiteral("the link belongs to another account")
                                    : QStringLiteral("the link ") + p + QStringLiteral(" belongs to another account"));
        if (!S_ISLNK(st.st_mode)) {
            if (S_ISREG(st.st_mode) && (st.st_mode & S_IWUSR) == 0)
                return Refuse(path, QStringLiteral("the file is read-only"));
            finalPath = p;
            return true;
        }
        QByteArray link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(name.constData(), link.data(), static_cast<size_t>(link.size()));
        if (n < 0 || n >= link.size())
            return Fail(path, n < 0 ? errno : ENAMETOOLONG);
        link.truncate(n);
        const QString to = QFile::decodeName(link);
        p = QDir::cleanPath(QDir::isAbsolutePath(to) ? to : QFileInfo(p).absolutePath() + u'/' + to);
    }
    return Fail(path, ELOOP);
}

bool WriteAll(int fd, QByteArrayView bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        done += n;
    }
    return true;
}

} // namespace

QString LastWriteFailure() { return lastFailure; }

void SetWriteFailure(const QString& path, const QString& reason) { lastFailure = path + QStringLiteral(": ") + reason; }

bool IsTemporaryName(const QString& fileName)
{
    if (!fileName.startsWith(u'.'))
        return false;
    const qsizetype at = fileName.lastIndexOf(QLatin1String(kMarker));
    return at > 1 && fileName.size() == at + qsizetype(sizeof kMarker - 1) + kRandomLength;
}

bool WriteFileWhole(const QString& path, const QByteArray& bytes)
{
    return WriteFileWhole(path, [&](const ByteSink& sink) { return sink(bytes); });
}

bool WriteFileWhole(const QString& path, const std::function<bool(const ByteSink&)>& produce)
{
    lastFailure.clear();
    if (path.isEmpty())
        return Fail(path, ENOENT);
    QString finalPath;
    if (!WriteTarget(path, finalPath))
        return false;
    const QFileInfo target(finalPath);
    const QString dir = target.absolutePath();
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 20 && fd < 0; ++attempt) {
        temp = QFile::encodeName(dir + u'/' + TemporaryName(target.fileName()));
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return Fail(path, errno);
    }
    if (fd < 0)
        return Fail(path, EEXIST);
    const QByteArray finalName = QFile::encodeName(finalPath);
    struct stat old {};
    if (::stat(finalName.constData(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777); // the new file keeps the old one's permissions
    int writeError = 0;
    const bool written = produce([&](QByteArrayView piece) {
        if (WriteAll(fd, piece))
            return true;
        writeError = errno;
        return false;
    });
    if (!written && writeError == 0)
        writeError = EIO; // the producer gave up
    if (!written || ::fsync(fd) != 0) {
        const int error = written ? errno : writeError;
        ::close(fd);
        ::unlink(temp.constData());
        return Fail(path, error);
    }
    if (::close(fd) != 0 || ::rename(temp.constData(), finalName.constData()) != 0) {
        const int error = errno;
        ::unlink(temp.constData());
        return Fail(path, error);
    }
    return true;
}

void RemoveLeftoverTemporaries(const QString& path)
{
    if (path.isEmpty())
        return;
    const QFileInfo target(path);
    const QString prefix = u'.' + target.fileName() + QLatin1String(kMarker);
    const QDir dir = target.dir();
    for (const QString& name : dir.entryList({prefix + u'*'}, QDir::Files | QDir::Hidden | QDir::System))
        if (IsTemporaryName(name) && name.size() == prefix.size() + kRandomLength)
            QFile::remove(dir.filePath(name));
}

void RemoveLeftoverTemporariesIn(const QString& folder)
{
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (IsTemporaryName(name))
            QFile::remove(dir.filePath(name));
}

FolderWriteLock::FolderWriteLock(const QString& filePath)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(filePath).absolutePath());
    fd_ = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0)
        return; // no folder: the write fails and says so
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {}
}

FolderWriteLock::~FolderWriteLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace platform
