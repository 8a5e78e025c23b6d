#include "system_info.h"

#include "conversions.h"
#include "system/user_locale.h"

namespace mduAPILib {

QString GetWindowsUserName() { return conv::Trim(platform::LoginName()); }

QString GetUserCountryName() { return platform::LocaleCountryName(); }

} // namespace mduAPILib
