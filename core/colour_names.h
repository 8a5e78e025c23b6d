#pragma once
// Colour names, the vocabulary of every colour setting. Colours are Windows RGB values:
// red in the low byte. "White" is the nearly white 16777213; only "Transparent" gives
// pure white, the colour key of the see-through window.
#include <QString>

namespace mduUILib {

// Trims and lower-cases the name in place; a number gives that colour value; unknown
// names (and numbers past 32 bits) read as black.
qint32 ColourFromName(QString& name);
qint32 ColourFromName(const QString& name);
QString ColourName(qint32 colour);
// A colour of three random parts, each 0 to 254.
qint32 RandomColour();

} // namespace mduUILib
