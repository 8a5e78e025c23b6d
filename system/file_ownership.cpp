#include "file_ownership.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

bool LinkStat(const QString& path, struct stat& st) { return ::lstat(QFile::encodeName(path).constData(), &st) == 0; }

bool InGroup(gid_t gid)
{
    if (gid == ::getegid())
        return true;
    const int n = ::getgroups(0, nullptr);
    if (n <= 0)
        return false;
    std::vector<gid_t> groups(static_cast<size_t>(n));
    const int got = ::getgroups(n, groups.data());
    for (int i = 0; i < got; ++i)
        if (groups[static_cast<size_t>(i)] == gid)
            return true;
    return false;
}

} // namespace

bool IsOwnedByAnotherAccount(const QString& path)
{
    struct stat st {};
    return LinkStat(path, st) && st.st_uid != ::geteuid();
}

QString OwnerDescription(const QString& path)
{
    struct stat st {};
    if (!LinkStat(path, st))
        return {};
    if (const passwd* pw = ::getpwuid(st.st_uid))
        return QStringLiteral("the account ") + QString::fromLocal8Bit(pw->pw_name);
    return QStringLiteral("the account number %1").arg(st.st_uid);
}

QString ForeignEntryIn(const QString& folder)
{
    const auto said = [](const QString& path) {
        struct stat st {};
        LinkStat(path, st);
        return path +
               (S_ISLNK(st.st_mode) ? QStringLiteral(" is a link that belongs to ") : QStringLiteral(" belongs to ")) +
               OwnerDescription(path);
    };
    if (IsOwnedByAnotherAccount(folder))
        return said(folder);
    // A folder that is the user's own link is taken for what it names.
    const QString real = QFileInfo(folder).isSymLink() ? QFileInfo(folder).canonicalFilePath() : folder;
    if (!real.isEmpty() && real != folder && IsOwnedByAnotherAccount(real))
        return said(real);
    QDirIterator it(real.isEmpty() ? folder : real,
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (IsOwnedByAnotherAccount(path))
            return said(path);
    }
    return {};
}

bool IsWritableFolder(const QString& folder)
{
    const QByteArray name = QFile::encodeName(folder);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    // A read-only mount, an access list, an ordinary account's permissions.
    if (::access(name.constData(), W_OK | X_OK) != 0)
        return false;
    const uid_t me = ::geteuid();
    if (me != 0)
        return true;
    if (st.st_uid == me)
        return (st.st_mode & S_IWUSR) != 0;
    if (InGroup(st.st_gid))
        return (st.st_mode & S_IWGRP) != 0;
    return (st.st_mode & S_IWOTH) != 0;
}

} // namespace platform
