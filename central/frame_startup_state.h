#pragma once
// The frame's start-up and run: how far start-up came, the twelve month windows, and
// whether the exit sequence ran.
#include "frame_window.h"

#include <QPointer>
#include <array>

class frmAlmanorvique;

namespace centralframe {

struct StartupState {
    int FormState = 0; // frmMain::kStartupPending from Load, then frmMain::kRunning
    std::array<QPointer<frmAlmanorvique>, frmMain::kMonthCount + 1> MonthCalendars{}; // 1 to 12; [0] unused
    bool Exited = false;
};

} // namespace centralframe
