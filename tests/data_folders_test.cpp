#include "core/app_identity.h"
#include "core/data_folders.h"
#include "core/file_helpers.h"
#include "core/program_path.h"
#include "core/set_up_step.h"
#include "support/test_folders.h"
#include "system/registry_store.h"
#include "system/user_locale.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <gtest/gtest.h>
#include <optional>

using namespace mduAlmanorvqueLib;
using namespace mduLib;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class DataFolders : public testsupport::ProgramFolderTest {};

TEST_F(DataFolders, AFreshProgramFolderGetsEveryFolder)
{
    platform::SetLoginNameOverride("  ann  ");
    SetupDataFolders();
    for (const char* f :
         {"Images", "Images/AlmanorviqueCentral", "Images/Wallpaper", "Styles", "Dates", "ini", "ann", "Update"})
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
    } cases[] = {{"/s", true},  {"/S", false},   {"", false},   {"/p 1234", false},
                 {"/c", false}, {"/s x", false}, {" /s", false}};
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

namespace {
// Sets or unsets environment variables for one test and puts them back afterwards.
class ScopedEnv {
public:
    void Set(const char* name, const char* value)
    {
        if (!saved_.contains(name))
            saved_.insert(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv()
    {
        for (auto it = saved_.begin(); it != saved_.end(); ++it)
            it.value() ? qputenv(it.key().constData(), *it.value()) : qunsetenv(it.key().constData());
    }

private:
    QMap<QByteArray, std::optional<QByteArray>> saved_;
};
} // namespace

TEST_F(DataFolders, AFolderNameIsOnePlainPathLevel)
{
    const struct {
        QString text;
        bool plain;
    } cases[] = {{"ann", true},
                 {"  ann  ", true},
                 {"Zoë", true},
                 {".hidden", true},
                 {"...", true},
                 {"a\\b", true},
                 {"", false},
                 {"   ", false},
                 {".", false},
                 {"..", false},
                 {" .. ", false},
                 {"a/b", false},
                 {"/", false},
                 {"../../etc", false},
                 {QString(255, 'x'), true},
                 {QString(256, 'x'), false},
                 {QString("a") + QChar(0), false}};
    for (const auto& c : cases)
        EXPECT_EQ(platform::IsPlainFolderName(c.text), c.plain) << c.text.toStdString();
    EXPECT_EQ(platform::FirstPlainFolderName({"..", " Ann ", "Bob"}, "User"), "Ann");
    EXPECT_EQ(platform::FirstPlainFolderName({"..", "a/b", "  "}, "User"), "User");
}

TEST_F(DataFolders, TheUserFolderNeverLeadsOutOfTheProgramFolder)
{
    // A name that is no plain folder level gives way to the account's name.
    const QString account = platform::AccountName();
    ASSERT_TRUE(platform::IsPlainFolderName(account));
    const struct {
        const char* user;
        QString folder;
    } cases[] = {{"../../etc", account},
                 {"..", account},
                 {".", account},
                 {"   ", account},
                 {"a/b", account},
                 {"/etc", account},
                 {"Zoë", "Zoë"},
                 {" Zoë ", "Zoë"},
                 // the name of one of the program folder's files
                 {"Almanorvique.ini", account}};
    WriteBytes(Path("Almanorvique.ini"), "Orientation=Portrait Top\r\n");
    for (const auto& c : cases) {
        platform::SetLoginNameOverride(QString::fromUtf8(c.user));
        SetupDataFolders();
        EXPECT_EQ(gDataFolder, Path(c.folder)) << c.user;
        EXPECT_TRUE(QFileInfo(gDataFolder).isDir()) << c.user;
        EXPECT_EQ(QFileInfo(gPersonalDatesFile).absolutePath(), Path(c.folder)) << c.user;
    }
    EXPECT_FALSE(QFileInfo::exists(dir_.path() + "/etc"));
    EXPECT_FALSE(QFileInfo::exists(Path("a")));
}

TEST_F(DataFolders, TheCountryComesFromTheFirstLocaleVariableNamingOne)
{
    const struct {
        const char* value;
        const char* country;
    } names[] = {{"de_AT.UTF-8@euro", "Austria"},
                 {"en_GB.UTF-8", "United Kingdom"},
                 {"sr_RS@latin", "Serbia"},
                 {"C", ""},
                 {"POSIX", ""},
                 {"C.UTF-8", ""},
                 {"en", ""},
                 {"", ""},
                 {"xx_ZZ", ""},
                 {"_", ""}};
    for (const auto& c : names)
        EXPECT_EQ(platform::CountryOfLocaleName(c.value), c.country) << c.value;

    const struct {
        const char* locale; // what the locale itself says
        const char *all, *time, *messages, *lang;
        const char* folder;
    } cases[] = {
        {"Zoë Land", "de_DE.UTF-8", nullptr, nullptr, nullptr, "Zoë Land"},
        {"   ", nullptr, nullptr, nullptr, "C", "Default"},       // LANG=C
        {"   ", nullptr, nullptr, nullptr, nullptr, "Default"},   // no locale at all
        {"   ", nullptr, "de_DE.UTF-8", nullptr, "C", "Germany"}, // LANG=C, LC_TIME names one
        {"..", "C", "", "fr_FR", "en_GB.UTF-8", "France"},        // LC_ALL=C names none
        {"a/b", "en_IE.UTF-8", "de_DE", "fr_FR", "en_GB", "Ireland"},
        {"../../etc", nullptr, nullptr, nullptr, "en_US.UTF-8", "United States"},
    };
    ScopedEnv env;
    for (const auto& c : cases) {
        platform::SetLocaleCountryOverride(QString::fromUtf8(c.locale));
        env.Set("LC_ALL", c.all);
        env.Set("LC_TIME", c.time);
        env.Set("LC_MESSAGES", c.messages);
        env.Set("LANG", c.lang);
        EXPECT_EQ(platform::CountryFolderName(), QString::fromUtf8(c.folder))
            << c.locale << " " << (c.lang ? c.lang : "-");
    }
}

TEST_F(DataFolders, WithoutAHomeTheRegistryStoreStaysInTheUserFolder)
{
    namespace reg = platform::registry;
    ScopedEnv env;
    env.Set("HOME", nullptr);
    env.Set("XDG_CONFIG_HOME", nullptr);
    env.Set("ALMANORVIQUE_REGISTRY", nullptr);
    reg::SetConfigFolder(QString()); // the system's answers, not the fixture's
    reg::SetStorePath(QString());
    reg::SetHomelessConfigFolder(QString());
    EXPECT_EQ(reg::StorePath(), ""); // never "/.config/..."
    SetupDataFolders();
    EXPECT_EQ(reg::ConfigFolder(), Path("tester/.config"));
    EXPECT_EQ(reg::StorePath(), Path("tester/.config/Almanorvique/registry.json"));
    StoreProgramPath();
    EXPECT_TRUE(QFileInfo::exists(Path("tester/.config/Almanorvique/registry.json")));
    EXPECT_EQ(GetStoredProgramPath(), ProgramFolder());

    env.Set("XDG_CONFIG_HOME", "relative/config"); // not absolute: ignored
    EXPECT_EQ(reg::ConfigFolder(), Path("tester/.config"));
    env.Set("HOME", "/home/someone");
    EXPECT_EQ(reg::ConfigFolder(), "/home/someone/.config");
    env.Set("XDG_CONFIG_HOME", "/xdg");
    EXPECT_EQ(reg::ConfigFolder(), "/xdg");
    reg::SetHomelessConfigFolder(QString());
}

TEST_F(DataFolders, ASkippedStepSaysWhatFailedAndAQuietStartSaysNothing)
{
    testing::internal::CaptureStderr();
    bool nextRan = false;
    mduLib::Step([&] { MakeFolderIfMissing(ProgramFolder() + "/no/such/level"); });
    mduLib::Step([&] { nextRan = true; });
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(nextRan);
    EXPECT_NE(said.find("no/such/level"), std::string::npos) << said;

    // No "Almanorvique.dat" in the start folder is the usual case, not a failure.
    testing::internal::CaptureStderr();
    SetupDataFolders();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}
