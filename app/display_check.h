#pragma once
// Whether the program can open its windows at all, asked before Qt is started: Qt's X11
// platform ends the process with an abort when it finds no display.
#include <QString>

namespace startcheck {

// Why the X11 display cannot be used ("DISPLAY is not set", "cannot open display
// \\":99\\""); "" when it can, or when the platform chosen (QT_QPA_PLATFORM or -platform)
// is not X11, as with "offscreen".
QString DisplayProblem(int argc, char** argv);

// Says on stderr that programTitle needs an X11 display and why; true when it did.
bool ReportMissingDisplay(const QString& programTitle, int argc, char** argv);

} // namespace startcheck
