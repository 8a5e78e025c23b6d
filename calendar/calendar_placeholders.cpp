// Operations of the calendar window that later work fills in; until then each does the
// least that keeps the window usable.
#include "calendar_window.h"

// Day notes.
QString frmAlmanorvique::GetActivity(const QString&) { return {}; }
void frmAlmanorvique::SizeActivityIcon(int) {}

// Mouse on the page: the screen-saver exit test of the picture, page and backdrop.
void frmAlmanorvique::imgCalendar_MouseMove(int, int, int, float X, float)
{
    CheckScreenSaverExit(X);
}

// Clock and message line.
void frmAlmanorvique::UpdateClock() {}
void frmAlmanorvique::ScrollMessage() {}
