#pragma once
// Registry values and desktop settings: autostart, screen saver, wallpaper, and facts
// about the system and pictures.
#include <QString>
#include <QtGlobal>
#include <functional>

namespace mduAPILib {

inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kDesktopKey[] = "Control Panel\\Desktop";

// The Run value named valueName = command.
void SetRunValue(const QString& valueName, const QString& command);
// Starts the program with the trimmed arguments when the user logs on: the Run value
// (the quoted executable, a blank and the arguments) and the desktop's autostart entry.
// arguments is trimmed in place.
void SetAutoStart(QString& arguments);
// Empties the Run value (it stays, empty) and removes the autostart entry.
void ClearAutoStart();
// The Run value of the program is not empty.
bool IsAutoStartSet();
// The path of the program's autostart entry, <config folder>/autostart/<title>.desktop.
QString AutoStartEntryPath();

// Screen-saver values, kept in our registry only.
void SetScreenSaver(const QString& exePath, const QString& timeZone, qint32 timeOut, qint32 withLock);
QString GetScreenSaver();

// True at once when path is the registered wallpaper; otherwise registers it and asks the
// desktop to show it, answering whether that worked. A failure keeps the old registration.
bool SetWallpaper(const QString& path);

bool IsWindowsNT();

// Height divided by width of the picture behind the handle; 1 when it has no width.
float GetBitmapAspect(quint32 picture);

// Opens a file or link with the desktop's opener; a program file is started with the
// parameters. A start that fails is reported in a message box.
void ExecuteLink(const QString& file, const QString& parameters, const QString& directory);

// The screen's mouse pointer while ExecuteLink works: 11 the hourglass, 0 the default.
// The same value may come twice in a row. Without a handler nothing changes.
using ScreenPointerHandler = std::function<void(int mousePointer)>;
void SetScreenPointerHandler(ScreenPointerHandler handler);

} // namespace mduAPILib
