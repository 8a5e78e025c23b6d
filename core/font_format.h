#pragma once
// The font format of day cells: seven comma-separated fields (font name, size in points,
// bold, italic, colour, underline, strikethrough). An empty field takes the default's.
#include "text_format_target.h"

#include <QString>
#include <optional>

namespace mduAlmanorvqueLib {

// A flag field: "True"/"False" in any case, or a number (0 false); nothing otherwise.
std::optional<bool> ReadFontFlag(const QString& field);

// Applies the format (the default in full when the format is empty); a field that does
// not convert leaves its attribute as it was.
void ApplyTextFormat(TextFormatTarget& label, const QString& format, const QString& defaultFormat);

} // namespace mduAlmanorvqueLib
