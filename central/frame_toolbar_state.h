#pragma once
// The toolbar's state: its designed pictures, its popup menu, the balloon that names its
// buttons, whether it hides itself, and what its mouse handler keeps between moves.
#include "ui/balloon_tooltip.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <array>
#include <memory>
#include <vector>

namespace centralframe {

struct ToolbarState {
    std::vector<QImage> imgListToolbar; // the designed button pictures 1 to 8
    QMenu* ToolBarMenu = nullptr;
    std::array<QAction*, 5> ToolBarSize{};
    std::array<QAction*, 6> ToolBarPositions{};
    QAction* AutoShowToolTips = nullptr;
    QAction* ToolbarCustomize = nullptr;
    QAction* SaveToolbarSetting = nullptr;
    std::unique_ptr<CBalloonToolTip> BalloonTips;
    bool AutoHide = false; // armed: the toolbar leaves when the mouse goes inward
    float ToolbarDragOrigin = 0;
    int LastTipButton = 0;
};

} // namespace centralframe
