#pragma once
// The window's balloon for its day cells and captions.
#include "ui/balloon_tooltip.h"

#include <memory>

namespace calendarform {

struct BalloonsState {
    std::unique_ptr<CBalloonToolTip> Tip; // made at the set-up
};

} // namespace calendarform
