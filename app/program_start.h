#pragma once
// What both programs do around their own start: the display check, Qt, the program's
// identity and the desktop services, then the event loop and the end of every form.
#include <QString>
#include <functional>

namespace programstart {

// Runs start (under the event guard) once Qt is up; the program's exit status.
int Run(int argc, char* argv[], const QString& title, const QString& exeName, const std::function<void()>& start);

} // namespace programstart
