#pragma once
// Our help viewer. The help pages are HTML in the program folder's "Help" folder: the
// help file "<name>.chm" stands for the folder Help/<name in lower case>, whose pages are
// named after the help context numbers (100.html, 400.html ...) and whose index.html is
// the contents. One help window is reused for every request.
#include <QString>

class QTextBrowser;
class QWidget;

namespace platform {

class Form;

// The page for a help file path (…/Help/almanorvique.chm) and help context number: the
// context's own page, else the folder's index.html; "" when the folder has neither.
QString HelpPagePath(const QString& helpFilePath, int helpContextID);

// Shows that page in the help window, owned by owner's window (no owner when null);
// false, and no window, when there is no page.
bool ShowHelp(const QString& helpFilePath, int helpContextID, QWidget* owner);

// The help window and its page view, once the window was opened (nullptr before).
QWidget* HelpWindow();
QTextBrowser* HelpBrowser();

// The form help is asked for when the given window is the active one: the window
// itself when it is a form, else the active child form of its child-window area;
// nullptr when neither is one of our forms.
Form* HelpFormOf(QWidget* activeWindow);

// Plugs the viewer and the active form (of the running application) into the core's
// help routine.
void InstallHelpViewer();

} // namespace platform
