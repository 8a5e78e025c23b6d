#pragma once
// Small text and value routines the windows share.
#include <QString>
#include <QtGlobal>
#include <type_traits>

namespace mduLib {

// b when a <= b, else a (a tie gives b). The winner keeps its type as far as C++ lets it:
// a whole-number a gives a whole number, a fractional a a fractional one.
template <class A>
requires std::is_arithmetic_v<A>
constexpr std::common_type_t<A, qint32> MaxValue(A a, qint32 b)
{
    using R = std::common_type_t<A, qint32>;
    return a <= b ? static_cast<R>(b) : static_cast<R>(a);
}
// b when a >= b, else a.
template <class A>
requires std::is_arithmetic_v<A>
constexpr std::common_type_t<A, qint32> MinValue(A a, qint32 b)
{
    using R = std::common_type_t<A, qint32>;
    return a >= b ? static_cast<R>(b) : static_cast<R>(a);
}

// False only for "no" in any case, blanks around it ignored.
bool IsYes(const QString& text);
// "Yes" or "No".
QString YesNoText(bool flag);
// The text followed by CR LF as the whole file; False on any failure (the old file stays).
bool WriteTextFile(const QString& text, const QString& path);
// A name ending in ".jpg", ".gif" or ".bmp", in any case (not ".jpeg", not ".png").
bool IsImageFile(const QString& path);
// Every CR LF becomes one blank.
QString JoinLines(const QString& text);
// Breaks lines at blanks (the blank gives way to CR LF): the first line at the last blank
// within its first width characters, each later one at the last blank within the width
// characters from its line feed, so it holds one character less. A line that fits is
// left whole, line breaks already in the text start a new line, and width characters
// without a blank end the wrapping there.
QString WrapText(const QString& text, int width);
// The text before the first NUL; empty when there is none or the buffer starts with one.
QString TrimAtNul(const QString& buffer);
// 1 "Top", 2 "Bottom", 3 "Left", 4 "Right", else "None"; "Hide:" in front when not visible.
QString AlignName(int alignment, bool visible);
// The first occurrence of find (case-sensitive) replaced; an empty find puts the
// replacement in front.
QString ReplaceFirst(const QString& text, const QString& find, const QString& replacement);
// 2 when the text contains "Large Size", else 1.
int SizeMode(const QString& text);

} // namespace mduLib
