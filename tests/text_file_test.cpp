#include "core/text_file.h"
#include "support/test_folders.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace textfile;

TEST(TextFile, LineEndsAreCrLfCrOrLfAndTheOneKindIsKept)
{
    const struct {
        QByteArray bytes;
        QStringList lines;
        LineEnd lineEnd;
    } cases[] = {
        {"", {}, LineEnd::CrLf},
        {"a", {"a"}, LineEnd::CrLf},
        {"a\r\nb\r\n", {"a", "b"}, LineEnd::CrLf},
        {"a\r\nb", {"a", "b"}, LineEnd::CrLf},
        {"a\rb\r", {"a", "b"}, LineEnd::Cr},
        {"a\nb\n", {"a", "b"}, LineEnd::Lf},
        {"a\n\nb", {"a", "", "b"}, LineEnd::Lf},
        {"a\r\n\r\nb\r\n", {"a", "", "b"}, LineEnd::CrLf},
        {"\r\n", {""}, LineEnd::CrLf},
        // Mixed line ends: each ends a line, the file is written back with CR LF.
        {"a\nb\r\n", {"a", "b"}, LineEnd::CrLf},
        {"x=1\n\r\n", {"x=1", ""}, LineEnd::CrLf},
        {"\r\r\n", {"", ""}, LineEnd::CrLf},
        {"\n\r", {"", ""}, LineEnd::CrLf},
        {"a\rb\n", {"a", "b"}, LineEnd::CrLf},
    };
    for (const auto& c : cases) {
        LineEnd lineEnd = LineEnd::Cr;
        EXPECT_EQ(SplitLines(DecodeCp1252(c.bytes), &lineEnd), c.lines) << c.bytes.toStdString();
        EXPECT_EQ(lineEnd, c.lineEnd) << c.bytes.toStdString();
    }
}

TEST(TextFile, AFileWithOneKindOfLineEndRoundTripsByteForByte)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("f");
    for (const QByteArray& bytes : {QByteArray("K=\xe9\r\n\r\nL=1\r\n"), QByteArray("K=\xe9\n\nL=1\n"),
                                    QByteArray("K=\xe9\r\rL=1\r"), QByteArray("\xef\xbb\xbfK=\xc3\xa9\nL=1\n")}) {
        testsupport::WriteBytes(path, bytes);
        Encoding encoding = Encoding::Cp1252;
        LineEnd lineEnd = LineEnd::CrLf;
        const auto lines = ReadLines(path, &encoding, &lineEnd);
        ASSERT_TRUE(lines.has_value());
        ASSERT_TRUE(WriteLines(path, *lines, encoding, lineEnd));
        EXPECT_EQ(testsupport::ReadBytes(path), bytes) << bytes.toStdString();
    }
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
    EXPECT_EQ(testsupport::ReadBytes(path), QByteArray("keep\r\n"));
    EXPECT_FALSE(ReadLines(dir.filePath("nothing")).has_value());
}

TEST(TextFile, AFailedWriteInAReadOnlyFolderLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("old");
    testsupport::WriteBytes(path, "keep\r\n");
    // The replacement cannot be made beside the old file, so the old file stays.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const bool readOnly = !QFileInfo(dir.path()).isWritable();
    if (readOnly) {
        EXPECT_FALSE(WriteLines(path, {"new"}));
        EXPECT_EQ(testsupport::ReadBytes(path), QByteArray("keep\r\n"));
    }
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (!readOnly)
        GTEST_SKIP() << "a read-only folder can be written by this user (root)";
}

TEST(TextFile, TheEncodingIsTakenFromTheBytes)
{
    const struct {
        const char* what;
        QByteArray bytes;
        Encoding encoding;
        QString text;
    } cases[] = {
        {"plain ASCII", "K=v\r\n", Encoding::Cp1252, "K=v\r\n"},
        {"Windows-1252", "Caf\xe9", Encoding::Cp1252, QString::fromUtf8("Caf\xc3\xa9")},
        {"a no-break space",
         "a\xa0"
         "b",
         Encoding::Cp1252,
         QString::fromUtf8("a\xc2\xa0"
                           "b")},
        {"UTF-8 from an editor", "Caf\xc3\xa9", Encoding::Utf8, QString::fromUtf8("Caf\xc3\xa9")},
        {"UTF-8 with a byte order mark", "\xef\xbb\xbfK=\xc3\xa9", Encoding::Utf8WithBom,
         QString::fromUtf8("K=\xc3\xa9")},
        {"a cut UTF-8 sequence", "Caf\xc3", Encoding::Cp1252, QString::fromUtf8("Caf\xc3\x83")},
        {"an overlong form", "\xc0\xaf", Encoding::Cp1252, QString::fromUtf8("\xc3\x80\xc2\xaf")},
        {"an encoded surrogate", "\xed\xa0\x80", Encoding::Cp1252, QString::fromUtf8("\xc3\xad\xc2\xa0\xe2\x82\xac")},
        {"four bytes", "\xf0\x9f\x8e\x84", Encoding::Utf8, QString::fromUtf8("\xf0\x9f\x8e\x84")},
        {"a zero-width no-break space behind the mark", "\xef\xbb\xbf\xef\xbb\xbfK", Encoding::Utf8WithBom,
         QChar(0xFEFF) + QStringLiteral("K")},
    };
    for (const auto& c : cases) {
        const DecodedText d = Decode(c.bytes);
        EXPECT_EQ(d.encoding, c.encoding) << c.what;
        EXPECT_EQ(d.text, c.text) << c.what;
        EXPECT_EQ(Encode(d.text, d.encoding), c.bytes) << c.what; // written back as read
    }
    // Text Windows-1252 lacks is written as UTF-8 without a byte order mark.
    EXPECT_EQ(Encode(QString::fromUtf8("\xd0\xa0"), Encoding::Cp1252), QByteArray("\xd0\xa0"));
    EXPECT_EQ(Encode(QString::fromUtf8("\xc3\xa9"), Encoding::Utf8), QByteArray("\xc3\xa9"));
    // A text starting with U+FEFF gets a mark in front, or reading would take it for one.
    EXPECT_EQ(Encode(QChar(0xFEFF) + QStringLiteral("="), Encoding::Utf8), QByteArray("\xef\xbb\xbf\xef\xbb\xbf="));
    EXPECT_TRUE(FitsCp1252(QString::fromUtf8("\xe2\x82\xac\xc2\xa0")));
    EXPECT_FALSE(FitsCp1252(QString::fromUtf8("\xc5\xbc")));
}

TEST(TextFile, ANoBreakSpaceRoundTripsThroughTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("f");
    const QString line = QString::fromUtf8("Caption:01/01=\xc2\xa0Mine\xc2\xa0");
    ASSERT_TRUE(WriteLines(path, {line}));
    EXPECT_EQ(testsupport::ReadBytes(path), QByteArray("Caption:01/01=\xa0Mine\xa0\r\n"));
    EXPECT_EQ(*ReadLines(path), QStringList({line}));
}
