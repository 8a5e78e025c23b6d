#pragma once
// The arithmetic of the spin box: one step up or down of a number or a date kept as text.
#include <QString>

namespace spinmath {

// The number a step starts from: without a point rounded to a whole number, with one to
// two decimals (halves away from zero); an empty text is 0.
QString NormalizeSpinNumber(const QString& text);
// A number as the spin box writes it: a blank before zero and positive numbers, "-"
// before negative ones, no 0 before the point, up to 15 significant digits.
QString SpinNumberText(double v);
// One step of delta (+1 or -1) on a text: numbers first, then dates by one day; any other
// text only loses its blanks.
QString StepSpinText(const QString& text, int delta);

} // namespace spinmath
