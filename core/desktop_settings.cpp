#include "desktop_settings.h"

#include "app_identity.h"
#include "conversions.h"
#include "external_commands.h"
#include "registry.h"
#include "system/message_box.h"
#include "system/picture_handles.h"
#include "system/registry_store.h"
#include "system/whole_file_write.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace mduAPILib {
namespace {

ScreenPointerHandler& PointerHandler()
{
    static ScreenPointerHandler h;
    return h;
}

void SetScreenPointer(int pointer)
{
    if (PointerHandler())
        PointerHandler()(pointer);
}

QString ExecutablePath() { return appinfo::ProgramFolder() + "/" + appinfo::ExeName(); }

// --- Autostart entry ------------------------------------------------------------------

// One argument of an Exec line: quoted when it holds anything the launcher would read
// as syntax, with the characters that stay special inside quotes escaped.
QString ExecArgument(const QString& arg, bool alwaysQuote)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = alwaysQuote || arg.isEmpty();
    for (const QChar c : arg)
        quote = quote || reserved.contains(c);
    if (!quote)
        return arg;
    QString out = QStringLiteral("\"");
    for (const QChar c : arg) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

// A value of the desktop entry file: backslashes and line breaks escaped, and in an Exec
// line every % doubled, so that no field code is read into it.
QString EntryValue(QString text, bool exec)
{
    text.replace('\\', QStringLiteral("\\\\"));
    text.replace('\n', QStringLiteral("\\n"));
    text.replace('\r', QStringLiteral("\\r"));
    text.replace('\t', QStringLiteral("\\t"));
    if (exec)
        text.replace('%', QStringLiteral("%%"));
    return text;
}

QString ExecLine(const QString& arguments)
{
    QString line = ExecArgument(ExecutablePath(), true);
    for (const QString& a : QProcess::splitCommand(arguments))
        line += ' ' + ExecArgument(a, false);
    return line;
}

void WriteAutoStartEntry(const QString& arguments)
{
    const QString path = AutoStartEntryPath();
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return;
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=%1\n"
                                        "Exec=%2\n"
                                        "Terminal=false\n")
                             .arg(EntryValue(appinfo::ProgramTitle(), false), EntryValue(ExecLine(arguments), true));
    platform::RemoveLeftoverTemporaries(path);
    if (!platform::WriteFileWhole(path, text.toUtf8()))
        qWarning().noquote() << "Almanorvique: the auto start entry could not be written:"
                             << platform::LastWriteFailure();
}

// --- Wallpaper ------------------------------------------------------------------------

QStringList CurrentDesktops() { return qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(':', Qt::SkipEmptyParts); }

bool DesktopIs(const QStringList& desktops, const QStringList& names)
{
    for (const QString& d : desktops)
        for (const QString& n : names)
            if (d.contains(n, Qt::CaseInsensitive)) // "GNOME" also names "GNOME-Flashback"
                return true;
    return false;
}

// A text in the form gsettings parses as a string value.
QString GVariantText(QString text)
{
    text.replace('\\', QStringLiteral("\\\\"));
    text.replace('\'', QStringLiteral("\\'"));
    return '\'' + text + '\'';
}

const QString kGnomeBackground = QStringLiteral("org.gnome.desktop.background");

bool GnomeKeyWritable(const QString& key)
{
    const externalcommands::Result r =
        externalcommands::Run(QStringLiteral("gsettings"), {"writable", kGnomeBackground, key});
    return r.Succeeded() && r.output.trimmed() == QLatin1String("true");
}

bool GnomeSet(const QString& key, const QString& value)
{
    return externalcommands::Run(QStringLiteral("gsettings"), {"set", kGnomeBackground, key, value}).Succeeded();
}

bool SetGnomeWallpaper(const QString& path)
{
    if (!GnomeKeyWritable(QStringLiteral("picture-uri")))
        return false;
    const QString uri = path.isEmpty() ? QString() : QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded);
    if (!GnomeSet(QStringLiteral("picture-uri"), GVariantText(uri)))
        return false;
    // Older desktops have no dark variant; where there is one it must follow, or the
    // dark style keeps showing the old picture.
    if (GnomeKeyWritable(QStringLiteral("picture-uri-dark")) &&
        !GnomeSet(QStringLiteral("picture-uri-dark"), GVariantText(uri)))
        return false;
    // Stretched, not tiled, as the registered style values say.
    return GnomeSet(QStringLiteral("picture-options"), GVariantText(QStringLiteral("stretched")));
}

bool SetXfceWallpaper(const QString& path)
{
    const QString channel = QStringLiteral("xfce4-desktop");
    const externalcommands::Result list = externalcommands::Run(QStringLiteral("xfconf-query"), {"-c", channel, "-l"});
    if (!list.Succeeded())
        return false;
    QStringList properties;
    for (const QString& line : list.output.split('\n', Qt::SkipEmptyParts))
        properties << line.trimmed();
    bool any = false;
    for (const QString& property : properties) {
        if (!property.endsWith(QLatin1String("/last-image")))
            continue;
        any = true;
        if (!externalcommands::Run(QStringLiteral("xfconf-query"), {"-c", channel, "-p", property, "-s", path})
                 .Succeeded())
            return false;
        const QString style = property.chopped(QLatin1String("last-image").size()) + "image-style";
        if (properties.contains(style)) // 3: stretched
            externalcommands::Run(QStringLiteral("xfconf-query"), {"-c", channel, "-p", style, "-s", "3"});
    }
    return any;
}

bool SetPlasmaWallpaper(const QString& path)
{
    return externalcommands::Run(QStringLiteral("plasma-apply-wallpaperimage"), {path}).Succeeded();
}

// Asks the running desktop to show the picture; False where it offers no way or refuses.
bool ApplyDesktopWallpaper(const QString& path)
{
    if (!path.isEmpty() && !QFileInfo(path).isFile())
        return false;
    const QString full = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    const QStringList desktops = CurrentDesktops();
    if (DesktopIs(desktops, {QStringLiteral("XFCE")}))
        return SetXfceWallpaper(full);
    if (DesktopIs(desktops, {QStringLiteral("KDE")}))
        return !full.isEmpty() && SetPlasmaWallpaper(full);
    if (DesktopIs(desktops, {QStringLiteral("GNOME"), QStringLiteral("Unity"), QStringLiteral("Pantheon"),
                             QStringLiteral("Budgie")}))
        return SetGnomeWallpaper(full);
    return false;
}

} // namespace

void SetRunValue(const QString& valueName, const QString& command)
{
    RegCreateAndSet(QString::fromLatin1(kRunKey), valueName, command, REG_SZ);
}

void SetAutoStart(QString& arguments)
{
    arguments = conv::Trim(arguments);
    // Quoted, so that a program folder with blanks still names one program.
    SetRunValue(appinfo::ProgramTitle(), '"' + ExecutablePath() + "\" " + arguments);
    WriteAutoStartEntry(arguments);
}

void ClearAutoStart()
{
    SetRunValue(appinfo::ProgramTitle(), QString());
    QFile::remove(AutoStartEntryPath());
}

bool IsAutoStartSet() { return !RegReadString(QString::fromLatin1(kRunKey), appinfo::ProgramTitle()).isEmpty(); }

QString AutoStartEntryPath()
{
    return platform::registry::ConfigFolder() + "/autostart/" + appinfo::ProgramTitle() + ".desktop";
}

void SetScreenSaver(const QString& exePath, const QString& timeZone, qint32 timeOut, qint32 withLock)
{
    // This desktop has no common place for a screen-saver program; the values live in our
    // registry, where the menus read them back.
    const QString key = QString::fromLatin1(kDesktopKey);
    RegCreateAndSet(key, QStringLiteral("SCRNSAVE.EXE"), exePath, REG_SZ);
    RegCreateAndSet(key, QStringLiteral("ScreenSaveTimeOut"), QString::number(timeOut), REG_SZ);
    RegCreateAndSet(key, QStringLiteral("ScreenSaveActive"), QStringLiteral("1"), REG_SZ);
    RegCreateAndSet(key, QStringLiteral("ScreenSaveTimeZone"), timeZone, REG_SZ);
    RegCreateAndSet(key, QStringLiteral("ScreenSaveWithLock"), QString::number(withLock), REG_SZ);
}

QString GetScreenSaver() { return RegReadString(QString::fromLatin1(kDesktopKey), QStringLiteral("SCRNSAVE.EXE")); }

bool SetWallpaper(const QString& path)
{
    const QString key = QString::fromLatin1(kDesktopKey);
    const QString registered = RegReadString(key, QStringLiteral("Wallpaper"));
    if (registered == path)
        return true;
    RegWriteString(HKEY_CURRENT_USER, key, QStringLiteral("Wallpaper"), path);
    RegWriteString(HKEY_CURRENT_USER, key, QStringLiteral("TileWallpaper"), QStringLiteral("0"));
    RegWriteString(HKEY_CURRENT_USER, key, QStringLiteral("WallpaperStyle"), QStringLiteral("2"));
    if (ApplyDesktopWallpaper(path))
        return true;
    // The desktop did not take it: the registration must not claim it did, or the next
    // call with the same picture would answer True without trying.
    RegWriteString(HKEY_CURRENT_USER, key, QStringLiteral("Wallpaper"), registered);
    return false;
}

bool IsWindowsNT()
{
    // The callers ask whether the system has the newer line's facilities (a speech voice,
    // layered windows with a colour key). Every desktop we run on has both.
    return true;
}

float GetBitmapAspect(quint32 picture)
{
    const QSize s = platform::pictures::SizeOf(picture);
    if (s.width() <= 0)
        return 1.0f;
    return static_cast<float>(s.height()) / static_cast<float>(s.width());
}

void ExecuteLink(const QString& file, const QString& parameters, const QString& directory)
{
    SetScreenPointer(11);
    // A program file is started with the parameters; anything else (documents, folders,
    // links) goes to the desktop's opener, which takes no parameters.
    const QFileInfo target(directory.isEmpty() ? QDir::current() : QDir(directory), file);
    QString reason;
    bool started;
    if (!file.isEmpty() && target.isFile() && target.isExecutable())
        started = externalcommands::StartDetached(target.absoluteFilePath(), QProcess::splitCommand(parameters),
                                                  directory, &reason);
    else
        started = externalcommands::StartDetached(QStringLiteral("xdg-open"), {file}, directory, &reason);
    if (!started) {
        SetScreenPointer(0);
        platform::MsgBox("error Opening Link to " + file + "\r\n\r\n" + reason, platform::vbOKOnly,
                         QStringLiteral("ExecuteLink"));
    }
    SetScreenPointer(0);
}

void SetScreenPointerHandler(ScreenPointerHandler handler) { PointerHandler() = std::move(handler); }

} // namespace mduAPILib
