// Operations of the calendar window that later work fills in; until then each does the
// least that keeps the window usable.
#include "calendar_window.h"

// Pictures and backgrounds.
bool frmAlmanorvique::LoadCalendarPicture(QString&, int, bool) { return false; }
void frmAlmanorvique::ShowCurrentPictures() {}
void frmAlmanorvique::SetWindowBackColour(QString&, int) {}
void frmAlmanorvique::AddFile(const QString&, const QString&) {}

// Command dispatcher: until it comes, the background choice that the full load replays
// shows the picture, page and backdrop, as the dispatcher will.
void frmAlmanorvique::ApplySetting(const QString& name, const QString&, const QString&)
{
    if (name.compare(QLatin1String("Window Background Colours"), Qt::CaseInsensitive) != 0)
        return;
    if (!IsTransparentWindow()) {
        SetCalendarLayout();
        for (int i = 0; i <= 2; ++i)
            imgCalendar(i).SetVisible(true);
    }
}

// Popup menus of the page: the date menu, the grid frame's menu and the window menu.
void frmAlmanorvique::ShowDateMenu(const QString&) {}
void frmAlmanorvique::PopupFrameMenu() {}
void frmAlmanorvique::PopupCalendarMenu(int) {}
