#include "file_helpers.h"

#include "app_identity.h"
#include "conversions.h"
#include "system/whole_file_write.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace mduLib {
namespace {
QString WithoutTrailingSlash(QString p)
{
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    return p;
}

bool HasWildcards(const QString& p) { return p.contains(u'*') || p.contains(u'?'); }
} // namespace

void MakeFolderIfMissing(const QString& path)
{
    const QString p = WithoutTrailingSlash(path);
    if (p.isEmpty())
        throw FileError(QStringLiteral("Path not found"));
    if (QFileInfo::exists(p))
        return;
    if (!QDir().mkdir(p))
        throw FileError(QStringLiteral("Path not found: ") + p);
}

bool FileExists(const QString& path)
{
    if (path.isEmpty())
        return false;
    if (HasWildcards(path)) {
        const QFileInfo fi(path);
        const QDir dir = fi.dir();
        return !dir.entryList({fi.fileName()}, QDir::Files | QDir::NoDotAndDotDot).isEmpty();
    }
    const QFileInfo fi(path);
    return fi.isFile() && !fi.isHidden();
}

bool IsMissingOrEmpty(const QString& path) { return !FileExists(path) || QFileInfo(path).size() == 0; }

bool IsPathPresent(QString& path)
{
    path = conv::Trim(path);
    return FileExists(path);
}

bool CopyFileFso(const QString& source, const QString& target, bool overwrite)
{
    if (FileExists(target) && !overwrite)
        return false;
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("File not found: ") + source);
    const QByteArray bytes = in.readAll();
    const QDateTime modified = QFileInfo(source).lastModified();
    in.close();
    if (!platform::WriteFileWhole(target, bytes))
        throw FileError(QStringLiteral("Cannot write ") +
                        (platform::LastWriteFailure().isEmpty() ? target : platform::LastWriteFailure()));
    QFile done(target);
    if (done.open(QIODevice::ReadWrite))
        done.setFileTime(modified, QFileDevice::FileModificationTime);
    return true;
}

bool DeleteFileFso(const QString& path)
{
    if (path.isEmpty())
        return false;
    return QFile::remove(path);
}

QString GetFileDate(const QString& path, int kind)
{
    if (!FileExists(path) || kind != 4)
        return {};
    return QLocale().toString(QFileInfo(path).lastModified(), QLocale::ShortFormat);
}

std::optional<qint64> FileTimeSeconds(const QString& path)
{
    const QFileInfo fi(path);
    if (!fi.isFile())
        return std::nullopt;
    return fi.lastModified().toSecsSinceEpoch();
}

bool IsFileNewer(const QString& candidate, const QString& reference)
{
    const auto a = FileTimeSeconds(candidate);
    const auto b = FileTimeSeconds(reference);
    return a && b && *a > *b;
}

bool IsScreenSaverRun() { return appinfo::CommandLine() == QLatin1String("/s"); }

} // namespace mduLib
