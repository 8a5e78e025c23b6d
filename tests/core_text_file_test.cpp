#include "core/text_file.h"
#include "support/test_folders.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace textfile;

TEST(TextFile, LineEndsAreCrLfOrCrButNotLfAlone)
{
    const struct {
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},
        {"a\rb\r", {"a", "b"}},
        {"a\nb\r\n", {"a\nb"}},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"\r\n", {""}},
        {"x=1\n\r\n", {"x=1\n"}},
        {"\r\r\n", {"", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitLines(DecodeCp1252(c.bytes)), c.lines) << c.bytes.toStdString();
}

TEST(TextFile, Windows1252RoundTrip)
{
    static const char raw[] = "\x80 \x93quoted\x94 \xe9t\xe9 \x9f \x81";
    const QByteArray bytes(raw, sizeof raw - 1);
    const QString text = DecodeCp1252(bytes);
    EXPECT_EQ(text[0], QChar(0x20AC));
    EXPECT_EQ(text[2], QChar(0x201C));
    EXPECT_EQ(text.right(1), QString(QChar(0x81))); // unassigned codes survive
    EXPECT_EQ(EncodeCp1252(text), bytes);
    EXPECT_EQ(EncodeCp1252(QStringLiteral("\u4e2d")), QByteArray("?"));
}

TEST(TextFile, EveryLineIsWrittenWithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("out");
    ASSERT_TRUE(WriteLines(path, {"K=\u00e9", "", "L=1"}));
    EXPECT_EQ(testsupport::ReadBytes(path), QByteArray("K=\xe9\r\n\r\nL=1\r\n"));
    EXPECT_EQ(*ReadLines(path), QStringList({"K=\u00e9", "", "L=1"}));
}

TEST(TextFile, AFailedWriteLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old");
    testsupport::WriteBytes(path, "keep\r\n");
    // A file in a folder that does not exist cannot be written; nor can a folder.
    EXPECT_FALSE(WriteLines(dir.filePath("missing/x"), {"a"}));
    QDir().mkdir(dir.filePath("folder"));
    EXPECT_FALSE(WriteLines(dir.filePath("folder"), {"a"}));
    // A read-only folder: the replacement cannot be made, the old file stays.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (!QFileInfo(dir.path()).isWritable()) {
        EXPECT_FALSE(WriteLines(path, {"new"}));
        EXPECT_EQ(testsupport::ReadBytes(path), QByteArray("keep\r\n"));
    }
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(ReadLines(dir.filePath("nothing")).has_value());
}
