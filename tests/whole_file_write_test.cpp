// Whole-file writes: what a write leaves beside its file when it is cut short, what the
// new file keeps of the old one, and where a write through a link goes, or must not go.
#include "support/test_folders.h"
#include "system/whole_file_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {
QStringList Entries(const QString& folder, QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System)
{
    return QDir(folder).entryList(filters, QDir::Name);
}

// A write killed half-way: the child starts writing path and ends before it is done.
void KilledWrite(const QString& path)
{
    const pid_t pid = fork();
    if (pid == 0) {
        platform::WriteFileWhole(path, [](const platform::ByteSink& sink) {
            sink("half of the new file");
            _exit(0);
            return true;
        });
        _exit(1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
}

mode_t ModeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

// Gives path (a link itself, not what it names) to the account nobody; false where this
// account may not give files away (not root).
bool GiveAway(const QString& path)
{
    const passwd* pw = getpwnam("nobody");
    return pw && lchown(QFile::encodeName(path).constData(), pw->pw_uid, static_cast<gid_t>(-1)) == 0;
}
} // namespace

class WholeFileWrite : public ::testing::Test {
protected:
    QString Path(const QString& f) const { return dir_.filePath(f); }
    QTemporaryDir dir_;
};

TEST_F(WholeFileWrite, WhatAKilledWriteLeavesIsHiddenAndCleanedAway)
{
    const QString path = Path("2026");
    WriteBytes(path, "old\r\n");
    WriteBytes(Path("2026.backup"), "the user's own\r\n");
    KilledWrite(path);
    QStringList left = Entries(dir_.path());
    left.removeAll("2026");
    left.removeAll("2026.backup");
    ASSERT_EQ(left.size(), 1) << left.join(' ').toStdString();
    // Hidden, so that no menu or listing offers it, and ours, so that it is cleaned.
    EXPECT_TRUE(left[0].startsWith(".2026.")) << left[0].toStdString();
    EXPECT_TRUE(platform::IsTemporaryName(left[0])) << left[0].toStdString();
    EXPECT_EQ(Entries(dir_.path(), QDir::Files), QStringList({"2026", "2026.backup"}));
    EXPECT_EQ(ReadBytes(path), QByteArray("old\r\n"));
    platform::RemoveLeftoverTemporaries(path);
    EXPECT_EQ(Entries(dir_.path()), QStringList({"2026", "2026.backup"}));

    // The same for a folder's clean-up at start.
    KilledWrite(path);
    KilledWrite(Path("PersonalDates"));
    EXPECT_EQ(Entries(dir_.path()).size(), 4);
    platform::RemoveLeftoverTemporariesIn(dir_.path());
    EXPECT_EQ(Entries(dir_.path()), QStringList({"2026", "2026.backup"}));
}

TEST_F(WholeFileWrite, TheNewFileKeepsTheOldFilesPermissions)
{
    const mode_t modes[] = {0600, 0640, 0644, 0660, 0604, 0700, 0755};
    for (const mode_t mode : modes) {
        const QString path = Path(QString::number(mode, 8));
        WriteBytes(path, "old\r\n");
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
        ASSERT_TRUE(platform::WriteFileWhole(path, "new\r\n")) << platform::LastWriteFailure().toStdString();
        EXPECT_EQ(ReadBytes(path), QByteArray("new\r\n"));
        EXPECT_EQ(ModeOf(path), mode) << std::oct << mode;
    }
    // A new file gets what the user's file-creation mask leaves.
    const mode_t mask = ::umask(022);
    ::umask(mask);
    ASSERT_TRUE(platform::WriteFileWhole(Path("new"), "x"));
    EXPECT_EQ(ModeOf(Path("new")), 0666 & ~mask);
}

TEST_F(WholeFileWrite, AWriteThroughALinkReplacesTheFileItNamesAndKeepsTheLink)
{
    QDir().mkpath(Path("elsewhere"));
    QDir().mkpath(Path("data"));
    const struct {
        const char* what;
        const char* link;   // in data/
        const char* target; // what the link says
        const char* file;   // the file that gets the bytes
        const char* second; // a link the first one names, or nullptr
    } cases[] = {
        {"an absolute link", "abs", nullptr, "elsewhere/abs", nullptr},
        {"a relative link", "rel", "../elsewhere/rel", "elsewhere/rel", nullptr},
        {"a link in the same folder", "same", "same.real", "data/same.real", nullptr},
        {"a link to a link", "chain", "chain.next", "elsewhere/chain", "chain.next"},
        {"a link to a file not made yet", "dangling", "../elsewhere/not-yet", "elsewhere/not-yet", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const QString link = Path(QString("data/") + c.link);
        const QString file = Path(c.file);
        if (!QString(c.file).contains("not-yet"))
            WriteBytes(file, "old\r\n");
        if (c.second) {
            ASSERT_EQ(::symlink(QFile::encodeName(file).constData(),
                                QFile::encodeName(Path(QString("data/") + c.second)).constData()),
                      0);
        }
        const QByteArray says = c.target ? QByteArray(c.target) : QFile::encodeName(file);
        ASSERT_EQ(::symlink(says.constData(), QFile::encodeName(link).constData()), 0);
        const QString names = QFile::symLinkTarget(link);
        ASSERT_TRUE(platform::WriteFileWhole(link, "new\r\n")) << platform::LastWriteFailure().toStdString();
        EXPECT_TRUE(QFileInfo(link).isSymLink());
        EXPECT_EQ(QFile::symLinkTarget(link), names);
        EXPECT_EQ(ReadBytes(file), QByteArray("new\r\n"));
        EXPECT_TRUE(QFileInfo(file).isFile() && !QFileInfo(file).isSymLink());
    }
    // Nothing is left beside the links or the files.
    EXPECT_EQ(Entries(Path("elsewhere"), QDir::Hidden | QDir::Files).filter(QStringLiteral("almanorvique-save")),
              QStringList());
    EXPECT_EQ(Entries(Path("data"), QDir::Hidden | QDir::Files).filter(QStringLiteral("almanorvique-save")),
              QStringList());
}

TEST_F(WholeFileWrite, NoLinkOrFileOfAnotherAccountAndNoReadOnlyFileIsWritten)
{
    const QString precious = Path("home/precious.txt");
    const struct {
        const char* what;
        std::function<bool(const QString& path)> make; // false: this account cannot set it up
        const char* reason;
    } cases[] = {
        {"a link another account owns",
         [&](const QString& path) { return QFile::link(precious, path) && GiveAway(path); },
         "link belongs to another account"},
        {"a link of the user's to a link another account owns",
         [&](const QString& path) {
             const QString theirs = Path("data/theirs");
             QFile::remove(theirs);
             return QFile::link(precious, theirs) && GiveAway(theirs) && QFile::link(theirs, path);
         },
         "belongs to another account"},
        {"a file another account owns",
         [&](const QString& path) {
             WriteBytes(path, "precious\r\n");
             return GiveAway(path);
         },
         "the file belongs to another account"},
        {"a file the user made read-only",
         [&](const QString& path) {
             WriteBytes(path, "precious\r\n");
             return ::chmod(QFile::encodeName(path).constData(), 0444) == 0;
         },
         "read-only"},
        {"a link of the user's to a read-only file",
         [&](const QString& path) {
             return ::chmod(QFile::encodeName(precious).constData(), 0400) == 0 && QFile::link(precious, path);
         },
         "read-only"},
    };
    QDir().mkpath(Path("data"));
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(precious, "precious\r\n");
        ::chmod(QFile::encodeName(precious).constData(), 0644);
        const QString path = Path("data/" + QString::number(++n));
        if (!c.make(path)) {
            std::printf("skipped (this account cannot set it up): %s\n", c.what);
            continue;
        }
        const bool isLink = QFileInfo(path).isSymLink();
        EXPECT_FALSE(platform::WriteFileWhole(path, "Holiday lines\r\n"));
        EXPECT_TRUE(platform::LastWriteFailure().contains(c.reason)) << platform::LastWriteFailure().toStdString();
        EXPECT_TRUE(platform::LastWriteFailure().startsWith(path)) << platform::LastWriteFailure().toStdString();
        EXPECT_EQ(ReadBytes(isLink ? precious : path), QByteArray("precious\r\n"));
        EXPECT_EQ(QFileInfo(path).isSymLink(), isLink);
    }
    EXPECT_EQ(Entries(Path("data"), QDir::Hidden | QDir::Files).filter(QStringLiteral("almanorvique-save")),
              QStringList());
    EXPECT_EQ(Entries(Path("home"), QDir::Hidden | QDir::Files), QStringList({"precious.txt"}));

    // The user's own link to the user's own file is written through.
    ::chmod(QFile::encodeName(precious).constData(), 0644);
    ASSERT_TRUE(QFile::link(precious, Path("data/mine")));
    EXPECT_TRUE(platform::WriteFileWhole(Path("data/mine"), "Holiday lines\r\n"));
    EXPECT_EQ(ReadBytes(precious), QByteArray("Holiday lines\r\n"));
}
