// Operations of the calendar window that later work fills in; until then each does the
// least that keeps the window usable.
#include "calendar_window.h"

// Day notes.
QString frmAlmanorvique::GetActivity(const QString&) { return {}; }
void frmAlmanorvique::SizeActivityIcon(int) {}

// Pictures and backgrounds.
bool frmAlmanorvique::LoadCalendarPicture(QString&, int, bool) { return false; }
void frmAlmanorvique::ShowCurrentPictures() {}
void frmAlmanorvique::SetWindowBackColour(QString&, int) {}
void frmAlmanorvique::AddFile(const QString&, const QString&) {}

// Command dispatcher.
void frmAlmanorvique::ApplySetting(const QString&, const QString&, const QString&) {}

// Clock and message line.
void frmAlmanorvique::UpdateClock() {}
void frmAlmanorvique::ScrollMessage() {}
