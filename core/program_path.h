#pragma once
// The program folder recorded in the per-application settings area (section "Setting",
// value "Path"), under the program's title.
#include <QString>

namespace mduLib {

// Leaves the stored path equal to the program folder; a moved program folder replaces
// the whole section. Failures are ignored.
void StoreProgramPath();
QString GetStoredProgramPath();

} // namespace mduLib
