#pragma once
// The status bar's state: its panels, the eye's pictures and the frame it shows, the
// bar's popup menu and the side it was last docked at.
#include "ui/tool_bar.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <array>
#include <vector>

namespace centralframe {

struct StatusState {
    std::array<QLabel*, 8> sbPanels{}; // status panels 1 to 7 (0 unused)
    std::vector<QImage> imgList1;      // the eye's frames 1 to 10
    QMenu* StatusBarMenu = nullptr;
    QAction* StatusBarAction = nullptr;
    QAction* ClearStatusMessage = nullptr;
    int StatusBarAlign = platform::vbAlignBottom;
    qint32 LastEyeTick = 0;
    qint16 EyeFrame = 0;
};

} // namespace centralframe
