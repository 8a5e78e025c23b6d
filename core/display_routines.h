#pragma once
// Small display routines shared by the windows.
#include "settings_store.h"

#include <QDateTime>

namespace mduUILib {

// With a command line, whether more than "Stay Time" seconds passed since start.
bool IsStayTimeOver(const QDateTime& start, const mduLib::PropertyTable& table);

} // namespace mduUILib
