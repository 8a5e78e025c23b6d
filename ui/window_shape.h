#pragma once
// Window shape, title bar and stacking of a form, on Qt window flags and masks.
// "No Border" makes the window frameless, regions become masks, and the white colour key
// becomes a mask of the painted window where it is not pure white. The mask follows the
// drawing by itself: each area a control or the background changes is looked at again
// after the change (only that area), and the whole window after a resize.
#include <QImage>
#include <QRegion>
#include <QString>
#include <QtGlobal>

namespace platform {
class Form;
}

namespace mduAPILib {

// 1, 4 client area only (frameless); 2, 5 title bar kept; 3, 6 the whole window;
// any other value gives back the ordinary shape.
void SetFormRegion(platform::Form& frm, qint16 regionStyle);
// "No Border", "3D Border" or "Classic" (exact case); any other name does nothing.
void ApplyBorderStyle(platform::Form& frm, const QString& styleName);
// From now on pure-white pixels of the window are see-through and let clicks through.
void MakeWhiteTransparent(platform::Form& frm);
// Recomputes the whole see-through mask from what the window shows now, at once; nothing
// when the window is not transparent.
void RefreshTransparentMask(platform::Form& frm);
bool IsWhiteTransparent(const platform::Form& frm);
void SetCaptionStyle(platform::Form& frm, bool noCaption, bool noMinMax);
// Puts the window in the topmost layer.
void SetTopMostNow(platform::Form& frm);
// The mouse position in screen pixels passed from the window's scale (twips) to twips:
// for a form this is the screen position in pixels.
float GetCursorXInForm(platform::Form& frm);
float GetCursorYInForm(platform::Form& frm);

// The part of an image that is not pure white (&HFFFFFF), as a region of pixels.
QRegion OpaqueRegion(const QImage& image);

} // namespace mduAPILib

namespace mduUILib {

// Topmost when onTop, else back to the ordinary layer; onTop tells whether it took.
void SetTopMost(platform::Form& frm, bool& onTop);

} // namespace mduUILib

namespace mduAPILib {
using mduUILib::SetTopMost;
}
