#pragma once
// Who the user is and where they live, as far as the programs need it, and the folder
// names the programs make of that.
#include <QString>
#include <QStringList>

namespace platform {

// The login name ($USER, else the password database); "" when there is none.
QString LoginName();
// The account's login name in the password database; "" when there is none.
QString AccountName();
// The English name of the territory of the user's locale ("United Kingdom"); "" when unknown.
QString LocaleCountryName();
// The territory a locale variable's value names ("de_AT.UTF-8@euro" -> "Austria"); ""
// for one that names none ("C", "POSIX", "en", "C.UTF-8").
QString CountryOfLocaleName(const QString& localeName);

// Whether text, trimmed, can be one level of a path: not empty, no "/", not "." or "..",
// and no longer than a file name may be.
bool IsPlainFolderName(const QString& text);
// The first candidate that is a plain folder name, trimmed; fallback when none is.
QString FirstPlainFolderName(const QStringList& candidates, const QString& fallback);
// The per-user folder name: the login name, else the account's name, else "User".
QString UserFolderName();
// The names the per-user folder may have in parent, in that order, each once: a name that
// is a file there (a user named after one of the program's files) or one of taken (the
// program's own folders) cannot be the folder and gives way to the next.
QStringList UserFolderNames(const QString& parent, const QStringList& taken);
// The country folder name: the locale's country, else the country of the first of
// LC_ALL, LC_TIME, LC_MESSAGES and LANG that names one, else "Default".
QString CountryFolderName();

// Where the user's own data files live: $XDG_DATA_HOME when it is an absolute path, else
// the home folder's ".local/share"; "" when there is no home at all.
QString UserDataHome();

// Tests pin these; an empty text restores the system's answer.
void SetLoginNameOverride(const QString& name);
void SetLocaleCountryOverride(const QString& country);
void SetUserDataHomeOverride(const QString& folder);

} // namespace platform
