#pragma once
// What the flexible grid's topic files share.
#include "core/conversions.h"

#include <QString>

namespace platform::flexgrid {

constexpr int kPad = 2; // pixels between a cell's edge and its text

inline bool IsNumberText(const QString& t) { return !conv::Trim(t).isEmpty() && conv::IsNumeric(t); }

} // namespace platform::flexgrid
