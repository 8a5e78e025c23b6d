#include "month_layout.h"

#include <algorithm>
#include <cmath>

namespace monthlayout {

std::optional<Arrangement> ArrangementFor(const QString& tag, int m, double W, double H)
{
    Arrangement a;
    if (tag == QLatin1String("2"))
        a = {m - 1, m, W / 2.1, H / 1.3};
    else if (tag == QLatin1String("4"))
        a = {m - 2, m + 1, W / 2.1, H / 2.2};
    else if (tag == QLatin1String("6"))
        a = {m - 3, m + 2, W / 3.1, H / 2.5};
    else if (tag == QLatin1String("12"))
        a = {1, 12, W / 3.2, H / 5.2};
    else
        return std::nullopt;
    a.first = std::max(1, a.first);
    a.last = std::min(12, a.last);
    return a;
}

bool RowEndsAfter(const QString& tag, int i)
{
    if (tag == QLatin1String("4"))
        return i % 2 == 0;
    if (tag == QLatin1String("6") || tag == QLatin1String("12"))
        return i % 3 == 0;
    return false;
}

Position Advance(const QString& tag, int i, const Position& p, double reportedWidth, double reportedHeight)
{
    Position next = p;
    if (RowEndsAfter(tag, i)) {
        next.top = std::nearbyint(p.top + reportedHeight + kGapY);
        next.left = kStart;
    } else {
        next.left = std::nearbyint(p.left + reportedWidth + kGapX);
    }
    return next;
}

std::vector<Cell> Plan(const QString& tag, int m, double W, double H)
{
    std::vector<Cell> cells;
    const auto a = ArrangementFor(tag, m, W, H);
    if (!a)
        return cells;
    Position p;
    for (int i = a->first; i <= a->last; ++i) {
        cells.push_back({i, p.left, p.top, a->width, a->height});
        p = Advance(tag, i, p, a->width, a->height);
    }
    return cells;
}

} // namespace monthlayout
