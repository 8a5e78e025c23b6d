#include "colour_names.h"

#include "conversions.h"

#include <QRandomGenerator>

namespace mduUILib {
namespace {
QRandomGenerator& Generator()
{
    // Seeded once: reseeding from the clock on every call repeats colours within a tick.
    static QRandomGenerator g(QRandomGenerator::securelySeeded());
    return g;
}
} // namespace

qint32 RandomColour()
{
    auto part = [] { return static_cast<qint32>(Generator().bounded(255)); };
    const qint32 r = part();
    const qint32 g = part();
    const qint32 b = part();
    return r + 256 * g + 65536 * b;
}

qint32 ColourFromName(QString& name)
{
    name = conv::Trim(name).toLower();
    static const struct {
        const char* name;
        qint32 value;
    } table[] = {{"red", 0xFF},      {"black", 0},        {"green", 0xFF00},
                 {"yellow", 0xFFFF}, {"blue", 0xFF0000},  {"magenta", 0xFF00FF},
                 {"cyan", 0xFFFF00}, {"white", 0xFFFFFD}, {"transparent", 0xFFFFFF}};
    for (const auto& e : table)
        if (name == QLatin1String(e.name))
            return e.value;
    if (name == QLatin1String("random"))
        return RandomColour();
    if (conv::IsNumeric(name)) {
        try {
            return conv::ToInt32(conv::ToDouble(name));
        } catch (const conv::OverflowError&) {
            return 0; // a number no colour can have reads as black, as other unknown names do
        }
    }
    return 0;
}

qint32 ColourFromName(const QString& name)
{
    QString copy = name;
    return ColourFromName(copy);
}

QString ColourName(qint32 colour)
{
    switch (colour) {
    case 0:
        return QStringLiteral("Black");
    case 255:
        return QStringLiteral("Red");
    case 65280:
        return QStringLiteral("Green");
    case 65535:
        return QStringLiteral("Yellow");
    case 16711680:
        return QStringLiteral("Blue");
    case 16711935:
        return QStringLiteral("Magenta");
    case 16776960:
        return QStringLiteral("Cyan");
    case 16777213:
    case 16777215:
        return QStringLiteral("White");
    case 16777218:
        return QStringLiteral("Transparent");
    default:
        return QString::number(colour);
    }
}

} // namespace mduUILib
