#include "help_about.h"

namespace mduUILib {

void OpenHelpTopic(QString&)
{
    // The help viewer comes with the help pages.
}

} // namespace mduUILib
