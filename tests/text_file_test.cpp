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
        {"UTF-16, low byte first", QByteArray("\xff\xfeK\0=\0\xe9\0\r\0\n\0", 12), Encoding::Utf16Le,
         QString::fromUtf8("K=\xc3\xa9\r\n")},
        {"UTF-16, high byte first", QByteArray("\xfe\xff\0K\0=\0\xe9\0\r\0\n", 12), Encoding::Utf16Be,
         QString::fromUtf8("K=\xc3\xa9\r\n")},
        {"UTF-16 with a pair and a second mark", QByteArray("\xff\xfe\xff\xfe\x3c\xd8\x84\xdf", 8), Encoding::Utf16Le,
         QChar(0xFEFF) + QString::fromUtf8("\xf0\x9f\x8e\x84")},
        {"only the UTF-16 mark", "\xfe\xff", Encoding::Utf16Be, ""},
    };
    for (const auto& c : cases) {
        const DecodedText d = Decode(c.bytes);
        EXPECT_TRUE(d.isText) << c.what;
        EXPECT_EQ(d.encoding, c.encoding) << c.what;
        EXPECT_EQ(d.text, c.text) << c.what;
        EXPECT_EQ(Encode(d.text, d.encoding), c.bytes) << c.what; // written back as read
    }
    // Text Windows-1252 lacks is written as UTF-8 without a byte order mark.
    EXPECT_EQ(Encode(QString::fromUtf8("\xd0\xa0"), Encoding::Cp1252), QByteArray("\xd0\xa0"));
    EXPECT_EQ(Encode(QString::fromUtf8("\xc3\xa9"), Encoding::Utf8), QByteArray("\xc3\xa9"));
    // A text starting with U+FEFF gets a mark in front, or reading would take it for one.
    EXPECT_EQ(Encode(QChar(0xFEFF) + QStringLiteral("="), Encoding::Utf8), QByteArray("\xef\xbb\xbf\xef\xbb\xbf="));
    // A lone surrogate is written as U+FFFD, so that the file reads back as text.
    EXPECT_EQ(Decode(Encode(QString(QChar(0xD800)) + "x", Encoding::Utf16Be)).text, QString::fromUtf8("\xef\xbf\xbdx"));
    EXPECT_TRUE(FitsCp1252(QString::fromUtf8("\xe2\x82\xac\xc2\xa0")));
    EXPECT_FALSE(FitsCp1252(QString::fromUtf8("\xc5\xbc")));
}

// Code page text whose bytes would start with a UTF-16 mark is written so that it reads
// back as itself, not as UTF-16 (found by the store's round-trip fuzzing).
TEST(TextFile, CodePageTextStartingLikeAUtf16MarkReadsBackAsWritten)
{
    for (const QString& text : {QString::fromUtf8("\xc3\xbf\xc3\xbe"
                                                  "a=\r\n"),
                                QString::fromUtf8("\xc3\xbe\xc3\xbf"
                                                  "=\r\n"),
                                QString::fromUtf8("\xc3\xbf\xc3\xbe")}) {
        const QByteArray bytes = Encode(text, Encoding::Cp1252);
        const DecodedText back = Decode(bytes);
        EXPECT_TRUE(back.isText) << bytes.toHex().constData();
        EXPECT_EQ(back.text, text) << bytes.toHex().constData();
        EXPECT_EQ(LinesBytes(SplitLines(text), Encoding::Cp1252, LineEnd::CrLf),
                  Encode(SplitLines(text).join("\r\n") + "\r\n", Encoding::Cp1252));
    }
    // Only the very start counts: the same letters later stay code page bytes.
    EXPECT_EQ(Encode(QString::fromUtf8("a\xc3\xbf\xc3\xbe"), Encoding::Cp1252), QByteArray("a\xff\xfe"));
}

// Bytes behind a UTF-16 mark that are no UTF-16 text are never taken for text: nothing
// reads lines from them, so nothing writes them back.
TEST(TextFile, BytesThatAreNotTheUtf16TheirMarkNamesAreNoText)
{
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"an odd last byte", QByteArray("\xff\xfeK\0=\0v", 7)},
        {"a lone high surrogate", QByteArray("\xff\xfeK\0\x3c\xd8=\0", 8)},
        {"a lone low surrogate", QByteArray("\xfe\xff\xdf\x84\0K", 6)},
        {"a high surrogate at the end", QByteArray("\xfe\xff\0K\xd8\x3c", 6)},
        {"UTF-32 behind its mark", QByteArray("\xff\xfe\0\0K\0\0\0=\0\0\0", 12)},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("f");
    for (const auto& c : cases) {
        EXPECT_FALSE(Decode(c.bytes).isText) << c.what;
        testsupport::WriteBytes(path, c.bytes);
        EXPECT_FALSE(ReadText(path)) << c.what;
        EXPECT_FALSE(ReadLines(path)) << c.what;
        int handed = 0;
        bool notText = false;
        EXPECT_FALSE(VisitFileLines(
            path,
            [&](QStringView) {
                ++handed;
                return true;
            },
            nullptr, nullptr, &notText))
            << c.what;
        EXPECT_TRUE(notText) << c.what;
        EXPECT_EQ(handed, 0) << c.what;
    }
    bool notText = true;
    EXPECT_FALSE(VisitFileLines(
        dir.filePath("nothing"), [](QStringView) { return true; }, nullptr, nullptr, &notText));
    EXPECT_FALSE(notText); // missing is not the same as no text
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

namespace {
// What a file read whole gives: its lines, encoding and line end.
struct WholeRead {
    QStringList lines;
    Encoding encoding;
    LineEnd lineEnd;
};
WholeRead ReadWhole(const QByteArray& bytes)
{
    WholeRead r;
    DecodedText d = Decode(bytes);
    r.encoding = d.encoding;
    r.lines = SplitLines(d.text, &r.lineEnd);
    return r;
}
} // namespace

// A file is read in pieces of 1 MB: whatever falls on the cut between two pieces reads as
// it does in the whole text.
TEST(TextFile, AFileReadPieceByPieceGivesWhatTheWholeFileGives)
{
    constexpr int kPiece = 1 << 20;
    const auto upTo = [](int size, const QByteArray& tail) { return QByteArray(size, 'a') + tail; };
    const struct {
        const char* what;
        QByteArray bytes;
    } cases[] = {
        {"CR LF cut between the pieces", upTo(kPiece - 1, "\r\nb=1\r\n")},
        {"CR ending the first piece, LF after it", upTo(kPiece - 1, "\r\nb\n")},
        {"CR alone ending the first piece", upTo(kPiece - 1, "\rb\r")},
        {"a final CR at the cut", upTo(kPiece - 1, "\r")},
        {"LF starting the second piece", upTo(kPiece, "\nb\n")},
        {"a UTF-8 letter cut between the pieces", upTo(kPiece - 1, "\xc3\xa9=1\n")},
        {"a four-byte letter cut", upTo(kPiece - 2, "\xf0\x9f\x8e\x84\n")},
        {"a line over three pieces", "K=" + upTo(3 * kPiece, "\r\nL=2")},
        {"a mark, then a long line", "\xef\xbb\xbf" + upTo(kPiece, "\xc3\xa9\r\n")},
        {"Windows-1252 told only by the last piece", upTo(kPiece + 10, "\r\n\xe9\r\n")},
        {"UTF-8 cut at the end of the file", upTo(kPiece, "\xc3\xa9\xc3")},
        {"mixed line ends across the pieces", upTo(kPiece - 1, "\r\nb\nc\r\n")},
        {"UTF-16 with a line end starting the second piece",
         QByteArray("\xff\xfe", 2) + QByteArray(kPiece - 2, 'a') + QByteArray("\r\0\n\0b\0", 6)},
        {"UTF-16 with a pair cut between the pieces",
         QByteArray("\xfe\xff", 2) + QByteArray(kPiece - 4, 'a') + QByteArray("\xd8\x3c\xdf\x84\0\n", 6)},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("f");
    for (const auto& c : cases) {
        testsupport::WriteBytes(path, c.bytes);
        const WholeRead whole = ReadWhole(c.bytes);
        QStringList lines;
        Encoding encoding = Encoding::Cp1252;
        LineEnd lineEnd = LineEnd::Cr;
        ASSERT_TRUE(VisitFileLines(
            path,
            [&](QStringView line) {
                lines << line.toString();
                return true;
            },
            &encoding, &lineEnd))
            << c.what;
        EXPECT_EQ(lines, whole.lines) << c.what;
        EXPECT_EQ(encoding, whole.encoding) << c.what;
        EXPECT_EQ(lineEnd, whole.lineEnd) << c.what;
        // A reader that has had enough after the first line still learns the file's line end.
        int handed = 0;
        LineEnd stopped = LineEnd::Cr;
        ASSERT_TRUE(VisitFileLines(
            path, [&](QStringView) { return ++handed < 1; }, nullptr, &stopped));
        EXPECT_EQ(handed, 1) << c.what;
        EXPECT_EQ(stopped, whole.lineEnd) << c.what;
    }
    EXPECT_FALSE(VisitFileLines(dir.filePath("nothing"), [](QStringView) { return true; }));
}

// Lines are encoded piece by piece as they are written; the bytes are those of the whole
// text encoded at once.
TEST(TextFile, LinesWrittenPieceByPieceAreTheBytesOfTheWholeText)
{
    const QString longLine = QString(1 << 20, u'x') + QString::fromUtf8("\xf0\x9f\x8e\x84") + QString(1 << 20, u'y');
    const QString oddLong = QString((1 << 20) - 1, u'x') + QString::fromUtf8("\xf0\x9f\x8e\x84");
    const struct {
        const char* what;
        QStringList lines;
        Encoding encoding;
    } cases[] = {
        {"nothing", {}, Encoding::Cp1252},
        {"nothing, with a mark", {}, Encoding::Utf8WithBom},
        {"Windows-1252", {"K=\u00e9", "", "\u20ac"}, Encoding::Cp1252},
        {"letters the code page lacks", {"K=\u00e9", "L=\u4e2d"}, Encoding::Cp1252},
        {"code page bytes that read as UTF-8", {QString::fromUtf8("K=\xc3\x83\xc2\xa9")}, Encoding::Cp1252},
        {"code page bytes of UTF-8 cut by the line end",
         {QString::fromUtf8("K=\xc3\x83"), QString::fromUtf8("\xc2\xa9")},
         Encoding::Cp1252},
        {"UTF-8", {"K=\u00e9"}, Encoding::Utf8},
        {"UTF-8 with a mark", {"K=\u00e9"}, Encoding::Utf8WithBom},
        {"a first line starting with U+FEFF", {QChar(0xFEFF) + QStringLiteral("=1")}, Encoding::Utf8},
        {"a lone surrogate", {QString(QChar(0xD800)) + "x", "y"}, Encoding::Utf8},
        {"a line longer than a piece", {longLine, "L=1"}, Encoding::Utf8},
        {"a pair at the end of a piece", {oddLong, "L"}, Encoding::Cp1252},
        {"a long code page line", {QString(3 << 20, u'\u00e9')}, Encoding::Cp1252},
        {"nothing, in UTF-16", {}, Encoding::Utf16Le},
        {"UTF-16, low byte first", {"K=\u00e9", "", "L=\u4e2d"}, Encoding::Utf16Le},
        {"UTF-16, high byte first", {"K=\u00e9", QString::fromUtf8("\xf0\x9f\x8e\x84")}, Encoding::Utf16Be},
        {"a lone surrogate in UTF-16", {QString(QChar(0xDC00)) + "x"}, Encoding::Utf16Be},
        {"a long UTF-16 line with a pair at the cut", {oddLong, "L"}, Encoding::Utf16Le},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath("f");
    for (const auto& c : cases)
        for (const LineEnd end : {LineEnd::CrLf, LineEnd::Lf, LineEnd::Cr}) {
            const QString text = c.lines.isEmpty() ? QString() : c.lines.join(LineEndText(end)) + LineEndText(end);
            const QByteArray expected = Encode(text, c.encoding);
            const LineSource source = [&](const std::function<void(QStringView)>& put) {
                for (const QString& l : c.lines)
                    put(l);
            };
            EXPECT_EQ(LinesBytes(source, c.encoding, end), expected) << c.what;
            ASSERT_TRUE(WriteLineSource(path, source, c.encoding, end)) << c.what;
            EXPECT_EQ(testsupport::ReadBytes(path), expected) << c.what;
        }
}
