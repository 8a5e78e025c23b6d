#pragma once
// Small text and value routines the windows share.
#include <QString>

namespace mduLib {

// b when a <= b, else a (a tie gives b).
double MaxValue(double a, qint32 b);
// b when a >= b, else a.
double MinValue(double a, qint32 b);
// False only for "no" in any case, blanks around it ignored.
bool IsYes(const QString& text);
// The text followed by CR LF as the whole file; False on any failure (the old file stays).
bool WriteTextFile(const QString& text, const QString& path);

} // namespace mduLib
