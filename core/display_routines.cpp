#include "display_routines.h"

namespace mduUILib {

bool IsStayTimeOver(const QDateTime&, const mduLib::PropertyTable&)
{
    return false; // the stay time comes with the display routines
}

} // namespace mduUILib
