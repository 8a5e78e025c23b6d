#include "font_format.h"

#include "conversions.h"

#include <QStringList>
#include <optional>

namespace mduAlmanorvqueLib {
std::optional<bool> ReadFontFlag(const QString& v)
{
    const QString t = conv::Trim(v).toLower();
    if (t == QLatin1String("true"))
        return true;
    if (t == QLatin1String("false"))
        return false;
    if (conv::IsNumeric(t))
        return conv::ToDouble(t) != 0;
    return std::nullopt;
}

void ApplyTextFormat(TextFormatTarget& label, const QString& format, const QString& defaultFormat)
{
    const QStringList fields = (format.isEmpty() ? defaultFormat : format).split(u',');
    const QStringList defaults = defaultFormat.split(u',');
    const int n = std::min<int>(7, static_cast<int>(fields.size()));
    for (int i = 0; i < n; ++i) {
        QString value = fields[i];
        if (value.isEmpty()) {
            if (i >= defaults.size())
                continue;
            value = defaults[i];
        }
        try {
            switch (i) {
            case 0:
                if (!value.isEmpty())
                    label.SetFontName(value);
                break;
            case 1: {
                const double size = conv::ToDouble(value);
                if (size > 0)
                    label.SetFontSize(size);
                break;
            }
            case 4:
                label.SetForeColor(conv::ToInt32(conv::ToDouble(value)));
                break;
            default:
                if (const auto flag = ReadFontFlag(value)) {
                    if (i == 2)
                        label.SetFontBold(*flag);
                    else if (i == 3)
                        label.SetFontItalic(*flag);
                    else if (i == 5)
                        label.SetFontUnderline(*flag);
                    else
                        label.SetFontStrikethrough(*flag);
                }
            }
        } catch (const std::exception&) {
            // A field that does not convert leaves its attribute unchanged.
        }
    }
}

} // namespace mduAlmanorvqueLib
