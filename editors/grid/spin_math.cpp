#include "spin_math.h"

#include "cell_format.h"
#include "core/conversions.h"

namespace spinmath {

QString NormalizeSpinNumber(const QString& text)
{
    if (!text.contains(u'.'))
        return text.isEmpty() ? QStringLiteral("0") : cellformat::FormatWithMask(text, QStringLiteral("0"));
    return cellformat::FormatWithMask(text, QStringLiteral("0.00"));
}

QString SpinNumberText(double v)
{
    QString t = conv::NumberText(v);
    if (t.startsWith(QLatin1String("0.")))
        t.remove(0, 1);
    else if (t.startsWith(QLatin1String("-0.")))
        t.remove(1, 1);
    return v >= 0 ? u' ' + t : t;
}

QString StepSpinText(const QString& text, int delta)
{
    const QString t = conv::Trim(text);
    if (!t.isEmpty() && conv::IsNumeric(t))
        return SpinNumberText(conv::ToDouble(NormalizeSpinNumber(t)) + delta);
    if (const auto when = cellformat::ReadDateTime(t))
        return cellformat::ShortDateText(when->addDays(delta));
    return t;
}

} // namespace spinmath
