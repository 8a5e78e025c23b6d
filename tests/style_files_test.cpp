// Style files loaded into a window's settings table.
#include "core/settings_store.h"
#include "core/style_files.h"
#include "support/test_folders.h"

#include <gtest/gtest.h>

using namespace mduLib;
using testsupport::TableOf;
using testsupport::WriteBytes;

class StyleFiles : public testsupport::ProgramFolderTest {};

// A hand-edited settings file may hold a key twice; the look-ups read its first entry, so
// that is the one a style sets, or the style would never take effect.
TEST_F(StyleFiles, AKeyTheTableHoldsTwiceTakesTheStyleAtItsFirstEntry)
{
    const struct {
        const char* what;
        QStringList table;
        QByteArray style;
        QStringList after;
    } cases[] = {
        {"without section", {"Width=1", "Height=5", "width =2"}, "WIDTH=9\r\n", {"|Width|9", "|Height|5", "|width |2"}},
        {"with its section",
         {"Caption:25/12=a", "Other:25/12=b", "Caption:25/12=c"},
         "caption:25/12=z\r\n",
         {"Caption|25/12|z", "Other|25/12|b", "Caption|25/12|c"}},
        {"a later section matched by section",
         {"Other:25/12=b", "Caption:25/12=a", "Caption:25/12=c"},
         "Caption:25/12=z\r\n",
         {"Other|25/12|b", "Caption|25/12|z", "Caption|25/12|c"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(Path("style.ini"), c.style);
        PropertyTable table = TableOf(c.table);
        ASSERT_TRUE(LoadStyleFile(Path("style.ini"), table));
        QStringList got;
        for (int i = 1; i <= table.UBound(); ++i)
            got << table[i].Section + "|" + table[i].Key + "|" + table[i].Value;
        EXPECT_EQ(got, c.after);
        const PropertyItem& first = table[1].Section == "Other" ? table[2] : table[1];
        EXPECT_EQ(GetValue(first.Key, table, first.Section), first.Value);
    }
}

// What a style changes differs from the window's file: the table counts as changed, so
// that loading its file over it later (a month window taking its new month) does not take
// the style's values for what the file holds.
TEST_F(StyleFiles, AStyleThatChangesAValueMarksTheTableChanged)
{
    const QString file = Path("Almanorvique.ini");
    WriteBytes(file, "Orientation=Center\r\nClock Colour=Red\r\n");
    WriteBytes(Path("same.ini"), "Orientation=Center\r\n");
    WriteBytes(Path("other.ini"), "Clock Colour=Blue\r\n");
    PropertyTable table(1);
    ASSERT_TRUE(LoadIniFile(file, table));
    ASSERT_TRUE(LoadStyleFile(Path("same.ini"), table));
    EXPECT_FALSE(table.Changed());
    ASSERT_TRUE(LoadStyleFile(Path("other.ini"), table));
    EXPECT_TRUE(table.Changed());
    ASSERT_TRUE(LoadIniFile(Path("same.ini"), table));
    ASSERT_EQ(ChangesSinceSaved(table).size(), 1u);
    EXPECT_EQ(ChangesSinceSaved(table)[0].entry.Value, "Blue");
    const PropertyTable before = table;
    EXPECT_FALSE(LoadStyleFile(Path("missing.ini"), table));
    EXPECT_EQ(table.Revision(), before.Revision());
}
