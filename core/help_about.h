#pragma once
// Help and the About box. The help viewer and the active window belong to the window
// layer, which plugs them in here at start-up; tests plug in recording ones.
#include <QObject>
#include <QString>
#include <functional>

namespace mduUILib {

// The window help is asked for: none when no window of ours is active.
struct HelpWindowRef {
    QObject* window = nullptr;
    int* helpContextID = nullptr; // that window's help context number
};

// Opens helpFilePath (program folder/Help/<file>) at the help context number, owned by
// owner (none when null).
using HelpViewer = std::function<void(const QString& helpFilePath, int helpContextID, QObject* owner)>;
using ActiveHelpWindow = std::function<HelpWindowRef()>;

// Null functions put the defaults back (no viewer, no active window).
void SetHelpViewer(HelpViewer viewer);
void SetActiveHelpWindow(ActiveHelpWindow provider);

// Opens the help file at the active window's help context (100 when it has none, which
// the window then keeps); an empty name stands for the program's own help
// (<executable>.chm) and is filled in in place. Without an active window it opens the
// default page, owned by no window.
void OpenHelpTopic(QString& file);

// The program's title, version and purpose, then the maker's notice.
QString AboutText();
// The About box: that text, an OK button, title "About".
void ShowAbout();

} // namespace mduUILib
