#include "user_locale.h"

#include <QLocale>
#include <pwd.h>
#include <unistd.h>

namespace platform {
namespace {
QString& NameOverride()
{
    static QString s;
    return s;
}
QString& CountryOverride()
{
    static QString s;
    return s;
}
} // namespace

QString LoginName()
{
    if (!NameOverride().isEmpty())
        return NameOverride();
    QString name = qEnvironmentVariable("USER");
    if (name.isEmpty()) {
        if (const passwd* pw = getpwuid(getuid()))
            name = QString::fromLocal8Bit(pw->pw_name);
    }
    return name;
}

QString LocaleCountryName()
{
    if (!CountryOverride().isEmpty())
        return CountryOverride();
    const QLocale::Territory t = QLocale::system().territory();
    if (t == QLocale::AnyTerritory)
        return {};
    return QLocale::territoryToString(t);
}

void SetLoginNameOverride(const QString& name) { NameOverride() = name; }
void SetLocaleCountryOverride(const QString& country) { CountryOverride() = country; }

} // namespace platform
