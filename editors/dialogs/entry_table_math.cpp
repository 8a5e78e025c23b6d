#include "entry_table_math.h"

#include "core/conversions.h"
#include "core/font_format.h"

#include <algorithm>

namespace entrytable {

FrameLayout LayOutFrame(float windowWidth, float windowHeight, float gridLeft, float gridTop, qint32 keyColWidth,
                        float closeWidth, float actionWidth)
{
    FrameLayout f;
    f.gridWidth = std::max(windowWidth - 350.0f, 0.0f);
    f.valueColWidth = conv::ToInt32(std::max(static_cast<double>(f.gridWidth) - keyColWidth - 340.0, 0.0));
    f.gridHeight = std::max(windowHeight - 1300.0f, 10.0f);
    f.buttonTop = gridTop + f.gridHeight + 200;
    f.closeLeft = std::max(gridLeft + f.gridWidth - closeWidth - 170, static_cast<float>(conv::ToInt32(closeWidth)));
    f.actionLeft = std::max(f.closeLeft - actionWidth - 600, 200.0f);
    return f;
}

namespace {
bool FlagOrEmpty(const QString& field)
{
    return field.trimmed().isEmpty() || mduAlmanorvqueLib::ReadFontFlag(field).has_value();
}
bool NumberOrEmpty(const QString& field) { return field.trimmed().isEmpty() || conv::IsNumeric(field); }
} // namespace

bool IsFontFormatValue(const QString& key, const QString& value)
{
    if (conv::Trim(key).endsWith(QLatin1String("Date Format"), Qt::CaseInsensitive))
        return true;
    const QStringList f = value.split(u',');
    if (f.size() != 7)
        return false;
    // A font name (never a number: a list of seven numbers is a list of choices), then
    // size, bold, italic, colour, underline and strikethrough, each of which may be empty.
    const QString name = f[0].trimmed();
    return !name.isEmpty() && !conv::IsNumeric(name) && NumberOrEmpty(f[1]) && FlagOrEmpty(f[2]) && FlagOrEmpty(f[3]) &&
           NumberOrEmpty(f[4]) && FlagOrEmpty(f[5]) && FlagOrEmpty(f[6]);
}

QString SettingValueText(const mduLib::PropertyItem& e)
{
    return IsFontFormatValue(e.Key, e.Value) ? e.Value : mduLib::FirstListItem(e.Value);
}

QStringList OfferedChoices(const mduLib::PropertyItem& e)
{
    const qsizetype p = e.Value.indexOf(u',');
    if (p < 0 || IsFontFormatValue(e.Key, e.Value))
        return {};
    return e.Value.mid(p + 1).split(u',');
}

void StoreSettingText(mduLib::PropertyItem& e, const QString& text)
{
    const qsizetype p = e.Value.indexOf(u',');
    if (p >= 1 && !IsFontFormatValue(e.Key, e.Value))
        e.Value = conv::Trim(text) + u',' + e.Value.mid(p + 1);
    else
        e.Value = conv::Trim(text);
}

QString DateEntryLabel(const mduLib::PropertyItem& e) { return e.Key + u':' + e.Section; }

bool RestoresEmptyValue(const QString& label) { return !label.contains(QLatin1String("File")); }

bool IsFileLabel(const QString& label)
{
    const QString l = label.toLower();
    return l.endsWith(QLatin1String("file")) || l.endsWith(QLatin1String("files"));
}

void SortFromTag(const QString& tag, int& column, int& order)
{
    if (tag.isEmpty()) {
        column = 1;
        order = 0;
        return;
    }
    const qsizetype comma = tag.indexOf(u',');
    column = static_cast<int>(conv::LeadingNumber(comma < 0 ? tag : tag.left(comma)));
    order = comma < 0 ? 0 : static_cast<int>(conv::LeadingNumber(tag.mid(comma + 1)));
}

} // namespace entrytable
