#include "core/conversions.h"
#include "core/settings_store.h"
#include "core/style_files.h"
#include "support/test_folders.h"
#include "support/utf16_bytes.h"
#include "system/whole_file_write.h"

#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

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

TEST_F(SettingsStore, ReadsWithADefaultAnswerItOnlyForAMissingKey)
{
    const PropertyTable t = TableOf({"Show Clock=No,Yes,No", "Title=0", "Tips= NO ", "Blank=", "Stay Time=30,0,30",
                                     "Size=-1", "Word=abc", "Half=12.5px"});
    const struct {
        const char* key;
        bool yesWhenMissingIsYes, yesWhenMissingIsNo;
        double number; // whenMissing 7
    } cases[] = {
        {"show clock", false, false, 0}, {"Title", true, true, 0},      {"Tips", false, false, 0},
        {"Blank", true, true, 0},        {"Stay Time", true, true, 30}, {"Size", true, true, -1},
        {"Word", true, true, 0},         {"Half", true, true, 12.5},    {"Missing", true, false, 7},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GetYesNoProp(c.key, t, true), c.yesWhenMissingIsYes) << c.key;
        EXPECT_EQ(GetYesNoProp(c.key, t, false), c.yesWhenMissingIsNo) << c.key;
        EXPECT_EQ(GetNumberProp(c.key, t, 7), c.number) << c.key;
    }
    EXPECT_FALSE(GetYesNoProp("x", PropertyTable(), false)); // a table never created has no entry
    EXPECT_EQ(GetNumberProp("x", PropertyTable(), -1), -1);
    // The plain reads stay as they are: a missing key is "0", which IsYes takes for Yes.
    EXPECT_EQ(GetProp("Missing", t), "0");
}

TEST_F(SettingsStore, SettersKeepOrReplaceTheOptionList)
{
    const struct {
        const char* before;
        const char* prop;  // after SetProp Blue
        const char* value; // after SetValue Blue
    } cases[] = {
        {"Red,Red,Blue,Green", "Blue,Red,Blue,Green", "Blue"}, {"Red", "Blue", "Blue"}, {",Red", "Blue", "Blue"}};
    for (const auto& c : cases) {
        PropertyTable a = TableOf({QString("Colour=") + c.before});
        SetProp("colour", " Blue ", a);
        EXPECT_EQ(a[1].Value, c.prop) << c.before;
        PropertyTable b = TableOf({QString("Colour=") + c.before});
        SetValue("colour", "Blue", b);
        EXPECT_EQ(b[1].Value, c.value) << c.before;
    }
    // A one-character current value keeps its options too.
    PropertyTable week = TableOf({"Week Start Day=1,1,2,3"});
    SetProp("Week Start Day", "3", week);
    EXPECT_EQ(week[1].Value, "3,1,2,3");
    EXPECT_EQ(GetProp("Week Start Day", week), "3");
    EXPECT_EQ(GetPropOptions("Week Start Day", week), "1,2,3");
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

    // A range of one day is that day alone, not the days or the year after it.
    const PropertyTable one = TableOf({"Message:25/12-25/12=Christmas"});
    const struct {
        QDate day;
        const char* answer;
    } oneDay[] = {{{2024, 12, 25}, "Christmas"}, {{2024, 12, 24}, ""}, {{2024, 12, 26}, ""},
                  {{2024, 12, 31}, ""},          {{2025, 1, 1}, ""},   {{2025, 12, 25}, ""}};
    for (const auto& c : oneDay) {
        QString y = "2024";
        EXPECT_EQ(FindDateEntry(c.day, one, y), c.answer) << c.day.toString().toStdString();
    }
}

TEST_F(SettingsStore, EveryWriterMarksTheTableChangedAndLoadingDoesNot)
{
    const QStringList file{"Caption:01/01=a", "Colour=Red,Red,Blue", "K=v"};
    const struct {
        const char* what;
        std::function<void(PropertyTable&)> write;
        bool changes;
    } cases[] = {
        {"SetProp", [](PropertyTable& t) { SetProp("Colour", "Blue", t); }, true},
        {"SetProp, same value", [](PropertyTable& t) { SetProp("Colour", " Red ", t); }, false},
        {"SetProp, new key", [](PropertyTable& t) { SetProp("New", "1", t); }, true},
        {"SetValue", [](PropertyTable& t) { SetValue("01/01", "b", t, "Caption"); }, true},
        {"SetValue, same value", [](PropertyTable& t) { SetValue("01/01", "a", t, "Caption"); }, false},
        {"AppendEntry", [](PropertyTable& t) { AppendEntry("Caption", "02/01", "c", t); }, true},
        {"ClearEntry", [](PropertyTable& t) { ClearEntry("01/01", t); }, true},
        {"ClearEntry, no match", [](PropertyTable& t) { ClearEntry("09/09", t); }, false},
        {"GrowTo", [](PropertyTable& t) { t.GrowTo(t.UBound() + 5); }, true},
        {"reading",
         [](PropertyTable& t) {
             (void)GetValue("K", t);
             (void)SortEntries(t, 2, 1);
         },
         false},
    };
    for (const auto& c : cases) {
        WriteBytes(Path("t.ini"), "");
        ASSERT_TRUE(textfile::WriteLines(Path("t.ini"), file));
        PropertyTable t(1);
        ASSERT_TRUE(LoadIniFile(Path("t.ini"), t));
        EXPECT_FALSE(t.Changed()) << c.what;
        c.write(t);
        EXPECT_EQ(t.Changed(), c.changes) << c.what;
    }
    // Loading over a changed table keeps the mark: the table still differs from a file.
    PropertyTable t(1);
    SetValue("K", "mine", t);
    ASSERT_TRUE(LoadIniFile(Path("t.ini"), t));
    EXPECT_TRUE(t.Changed());
    t.Create(1);
    EXPECT_FALSE(t.Changed());
}

TEST_F(SettingsStore, TheRevisionChangesWithEveryWriteAndWithNoRead)
{
    // What a window keeps from its settings is good while the table's number stays.
    const QStringList lines{"Caption:01/01=a", "Colour=Red,Red,Blue", "K=v"};
    const struct {
        const char* what;
        std::function<void(PropertyTable&)> write;
    } writes[] = {
        {"SetProp", [](PropertyTable& t) { SetProp("Colour", "Blue", t); }},
        {"SetProp, new key", [](PropertyTable& t) { SetProp("New", "1", t); }},
        {"SetValue", [](PropertyTable& t) { SetValue("01/01", "b", t, "Caption"); }},
        {"SetValueAsGiven", [](PropertyTable& t) { SetValueAsGiven("K", " w", t); }},
        {"AppendEntry", [](PropertyTable& t) { AppendEntry("Caption", "02/01", "c", t); }},
        {"ClearEntry", [](PropertyTable& t) { ClearEntry("01/01", t); }},
        {"GrowTo", [](PropertyTable& t) { t.GrowTo(t.UBound() + 5); }},
        {"an entry written in place", [](PropertyTable& t) { t[2].Value = QStringLiteral("Green"); }},
        {"loaded", [](PropertyTable& t) { ASSERT_TRUE(LoadIniLines({"Colour=Blue"}, t)); }},
        {"created anew", [](PropertyTable& t) { t.Create(1); }},
        {"replaced by another table", [](PropertyTable& t) { t = TableOf({"Colour=Blue"}); }},
    };
    for (const auto& c : writes) {
        PropertyTable t(1);
        ASSERT_TRUE(LoadIniLines(lines, t));
        const quint64 before = t.Revision();
        c.write(t);
        EXPECT_NE(t.Revision(), before) << c.what;
    }

    PropertyTable t(1);
    ASSERT_TRUE(LoadIniLines(lines, t));
    const quint64 loaded = t.Revision();
    const PropertyTable& reader = t;
    (void)GetProp("Colour", reader);
    (void)GetValue("K", reader);
    (void)GetPropOptions("Colour", reader);
    (void)reader[1].Value;
    t.MarkSaved();
    EXPECT_EQ(t.Revision(), loaded) << "read and saved";

    // A copy carries the number with the entries; the number then goes its own way.
    PropertyTable copy = t;
    EXPECT_EQ(copy.Revision(), loaded);
    SetProp("Colour", "Blue", copy);
    EXPECT_NE(copy.Revision(), loaded);
    EXPECT_EQ(t.Revision(), loaded);
    // The table moved from holds other entries now, and another number.
    PropertyTable moved = std::move(t);
    EXPECT_EQ(moved.Revision(), loaded);
    EXPECT_NE(t.Revision(), loaded); // what a move leaves is asked on purpose
}

TEST_F(SettingsStore, OnlyAChangedTableIsWrittenBack)
{
    const QString path = Path("PersonalDates");
    WriteBytes(path, "Caption:01/01=a\r\n");
    PropertyTable t(1);
    ASSERT_TRUE(LoadIniFile(path, t));
    // Another program adds a line meanwhile; the unchanged table leaves the file alone.
    WriteBytes(path, "Caption:01/01=a\r\nCaption:02/01=theirs\r\n");
    testsupport::SetFileAge(path, -3600);
    const auto time = QFileInfo(path).lastModified();
    EXPECT_TRUE(SaveIniFileMerged(t, path));
    EXPECT_EQ(ReadBytes(path), "Caption:01/01=a\r\nCaption:02/01=theirs\r\n");
    EXPECT_EQ(QFileInfo(path).lastModified(), time);
    // A value set back to what it was is no change either.
    SetValue("01/01", "b", t, "Caption");
    SetValue("01/01", "a", t, "Caption");
    EXPECT_TRUE(SaveIniFileMerged(t, path));
    EXPECT_EQ(QFileInfo(path).lastModified(), time);

    SetValue("03/01", "mine", t, "Caption");
    EXPECT_TRUE(SaveIniFileMerged(t, path));
    EXPECT_EQ(ReadBytes(path), "Caption:01/01=a\r\nCaption:02/01=theirs\r\nCaption:03/01=mine\r\n");
    EXPECT_FALSE(t.Changed());

    // A missing file is made whole, so that the next start finds it.
    PropertyTable empty(1);
    EXPECT_TRUE(SaveIniFileMerged(empty, Path("new")));
    EXPECT_TRUE(QFileInfo::exists(Path("new")));
    EXPECT_FALSE(SaveIniFileMerged(empty, Path("no such folder/x")));
    PropertyTable never;
    EXPECT_FALSE(SaveIniFileMerged(never, path));
}

// Two tables of one date file (two copies of the program, or the date manager beside a
// window), and the file edited outside: each write puts only its own table's changes
// into the file as it is then, so that nobody's entries are lost; for a key both
// changed, the last writer wins.
TEST_F(SettingsStore, WritersOfOneFileKeepEachOthersEntries)
{
    const QByteArray start = "PCaption:01/12=Feast\r\nPCaption:05/12=Old\r\nActivity:07/12=Call\r\n";
    const struct {
        const char* what;
        std::function<void(PropertyTable& a, PropertyTable& b, const QString& path)> steps;
        QByteArray file;
    } cases[] = {
        {"each adds a caption, A closes first",
         [](PropertyTable& a, PropertyTable& b, const QString& path) {
             SetValue("08/12", "Birthday", b, "PCaption");
             SetValue("09/12", "Anniversary", a, "PCaption");
             EXPECT_TRUE(SaveIniFileMerged(a, path));
             EXPECT_TRUE(SaveIniFileMerged(b, path));
         },
         start + "PCaption:09/12=Anniversary\r\nPCaption:08/12=Birthday\r\n"},
        {"one deletes, the other changes another key",
         [](PropertyTable& a, PropertyTable& b, const QString& path) {
             ClearEntry("07/12", a, "Activity");
             SetValue("05/12", "New", b, "PCaption");
             EXPECT_TRUE(SaveIniFileMerged(b, path));
             EXPECT_TRUE(SaveIniFileMerged(a, path));
         },
         "PCaption:01/12=Feast\r\nPCaption:05/12=New\r\n"},
        {"both change one key: the last writer wins",
         [](PropertyTable& a, PropertyTable& b, const QString& path) {
             SetValue("05/12", "A's", a, "PCaption");
             SetValue("05/12", "B's", b, "PCaption");
             EXPECT_TRUE(SaveIniFileMerged(a, path));
             EXPECT_TRUE(SaveIniFileMerged(b, path));
         },
         "PCaption:01/12=Feast\r\nPCaption:05/12=B's\r\nActivity:07/12=Call\r\n"},
        {"one changes a key the other deleted and saved",
         [](PropertyTable& a, PropertyTable& b, const QString& path) {
             ClearEntry("05/12", a, "PCaption");
             EXPECT_TRUE(SaveIniFileMerged(a, path));
             SetValue("05/12", "Kept", b, "PCaption");
             EXPECT_TRUE(SaveIniFileMerged(b, path));
         },
         "PCaption:01/12=Feast\r\nActivity:07/12=Call\r\nPCaption:05/12=Kept\r\n"},
        {"an entry written straight into the table (the date manager's row commit)",
         [](PropertyTable& a, PropertyTable& b, const QString& path) {
             b[2].Value = "Edited";
             b.MarkChanged();
             SetValue("16/12", "Note", a, "Activity");
             EXPECT_TRUE(SaveIniFileMerged(a, path));
             EXPECT_TRUE(SaveIniFileMerged(b, path));
         },
         "PCaption:01/12=Feast\r\nPCaption:05/12=Edited\r\nActivity:07/12=Call\r\nActivity:16/12=Note\r\n"},
        {"the other saves, this one reloads keeping its unsaved note, then saves",
         [](PropertyTable& a, PropertyTable& b, const QString& path) {
             SetValue("16/12", "Note", a, "Activity");
             SetValue("01/12", "Feast day", b, "PCaption");
             ClearEntry("07/12", b, "Activity");
             EXPECT_TRUE(SaveIniFileMerged(b, path));
             EXPECT_TRUE(ReloadKeepingChanges(a, path));
             EXPECT_EQ(GetValue("01/12", a, "PCaption"), "Feast day");
             EXPECT_EQ(GetValue("07/12", a, "Activity"), "");
             EXPECT_EQ(GetValue("16/12", a, "Activity"), "Note");
             EXPECT_TRUE(SaveIniFileMerged(a, path));
         },
         "PCaption:01/12=Feast day\r\nPCaption:05/12=Old\r\nActivity:16/12=Note\r\n"},
        {"an outside edit, then a change",
         [](PropertyTable& a, PropertyTable&, const QString& path) {
             WriteBytes(path, "PCaption:01/12=Feast\r\nPCaption:05/12=Outside\r\nPCaption:06/12=Added\r\n");
             SetValue("07/12", "Later", a, "Activity");
             EXPECT_TRUE(SaveIniFileMerged(a, path));
         },
         "PCaption:01/12=Feast\r\nPCaption:05/12=Outside\r\nPCaption:06/12=Added\r\nActivity:07/12=Later\r\n"},
        {"the file was deleted meanwhile: the whole table is written",
         [](PropertyTable& a, PropertyTable&, const QString& path) {
             QFile::remove(path);
             SetValue("08/12", "Mine", a, "PCaption");
             EXPECT_TRUE(SaveIniFileMerged(a, path));
         },
         start + "PCaption:08/12=Mine\r\n"},
        {"a key the file holds twice: its first line changes, as the store reads it",
         [](PropertyTable& a, PropertyTable&, const QString& path) {
             WriteBytes(path, "PCaption:05/12=First\r\nPCaption:05/12=Second\r\n");
             SetValue("05/12", "Mine", a, "PCaption");
             EXPECT_TRUE(SaveIniFileMerged(a, path));
         },
         "PCaption:05/12=Mine\r\nPCaption:05/12=Second\r\n"},
    };
    const QString path = Path("2026");
    for (const auto& c : cases) {
        WriteBytes(path, start);
        PropertyTable a(1), b(1);
        ASSERT_TRUE(LoadIniFile(path, a));
        ASSERT_TRUE(LoadIniFile(path, b));
        c.steps(a, b, path);
        EXPECT_EQ(ReadBytes(path).toStdString(), c.file.toStdString()) << c.what;
        EXPECT_TRUE(ChangesSinceSaved(a).empty()) << c.what;
    }
}

TEST_F(SettingsStore, AFileThatCannotBeReadWholeIsNotMergedInto)
{
    const QString path = Path("2026");
    WriteBytes(path, "PCaption:01/12=Feast\r\n");
    PropertyTable a(1);
    ASSERT_TRUE(LoadIniFile(path, a));
    SetValue("02/12", "Mine", a, "PCaption");
    QByteArray huge;
    for (int i = 0; i < PropertyTable::kMaxUBound + 5; ++i)
        huge += "K" + QByteArray::number(i) + "=v\r\n";
    WriteBytes(path, huge);
    EXPECT_FALSE(SaveIniFileMerged(a, path));
    EXPECT_EQ(ReadBytes(path), huge);
    EXPECT_FALSE(ChangesSinceSaved(a).empty()); // kept for a later try
    EXPECT_FALSE(ReloadKeepingChanges(a, path));
    EXPECT_EQ(GetValue("02/12", a, "PCaption"), "Mine");
}

TEST_F(SettingsStore, SavingALoadedFileTwiceChangesNothingAfterTheFirst)
{
    const struct {
        const char* what;
        QByteArray file, saved; // saved empty: the file stays as it is
        // False where a key holding ":" without a section is read back as section and key.
        bool entriesKept = true;
    } cases[] = {
        {"plain settings", "Width=5400\r\nOrientation=Portrait Top,Portrait Top,Center\r\n", ""},
        {"date entries", "PCaption:25/12=Christmas Day\r\nPFormat:25/12=,,True,False,255,,\r\n", ""},
        {"blanks around keys and values", " Key = v \r\n PCaption : 25/12 = x \r\n", ""},
        {"a no-break space",
         "Caption:01/01=a\xa0"
         "b\xa0\r\n",
         ""},
        {"Windows-1252 letters", "Caption:01/01=\x80 \xe9t\xe9 \x93q\x94\r\n", ""},
        {"UTF-8 letters",
         "Caption:24/12=Wigilia Bo\xc5\xbc"
         "ego Narodzenia\r\n",
         ""},
        {"UTF-8 with a byte order mark", "\xef\xbb\xbfK=\xc3\xa9\r\n", ""},
        {"a sectionless key with a colon", ":PCaption:25/12=x\r\n", "PCaption:25/12=x\r\n", false},
        {"a key that starts with a colon", "::x=1\r\n", ""},
        {"more = in the value", "K=a=b=c\r\n", ""},
        {"a bare line", "bare\r\n", "bare=\r\n"},
        {"a bare line with a colon", "PMessage:25/12\r\n", "PMessage:25/12=\r\n", false},
        {"a bare line with colons and blanks", "Sec:with colon no equals\r\n", "Sec:with colon no equals=\r\n", false},
        {"a bare line that starts with a colon", ":x\r\n", "::x=\r\n"},
        {"a bare line that ends in its colon", "Notes:\r\n", ":Notes:=\r\n"},
        {"forced values", "K=^x\r\nL=^^y\r\n", "K=x\r\nL=y\r\n"},
        {"empty keys and blank lines", "=x\r\n\r\nS:=y\r\nK=1\r\n", "K=1\r\n"},
        {"CR alone and no final line end", "A=1\rB=2", "A=1\rB=2\r"},
        {"LF line ends from a Linux editor", "Width=5400\nCaption:01/01=Caf\xe9\nOrientation=Center\n", ""},
        {"CR line ends", "Width=5400\rCaption:01/01=x\r", ""},
        {"LF with a byte order mark and no final line end", "\xef\xbb\xbfK=\xc3\xa9\nL=1",
         "\xef\xbb\xbfK=\xc3\xa9\nL=1\n"},
        {"mixed line ends", "A=1\nB=2\r\nC=3\rD=4\n", "A=1\r\nB=2\r\nC=3\r\nD=4\r\n"},
    };
    const QString path = Path("f");
    for (const auto& c : cases) {
        WriteBytes(path, c.file);
        PropertyTable t(1);
        LoadIniFile(path, t);
        ASSERT_TRUE(SaveIniFile(t, path)) << c.what;
        const QByteArray first = ReadBytes(path);
        EXPECT_EQ(first, c.saved.isEmpty() ? c.file : c.saved) << c.what;
        PropertyTable again(1);
        LoadIniFile(path, again);
        ASSERT_TRUE(SaveIniFile(again, path)) << c.what;
        EXPECT_EQ(ReadBytes(path), first) << c.what;
        // Each entry reads back as it was (a forced value loses its marker).
        const auto readBack = [&](const PropertyItem& e) {
            for (int i = 1; i <= again.UBound(); ++i)
                if (again[i] == e)
                    return true;
            return false;
        };
        for (int i = 1; i <= t.UBound() && c.entriesKept; ++i)
            if (!t[i].Key.isEmpty() && !t[i].Value.startsWith(u'^')) {
                EXPECT_TRUE(readBack(t[i])) << c.what << " " << t[i].Key.toStdString();
            }
    }
}

TEST_F(SettingsStore, LettersOutsideWindows1252AreKept)
{
    const struct {
        const char* what;
        QByteArray file;
        QString caption;
        QByteArray saved;
    } cases[] = {
        {"Polish typed into a Windows-1252 file", "Caption:01/01=Caf\xe9\r\n",
         QString::fromUtf8("Wigilia Bo\xc5\xbc"
                           "ego Narodzenia"),
         "Caption:01/01=Caf\xc3\xa9\r\nCaption:24/12=Wigilia Bo\xc5\xbc"
         "ego Narodzenia\r\n"},
        {"Cyrillic typed into a Windows-1252 file", "Caption:01/01=Caf\xe9\r\n",
         QString::fromUtf8("\xd0\xa0\xd0\xbe\xd0\xb6\xd0\xb4\xd0\xb5\xd1\x81\xd1\x82\xd0\xb2\xd0\xbe"),
         "Caption:01/01=Caf\xc3\xa9\r\nCaption:24/12=\xd0\xa0\xd0\xbe\xd0\xb6\xd0\xb4\xd0\xb5\xd1\x81\xd1\x82"
         "\xd0\xb2\xd0\xbe\r\n"},
        {"Windows-1252 text into a Windows-1252 file", "Caption:01/01=Caf\xe9\r\n", QString::fromUtf8("F\xc3\xaate"),
         "Caption:01/01=Caf\xe9\r\nCaption:24/12=F\xeate\r\n"},
        {"a UTF-8 file from an editor stays UTF-8", "Caption:01/01=Caf\xc3\xa9\r\n", QString::fromUtf8("F\xc3\xaate"),
         "Caption:01/01=Caf\xc3\xa9\r\nCaption:24/12=F\xc3\xaate\r\n"},
        {"a new file whose text does not fit", "", QString::fromUtf8("\xd0\xa0"), "Caption:24/12=\xd0\xa0\r\n"},
    };
    const QString path = Path("PersonalDates");
    for (const auto& c : cases) {
        QFile::remove(path);
        if (!c.file.isEmpty())
            WriteBytes(path, c.file);
        PropertyTable t(1);
        LoadIniFile(path, t);
        if (!c.file.isEmpty()) {
            EXPECT_EQ(GetValue("01/01", t), QString::fromUtf8("Caf\xc3\xa9")) << c.what;
        }
        SetValue("24/12", c.caption, t, "Caption");
        ASSERT_TRUE(SaveIniFile(t, path)) << c.what;
        EXPECT_EQ(ReadBytes(path), c.saved) << c.what;
        PropertyTable back(1);
        ASSERT_TRUE(LoadIniFile(path, back)) << c.what;
        EXPECT_EQ(GetValue("24/12", back, "Caption"), c.caption) << c.what;
    }
}

TEST_F(SettingsStore, AStyleReplacesTheFirstMatchOrAppends)
{
    // Each style line changes the first entry its key (and section, when it has one)
    // matches, as every look-up does; a line nothing matches is appended, and a later line
    // with its key changes that one.
    WriteBytes(Path("style.ini"), "back color=1\r\n"
                                  "PCaption:25/12=two\r\n"
                                  "pcaption:25/12=three\r\n"
                                  " Width=4\r\n"
                                  "New Key=5\r\n"
                                  "NEW KEY=6\r\n"
                                  "Other:Height=7\r\n");
    auto table = TableOf({" Back Color =0", "Width=0", "Caption:25/12=x", " pcaption :25/12=y", "Height=0"});
    ASSERT_TRUE(LoadStyleFile(Path("style.ini"), table));
    QStringList got;
    for (int i = 1; i <= table.UBound(); ++i)
        got << table[i].Section + "|" + table[i].Key + "|" + table[i].Value;
    EXPECT_EQ(got, QStringList({"| Back Color |1", "|Width|0", "Caption|25/12|x", " pcaption |25/12|three", "|Height|0",
                                "| Width|4", "|New Key|6", "Other|Height|7"}));
}

TEST_F(SettingsStore, EachRowOfARepeatedKeyIsMergedAtItsOwnPlace)
{
    // A hand-edited file may hold a key twice; the date manager edits each row of it.
    const QString path = Path("2024");
    WriteBytes(path, "PCaption:25/12=First\r\nPCaption:25/12=Second\r\nPCaption:26/12=Third\r\n");
    PropertyTable t(1);
    ASSERT_TRUE(LoadIniFile(path, t));
    t[2].Value = "Edited second";
    t.MarkChanged();
    ASSERT_TRUE(SaveIniFileMerged(t, path));
    EXPECT_EQ(ReadBytes(path), "PCaption:25/12=First\r\nPCaption:25/12=Edited second\r\nPCaption:26/12=Third\r\n");
    // Deleting the first row leaves the second where it is.
    t[1].Key.clear();
    t[1].Value.clear();
    t.MarkChanged();
    ASSERT_TRUE(SaveIniFileMerged(t, path));
    EXPECT_EQ(ReadBytes(path), "PCaption:25/12=Edited second\r\nPCaption:26/12=Third\r\n");
}

TEST_F(SettingsStore, AMergeIntoAFullFileIsRefusedAndSaid)
{
    const QString path = Path("2026");
    WriteBytes(path, "K0=v\r\n");
    PropertyTable t(1);
    ASSERT_TRUE(LoadIniFile(path, t));
    SetValue("Mine", "x", t);
    QByteArray full; // another copy filled the file meanwhile
    for (int i = 0; i < PropertyTable::kMaxUBound; ++i)
        full += "K" + QByteArray::number(i) + "=v\r\n";
    WriteBytes(path, full);
    bool saved = true;
    EXPECT_NO_THROW(saved = SaveIniFileMerged(t, path));
    EXPECT_FALSE(saved);
    EXPECT_TRUE(platform::LastWriteFailure().contains(path));
    EXPECT_EQ(ReadBytes(path), full);
    bool reloaded = true;
    EXPECT_NO_THROW(reloaded = ReloadKeepingChanges(t, path));
    EXPECT_FALSE(reloaded);
    EXPECT_EQ(GetValue("Mine", t), "x"); // the table keeps this run's entry
}

TEST_F(SettingsStore, TwoProcessesSavingAtOnceKeepEveryEntry)
{
    const QString path = Path("PersonalDates");
    WriteBytes(path, "Caption:01/01=start\r\n");
    pid_t kids[2];
    for (int k = 0; k < 2; ++k) {
        kids[k] = fork();
        ASSERT_GE(kids[k], 0);
        if (kids[k] == 0) {
            PropertyTable t(1);
            LoadIniFile(path, t);
            for (int i = 0; i < 100; ++i) {
                SetValue(QString("K%1_%2").arg(k).arg(i), "v", t, "Caption");
                SaveIniFileMerged(t, path);
            }
            _exit(0);
        }
    }
    for (pid_t p : kids)
        waitpid(p, nullptr, 0);
    PropertyTable t(1);
    ASSERT_TRUE(LoadIniFile(path, t));
    int n = 0;
    for (int i = 1; i <= t.UBound(); ++i)
        n += t[i].Key.startsWith("K");
    EXPECT_EQ(n, 200) << "entries lost by saves at the same moment";
}

using testsupport::Utf16;

TEST_F(SettingsStore, ACreatedTableIsItsOwnSavedBase)
{
    // A table made anew holds nothing of the file it held before: a merged write then adds
    // its own entries and deletes none of that file's.
    const QString path = Path("Almanorvique.ini");
    WriteBytes(path, "A=1\r\nB=2\r\n");
    PropertyTable t(1);
    ASSERT_TRUE(LoadIniFile(path, t));
    t.Create(1);
    EXPECT_EQ(t.Saved().size(), 2u);
    SetValue("C", "3", t);
    ASSERT_TRUE(SaveIniFileMerged(t, path));
    EXPECT_EQ(ReadBytes(path), "A=1\r\nB=2\r\nC=3\r\n");
}

TEST_F(SettingsStore, NewEntriesReachTheFileInTheOrderTheyWereMade)
{
    const QString path = Path("Almanorvique.ini");
    WriteBytes(path, "A=1\r\n");
    PropertyTable t(1);
    ASSERT_TRUE(LoadIniFile(path, t));
    SetValue("First", "1", t);
    SetProp("Second", "2", t);
    AppendEntry("Caption", "01/01", "3", t);
    SetValue("A", "changed", t);
    ASSERT_TRUE(SaveIniFileMerged(t, path));
    EXPECT_EQ(ReadBytes(path), "A=changed\r\nFirst=1\r\nSecond=2\r\nCaption:01/01=3\r\n");
}

// A settings file saved as UTF-16 (as some editors do) is read as the text it is and
// written back in it, mark and line ends kept.
TEST_F(SettingsStore, AUtf16FileIsReadAndWrittenInItsOwnByteOrder)
{
    const QString path = Path("Almanorvique.ini");
    const QString text = QString::fromUtf8("Window Top=1000\r\nCaption:24/12=R\xc3\xa9veillon \xf0\x9f\x8e\x84\r\n");
    for (const bool big : {false, true}) {
        SCOPED_TRACE(big ? "high byte first" : "low byte first");
        WriteBytes(path, Utf16(text, big));
        PropertyTable t(1);
        QString problem = "x";
        ASSERT_TRUE(LoadIniFileForRewrite(path, t, &problem));
        EXPECT_EQ(problem, "");
        EXPECT_EQ(GetProp("Window Top", t), "1000");
        EXPECT_EQ(GetValue("24/12", t, "Caption"), QString::fromUtf8("R\xc3\xa9veillon \xf0\x9f\x8e\x84"));
        ASSERT_TRUE(SaveIniFile(t, path));
        EXPECT_EQ(ReadBytes(path), Utf16(text, big));
        SetValue("Window Top", "1200", t);
        SetValue("Window Left", "300", t);
        ASSERT_TRUE(SaveIniFileMerged(t, path));
        EXPECT_EQ(ReadBytes(path),
                  Utf16(QString::fromUtf8("Window Top=1200\r\nCaption:24/12=R\xc3\xa9veillon \xf0\x9f\x8e\x84\r\n"
                                          "Window Left=300\r\n"),
                        big));
    }
}

// A file the store cannot read whole (cut at the line limit, or bytes that are not the
// UTF-16 their mark names) is never written over: every writer refuses it and says why.
TEST_F(SettingsStore, AFileThatCannotBeReadWholeIsNeverWrittenOver)
{
    QByteArray huge = "Orientation=Center\r\n";
    for (int i = 0; i < PropertyTable::kMaxUBound + 10; ++i)
        huge += "My Key " + QByteArray::number(i) + "=v\r\n";
    const struct {
        const char* what;
        QByteArray file;
        const char* reason;
    } files[] = {
        {"over the line limit", huge, "too long to read whole"},
        {"UTF-16, low byte first, cut", Utf16("Orientation=Center\r\n", false).chopped(1), "UTF-16"},
        {"UTF-16, high byte first, a lone surrogate", Utf16(QString("A=") + QChar(0xD800) + "\r\n", true), "UTF-16"},
    };
    const struct {
        const char* what;
        std::function<bool(PropertyTable&, const QString&)> write;
    } writers[] = {
        {"merged", [](PropertyTable& t, const QString& p) { return SaveIniFileMerged(t, p); }},
        {"replacing", [](PropertyTable& t, const QString& p) { return SaveIniFileReplacing(t, p); }},
    };
    const QString path = Path("Almanorvique.ini");
    for (const auto& f : files)
        for (const auto& w : writers) {
            SCOPED_TRACE(std::string(f.what) + ", " + w.what);
            WriteBytes(path, f.file);
            PropertyTable t(1);
            QString problem;
            EXPECT_FALSE(LoadIniFileForRewrite(path, t, &problem));
            EXPECT_TRUE(problem.contains(f.reason)) << problem.toStdString();
            SetProp("Orientation", "Portrait Top", t);
            EXPECT_FALSE(w.write(t, path));
            EXPECT_EQ(ReadBytes(path), f.file);
            EXPECT_TRUE(platform::LastWriteFailure().contains(path));
            EXPECT_TRUE(platform::LastWriteFailure().contains(f.reason)) << platform::LastWriteFailure().toStdString();
        }
    // A file that is there whole, or none, is replaced.
    PropertyTable t = TableOf({"A=1"});
    WriteBytes(path, "Old=1\r\n");
    EXPECT_TRUE(SaveIniFileReplacing(t, path));
    EXPECT_EQ(ReadBytes(path), "A=1\r\n");
    QFile::remove(path);
    EXPECT_TRUE(SaveIniFileReplacing(t, path));
    EXPECT_EQ(ReadBytes(path), "A=1\r\n");
}
