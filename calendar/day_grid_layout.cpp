// Where the captions, weekday header, day cells, shadows, note icons and clock stand on
// the page.
#include "calendar_window.h"

void frmAlmanorvique::LayoutDayGrid() {}
void frmAlmanorvique::SetClockPosition() {}
void frmAlmanorvique::PlaceDateShadow(platform::Label&, int, int) {}
void frmAlmanorvique::PlaceActivityIcon(int) {}
