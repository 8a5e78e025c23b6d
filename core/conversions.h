#pragma once
// The conversion rules every part of the system shares: rounding, number reading and
// writing, blank trimming and the locale-free text form of dates.
#include <QDate>
#include <QString>
#include <optional>
#include <stdexcept>

namespace conv {

struct OverflowError : std::runtime_error {
    OverflowError() : std::runtime_error("Overflow") {}
};
struct TypeMismatch : std::runtime_error {
    TypeMismatch() : std::runtime_error("Type mismatch") {}
};

// Nearest whole number, a half going to the even neighbour (1.5 -> 2, 2.5 -> 2).
double RoundHalfEven(double v);
// Signed 16- and 32-bit conversions with that rounding; out of range throws OverflowError.
qint16 ToInt16(double v);
qint32 ToInt32(double v);
qint16 ToInt16(const QString& text); // ToDouble, then ToInt16
qint32 ToInt32(const QString& text);

// The number at the start of a text: blanks, a sign, digits and one point; 0 when none.
double LeadingNumber(QStringView text);
// The whole text (blanks around it allowed) is a number with a point as decimal separator.
bool IsNumeric(QStringView text);
// The text as a number; throws TypeMismatch when it is not one.
double ToDouble(QStringView text);

// Blanks (spaces) only; tabs and line breaks stay.
QString Trim(QStringView text);
QString TrimLeft(QStringView text);
QString TrimRight(QStringView text);
// Blank-trimmed, case-insensitive equality without building new strings.
bool EqualsTrimmedNoCase(QStringView stored, QStringView key);

// Numbers written with a point and without blanks, whatever the locale.
QString NumberText(double v); // up to 15 significant digits
QString NumberText(float v);  // up to 7 significant digits, as single precision holds
QString NumberText(int v);
QString NumberText(qint64 v);

// The one text form of dates kept in texts (tags); converts back exactly.
QString DateText(const QDate& d);
std::optional<QDate> DateFromText(QStringView text);
bool IsDateText(QStringView text);

} // namespace conv
