#include "core/app_identity.h"
#include "core/settings_templates.h"
#include "support/test_folders.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace mduLib;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {
// Lines as a file holds them: each followed by CR LF.
QByteArray FileOf(const std::vector<QByteArray>& lines)
{
    QByteArray b;
    for (const QByteArray& l : lines)
        b += l + "\r\n";
    return b;
}
} // namespace

class SettingsTemplates : public testsupport::ProgramFolderTest {
protected:
    QString User() const { return Path("user.ini"); }
    QString Template() const { return Path("template.ini"); }
};

TEST_F(SettingsTemplates, TheWorkedExampleMergesIntoTheUsersOwnFile)
{
    WriteBytes(Template(), FileOf({"Window Width=-1",
                                   "Orientation=Portrait Top,Portrait Top,Portrait Bottom,Landscape Left,"
                                   "Landscape Right,Center",
                                   "Show Clock=^Yes", "Clock Colour=Black"}));
    WriteBytes(User(), FileOf({"Old Key=1", "Show Clock=No", "Orientation=Center,Portrait Top,Portrait Bottom",
                               "Window Width=5200"}));
    ASSERT_TRUE(MergeIniFile(User(), Template(), User()));
    EXPECT_EQ(ReadBytes(User()),
              FileOf({"Window Width=5200",
                      "Orientation=Center,Portrait Top,Portrait Bottom,Landscape Left,Landscape Right,Center",
                      "Show Clock=Yes", "Clock Colour=Black"}));
}

TEST_F(SettingsTemplates, MergeRules)
{
    const struct {
        const char* what;
        std::vector<QByteArray> templ, user, out;
    } cases[] = {
        {"keys match in any case; the user's line is kept as it stands", {"Width=1"}, {"width=5 "}, {"width=5 "}},
        {"a forced value replaces the user's", {"K=  ^5 "}, {"K=7"}, {"K=5"}},
        {"a forced value the user lacks keeps its marker", {"K=^5"}, {}, {"K=^5"}},
        {"text after a second = is lost in a rewritten line", {"K=^a=b"}, {"K=c"}, {"K=a"}},
        {"text after a second = stays in the user's line", {"K=a=b"}, {"K=c=d"}, {"K=c=d"}},
        {"equal option lists keep the user's line", {"List=b,x,y"}, {"List=a,x,y"}, {"List=a,x,y"}},
        {"a user value without options keeps the user's line", {"List=b,x,y"}, {"List=a"}, {"List=a"}},
        {"a newer option list keeps the user's choice", {"List=b,x,y,z"}, {"List=a,x,y"}, {"List=a,x,y,z"}},
        {"blank lines and section lines are copied",
         {"", "   ", "[Main]", "Width=1"},
         {"[Main]", "Width=9"},
         {"", "   ", "[Main]", "Width=9"}},
        {"a key under a section only finds the user's key under that section",
         {"Width=1", "[Main]", "Width=2", "[Other]", "Width=3"},
         {"Width=7", "[Main]", "Width=8"},
         {"Width=7", "[Main]", "Width=8", "[Other]", "Width=3"}},
        {"a value with brackets is no section line",
         {"Caption=Hello [World]", "Width=1"},
         {"Caption=Bye [World]", "Width=5"},
         {"Caption=Bye [World]", "Width=5"}},
        {"a key moved behind a prefix keeps the user's value", {"Sec:Key=1"}, {"Key=5"}, {"Sec:Key=5"}},
        {"the prefix rule compares the key exactly", {"Sec:Key=1"}, {"key=5"}, {"Sec:Key=1"}},
        {"a forced prefixed key takes the template's value", {"Sec:Key=^9"}, {"key=5"}, {"Sec:Key=9"}},
        {"user-only lines are dropped", {"A=1"}, {"Old=2", "A=3"}, {"A=3"}},
        {"a template line without = keeps the rest of the merge",
         {"Bare", "Note line", "Width=1"},
         {"Bare=5", "Width=3"},
         {"Bare=5", "Note line", "Width=3"}},
        {"a user line without = has an empty value and gets its =",
         {"K=a,b", "F=^x", "Width=1"},
         {"K", "F", "Width=3"},
         {"K=", "F=x", "Width=3"}},
        {"a repeated user key keeps its first line and the later keys",
         {"Width=0", "Height=0"},
         {"Width=1", "Width=2", "Height=3"},
         {"Width=1", "Height=3"}},
        {"a repeated section keeps the keys after it",
         {"[A]", "X=0", "Y=0"},
         {"[A]", "X=1", "[A]", "Y=2"},
         {"[A]", "X=1", "Y=2"}},
        {"characters of the code page survive",
         {"Caption=\xe9t\xe9", "Sign=\x80"},
         {"Caption=\xe0 \x80"},
         {"Caption=\xe0 \x80", "Sign=\x80"}},
        {"a value with brackets is no section line",
         {"Window Background Files=None", "Clock Colour=Black,Black,Red", "Show Clock=Yes"},
         {"Window Background Files=/home/me/Pictures/[2024] Holiday/sea.jpg", "Clock Colour=Red,Black,Red",
          "Show Clock=No"},
         {"Window Background Files=/home/me/Pictures/[2024] Holiday/sea.jpg", "Clock Colour=Red,Black,Red",
          "Show Clock=No"}},
        {"a section line may have blanks around it",
         {"  [Main]  ", "Width=1"},
         {"[Main]", "Width=9"},
         {"  [Main]  ", "Width=9"}},
        {"a bracketed line with = is an entry", {"[A]=x", "Width=1"}, {"[A]=y", "Width=9"}, {"[A]=y", "Width=9"}},
        {"a key named as its section line keeps its value",
         {"[Main]", "[Main]=x", "Width=1"},
         {"[Main]", "[Main]=Red", "Width=9"},
         {"[Main]", "[Main]=Red", "Width=9"}},
        {"an empty section and a key named after it", {"[]", "[]=x"}, {}, {"[]", "[]=x"}},
        {"a template key with blanks finds the user's value",
         {"Clock:Show = Yes,Yes,No", "Clock : Size =^2"},
         {"Clock:Show=No,Yes", "Clock:Size=5"},
         {"Clock:Show=No,Yes,No", "Clock : Size=2"}},
        {"a user key with blanks is found", {"Clock:Show=Yes"}, {" Clock : Show =No"}, {" Clock : Show =No"}},
        {"a user line without = keeps its key",
         {"PMessage:25/12=Merry", "K=a,b"},
         {"PMessage:25/12", "K"},
         {"PMessage:25/12=", "K="}},
        {"a template line without = stays as it is", {"Note line", "Width=1"}, {"Width=3"}, {"Note line", "Width=3"}},
        {"the first of the user's duplicates stays",
         {"PMessage:25/12=x", "K=0"},
         {" PMessage:25/12=first", "PMessage:25/12=second", "K=1", "k =2"},
         {" PMessage:25/12=first", "K=1"}},
        {"a duplicate template key the user lacks", {"K=1", " k =2", "L=3"}, {"L=4"}, {"K=1", "K=1", "L=4"}},
        {"a forced value the user lacks, merged again", {"K=^5", "L=^6"}, {"L=7"}, {"K=^5", "L=6"}},
        {"a sectionless key with a colon",
         {":PCaption:25/12=Template", ":X:Y=t"},
         {":PCaption:25/12=Mine", "X:Y=u"},
         {":PCaption:25/12=Mine", ":X:Y=u"}},
        {"font formats are no option lists",
         {"PFormat:25/12=,,True,False,255,,", "Format:01/01=Arial,10,,,0,,"},
         {"PFormat:25/12=Georgia,14,True,True,16711680,True,", "format:01/01=Georgia,12,,,255,,"},
         {"PFormat:25/12=Georgia,14,True,True,16711680,True,", "format:01/01=Georgia,12,,,255,,"}},
    };
    // Each merge gives the result, and merging the result again changes nothing.
    for (const auto& c : cases) {
        WriteBytes(Template(), FileOf(c.templ));
        WriteBytes(User(), FileOf(c.user));
        EXPECT_TRUE(MergeIniFile(User(), Template(), User())) << c.what;
        EXPECT_EQ(ReadBytes(User()).toStdString(), FileOf(c.out).toStdString()) << c.what;
        EXPECT_TRUE(MergeIniFile(User(), Template(), User())) << c.what;
        EXPECT_EQ(ReadBytes(User()).toStdString(), FileOf(c.out).toStdString()) << c.what << ", merged again";
    }
}

TEST_F(SettingsTemplates, AMissingUserFileGivesTheTemplate)
{
    WriteBytes(Template(), FileOf({"A=^1", "B=2"}));
    ASSERT_TRUE(MergeIniFile(Path("missing.ini"), Template(), Path("out.ini")));
    EXPECT_EQ(ReadBytes(Path("out.ini")), FileOf({"A=^1", "B=2"}));
    // A new file has CR LF, whatever the template has.
    WriteBytes(Template(), "A=^1\nB=2\n");
    ASSERT_TRUE(MergeIniFile(Path("missing.ini"), Template(), Path("new.ini")));
    EXPECT_EQ(ReadBytes(Path("new.ini")), FileOf({"A=^1", "B=2"}));
}

TEST_F(SettingsTemplates, AFailedMergeLeavesTheUsersFileAsItWas)
{
    const QByteArray own = FileOf({"Window Width=5200", "Old Key=1"});
    WriteBytes(User(), own);
    EXPECT_FALSE(MergeIniFile(User(), Path("no such template.ini"), User()));
    EXPECT_EQ(ReadBytes(User()), own);

    // An output that cannot be written.
    WriteBytes(Template(), FileOf({"Window Width=-1"}));
    EXPECT_FALSE(MergeIniFile(User(), Template(), Path("no such folder/out.ini")));
    EXPECT_FALSE(QFileInfo::exists(Path("no such folder/out.ini")));
    EXPECT_EQ(ReadBytes(User()), own);
}

TEST_F(SettingsTemplates, AUserFileThatCannotBeReadIsNotReplaced)
{
    // Something that exists under the user file's name but cannot be read as one.
    QDir().mkpath(Path("user as folder.ini"));
    WriteBytes(Template(), FileOf({"Window Width=-1"}));
    EXPECT_FALSE(MergeIniFile(Path("user as folder.ini"), Template(), Path("out.ini")));
    EXPECT_FALSE(QFileInfo::exists(Path("out.ini")));
}

TEST_F(SettingsTemplates, TheKeyCollectionKeysLinesBySectionAndKeyPart)
{
    WriteBytes(User(), FileOf({"Width=1", "", "[Main]", "Width=2", "Width=3", "Bare"}));
    KeyCollection keys;
    ASSERT_TRUE(LoadKeyCollection(User(), keys));
    EXPECT_EQ(keys.Count(), 4);
    const struct {
        const char* key;
        const char* line; // nullptr: not held
    } cases[] = {
        {"width", "Width=1"},   {"[main][main]", "[Main]"}, {"[MAIN]Width", "Width=2"},
        {"[Main]Bare", "Bare"}, {"Bare", nullptr},          {"", nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CollectionHasKey(keys, c.key), c.line != nullptr) << c.key;
        const QString* line = keys.Find(c.key);
        if (c.line && line) {
            EXPECT_EQ(*line, c.line) << c.key;
        }
    }
    KeyCollection none;
    EXPECT_FALSE(LoadKeyCollection(Path("missing.ini"), none));
    EXPECT_EQ(none.Count(), 0);
}

TEST_F(SettingsTemplates, WithIniExtension)
{
    const struct {
        const char* name;
        const char* result;
    } cases[] = {
        {"7", "7.ini"}, {"Almanorvique", "Almanorvique.ini"}, {"Style.INI", "Style.INI"}, {"a.Ini.bak", "a.Ini.bak"},
        {"", ".ini"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WithIniExtension(c.name), c.result) << c.name;
    EXPECT_EQ(DefaultIniPath(), ProgramFolder() + "/" + WithIniExtension(appinfo::ExeName()));
}

TEST_F(SettingsTemplates, TheMergeWritesInTheUsersEncodingAndLineEnds)
{
    const struct {
        const char* what;
        QByteArray templ, user, out;
    } cases[] = {
        {"Windows-1252 stays", "A=x\r\nB=\xe9\r\n", "A=\xe0\r\n", "A=\xe0\r\nB=\xe9\r\n"},
        {"UTF-8 stays", "A=x\r\nB=\xe9\r\n", "A=\xc3\xa0\r\n", "A=\xc3\xa0\r\nB=\xc3\xa9\r\n"},
        {"what does not fit becomes UTF-8", "A=x\r\nB=\xe9\r\n", "A=\xc5\xbc\r\n", "A=\xc5\xbc\r\nB=\xc3\xa9\r\n"},
        {"LF stays", "A=x\r\nB=2\r\n", "A=1\nC=3\n", "A=1\nB=2\n"},
        {"CR stays", "A=x\nB=2\n", "A=1\r", "A=1\rB=2\r"},
        {"mixed becomes CR LF", "A=x\nB=2\n", "A=1\nC=3\r", "A=1\r\nB=2\r\n"},
    };
    for (const auto& c : cases) {
        WriteBytes(Template(), c.templ);
        WriteBytes(User(), c.user);
        ASSERT_TRUE(MergeIniFile(User(), Template(), User())) << c.what;
        EXPECT_EQ(ReadBytes(User()).toStdString(), c.out.toStdString()) << c.what;
    }
}
