#pragma once
// Controls as the layout arithmetic sees them: their rectangles in twips.
#include "layout_math.h"
#include "ui/controls.h"

namespace calendarlayout {

inline Box BoxOf(const platform::LightControl& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

inline void Place(platform::LightControl& c, const Box& b) { c.Move(b.Left, b.Top, b.Width, b.Height); }

} // namespace calendarlayout
