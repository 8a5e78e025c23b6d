#include "core/app_identity.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/file_helpers.h"
#include "core/program_path.h"
#include "core/set_up_step.h"
#include "core/settings_store.h"
#include "support/test_folders.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "system/program_end.h"
#include "system/registry_store.h"
#include "system/user_locale.h"
#include "tests/support/test_calendar.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <pwd.h>
#include <unistd.h>

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

namespace {
// Gives path (a link itself, not what it names) to the account nobody; false where this
// account may not give files away (not root).
bool GiveAway(const QString& path)
{
    const passwd* pw = getpwnam("nobody");
    return pw && lchown(QFile::encodeName(path).constData(), pw->pw_uid, static_cast<gid_t>(-1)) == 0;
}

bool GiveAwayAll(const QString& folder)
{
    bool ok = GiveAway(folder);
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        ok = GiveAway(it.next()) && ok;
    return ok;
}

QStringList FilesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

void MakeWritable(const QString& folder)
{
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QDirIterator it(folder, QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        QFile::setPermissions(it.next(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
} // namespace

// Where a user's data goes, and what of it is written, when the program folder or the user
// folder holds what another account put there, what the user made read-only or linked,
// or when the program folder cannot be written: a whole start and close of the calendar.
class UserFolder : public testsupport::ProgramFolderTest {
public:
    using ProgramFolderTest::Path;
    using ProgramFolderTest::ProgramFolder;
    QString Outside(const QString& f) const { return dir_.path() + "/home/" + f; }
    // A file of the user's outside every data folder, older than the year templates.
    void PutPrecious(const QString& name)
    {
        WriteBytes(Outside(name), "precious\r\n");
        testsupport::SetFileAge(Outside(name), -400LL * 24 * 3600);
    }

protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        platform::ResetProgramEnded();
        platform::SetEndProgramHandler([] {});
    }
    void TearDown() override
    {
        MakeWritable(ProgramFolder());
        platform::SetEndProgramHandler(nullptr);
        QLocale::setDefault(QLocale::c());
        ProgramFolderTest::TearDown();
    }
    // A program folder as shipped: templates, the country's holidays, the program folders.
    void FreshProgramFolder()
    {
        MakeWritable(ProgramFolder());
        QDir(ProgramFolder()).removeRecursively();
        QDir(DataHome()).removeRecursively();
        QDir().mkpath(ProgramFolder());
        CopyShippedData({"ini", "Dates/United Kingdom dates"});
        for (const char* f : {"Images/AlmanorviqueCentral", "Images/Wallpaper", "Styles", "Update", "Help"})
            QDir().mkpath(Path(f));
        ResetRunState();
    }
    QString DataHome() const { return dir_.path() + "/data"; }
    // A start through the full load.
    std::unique_ptr<testsupport::TestCalendar> Start()
    {
        ResetRunState();
        SetupDataFolders();
        auto w = std::make_unique<testsupport::TestCalendar>();
        w->ShowMe(0, QDate(2026, 12, 10));
        w->Timer1.Fire();
        QCoreApplication::processEvents(); // where the data lives is said from the event loop
        return w;
    }

    platform::FixedClock clock_{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
};

TEST_F(UserFolder, NothingOfAnotherAccountIsUsedAndOnlyTheUsersChangesAreAskedAbout)
{
    const QString account = platform::AccountName();
    const struct Case {
        const char* what;
        const char* user;
        std::function<bool(UserFolder&)> prepare; // false: cannot be set up by this account
        QString dataFolder;                       // relative to the scratch folder
        bool saysWhere;                           // a box on the first start
        const char* precious;                     // a file outside that must stay as it was
        bool yearFileReadOnly;                    // the year's file refuses the note
    } cases[] = {
        {"a user folder another account made, with a link into the user's files", "tester",
         [](UserFolder& t) {
             t.PutPrecious("precious.txt");
             QDir().mkpath(t.Path("tester/United Kingdom"));
             QFile::link(t.Outside("precious.txt"), t.Path("tester/United Kingdom/2027"));
             return GiveAwayAll(t.Path("tester"));
         },
         "program/" + account, true, "precious.txt", false},
        {"a link another account put into the user's own folder", "tester",
         [](UserFolder& t) {
             t.PutPrecious("precious.txt");
             QDir().mkpath(t.Path("tester/United Kingdom"));
             QFile::link(t.Outside("precious.txt"), t.Path("tester/United Kingdom/2027"));
             return GiveAway(t.Path("tester/United Kingdom/2027"));
         },
         "program/" + account, true, "precious.txt", false},
        {"the user's own link, written through", "tester",
         [](UserFolder& t) {
             t.PutPrecious("mine.txt");
             QDir().mkpath(t.Path("tester/United Kingdom"));
             return QFile::link(t.Outside("mine.txt"), t.Path("tester/United Kingdom/2027"));
         },
         "program/tester", false, nullptr, false},
        {"a year file the user made read-only", "tester",
         [](UserFolder& t) {
             const QString f = t.Path("tester/United Kingdom/2026");
             WriteBytes(f, "Caption:05/05=mine\r\n");
             testsupport::SetFileAge(f, -400LL * 24 * 3600);
             return QFile::setPermissions(f, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
         },
         "program/tester", false, nullptr, true},
        {"a user named like the program's dates folder", "Dates", [](UserFolder&) { return true; },
         "program/" + account, false, nullptr, false},
        {"a read-only program folder", "tester",
         [](UserFolder& t) { return QFile::setPermissions(t.ProgramFolder(), QFile::ReadOwner | QFile::ExeOwner); },
         "data/Almanorvique/tester", true, nullptr, false},
        {"a program folder another account owns", "tester",
         [](UserFolder& t) {
             QFile::setPermissions(t.ProgramFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                                          QFile::ReadGroup | QFile::ExeGroup | QFile::ReadOther |
                                                          QFile::ExeOther);
             return GiveAway(t.ProgramFolder());
         },
         "data/Almanorvique/tester", true, nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FreshProgramFolder();
        if (!c.prepare(*this)) {
            std::printf("skipped (this account cannot set it up): %s\n", c.what);
            continue;
        }
        platform::SetLoginNameOverride(QString::fromUtf8(c.user));
        const QByteArray precious = c.precious ? ReadBytes(Outside(c.precious)) : QByteArray();
        const QStringList programFiles = FilesUnder(ProgramFolder());
        const QString folder = dir_.path() + "/" + c.dataFolder;
        const QString country = folder + "/United Kingdom/";
        {
            platform::ScriptedMessageBox boxes;
            testing::internal::CaptureStderr();
            auto w = Start();
            const std::string said = testing::internal::GetCapturedStderr();
            EXPECT_EQ(gDataFolder, folder);
            EXPECT_EQ(gPersonalDatesFile, folder + "/PersonalDates");
            EXPECT_TRUE(QFileInfo::exists(country + "Almanorvique.ini"));
            EXPECT_TRUE(ReadBytes(country + "2025").contains("Christmas Day"));
            if (c.saysWhere) {
                ASSERT_EQ(boxes.Shown().size(), 1u);
                EXPECT_TRUE(boxes.Shown()[0].prompt.contains(folder)) << boxes.Shown()[0].prompt.toStdString();
                EXPECT_NE(said.find(folder.toStdString()), std::string::npos) << said;
            } else {
                EXPECT_TRUE(boxes.Shown().empty())
                    << (boxes.Shown().empty() ? "" : boxes.Shown()[0].prompt.toStdString());
            }
            if (c.precious) {
                EXPECT_EQ(ReadBytes(Outside(c.precious)), precious);
                EXPECT_FALSE(QFileInfo(country + "2027").isSymLink());
            }
            if (c.dataFolder.startsWith("data/")) { // nothing goes into the program folder
                EXPECT_EQ(FilesUnder(ProgramFolder()), programFiles);
            }

            // What the user enters is kept, and only a file holding the user's entries is
            // asked about.
            boxes.Clear();
            boxes.QueueAnswer(platform::vbNo);
            mduLib::SetValue("05/03", "Mine", gPersonalDates, "Caption");
            w->SetActivity(conv::DateText(QDate(2026, 12, 24)), "Presents");
            w->Unload();
            EXPECT_TRUE(ReadBytes(folder + "/PersonalDates").contains("Caption:05/03=Mine"));
            if (c.yearFileReadOnly) {
                ASSERT_EQ(boxes.Shown().size(), 1u);
                EXPECT_TRUE(boxes.Shown()[0].prompt.contains("read-only")) << boxes.Shown()[0].prompt.toStdString();
                EXPECT_EQ(ReadBytes(country + "2026"), QByteArray("Caption:05/05=mine\r\n"));
                EXPECT_FALSE(QFileInfo(country + "2026").isWritable() && geteuid() != 0);
            } else {
                EXPECT_TRUE(boxes.Shown().empty())
                    << (boxes.Shown().empty() ? "" : boxes.Shown()[0].prompt.toStdString());
                EXPECT_TRUE(ReadBytes(country + "2026").contains("Activity:24/12=Presents"));
            }
        }
        if (QString(c.what).contains("own link")) {
            EXPECT_TRUE(QFileInfo(country + "2027").isSymLink());
            EXPECT_TRUE(ReadBytes(Outside("mine.txt")).contains("New Year"));
        }
        // The data folder is said once: the next start finds it and says nothing.
        platform::ScriptedMessageBox again;
        auto w = Start();
        EXPECT_EQ(gDataFolder, folder);
        EXPECT_TRUE(again.Shown().empty());
        again.QueueAnswer(platform::vbNo);
        w->Unload();
    }
}

TEST_F(DataFolders, AUserNamedLikeAProgramFolderGetsAnotherFolder)
{
    const QString account = platform::AccountName();
    for (const char* name : {"Dates", "ini", "Styles", "Images", "Help", "Update", "User"}) {
        platform::SetLoginNameOverride(name);
        SetupDataFolders();
        EXPECT_EQ(gDataFolder, Path(QString(name) == "User" ? "User" : account)) << name;
    }
    EXPECT_FALSE(QFileInfo::exists(Path("Dates/PersonalDates")));
    // Named like them only in case: a folder of its own.
    platform::SetLoginNameOverride("dates");
    SetupDataFolders();
    EXPECT_EQ(gDataFolder, Path("dates"));
}
