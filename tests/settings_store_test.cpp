#include "core/settings_store.h"
#include "core/conversions.h"
#include "support/test_folders.h"

#include <gtest/gtest.h>

using namespace mduLib;
using testsupport::ReadBytes;
using testsupport::TableOf;
using testsupport::WriteBytes;

class SettingsStore : public testsupport::ProgramFolderTest {};

TEST_F(SettingsStore, LinesLoadIntoSectionKeyAndValue)
{
    const struct {
        QByteArray line;
        QString section, key, value;
    } cases[] = {
        {"Orientation=Portrait Top,Portrait Top,Portrait Bottom", "", "Orientation",
         "Portrait Top,Portrait Top,Portrait Bottom"},
        {"PCaption:25/12=Boxing", "PCaption", "25/12", "Boxing"},
        {"a=b=c", "", "a", "b=c"},
        {"x:y:z=1", "x", "y:z", "1"},
        {"[Group]", "", "[Group]", ""},
        {"no equals: here", "", "no equals: here", ""},
        {" Width = 5 ", "", " Width ", " 5 "},
        {"=value", "", "", "value"},
    };
    for (const auto& c : cases) {
        const QString path = Path("case.ini");
        WriteBytes(path, c.line + "\r\n");
        PropertyTable t(1);
        ASSERT_TRUE(LoadIniFile(path, t)) << c.line.toStdString();
        EXPECT_EQ(t[1].Section, c.section) << c.line.toStdString();
        EXPECT_EQ(t[1].Key, c.key) << c.line.toStdString();
        EXPECT_EQ(t[1].Value, c.value) << c.line.toStdString();
    }
}

TEST_F(SettingsStore, LookupsTrimTheStoredKeyIgnoreCaseAndTakeTheFirstMatch)
{
    const PropertyTable t = TableOf({"Orientation=Portrait Top,Portrait Top,Portrait Bottom", "PCaption:25/12=Boxing",
                                     "  Stay Time =60", "Orientation=Center", "Caption:25/12=Mine", "Plain=value"});
    const struct {
        const char* key;
        const char* section;
        const char* prop;  // GetProp
        const char* value; // GetValue
    } cases[] = {
        {"orientation", "", "Portrait Top", "Portrait Top,Portrait Top,Portrait Bottom"},
        {"ORIENTATION", "", "Portrait Top", "Portrait Top,Portrait Top,Portrait Bottom"},
        {"Orientation ", "", "0", ""}, // the argument is not trimmed
        {"25/12", "", "Boxing", "Boxing"},
        {"25/12", "pcaption", "Boxing", "Boxing"},
        {"25/12", "Caption", "Mine", "Mine"},
        {"stay time", "", "60", "60"},
        {"Missing", "", "0", ""},
        {"Plain", "Other", "0", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetProp(c.key, t, c.section), c.prop) << c.key << "/" << c.section;
        EXPECT_EQ(GetValue(c.key, t, c.section), c.value) << c.key << "/" << c.section;
    }
    EXPECT_EQ(GetPropOptions("Orientation", t), "Portrait Top,Portrait Bottom");
    EXPECT_EQ(GetPropOptions("Plain", t), "value");
    EXPECT_EQ(GetValueByKey("missing", t), "");
    EXPECT_EQ(GetProp("x", PropertyTable()), "0"); // a table never created reads as empty
    EXPECT_EQ(FirstListItem("a,b"), "a");
    EXPECT_EQ(FirstListItem("ab"), "ab");
}

TEST_F(SettingsStore, SettersKeepOrReplaceTheOptionList)
{
    const struct {
        const char* before;
        const char* prop;  // after SetProp Blue
        const char* value; // after SetValue Blue
    } cases[] = {{"Red,Red,Blue,Green", "Blue,Red,Blue,Green", "Blue"}, {"Red", "Blue", "Blue"}, {",Red", "Blue", "Blue"}};
    for (const auto& c : cases) {
        PropertyTable a = TableOf({QString("Colour=") + c.before});
        SetProp("colour", " Blue ", a);
        EXPECT_EQ(a[1].Value, c.prop) << c.before;
        PropertyTable b = TableOf({QString("Colour=") + c.before});
        SetValue("colour", "Blue", b);
        EXPECT_EQ(b[1].Value, c.value) << c.before;
    }
}

TEST_F(SettingsStore, SettersAppendAbsentKeys)
{
    PropertyTable t = TableOf({"A=1"});
    SetProp(" New ", " v ", t, "Caption");
    ASSERT_EQ(t.UBound(), 2);
    EXPECT_EQ(t[2].Key, " New "); // as given
    EXPECT_EQ(t[2].Value, "v");
    EXPECT_EQ(t[2].Section, "Caption");
    SetValue(" Other ", "w", t);
    ASSERT_EQ(t.UBound(), 3);
    EXPECT_EQ(t[3].Key, "Other"); // trimmed
    EXPECT_EQ(t[3].Section, "");

    PropertyTable never;
    EXPECT_THROW(SetProp("k", "v", never), SubscriptError);
    EXPECT_THROW(ClearEntry("k", never), SubscriptError);
}

TEST_F(SettingsStore, AppendFillsASpareLastSlot)
{
    PropertyTable t(2);
    t[1].Key = "A";
    AppendEntry("S", "K", "V", t);
    EXPECT_EQ(t.UBound(), 2); // the empty last slot was used
    EXPECT_EQ(t[2].Key, "K");
    AppendEntry("", "L", "W", t);
    EXPECT_EQ(t.UBound(), 3);
    EXPECT_EQ(t[3].Key, "L");
}

TEST_F(SettingsStore, ClearedEntriesAreSpareSlotsThatSavingSkips)
{
    PropertyTable t = TableOf({"Caption:01/01=a", "Format:01/01=b", "Caption:01/01=c", "Keep=^Fixed", "   =blanks"});
    ClearEntry("01/01", t, "Caption");
    EXPECT_EQ(GetProp("01/01", t, "Caption"), "0");
    EXPECT_EQ(t[1].Section, "Caption"); // the section stays
    const QString path = Path("out.ini");
    ASSERT_TRUE(SaveIniFile(t, path));
    EXPECT_EQ(ReadBytes(path), QByteArray("Format:01/01=b\r\nKeep=Fixed\r\n   =blanks\r\n"));
    EXPECT_EQ(GetValue("Keep", t), "^Fixed"); // in memory the marker stays
}

TEST_F(SettingsStore, LoadingOverwritesByPositionAndKeepsTheRest)
{
    PropertyTable t(10);
    for (int i = 1; i <= 10; ++i) {
        t[i].Section = "Old";
        t[i].Key = QString("k%1").arg(i);
        t[i].Value = "v";
    }
    const QString path = Path("three.ini");
    WriteBytes(path, "a=1\r\nS:b=2\r\nbare\r\n");
    ASSERT_TRUE(LoadIniFile(path, t));
    EXPECT_EQ(t.UBound(), 10);
    EXPECT_EQ(t[1].Key, "a");
    EXPECT_EQ(t[1].Section, "Old"); // a line without section keeps the old one
    EXPECT_EQ(t[2].Section, "S");
    EXPECT_EQ(t[3].Key, "bare");
    EXPECT_EQ(t[3].Value, "");
    EXPECT_EQ(t[4].Key, "k4");

    WriteBytes(Path("empty.ini"), "");
    EXPECT_FALSE(LoadIniFile(Path("empty.ini"), t));
    EXPECT_FALSE(LoadIniFile(Path("missing.ini"), t));
    EXPECT_FALSE(LoadIniFile("", t));
    EXPECT_EQ(t[1].Key, "a");
}

TEST_F(SettingsStore, ABlankLineBecomesASpareSlotAndABareLineGetsItsEquals)
{
    const QString path = Path("in.ini");
    WriteBytes(path, "[Group]\r\n\r\nK=1\r\n");
    PropertyTable t(1);
    ASSERT_TRUE(LoadIniFile(path, t));
    ASSERT_TRUE(SaveIniFile(t, path));
    EXPECT_EQ(ReadBytes(path), QByteArray("[Group]=\r\nK=1\r\n"));
}

TEST_F(SettingsStore, LoadStopsAtTheLineLimit)
{
    QByteArray bytes;
    for (int i = 1; i <= PropertyTable::kMaxUBound + 1; ++i)
        bytes += "K" + QByteArray::number(i) + "=v\r\n";
    WriteBytes(Path("big.ini"), bytes);
    PropertyTable t(1);
    EXPECT_FALSE(LoadIniFile(Path("big.ini"), t));
    EXPECT_EQ(t.UBound(), PropertyTable::kMaxUBound);
    EXPECT_EQ(t[PropertyTable::kMaxUBound].Key, "K32767");
    EXPECT_THROW(SetValue("more", "x", t), conv::OverflowError);
}

TEST_F(SettingsStore, SavingNeverLosesTheOldFile)
{
    const QString path = Path("keep.ini");
    WriteBytes(path, "Old=1\r\n");
    EXPECT_FALSE(SaveIniFile(PropertyTable(), path)); // never created: nothing written
    EXPECT_EQ(ReadBytes(path), QByteArray("Old=1\r\n"));
    EXPECT_FALSE(SaveIniFile(TableOf({"A=1"}), Path("no/such/folder/x.ini")));
    EXPECT_FALSE(SaveIniFile(TableOf({"A=1"}), ""));
    // A created table with no keys writes an empty file.
    ASSERT_TRUE(SaveIniFile(PropertyTable(1), path));
    EXPECT_EQ(ReadBytes(path), QByteArray());
}

TEST_F(SettingsStore, SetValueAndSaveWritesTheWholeTable)
{
    PropertyTable t = TableOf({"Caption:Window Top=x", "B=2"});
    const QString path = Path("s.ini");
    ASSERT_TRUE(SetValueAndSave("window top", " 100 ", t, path));
    EXPECT_EQ(t[1].Value, " 100 "); // as given, any section
    ASSERT_TRUE(SetValueAndSave("New", "n", t, path));
    EXPECT_EQ(ReadBytes(path), QByteArray("Caption:Window Top= 100 \r\nB=2\r\nNew=n\r\n"));
}

TEST_F(SettingsStore, SortingIsStableByCharacterCodes)
{
    PropertyTable t = TableOf({"b=3", "B=1", "a=2"});
    EXPECT_EQ(SortEntries(t, 2, 1), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(SortEntries(t, 2, 2), (std::vector<int>{1, 3, 2}));
    EXPECT_EQ(SortEntries(t, 2, 0), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(SortEntries(t, 3, 1), (std::vector<int>{2, 3, 1}));
    EXPECT_EQ(SortEntries(t, 7, 1), (std::vector<int>{1, 2, 3}));
    PropertyTable eq = TableOf({"x=1", "y=1", "z=0"});
    t[2].Key.clear();
    EXPECT_EQ(SortEntries(t, 2, 1), (std::vector<int>{3, 1}));
    EXPECT_EQ(SortEntries(eq, 3, 1), (std::vector<int>{3, 1, 2}));
    EXPECT_EQ(SortEntries(eq, 3, 2), (std::vector<int>{1, 2, 3}));
}

TEST_F(SettingsStore, DateRangesAreReadInTheGivenYear)
{
    const PropertyTable t = TableOf({"PCaption:25/12=plain", "Message:20/12-05/01=Holidays~Enjoy", "Message:x-y=bad"});
    const struct {
        QDate day;
        const char* answer;
    } cases[] = {{{2024, 12, 28}, "Holidays~Enjoy"},
                 {{2025, 1, 5}, "Holidays~Enjoy"},
                 {{2024, 12, 20}, "Holidays~Enjoy"},
                 {{2024, 1, 2}, ""},
                 {{2025, 1, 6}, ""}};
    for (const auto& c : cases) {
        QString year = " 2024 ";
        EXPECT_EQ(FindDateEntry(c.day, t, year), c.answer) << c.day.toString().toStdString();
        EXPECT_EQ(year, "2024");
    }
    QString year = "2024";
    EXPECT_EQ(FindDateEntry(QDate(2024, 12, 25), TableOf({"Caption:25/12=x"}), year), "");
    EXPECT_EQ(FindDateEntry(QDate(), t, year), "");
    QString common = "2023";
    EXPECT_EQ(FindDateEntry(QDate(2023, 3, 1), TableOf({"M:29/02-02/03=leap"}), common), "");
}
