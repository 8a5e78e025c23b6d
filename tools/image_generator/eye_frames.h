#pragma once

#include <QImage>

// Frame 1..10 of the status bar's eye: it looks round, blinks, and opens again.
QImage paintEyeFrame(int frame);
