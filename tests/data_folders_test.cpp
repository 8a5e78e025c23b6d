#include "core/app_identity.h"
#include "core/data_folders.h"
#include "core/file_helpers.h"
#include "core/program_path.h"
#include "system/registry_store.h"
#include "system/user_locale.h"
#include "support/test_folders.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace mduAlmanorvqueLib;
using namespace mduLib;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class DataFolders : public testsupport::ProgramFolderTest {};

TEST_F(DataFolders, AFreshProgramFolderGetsEveryFolder)
{
    platform::SetLoginNameOverride("  ann  ");
    SetupDataFolders();
    for (const char* f : {"Images", "Images/AlmanorviqueCentral", "Images/Wallpaper", "Styles", "Dates", "ini", "ann",
                          "Update"})
        EXPECT_TRUE(QFileInfo(Path(f)).isDir()) << f;
    EXPECT_EQ(gImagesFolder, Path("Images/"));
    EXPECT_EQ(gStylesFolder, Path("Styles/"));
    EXPECT_EQ(gDatesFolder, Path("Dates/"));
    EXPECT_EQ(gIniTemplateFolder, Path("ini/"));
    EXPECT_EQ(gDataFolder, Path("ann")); // the name's blanks are gone
    EXPECT_EQ(gPersonalDatesFile, Path("ann/PersonalDates"));
}

TEST_F(DataFolders, ExistingFoldersAndFilesAreLeftAlone)
{
    WriteBytes(Path("tester/PersonalDates"), "Caption:01/01=x\r\n");
    WriteBytes(Path("ini/Almanorvique.ini"), "A=1\r\n");
    SetupDataFolders();
    EXPECT_EQ(ReadBytes(Path("tester/PersonalDates")), QByteArray("Caption:01/01=x\r\n"));
    EXPECT_EQ(ReadBytes(Path("ini/Almanorvique.ini")), QByteArray("A=1\r\n"));
}

TEST_F(DataFolders, TheUserDataFileIsCopiedOnceFromTheWorkingFolder)
{
    const QString old = QDir::currentPath();
    QDir().mkpath(Path("start"));
    QDir::setCurrent(Path("start"));
    SetupDataFolders(); // no file to copy: start-up goes on
    EXPECT_FALSE(QFileInfo::exists(Path("tester/Almanorvique.dat")));
    WriteBytes(Path("start/Almanorvique.dat"), "one");
    SetupDataFolders();
    EXPECT_EQ(ReadBytes(Path("tester/Almanorvique.dat")), QByteArray("one"));
    WriteBytes(Path("start/Almanorvique.dat"), "two");
    SetupDataFolders();
    EXPECT_EQ(ReadBytes(Path("tester/Almanorvique.dat")), QByteArray("one"));
    QDir::setCurrent(old);
}

TEST_F(DataFolders, FileHelpers)
{
    WriteBytes(Path("a.txt"), "a");
    WriteBytes(Path("b.txt"), "b");
    WriteBytes(Path(".hidden"), "h");
    EXPECT_TRUE(FileExists(Path("a.txt")));
    EXPECT_TRUE(FileExists(Path("*.txt")));
    EXPECT_FALSE(FileExists(Path("*.jpg")));
    EXPECT_FALSE(FileExists(Path(".hidden")));
    EXPECT_FALSE(FileExists(ProgramFolder())); // a folder is no file
    EXPECT_FALSE(FileExists(""));
    QString padded = "  " + Path("a.txt") + "  ";
    EXPECT_TRUE(IsPathPresent(padded));
    EXPECT_EQ(padded, Path("a.txt"));

    EXPECT_FALSE(CopyFileFso(Path("a.txt"), Path("b.txt"), false));
    EXPECT_EQ(ReadBytes(Path("b.txt")), QByteArray("b"));
    EXPECT_TRUE(CopyFileFso(Path("a.txt"), Path("b.txt"), true));
    EXPECT_EQ(ReadBytes(Path("b.txt")), QByteArray("a"));
    EXPECT_THROW(CopyFileFso(Path("missing"), Path("c.txt"), false), FileError);
    EXPECT_THROW(CopyFileFso(Path("a.txt"), Path("no/such/c.txt"), false), FileError);

    EXPECT_NE(GetFileDate(Path("a.txt"), 4), "");
    EXPECT_EQ(GetFileDate(Path("a.txt"), 3), "");
    EXPECT_EQ(GetFileDate(Path("missing"), 4), "");
    EXPECT_TRUE(DeleteFileFso(Path("a.txt")));
    EXPECT_FALSE(DeleteFileFso(Path("a.txt")));
    EXPECT_THROW(MakeFolderIfMissing(Path("x/y/z")), FileError); // only the last level
    EXPECT_EQ(YesNo(true), "Yes");
    EXPECT_EQ(YesNo(false), "No");
}

TEST_F(DataFolders, FileAgesAreComparedAsTimes)
{
    WriteBytes(Path("old"), "o");
    WriteBytes(Path("new"), "n");
    testsupport::SetFileAge(Path("old"), -3600);
    testsupport::SetFileAge(Path("new"), -10);
    EXPECT_TRUE(IsFileNewer(Path("new"), Path("old")));
    EXPECT_FALSE(IsFileNewer(Path("old"), Path("new")));
    EXPECT_FALSE(IsFileNewer(Path("new"), Path("new")));
    EXPECT_FALSE(IsFileNewer(Path("missing"), Path("old")));
    EXPECT_FALSE(IsFileNewer(Path("new"), Path("missing")));
}

TEST_F(DataFolders, ScreenSaverRunNeedsExactlySlashS)
{
    const struct {
        const char* line;
        bool saver;
    } cases[] = {{"/s", true}, {"/S", false}, {"", false}, {"/p 1234", false}, {"/c", false}, {"/s x", false}, {" /s", false}};
    for (const auto& c : cases) {
        appinfo::SetCommandLine(c.line);
        EXPECT_EQ(IsScreenSaverRun(), c.saver) << c.line;
    }
}

TEST_F(DataFolders, TheStoredProgramPathFollowsTheProgramFolder)
{
    namespace reg = platform::registry;
    StoreProgramPath();
    EXPECT_EQ(GetStoredProgramPath(), ProgramFolder());
    reg::SaveSetting("Almanorvique", "Setting", "Path", "/elsewhere");
    reg::SaveSetting("Almanorvique", "Setting", "Other", "x");
    StoreProgramPath();
    EXPECT_EQ(GetStoredProgramPath(), ProgramFolder());
    EXPECT_EQ(reg::GetSetting("Almanorvique", "Setting", "Other", "gone"), "gone");
}

TEST_F(DataFolders, RegistryStandInRoundTrip)
{
    namespace reg = platform::registry;
    EXPECT_FALSE(reg::WriteValue("Software\\Test", "Name", reg::Value::Text("x"))); // no such key
    EXPECT_TRUE(reg::WriteValue("Software\\Test", "Name", reg::Value::Text("x"), true));
    EXPECT_TRUE(reg::WriteValue("software/test", "Empty", reg::Value::Text(""), false));
    EXPECT_TRUE(reg::WriteValue("Software\\Test", "Count", reg::Value::Number(4000000000u)));
    ASSERT_TRUE(reg::ReadValue("SOFTWARE\\TEST", "name").has_value());
    EXPECT_EQ(reg::ReadValue("SOFTWARE\\TEST", "name")->text, "x");
    ASSERT_TRUE(reg::ReadValue("Software\\Test", "Empty").has_value()); // empty is not missing
    EXPECT_EQ(reg::ReadValue("Software\\Test", "Empty")->text, "");
    EXPECT_FALSE(reg::ReadValue("Software\\Test", "Missing").has_value());
    EXPECT_EQ(reg::ReadValue("Software\\Test", "Count")->number, 4000000000u);
    EXPECT_EQ(reg::ReadValue("Software\\Test", "Count")->type, reg::ValueType::DWord);
    EXPECT_TRUE(reg::DeleteValue("Software\\Test", "Name"));
    EXPECT_FALSE(reg::ReadValue("Software\\Test", "Name").has_value());
    EXPECT_TRUE(reg::DeleteKey("Software"));
    EXPECT_FALSE(reg::KeyExists("Software\\Test"));
    EXPECT_TRUE(QFileInfo::exists(dir_.path() + "/config/registry.json"));
}
