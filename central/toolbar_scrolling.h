#pragma once
// Scrolling the toolbar's buttons by dragging, over their shown/hidden switches alone.
#include <vector>

namespace toolbarscrolling {

// shown[1..count] (shown[0] unused). Scanning from the first button (direction 1) or the
// last (any other): wantVisible finds the first shown one met; otherwise the last hidden
// one before the first shown one. 1 when the scan finds nothing else.
int FindEdgeButton(const std::vector<bool>& shown, int direction, bool wantVisible);

// One drag step: when the mouse went more than step from origin, one button scrolls off
// toward the start (moved toward it) or back (moved toward the end); true then. Moved
// toward the end with nothing scrolled away, the drag ends: origin 0, false.
bool Scroll(std::vector<bool>& shown, float& origin, float position, float step);

// The button under a position along the toolbar from the extents of its buttons (0 for
// hidden ones and the separator): the first whose running sum reaches it, else 0.
int ButtonAtPosition(const std::vector<float>& extents, float position);

} // namespace toolbarscrolling
