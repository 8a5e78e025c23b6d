#pragma once
// The shaded band that the dialogs' buttons draw behind their captions.
#include <QImage>

namespace dialogpictures {

struct Rgb {
    int r, g, b;
};

// A band of the given size shaded from the edge colour at its top and bottom to the
// middle colour.
QImage ShadedBand(Rgb edge, Rgb middle, int width = 172, int height = 44);

// The two looks of the dialogs: a green band for the action, a red one for closing.
inline QImage ActionBand() { return ShadedBand({32, 83, 32}, {150, 255, 150}); }
inline QImage CloseBand() { return ShadedBand({83, 32, 32}, {255, 149, 149}); }

} // namespace dialogpictures
