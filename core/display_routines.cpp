#include "display_routines.h"

#include "app_identity.h"
#include "conversions.h"
#include "system/clock.h"

namespace mduUILib {
namespace {
// Whole seconds since the epoch, rounded down, so that the difference of two counts the
// seconds boundaries crossed between them.
qint64 SecondsOf(const QDateTime& t)
{
    const qint64 ms = t.toMSecsSinceEpoch();
    return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000);
}
} // namespace

bool IsStayTimeOver(const QDateTime& start, const mduLib::PropertyTable& table)
{
    if (appinfo::CommandLine().isEmpty())
        return false;
    qint32 stay = 0;
    try {
        // Read in 32 bits: a stay of a day or more is well past 32,767 seconds.
        stay = conv::ToInt32(mduLib::GetNumberProp(QStringLiteral("Stay Time"), table, 0));
    } catch (const conv::OverflowError&) {
        return false; // more than 68 years: never
    }
    if (stay <= 0)
        return false;
    return SecondsOf(platform::Now()) - SecondsOf(start) > stay;
}

qint16 WindowStateFromName(const QString& name)
{
    const QString n = name.toLower();
    if (n == QLatin1String("maximized"))
        return 2;
    if (n == QLatin1String("minimized"))
        return 1;
    return 0;
}

QString WindowStateName(const QString& state)
{
    if (state == QLatin1String("2"))
        return QStringLiteral("Maximized");
    if (state == QLatin1String("1"))
        return QStringLiteral("Minimized");
    return QStringLiteral("Normal");
}

bool IsCustom(const QString& text) { return text == QLatin1String("Custom"); }

} // namespace mduUILib
