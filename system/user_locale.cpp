#include "user_locale.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <climits>
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
QString& DataHomeOverride()
{
    static QString s;
    return s;
}
} // namespace

QString LoginName()
{
    if (!NameOverride().isEmpty())
        return NameOverride();
    const QString name = qEnvironmentVariable("USER");
    return name.isEmpty() ? AccountName() : name;
}

QString AccountName()
{
    if (const passwd* pw = getpwuid(getuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return {};
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

QString CountryOfLocaleName(const QString& localeName)
{
    // language[_territory][.codeset][@modifier]: only a territory part names a country.
    QString name = localeName;
    name.truncate(name.indexOf(u'@') < 0 ? name.size() : name.indexOf(u'@'));
    name.truncate(name.indexOf(u'.') < 0 ? name.size() : name.indexOf(u'.'));
    const qsizetype sep = name.lastIndexOf(u'_');
    if (sep <= 0)
        return {};
    const QLocale::Territory t = QLocale::codeToTerritory(QStringView(name).mid(sep + 1));
    return t == QLocale::AnyTerritory ? QString() : QLocale::territoryToString(t);
}

bool IsPlainFolderName(const QString& text)
{
    const QString name = text.trimmed();
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(QChar(0)) &&
           name.toLocal8Bit().size() <= NAME_MAX;
}

QString FirstPlainFolderName(const QStringList& candidates, const QString& fallback)
{
    for (const QString& c : candidates)
        if (IsPlainFolderName(c))
            return c.trimmed();
    return fallback;
}

QString UserFolderName()
{
    // A name from the environment must not lead out of the program folder.
    return FirstPlainFolderName({LoginName(), AccountName()}, QStringLiteral("User"));
}

QStringList UserFolderNames(const QString& parent, const QStringList& taken)
{
    QStringList usable;
    for (const QString& c : {LoginName(), AccountName(), QStringLiteral("User")}) {
        const QString name = c.trimmed();
        const QFileInfo fi(parent + u'/' + name);
        if (IsPlainFolderName(name) && !taken.contains(name) && (!fi.exists() || fi.isDir()) && !usable.contains(name))
            usable << name;
    }
    return usable;
}

QString CountryFolderName()
{
    // Under LANG=C the locale has no country; a variable naming one still says where
    // the user lives, and "Default" keeps the folder level when none does.
    QStringList candidates{LocaleCountryName()};
    for (const char* var : {"LC_ALL", "LC_TIME", "LC_MESSAGES", "LANG"})
        candidates << CountryOfLocaleName(qEnvironmentVariable(var));
    return FirstPlainFolderName(candidates, QStringLiteral("Default"));
}

QString UserDataHome()
{
    if (!DataHomeOverride().isEmpty())
        return DataHomeOverride();
    // A relative XDG_DATA_HOME is to be ignored; an empty HOME would make "/.local/share".
    const QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (QDir::isAbsolutePath(xdg))
        return xdg;
    QString home = qEnvironmentVariable("HOME");
    if (!QDir::isAbsolutePath(home))
        if (const passwd* pw = getpwuid(geteuid()))
            home = QString::fromLocal8Bit(pw->pw_dir);
    if (!QDir::isAbsolutePath(home) || QDir::cleanPath(home) == u"/")
        return {};
    return QDir::cleanPath(home) + QStringLiteral("/.local/share");
}

void SetLoginNameOverride(const QString& name) { NameOverride() = name; }
void SetUserDataHomeOverride(const QString& folder) { DataHomeOverride() = folder; }
void SetLocaleCountryOverride(const QString& country) { CountryOverride() = country; }

} // namespace platform
