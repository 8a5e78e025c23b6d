#pragma once
// Where the frame puts its month windows for the layouts "2", "4", "6" and "12" around
// the current month: pure arithmetic, in twips.
#include <QString>
#include <optional>
#include <vector>

namespace monthlayout {

inline constexpr double kStart = 130; // left and top of the first window
inline constexpr double kGapX = 10;   // between windows of a row
inline constexpr double kGapY = 130;  // between rows

// The months a layout shows (clipped to 1..12) and the size of each window.
struct Arrangement {
    int first = 1;
    int last = 12;
    double width = 0;
    double height = 0;
};

// std::nullopt for a tag that is no layout. m is the current month, W and H the frame's
// outer size.
std::optional<Arrangement> ArrangementFor(const QString& tag, int m, double W, double H);
// Whether a row ends after month i: never for "2", after even months for "4", after the
// quarters for "6" and "12".
bool RowEndsAfter(const QString& tag, int i);

struct Position {
    double left = kStart;
    double top = kStart;
};
// The next position after a window of the reported size was placed at p; new values are
// whole twips, rounded half to even.
Position Advance(const QString& tag, int i, const Position& p, double reportedWidth, double reportedHeight);

struct Cell {
    int month = 0;
    double left = 0, top = 0, width = 0, height = 0;
};
// The whole layout when every window takes the size it is given.
std::vector<Cell> Plan(const QString& tag, int m, double W, double H);

} // namespace monthlayout
