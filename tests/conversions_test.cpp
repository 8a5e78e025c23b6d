#include "core/conversions.h"

#include <gtest/gtest.h>

using namespace conv;

TEST(Conversions, RoundsHalvesToEven)
{
    const struct {
        double in;
        int out;
    } cases[] = {{1.5, 2},     {2.5, 2},     {-1.5, -2},  {-2.5, -2}, {0.5, 0},
                 {200.5, 200}, {201.5, 202}, {2.4999, 2}, {-0.4, 0}};
    for (const auto& c : cases) {
        EXPECT_EQ(ToInt16(c.in), c.out) << c.in;
        EXPECT_EQ(ToInt32(c.in), c.out) << c.in;
    }
}

TEST(Conversions, IntegerRangesAreChecked)
{
    EXPECT_EQ(ToInt16(32767.4), 32767);
    EXPECT_EQ(ToInt16(-32768.0), -32768);
    EXPECT_THROW(ToInt16(32767.5), OverflowError); // rounds to 32768
    EXPECT_THROW(ToInt16(-32769.0), OverflowError);
    EXPECT_EQ(ToInt32(2147483647.0), 2147483647);
    EXPECT_THROW(ToInt32(2147483648.0), OverflowError);
    EXPECT_THROW(ToInt32(std::numeric_limits<double>::quiet_NaN()), OverflowError);
    EXPECT_THROW(ToInt16(QStringLiteral("abc")), TypeMismatch);
    EXPECT_EQ(ToInt16(QStringLiteral(" -1 ")), -1);
}

TEST(Conversions, LeadingNumberStopsAtTheFirstOtherCharacter)
{
    const struct {
        const char* text;
        double value;
    } cases[] = {{"60", 60},      {"  12.5abc", 12.5}, {"-1", -1}, {"+7", 7},     {"0,30,60", 0},
                 {"30,0,60", 30}, {"abc", 0},          {"", 0},    {".5", 0.5},   {"1.2.3", 1.2},
                 {"\t5", 0},      {"- 5", 0},          {"3e2", 3}, {"12 34", 12}, {"-", 0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(QString::fromLatin1(c.text)), c.value) << c.text;
}

TEST(Conversions, NumericTexts)
{
    for (const char* yes : {"0", "-1", " 42 ", "3.5", ".5", "1e3", "+2"})
        EXPECT_TRUE(IsNumeric(QString::fromLatin1(yes))) << yes;
    for (const char* no : {"", " ", "abc", "1,5", "12px", "1.2.3", "e3", "0x10", "\t1"})
        EXPECT_FALSE(IsNumeric(QString::fromLatin1(no))) << no;
    EXPECT_DOUBLE_EQ(ToDouble(u" 11.25 "), 11.25);
    EXPECT_THROW(ToDouble(u"Default"), TypeMismatch);
}

TEST(Conversions, TrimmingRemovesBlanksOnly)
{
    EXPECT_EQ(Trim(u"  a b  "), "a b");
    EXPECT_EQ(Trim(u"\tx\r\n"), "\tx\r\n");
    EXPECT_EQ(TrimLeft(u"  x "), "x ");
    EXPECT_EQ(TrimRight(u"  x "), "  x");
    EXPECT_TRUE(EqualsTrimmedNoCase(u"  Window Width ", u"window width"));
    EXPECT_FALSE(EqualsTrimmedNoCase(u"Window Width", u"window width "));
    EXPECT_FALSE(EqualsTrimmedNoCase(u"\tWidth", u"width"));
}

TEST(Conversions, NumbersAreWrittenWithAPoint)
{
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(NumberText(11.25), "11.25");
    EXPECT_EQ(NumberText(10.0), "10");
    EXPECT_EQ(NumberText(-1.0), "-1");
    EXPECT_EQ(NumberText(1234567.0), "1234567");
    EXPECT_EQ(NumberText(11.9f), "11.9"); // a single keeps its own digits
    EXPECT_EQ(NumberText(8.25f), "8.25");
    EXPECT_EQ(NumberText(0.0), "0");
    EXPECT_EQ(NumberText(1000), "1000");
    QLocale::setDefault(QLocale::c());
}

TEST(Conversions, DateTextsConvertBackExactly)
{
    for (const QDate d : {QDate(2024, 2, 29), QDate(1999, 12, 31), QDate(2026, 1, 5)}) {
        const QString t = DateText(d);
        ASSERT_TRUE(DateFromText(t).has_value()) << t.toStdString();
        EXPECT_EQ(*DateFromText(t), d);
    }
    EXPECT_EQ(DateText(QDate(2026, 1, 5)), "2026-01-05");
    for (const char* no : {"", "1", "7", "05/01", "2023-02-29", "2024-13-01", "next week"})
        EXPECT_FALSE(IsDateText(QString::fromLatin1(no))) << no;
}
