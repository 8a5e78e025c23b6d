// The arrangement of picture, page and backdrop in the window.
#include "calendar_window.h"
#include "commands_state.h"
#include "settings_keys.h"

#include "control_boxes.h"
#include "core/desktop_settings.h"
#include "core/settings_store.h"
#include "core/text_utilities.h"
#include "layout_math.h"
#include "ui/update_lock.h"
#include "ui/window_shape.h"

using calendarlayout::BoxOf;
using calendarlayout::Place;
namespace keys = calendarkeys;

void frmAlmanorvique::SetCalendarLayout()
{
    calendarlayout::PageInput in;
    in.Orientation = mduLib::GetProp(keys::Orientation, Properties_);
    platform::ScopedUpdateLock lock(hWnd());
    // A month window's title bar and borders take much of its small cell: its page is laid
    // out in the client area, so that every week row can be seen and clicked.
    in.W = MDIChild() ? ScaleWidth() : Width();
    in.H = MDIChild() ? ScaleHeight() : Height();
    in.X0 = ScaleLeft();
    in.Y0 = ScaleTop();
    const quint32 handle = imgCalendar(0).GetPicture().Handle();
    in.HasPicture = handle != 0;
    in.Aspect = mduAPILib::GetBitmapAspect(handle);
    in.Picture = BoxOf(imgCalendar(0));
    in.Page = BoxOf(imgCalendar(1));
    in.Pins.PageTop = NumericSettingOf(keys::CalendarBackgroundTop);
    in.Pins.PageLeft = NumericSettingOf(keys::CalendarBackgroundLeft);
    in.Pins.PageWidth = NumericSettingOf(keys::CalendarBackgroundWidth);
    in.Pins.PageHeight = NumericSettingOf(keys::CalendarBackgroundHeight);
    in.Pins.ImageTop = NumericSettingOf(keys::CalendarImageTop);
    in.Pins.ImageLeft = NumericSettingOf(keys::CalendarImageLeft);
    in.Pins.ImageWidth = NumericSettingOf(keys::CalendarImageWidth);
    in.Pins.ImageHeight = NumericSettingOf(keys::CalendarImageHeight);

    const calendarlayout::PageResult r = calendarlayout::LayoutPage(in);
    Place(imgCalendar(0), r.Picture);
    Place(imgCalendar(1), r.Page);

    if (!IsTransparentWindow()) {
        Place(imgCalendar(2), r.Backdrop);
        imgCalendar(2).ZOrder(1);
        imgCalendar(1).Refresh();
    }

    imgPageCorner(0).SetVisible(false);
    imgPageCorner(1).SetVisible(false);

    lblMsg.SetTop(r.MessageTop);
    lblMsg.SetHeight(200);
    lblMsg.SetAutoSize(true);
    lblMsg.SetLeft(r.MessageRight - lblMsg.Width());

    LayoutDayGrid();
    if (!commands_->Replaying)
        mduAPILib::RefreshTransparentMask(*this);
}

qint32 frmAlmanorvique::SetOptionValue(qint32 lngCurr, qint32 lngValue)
{
    return calendarlayout::OptionValue(lngCurr, lngValue);
}

bool frmAlmanorvique::IsTransparentWindow()
{
    return mduLib::GetProp(keys::WindowBackgroundColours, Properties_) == calendarcommands::Transparent &&
           !mduLib::GetYesNoProp(keys::WindowTitleBar, Properties_, true);
}

bool frmAlmanorvique::ShowPictureByOrientation(QString& file)
{
    const int slot = mduLib::GetProp(keys::Orientation, Properties_) == QLatin1String("Center") ? 1 : 0;
    return LoadCalendarPicture(file, slot, false);
}
