// The arrangement of picture, page and backdrop in the window.
#include "calendar_window.h"

void frmAlmanorvique::SetCalendarLayout() {}

qint32 frmAlmanorvique::SetOptionValue(qint32 lngCurr, qint32 lngValue) { return lngValue == -1 ? lngCurr : lngValue; }

bool frmAlmanorvique::IsTransparentWindow() { return false; }
bool frmAlmanorvique::ShowPictureByOrientation(QString&) { return false; }
