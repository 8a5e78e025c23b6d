#pragma once
// Help and the About box.
#include <QString>

namespace mduUILib {

// Opens the help file at the active window's help context (100 when it has none); an
// empty name stands for the program's own help and is filled in in place.
void OpenHelpTopic(QString& file);

} // namespace mduUILib
