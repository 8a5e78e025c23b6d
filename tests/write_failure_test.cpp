// Every whole-file writer on a full disk: the write runs in a child process whose files
// may not grow past a limit (with SIGXFSZ ignored, writes past it fail with EFBIG, as
// they would with ENOSPC), and the old file must come through whole, the result saying
// that the write failed.
#include "core/desktop_settings.h"
#include "core/file_helpers.h"
#include "core/text_file.h"
#include "support/test_folders.h"
#include "system/registry_store.h"
#include "system/whole_file_write.h"

#include <QDir>
#include <QFileInfo>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {
enum ChildResult { kSucceeded = 0, kFailed = 1, kCrashed = 2 };

// Runs write in a child whose files may not grow past limit bytes; 0 means no limit.
ChildResult RunWithFileLimit(rlim_t limit, const std::function<bool()>& write)
{
    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        if (limit > 0) {
            const rlimit r{limit, limit};
            setrlimit(RLIMIT_FSIZE, &r);
        }
        bool ok = false;
        try {
            ok = write();
        } catch (const std::exception&) {
            ok = false;
        }
        _exit(ok ? kSucceeded : kFailed);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return kCrashed;
    return static_cast<ChildResult>(WEXITSTATUS(status));
}

QByteArray Lines(int bytes)
{
    QByteArray b;
    for (int i = 0; b.size() < bytes; ++i)
        b += "PCaption:" + QByteArray::number(i % 28 + 1) + "/01=A line of the user's own " + QByteArray::number(i) +
             "\r\n";
    return b;
}
} // namespace

class WriteFailure : public testsupport::ProgramFolderTest {
protected:
    // The old file, and the limit the new bytes do not fit under, for a file held in Qt's
    // buffer (small) and for one written straight through (large).
    struct Size {
        const char* what;
        int bytes;
        rlim_t limit;
    };
    static constexpr Size kSizes[] = {{"small", 2000, 1000}, {"large", 200000, 64000}};
    const QByteArray old_ = "Old=1\r\nKept=yes\r\n";
};

TEST_F(WriteFailure, TheTextFileWriterKeepsTheOldFile)
{
    const QString path = Path("PersonalDates");
    for (const Size& s : kSizes) {
        WriteBytes(path, old_);
        const QByteArray bytes = Lines(s.bytes);
        EXPECT_EQ(RunWithFileLimit(s.limit, [&] { return textfile::WriteWhole(path, bytes); }), kFailed) << s.what;
        EXPECT_EQ(ReadBytes(path).toStdString(), old_.toStdString()) << s.what;
        EXPECT_EQ(RunWithFileLimit(0, [&] { return textfile::WriteWhole(path, bytes); }), kSucceeded) << s.what;
        EXPECT_EQ(ReadBytes(path).toStdString(), bytes.toStdString()) << s.what;
        // The helper itself, for a file that was not there.
        const QString fresh = Path(QString("fresh ") + s.what);
        EXPECT_EQ(RunWithFileLimit(s.limit, [&] { return platform::WriteFileWhole(fresh, bytes); }), kFailed);
        EXPECT_FALSE(QFileInfo::exists(fresh)) << s.what;
    }
    EXPECT_EQ(QDir(ProgramFolder()).entryList(QDir::Files), QStringList({"PersonalDates"}));
}

TEST_F(WriteFailure, TheRegistryStoreKeepsTheOldFile)
{
    const QString store = platform::registry::StorePath();
    for (const Size& s : kSizes) {
        ASSERT_TRUE(platform::registry::SaveSetting("Almanorvique", "Test", "Old", "1"));
        const QByteArray before = ReadBytes(store);
        const QString value(s.bytes, u'v');
        EXPECT_EQ(
            RunWithFileLimit(before.size() + s.limit / 100,
                             [&] { return platform::registry::SaveSetting("Almanorvique", "Test", "New", value); }),
            kFailed)
            << s.what;
        EXPECT_EQ(ReadBytes(store).toStdString(), before.toStdString()) << s.what;
        EXPECT_EQ(platform::registry::GetSetting("Almanorvique", "Test", "New", "none"), "none") << s.what;
    }
    // The next write removes what a killed one left.
    const QString killed = QFileInfo(store).absolutePath() + "/.registry.json.almanorvique-save-KiLLed";
    WriteBytes(killed, "{");
    ASSERT_TRUE(platform::registry::SaveSetting("Almanorvique", "Test", "New", "1"));
    EXPECT_FALSE(QFileInfo::exists(killed));
}

TEST_F(WriteFailure, TheAutoStartEntryKeepsTheOldFile)
{
    QString first = "--first";
    mduAPILib::SetAutoStart(first);
    const QString entry = mduAPILib::AutoStartEntryPath();
    const QByteArray before = ReadBytes(entry);
    ASSERT_FALSE(before.isEmpty());
    for (const Size& s : kSizes) {
        QString arguments = "--" + QString(s.bytes, u'a');
        RunWithFileLimit(static_cast<rlim_t>(before.size()) / 2 + s.limit / 1000, [&] {
            mduAPILib::SetAutoStart(arguments);
            return true;
        });
        EXPECT_EQ(ReadBytes(entry).toStdString(), before.toStdString()) << s.what;
        EXPECT_TRUE(ReadBytes(entry).contains("--first")) << s.what;
    }
}

TEST_F(WriteFailure, ACopyKeepsTheOldTargetAndRaises)
{
    const QString target = Path("Almanorvique.ini");
    for (const Size& s : kSizes) {
        WriteBytes(target, old_);
        WriteBytes(Path("template.ini"), Lines(s.bytes));
        EXPECT_EQ(RunWithFileLimit(s.limit, [&] { return mduLib::CopyFileFso(Path("template.ini"), target, true); }),
                  kFailed)
            << s.what;
        EXPECT_EQ(ReadBytes(target).toStdString(), old_.toStdString()) << s.what;
    }
}

TEST_F(WriteFailure, OnlyTheLeftoversOfAnInterruptedWriteAreRemoved)
{
    // The user's own look-alikes stay, whatever their suffix; only our marked, hidden
    // temporaries go: of the one file, or of the whole folder.
    const QStringList users{"2026",
                            "2026.aBcDeF",
                            "2026.OldOne",
                            "2026.backup",
                            "PersonalDates.Backup",
                            "Almanorvique.ini.MyCopy",
                            ".2026.almanorvique-save-aBcDe",
                            ".2026.almanorvique-save-aBcDeFg",
                            "2026.almanorvique-save-aBcDeF"};
    const QStringList ours2026{".2026.almanorvique-save-aBcDeF", ".2026.almanorvique-save-123XyZ"};
    const QStringList others{".2027.almanorvique-save-aBcDeF", ".Glass.ini.almanorvique-save-Qw12Er"};
    for (const QStringList* list : {&users, &ours2026, &others})
        for (const QString& f : *list)
            WriteBytes(Path(f), "x\r\n");
    const auto files = [&] { return QDir(ProgramFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name); };
    QStringList expected = users + others;
    expected.sort();
    platform::RemoveLeftoverTemporaries(Path("2026"));
    EXPECT_EQ(files(), expected);
    expected = users;
    expected.sort();
    platform::RemoveLeftoverTemporariesIn(ProgramFolder());
    EXPECT_EQ(files(), expected);
    // A write leaves no temporary behind, and its own is marked as one.
    ASSERT_TRUE(platform::WriteFileWhole(Path("2026"), "new\r\n"));
    EXPECT_EQ(files(), expected);
    EXPECT_TRUE(platform::IsTemporaryName(ours2026[0]));
    EXPECT_FALSE(platform::IsTemporaryName(users[2]));
}
