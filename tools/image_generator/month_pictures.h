#pragma once

#include <QImage>
#include <QSize>

// The picture for month 1..12, a seasonal landscape drawn from a fixed seed.
QImage paintMonthPicture(int month, QSize size);
