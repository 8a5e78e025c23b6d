#include "core/app_identity.h"
#include "core/desktop_settings.h"
#include "core/external_commands.h"
#include "core/registry.h"
#include "core/system_info.h"
#include "support/test_folders.h"
#include "system/message_box.h"
#include "system/picture_handles.h"
#include "system/registry_store.h"
#include "system/user_locale.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <map>

using namespace mduAPILib;
namespace reg = platform::registry;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {

struct Call {
    QString program;
    QStringList arguments;
    QString folder;
    QString Line() const { return (QStringList{program} + arguments).join(' '); }
};

QStringList Lines(const std::vector<Call>& calls)
{
    QStringList out;
    for (const Call& c : calls)
        out << c.Line();
    return out;
}

// A value under the desktop key, "<missing>" when there is none.
QString Desktop(const char* name)
{
    const auto v = reg::ReadValue("Control Panel\\Desktop", name);
    return v ? v->text : QStringLiteral("<missing>");
}

} // namespace

// Every external command is recorded and answered from a script: a command line gets the
// answer of the longest scripted prefix it starts with; any other command was not found.
class DesktopSettings : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        oldDesktop_ = qgetenv("XDG_CURRENT_DESKTOP");
        hadDesktop_ = qEnvironmentVariableIsSet("XDG_CURRENT_DESKTOP");
        qunsetenv("XDG_CURRENT_DESKTOP");
        appinfo::SetIdentity("Almanorvique", "Almanorvique");
        externalcommands::SetRunner({[this](const QString& p, const QStringList& a, int) {
                                         calls_.push_back({p, a, {}});
                                         const QString line = calls_.back().Line();
                                         externalcommands::Result answer{false, false, -1, {}, "not found"};
                                         qsizetype longest = -1;
                                         for (const auto& [prefix, a] : answers_)
                                             if (line.startsWith(prefix) && prefix.size() > longest) {
                                                 answer = a;
                                                 longest = prefix.size();
                                             }
                                         return answer;
                                     },
                                     [this](const QString& p, const QStringList& a, const QString& f, QString* reason) {
                                         calls_.push_back({p, a, f});
                                         if (reason)
                                             *reason = startFailure_;
                                         return startFailure_.isEmpty();
                                     }});
        SetScreenPointerHandler([this](int p) { pointers_.push_back(p); });
    }
    void TearDown() override
    {
        externalcommands::SetRunner({});
        SetScreenPointerHandler(nullptr);
        appinfo::SetIdentity("Almanorvique", "Almanorvique");
        if (hadDesktop_)
            qputenv("XDG_CURRENT_DESKTOP", oldDesktop_);
        else
            qunsetenv("XDG_CURRENT_DESKTOP");
        ProgramFolderTest::TearDown();
    }

    static externalcommands::Result Ok(const QString& output = {}) { return {true, true, 0, output, {}}; }
    static externalcommands::Result Fails() { return {true, true, 1, {}, "refused"}; }

    void ScriptGnome()
    {
        qputenv("XDG_CURRENT_DESKTOP", "ubuntu:GNOME");
        answers_ = {{"gsettings writable", Ok("true\n")}, {"gsettings set", Ok()}};
    }

    std::vector<Call> calls_;
    std::map<QString, externalcommands::Result> answers_;
    QString startFailure_;
    std::vector<int> pointers_;
    QByteArray oldDesktop_;
    bool hadDesktop_ = false;
};

TEST_F(DesktopSettings, AutoStartRoundTripWithTheCommandQuoted)
{
    const struct {
        const char* title;
        const char* folder;    // below the test's folder
        const char* arguments; // as the caller passes them
        const char* trimmed;
        const char* execTail; // the Exec line after the quoted program
    } cases[] = {
        {"Almanorvique", "My Programs", "  /s  ", "/s", " /s"},
        {"Almanorvique", "My Programs", "", "", ""},
        {"Almanorvique Central", "bin", "AlmanorviqueCentral", "AlmanorviqueCentral", " AlmanorviqueCentral"},
        {"Almanorvique", "bin", "\"two words\" 100%", "\"two words\" 100%", " \"two words\" 100%%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        appinfo::SetIdentity(c.title, "Almanorvique");
        appinfo::SetProgramFolder(Path(c.folder));
        const QString exe = Path(c.folder) + "/Almanorvique";
        const QString entry = dir_.path() + "/config/autostart/" + c.title + ".desktop";
        EXPECT_EQ(AutoStartEntryPath(), entry);

        QString arguments = c.arguments;
        SetAutoStart(arguments);
        EXPECT_EQ(arguments, c.trimmed);
        EXPECT_EQ(RegReadString(kRunKey, c.title), '"' + exe + "\" " + c.trimmed);
        EXPECT_TRUE(IsAutoStartSet());
        const QString text = QString::fromUtf8(ReadBytes(entry));
        EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.toStdString();
        EXPECT_TRUE(text.contains("\nType=Application\n"));
        EXPECT_TRUE(text.contains("\nName=" + QString(c.title) + "\n"));
        EXPECT_TRUE(text.contains("\nExec=\"" + exe + '"' + c.execTail + "\n")) << text.toStdString();

        ClearAutoStart();
        const auto run = reg::ReadValue(kRunKey, c.title);
        ASSERT_TRUE(run.has_value()); // emptied, not deleted
        EXPECT_EQ(run->text, "");
        EXPECT_FALSE(IsAutoStartSet());
        EXPECT_FALSE(QFileInfo::exists(entry));
    }
}

TEST_F(DesktopSettings, AutoStartEntryEscapesWhatTheLauncherWouldRead)
{
    appinfo::SetProgramFolder(Path("a $b \"c\" d\\e"));
    QString arguments = "/s";
    SetAutoStart(arguments);
    const QString text = QString::fromUtf8(ReadBytes(AutoStartEntryPath()));
    // Inside quotes $, " and \ are escaped; the file's own escaping then doubles each backslash.
    EXPECT_TRUE(text.contains("\nExec=\"" + Path("a \\\\$b \\\\\"c\\\\\" d\\\\\\\\e") + "/Almanorvique\" /s\n"))
        << text.toStdString();
}

TEST_F(DesktopSettings, NoAutoStartWithoutARunValue)
{
    EXPECT_FALSE(IsAutoStartSet());
    SetRunValue("Almanorvique", " ");
    EXPECT_TRUE(IsAutoStartSet());
    SetRunValue("Almanorvique", "");
    EXPECT_FALSE(IsAutoStartSet());
}

TEST_F(DesktopSettings, ScreenSaverValues)
{
    const struct {
        const char* exe;
        const char* zone;
        qint32 timeOut;
        qint32 withLock;
        const char* timeOutText;
    } cases[] = {
        {"/opt/almanorvique/Almanorvique", "Europe/London", 600, 1, "600"},
        {"", "", 0, 0, "0"},            // switched off: still active "1"
        {"/x", "z", 40000, 0, "40000"}, // past 16 bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.timeOutText);
        SetScreenSaver(c.exe, c.zone, c.timeOut, c.withLock);
        EXPECT_EQ(GetScreenSaver(), c.exe);
        EXPECT_EQ(Desktop("SCRNSAVE.EXE"), c.exe);
        EXPECT_EQ(Desktop("ScreenSaveTimeOut"), c.timeOutText);
        EXPECT_EQ(Desktop("ScreenSaveActive"), "1");
        EXPECT_EQ(Desktop("ScreenSaveTimeZone"), c.zone);
        EXPECT_EQ(Desktop("ScreenSaveWithLock"), QString::number(c.withLock));
    }
    EXPECT_TRUE(calls_.empty());
}

TEST_F(DesktopSettings, TheRegisteredWallpaperIsNotSetAgain)
{
    WriteBytes(Path("a.jpg"), "x");
    ScriptGnome();
    ASSERT_TRUE(reg::WriteValue("Control Panel\\Desktop", "Wallpaper", reg::Value::Text(Path("a.jpg"))));
    EXPECT_TRUE(SetWallpaper(Path("a.jpg")));
    EXPECT_TRUE(calls_.empty());
    EXPECT_EQ(Desktop("TileWallpaper"), "<missing>");
}

TEST_F(DesktopSettings, WallpaperOnGnome)
{
    WriteBytes(Path("my pictures/a.jpg"), "x");
    ScriptGnome();
    EXPECT_TRUE(SetWallpaper(Path("my pictures/a.jpg")));
    const QString uri = "'file://" + Path("my%20pictures/a.jpg") + "'";
    EXPECT_EQ(Lines(calls_), QStringList({
                                 "gsettings writable org.gnome.desktop.background picture-uri",
                                 "gsettings set org.gnome.desktop.background picture-uri " + uri,
                                 "gsettings writable org.gnome.desktop.background picture-uri-dark",
                                 "gsettings set org.gnome.desktop.background picture-uri-dark " + uri,
                                 "gsettings set org.gnome.desktop.background picture-options 'stretched'",
                             }));
    EXPECT_EQ(Desktop("Wallpaper"), Path("my pictures/a.jpg"));
    EXPECT_EQ(Desktop("TileWallpaper"), "0");
    EXPECT_EQ(Desktop("WallpaperStyle"), "2");

    calls_.clear();
    answers_["gsettings writable org.gnome.desktop.background picture-uri-dark"] = Ok("false\n");
    WriteBytes(Path("b.jpg"), "x");
    EXPECT_TRUE(SetWallpaper(Path("b.jpg"))); // an older desktop without the dark variant
    EXPECT_EQ(calls_.size(), 4u);
}

TEST_F(DesktopSettings, WallpaperOnXfceSetsEveryMonitor)
{
    WriteBytes(Path("a.jpg"), "x");
    qputenv("XDG_CURRENT_DESKTOP", "XFCE");
    answers_ = {{"xfconf-query -c xfce4-desktop -l", Ok("/backdrop/screen0/monitorHDMI-0/workspace0/last-image\n"
                                                        "/backdrop/screen0/monitorHDMI-0/workspace0/image-style\n"
                                                        "/backdrop/screen0/monitorDP-1/workspace0/last-image\n"
                                                        "/desktop-icons/style\n")},
                {"xfconf-query -c xfce4-desktop -p", Ok()}};
    EXPECT_TRUE(SetWallpaper(Path("a.jpg")));
    EXPECT_EQ(
        Lines(calls_),
        QStringList({
            "xfconf-query -c xfce4-desktop -l",
            "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitorHDMI-0/workspace0/last-image -s " +
                Path("a.jpg"),
            "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitorHDMI-0/workspace0/image-style -s 3",
            "xfconf-query -c xfce4-desktop -p /backdrop/screen0/monitorDP-1/workspace0/last-image -s " + Path("a.jpg"),
        }));
}

TEST_F(DesktopSettings, WallpaperFailuresAreReportedAndNotRegistered)
{
    WriteBytes(Path("a.jpg"), "x");
    const struct {
        const char* name;
        const char* desktop; // nullptr: none named
        std::map<QString, externalcommands::Result> answers;
        const char* picture;
    } cases[] = {
        {"no desktop named", nullptr, {{"gsettings", Ok("true\n")}}, "a.jpg"},
        {"a window manager only", "i3", {{"gsettings", Ok("true\n")}}, "a.jpg"},
        {"gsettings missing", "GNOME", {}, "a.jpg"},
        {"schema missing", "GNOME", {{"gsettings writable", Fails()}}, "a.jpg"},
        {"setting refused", "GNOME", {{"gsettings writable", Ok("true\n")}, {"gsettings set", Fails()}}, "a.jpg"},
        {"not writable", "GNOME", {{"gsettings writable", Ok("false\n")}, {"gsettings set", Ok()}}, "a.jpg"},
        {"xfce without backdrops", "XFCE", {{"xfconf-query", Ok("/desktop-icons/style\n")}}, "a.jpg"},
        {"picture missing", "GNOME", {{"gsettings writable", Ok("true\n")}, {"gsettings set", Ok()}}, "none.jpg"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.desktop)
            qputenv("XDG_CURRENT_DESKTOP", c.desktop);
        else
            qunsetenv("XDG_CURRENT_DESKTOP");
        answers_ = c.answers;
        ASSERT_TRUE(reg::WriteValue("Control Panel\\Desktop", "Wallpaper", reg::Value::Text("/old.jpg")));
        EXPECT_FALSE(SetWallpaper(Path(c.picture)));
        EXPECT_EQ(Desktop("Wallpaper"), "/old.jpg");
        // So the next call tries again rather than answering True.
        calls_.clear();
        EXPECT_FALSE(SetWallpaper(Path(c.picture)));
    }
}

TEST_F(DesktopSettings, ExecuteLink)
{
    WriteBytes(Path("tools/helper"), "#!/bin/sh\n");
    QFile::setPermissions(Path("tools/helper"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    WriteBytes(Path("notes.txt"), "x");
    const struct {
        const char* file;
        const char* parameters;
        const char* directory; // below the test's folder
        QString program;
        QStringList arguments;
    } cases[] = {
        {"https://example.org/a?b=1", "ignored", "", "xdg-open", {"https://example.org/a?b=1"}},
        {"notes.txt", "x", ".", "xdg-open", {"notes.txt"}},
        {"helper", "-a \"b c\"", "tools", Path("tools/helper"), {"-a", "b c"}},
    };
    platform::ScriptedMessageBox boxes;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        calls_.clear();
        const QString folder = *c.directory ? Path(c.directory) : QString();
        ExecuteLink(c.file, c.parameters, folder);
        ASSERT_EQ(calls_.size(), 1u);
        EXPECT_EQ(calls_[0].program, c.program);
        EXPECT_EQ(calls_[0].arguments, c.arguments);
        EXPECT_EQ(calls_[0].folder, folder);
    }
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(pointers_.front(), 11);
    EXPECT_EQ(pointers_.back(), 0);

    pointers_.clear();
    startFailure_ = "xdg-open is not installed";
    ExecuteLink("notes.txt", "", ProgramFolder());
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].title, "ExecuteLink");
    EXPECT_EQ(boxes.Shown()[0].buttons, platform::vbOKOnly);
    EXPECT_EQ(boxes.Shown()[0].prompt, "error Opening Link to notes.txt\r\n\r\nxdg-open is not installed");
    EXPECT_EQ(pointers_, std::vector<int>({11, 0, 0}));
}

TEST_F(DesktopSettings, SystemFacts)
{
    EXPECT_TRUE(IsWindowsNT());

    const quint32 wide = platform::pictures::Register(QSize(200, 100));
    const quint32 empty = platform::pictures::Register(QSize(0, 50));
    EXPECT_FLOAT_EQ(GetBitmapAspect(wide), 0.5f);
    EXPECT_FLOAT_EQ(GetBitmapAspect(empty), 1.0f);
    EXPECT_FLOAT_EQ(GetBitmapAspect(0), 1.0f);
    platform::pictures::Release(wide);
    platform::pictures::Release(empty);

    platform::SetLoginNameOverride("  ann  ");
    EXPECT_EQ(GetWindowsUserName(), "ann");
    platform::SetLoginNameOverride("   ");
    EXPECT_EQ(GetWindowsUserName(), "");
    EXPECT_EQ(GetUserCountryName(), "United Kingdom");
}

// The real runner, with harmless programs only.
TEST(ExternalCommands, RealRunnerReportsWhatHappened)
{
    const externalcommands::Result missing = externalcommands::Run("almanorvique-no-such-program", {});
    EXPECT_FALSE(missing.started);
    EXPECT_FALSE(missing.Succeeded());
    EXPECT_FALSE(missing.reason.isEmpty());

    const externalcommands::Result failed = externalcommands::Run("sh", {"-c", "echo out; echo err >&2; exit 3"});
    EXPECT_TRUE(failed.started);
    EXPECT_TRUE(failed.finished);
    EXPECT_EQ(failed.exitCode, 3);
    EXPECT_EQ(failed.output, "out\n");
    EXPECT_EQ(failed.reason, "err");

    const externalcommands::Result hung = externalcommands::Run("sleep", {"30"}, 200);
    EXPECT_TRUE(hung.started);
    EXPECT_FALSE(hung.finished);
    EXPECT_FALSE(hung.Succeeded());

    QString reason;
    EXPECT_FALSE(externalcommands::StartDetached("almanorvique-no-such-program", {}, {}, &reason));
    EXPECT_FALSE(reason.isEmpty());
    reason.clear();
    EXPECT_FALSE(externalcommands::StartDetached("true", {}, "/no/such/folder", &reason));
    EXPECT_FALSE(reason.isEmpty());
    EXPECT_TRUE(externalcommands::StartDetached("true", {}, {}, &reason));
}
