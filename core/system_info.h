#pragma once
// The user's logon name and the English name of the user's country.
#include <QString>

namespace mduAPILib {

QString GetWindowsUserName();
QString GetUserCountryName();

} // namespace mduAPILib
