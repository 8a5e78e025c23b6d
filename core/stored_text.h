#pragma once
// How a text typed by the user goes into a date table. Every entry of a settings or date
// file is one line, so a value must not carry a line break: each one (CR LF, or a CR or LF
// of its own) becomes one blank. A value without line breaks is kept exactly as it is.
#include <QString>

namespace mduLib {

QString StoredLineText(const QString& text);

} // namespace mduLib
