#pragma once
// Whether the program can open its windows at all, asked before Qt is started: Qt's X11
// platform ends the process with an abort when it finds no display.
#include <QString>

namespace displaycheck {

// Connects to the X11 display the program is about to use and holds the connection until
// Release: an X server whose last client leaves resets itself, and a connection Qt made
// during that reset would fail.
class DisplayCheck {
public:
    DisplayCheck(int argc, char** argv);
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck&) = delete;
    DisplayCheck& operator=(const DisplayCheck&) = delete;

    // Why the display cannot be used ("DISPLAY is not set", "cannot open display \":99\"");
    // "" when it can, or when the platform chosen (QT_QPA_PLATFORM or -platform) is not
    // X11, as with "offscreen".
    const QString& Problem() const { return problem_; }
    // Says on stderr that programTitle needs an X11 display and why; true when it did.
    bool ReportProblem(const QString& programTitle) const;
    // Closes the connection (once Qt holds its own).
    void Release();

private:
    QString problem_;
    void* library_ = nullptr;
    void* connection_ = nullptr;
};

} // namespace displaycheck
