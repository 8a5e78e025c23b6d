#pragma once
// Twips (1/1440 inch) are the unit of every position and size the forms keep.
#include <QColor>
#include <QtGlobal>

namespace platform {

// 1440 / logical DPI of the primary screen (15 at 96 DPI).
double TwipsPerPixelX();
double TwipsPerPixelY();
int TwipsToPixelsX(double twips);
int TwipsToPixelsY(double twips);
double PixelsToTwipsX(double px);
double PixelsToTwipsY(double px);

// The whole primary screen in twips.
double ScreenWidthTwips();
double ScreenHeightTwips();

// Windows colour values: red in the low byte; &H80000000 + n is system colour n.
QColor ColorFromValue(qint32 value);
qint32 ValueFromColor(const QColor& c);

} // namespace platform
