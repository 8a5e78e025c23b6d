#pragma once
// What the grid dialogs and the folder picker call back on the window that opened them.
// The calendar window and the multi-calendar frame implement it; a member a window lacks does
// nothing, so a call never fails whoever opened the dialog.
#include <QString>

namespace platform {
class Form;
} // namespace platform

class CalendarCaller {
public:
    virtual ~CalendarCaller() = default;

    // The window itself: its geometry places the dialog, and it owns the dialog.
    virtual platform::Form& CallerForm() = 0;
    // A message box owned by the window; the button pressed (6 = Yes), 0 on an error.
    virtual int ShowMsgbox(const QString& Prompt, int Button, const QString& Title) = 0;

    // Takes gPropertyTable as the window's settings and applies them.
    virtual void RefreshForm(const QString& /*strIniFile*/) {}
    // The shipped default settings file; "" when the window has none.
    virtual QString DefaultIniFile() { return {}; }
    // The window's date tables become the date files again.
    virtual void ReloadDates() {}
    // Only the table of the one date file just written becomes that file again; the
    // others keep what was written into them and not saved yet.
    virtual void ReloadDatesOf(const QString& /*file*/) { ReloadDates(); }
    // Imports a picture chosen in the folder picker.
    virtual void AddFile(const QString& /*sPath*/, const QString& /*sFile*/) {}
    // The frame whose child window this one is; none for a window of its own.
    virtual platform::Form* FrameForm() { return nullptr; }

    // Members some callers are asked for and no window of the system has.
    virtual QString IniFile() { return {}; }
    virtual void RefreshFolder(const QString& /*sPath*/) {}
    virtual void SetFile(const QString& /*sPath*/, const QString& /*sFile*/) {}
};
