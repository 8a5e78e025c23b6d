#include "spin_math.h"

#include "cell_format.h"
#include "core/conversions.h"

namespace gridspin {

QString NormalizeSpinNumber(const QString& text)
{
    if (!text.contains(u'.'))
        return text.isEmpty() ? QStringLiteral("0") : gridfmt::FormatWithMask(text, QStringLiteral("0"));
    return gridfmt::FormatWithMask(text, QStringLiteral("0.00"));
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
    if (const auto when = gridfmt::ReadDateTime(t))
        return gridfmt::ShortDateText(when->addDays(delta));
    return t;
}

} // namespace gridspin
