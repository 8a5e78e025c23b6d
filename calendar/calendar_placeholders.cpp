// Operations of the calendar window that later work fills in; until then each does the
// least that keeps the window usable.
#include "calendar_window.h"

// Popup menus of the page: the date menu, the grid frame's menu and the window menu.
void frmAlmanorvique::ShowDateMenu(const QString&) {}
void frmAlmanorvique::PopupFrameMenu() {}
void frmAlmanorvique::PopupCalendarMenu(int) {}
