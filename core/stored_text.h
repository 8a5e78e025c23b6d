#pragma once
// How a text typed by the user goes into a date table and comes back. Every entry of a
// settings or date file is one line, and a line ends at CR LF, CR or LF; so each line
// break of a typed text (CR LF, or a CR or LF of its own) is kept in the entry as the
// Unicode line separator U+2028, which no line end is made of and which no older file
// holds as anything else. A value without line breaks is kept exactly as it is, and an
// older file (whose breaks were joined into blanks) reads as it always did.
#include <QString>

namespace mduLib {

// The character a line break is kept as.
inline constexpr char16_t kStoredLineBreak = u'\u2028';

// The text as one entry's value: each line break becomes kStoredLineBreak.
QString StoredLineText(const QString& text);
// The stored value as the user typed it: each kept line break is CR LF again.
QString TypedText(const QString& stored);
// The text on one line (the scrolling message line): each line break, typed or kept,
// becomes one blank.
QString OneLineText(const QString& text);

} // namespace mduLib
