#include "core/text_utilities.h"
#include "support/test_folders.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace mduLib;

TEST(TextUtilities, MaxAndMinKeepTheWinnersTypeAndGiveBOnATie)
{
    EXPECT_EQ(MaxValue(3.5, 3), 3.5);
    EXPECT_EQ(MaxValue(2.5, 3), 3.0);
    EXPECT_EQ(MaxValue(3, 3), 3);
    static_assert(std::is_same_v<decltype(MaxValue(3, 3)), qint32>);
    static_assert(std::is_same_v<decltype(MaxValue(3.5, 3)), double>);
    EXPECT_EQ(MinValue(3.5, 3), 3.0);
    EXPECT_EQ(MinValue(2.5, 3), 2.5);
    EXPECT_EQ(MinValue(-1, 3), -1);
    static_assert(std::is_same_v<decltype(MinValue(3, 3)), qint32>);
}

TEST(TextUtilities, YesNoWords)
{
    const struct {
        const char* text;
        bool yes;
    } cases[] = {{"no", false}, {"  NO ", false}, {"No", false},  {"", true},
                 {"0", true},   {"yes", true},    {"nope", true}, {"\tno", true}};
    for (const auto& c : cases)
        EXPECT_EQ(IsYes(QString::fromLatin1(c.text)), c.yes) << c.text;
    EXPECT_EQ(YesNoText(true), "Yes");
    EXPECT_EQ(YesNoText(false), "No");
}

TEST(TextUtilities, ImageFilesEndInOneOfThreeFourCharacterEndings)
{
    const struct {
        const char* path;
        bool image;
    } cases[] = {{"/p/January.jpg", true}, {"a.Jpg", true}, {"A.GIF", true},      {"x.bmp", true}, {"x.jpeg", false},
                 {"x.png", false},         {"jpg", false},  {"x.jpg.txt", false}, {"", false},     {"x.bmpx", false}};
    for (const auto& c : cases)
        EXPECT_EQ(IsImageFile(QString::fromLatin1(c.path)), c.image) << c.path;
}

TEST(TextUtilities, JoinLinesTurnsEveryCrLfIntoOneBlank)
{
    EXPECT_EQ(JoinLines("one\r\ntwo\r\n\r\nthree"), "one two  three");
    EXPECT_EQ(JoinLines("cr\ralone\nstays"), "cr\ralone\nstays");
    EXPECT_EQ(JoinLines("a\r\r\n\nb"), "a\r \nb");
}

TEST(TextUtilities, WrapTextBreaksTheFirstLineWithinTheWidthAndTheOthersOneShorter)
{
    const struct {
        const char* text;
        int width;
        const char* wrapped;
    } cases[] = {
        {"thirty characters of text here", 40, "thirty characters of text here"},
        {"thirty characters of text here", 0, "thirty characters of text here"},
        {"thirty characters of text here", -3, "thirty characters of text here"},
        {"exactly ten", 11, "exactly ten"},
        {"exactly ten", 10, "exactly\r\nten"},
        // The first line holds up to width characters, each later one width - 1.
        {"aaa bbb ccc ddd", 7, "aaa\r\nbbb\r\nccc\r\nddd"},
        // The window of a later line starts at its line feed: six letters and a blank are too many.
        {"aaaaaa bbbbbb cccccc", 7, "aaaaaa\r\nbbbbbb cccccc"},
        {"aaa bb cc dd", 7, "aaa bb\r\ncc dd"},
        {"one two three four", 8, "one two\r\nthree\r\nfour"},
        {"a b c d e f", 3, "a\r\nb\r\nc\r\nd\r\ne\r\nf"},
        // A last line that fits is left whole.
        {"aaa bbb c", 7, "aaa\r\nbbb c"},
        // A blank right after width characters is beyond the first line.
        {"aaaa bbbb", 4, "aaaa bbbb"},
        // Width characters without a blank end the wrapping; the rest stays on one line.
        {"abcdefghij klm nop", 5, "abcdefghij klm nop"},
        {"ab cdefghijkl mn op", 4, "ab\r\ncdefghijkl mn op"},
        {"aaa bbbbbbb c", 7, "aaa\r\nbbbbbbb c"},
        // Line breaks already in the text start a new line.
        {"Short\r\nA much longer line", 10, "Short\r\nA much\r\nlonger\r\nline"},
        {"\r\nabc def ghi", 5, "\r\nabc\r\ndef\r\nghi"},
        {"\nabc def", 5, "\nabc\r\ndef"},
    };
    for (const auto& c : cases) {
        const QString out = WrapText(QString::fromLatin1(c.text), c.width);
        EXPECT_EQ(out, QString::fromLatin1(c.wrapped)) << c.text << " / " << c.width;
    }
}

TEST(TextUtilities, WrapTextOfALongTextBreaksOnlyAtBlanksAndNeverPastTheWidth)
{
    QString text;
    for (int i = 0; i < 400; ++i)
        text += QStringLiteral("word%1 ").arg(i % 17);
    text = text.trimmed();
    const QString out = WrapText(text, 23);
    EXPECT_EQ(QString(out).replace("\r\n", " "), text);
    const QStringList lines = out.split("\r\n");
    EXPECT_GT(lines.size(), 50);
    for (int i = 0; i < lines.size(); ++i)
        EXPECT_LE(lines[i].size(), i == 0 ? 23 : 22) << lines[i].toStdString();
}

TEST(TextUtilities, SmallTextRoutines)
{
    EXPECT_EQ(TrimAtNul(QString::fromUtf16(u"Germany\0\0\0", 10)), "Germany");
    EXPECT_EQ(TrimAtNul("no nul at all"), "");
    EXPECT_EQ(TrimAtNul(QString::fromUtf16(u"\0abc", 4)), "");
    EXPECT_EQ(TrimAtNul(""), "");

    const struct {
        int alignment;
        bool visible;
        const char* name;
    } aligns[] = {{1, true, "Top"},  {2, true, "Bottom"}, {3, true, "Left"},         {4, true, "Right"},
                  {0, true, "None"}, {7, true, "None"},   {2, false, "Hide:Bottom"}, {9, false, "Hide:None"}};
    for (const auto& a : aligns)
        EXPECT_EQ(AlignName(a.alignment, a.visible), a.name) << a.alignment << a.visible;

    const struct {
        const char *text, *find, *replacement, *result;
    } replaces[] = {{"Good <x>, <x>", "<x>", "Morning", "Good Morning, <x>"},
                    {"Good <X>", "<x>", "Morning", "Good <X>"},
                    {"text", "", "front ", "front text"},
                    {"", "a", "b", ""},
                    {"aaa", "aa", "b", "ba"}};
    for (const auto& r : replaces)
        EXPECT_EQ(ReplaceFirst(r.text, r.find, r.replacement), r.result) << r.text;

    EXPECT_EQ(SizeMode("Large Size"), 2);
    EXPECT_EQ(SizeMode("Toolbar Large Size,Small Size"), 2);
    EXPECT_EQ(SizeMode("large size"), 1);
    EXPECT_EQ(SizeMode("Small Size"), 1);
}

TEST(TextUtilities, WriteTextFileWritesTheTextAndALineEndOrReportsFailure)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/2026";
    ASSERT_TRUE(WriteTextFile("a=1\r\nb=2", path));
    EXPECT_EQ(testsupport::ReadBytes(path), QByteArray("a=1\r\nb=2\r\n"));
    ASSERT_TRUE(WriteTextFile("short", path));
    EXPECT_EQ(testsupport::ReadBytes(path), QByteArray("short\r\n"));
    EXPECT_FALSE(WriteTextFile("x", dir.path() + "/missing folder/2026"));
    EXPECT_FALSE(WriteTextFile("x", path + "/inside a file"));
    EXPECT_EQ(testsupport::ReadBytes(path), QByteArray("short\r\n"));
    QDir().mkpath(dir.path() + "/folder");
    EXPECT_FALSE(WriteTextFile("x", dir.path() + "/folder"));
    EXPECT_TRUE(QFileInfo(dir.path() + "/folder").isDir());
}
