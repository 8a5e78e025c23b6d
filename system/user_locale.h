#pragma once
// Who the user is and where they live, as far as the programs need it.
#include <QString>

namespace platform {

// The login name ($USER, else the password database); "" when there is none.
QString LoginName();
// The English name of the territory of the user's locale ("United Kingdom"); "" when unknown.
QString LocaleCountryName();

// Tests pin both; an empty text restores the system's answer.
void SetLoginNameOverride(const QString& name);
void SetLocaleCountryOverride(const QString& country);

} // namespace platform
