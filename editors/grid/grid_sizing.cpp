#include "grid_sizing.h"

#include <algorithm>

namespace gridsizing {

Fit FitWidth(const std::vector<qint32>& colWidths, qint32 controlWidth)
{
    qint64 sum = 0;
    for (qint32 w : colWidths)
        sum += w;
    const qint64 needed = sum + 300;
    if (needed > controlWidth)
        return {controlWidth, true};
    return {static_cast<qint32>(needed), false};
}

Fit FitHeight(qint32 row1Height, qint32 rows, qint32 controlHeight)
{
    const qint64 needed = static_cast<qint64>(row1Height) * rows;
    if (controlHeight >= needed)
        return {static_cast<qint32>(needed), false};
    return {controlHeight, true};
}

Fit FitCallerWidth(qint32 width, qint32 controlWidth)
{
    if (width > controlWidth)
        return {controlWidth, true};
    return {static_cast<qint32>(std::min<qint64>(static_cast<qint64>(width) + 290, INT32_MAX)), false};
}

qint32 ScrollBarsFor(bool horizontal, bool vertical)
{
    if (horizontal && vertical)
        return 3;
    if (horizontal)
        return 1;
    if (vertical)
        return 2;
    return -1;
}

qint32 AutoFitWidth(qint32 maxLen)
{
    if (maxLen < 1)
        return 0;
    return static_cast<qint32>(std::min<qint64>(static_cast<qint64>(maxLen) * 100, 32700));
}

} // namespace gridsizing
