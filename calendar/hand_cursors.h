#pragma once
// The calendar window's cursor pictures: 1 a hand pointing up and to the left, 2 up and
// to the right (the month and year captions), 3 an open and 4 a closed hand facing left
// (dragging the window), 5 an open and 6 a closed hand facing right (moving the picture,
// the page, the grid frame or the clock). Element 0 is empty.
#include <QImage>
#include <vector>

namespace handcursors {

// The pictures of the list by what they show.
constexpr int kOpenLeftHand = 3;
constexpr int kClosedLeftHand = 4;
constexpr int kOpenRightHand = 5;
constexpr int kClosedRightHand = 6;

std::vector<QImage> DrawHandCursors();

// Is the icon this picture of the list (the same picture, not merely alike)?
bool IsPicture(const QImage& icon, const std::vector<QImage>& list, int index);

// The page-turn corner's picture: the page's bottom-left (0) or bottom-right (1) corner
// turned up.
QImage DrawPageCorner(int index);

} // namespace handcursors
