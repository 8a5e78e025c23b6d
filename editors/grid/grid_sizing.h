#pragma once
// The fit of the inner grid to its control, as pure arithmetic. Sums are 32-bit, so a
// wide screen's columns cannot overflow them.
#include <QtGlobal>
#include <vector>

namespace gridsizing {

struct Fit {
    qint32 size = 0;       // the inner grid's new width or height
    bool overflow = false; // the content needs more than the control has
};

// The column widths plus 300 twips, or the control's width when that is less.
Fit FitWidth(const std::vector<qint32>& colWidths, qint32 controlWidth);
// Every row as high as row 1, no margin, or the control's height when that is less.
Fit FitHeight(qint32 row1Height, qint32 rows, qint32 controlHeight);
// A caller's width plus 290 twips, compared without the allowance.
Fit FitCallerWidth(qint32 width, qint32 controlWidth);
// The scroll bars for the overflows; -1 leaves them as they are.
qint32 ScrollBarsFor(bool horizontal, bool vertical);
// A column's width for its longest text: 100 twips a character, 0 hides an empty one,
// never above 32,700 twips.
qint32 AutoFitWidth(qint32 maxLen);

} // namespace gridsizing
