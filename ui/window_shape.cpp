#include "window_shape.h"

#include "form.h"

namespace mduAPILib {

// Shapes, title-bar styles and stacking come with the window-shape work; until then a
// window keeps its ordinary frame.
void SetTopMostNow(platform::Form&) {}
void SetCaptionStyle(platform::Form&, bool, bool) {}
void ApplyBorderStyle(platform::Form&, const QString&) {}

} // namespace mduAPILib
