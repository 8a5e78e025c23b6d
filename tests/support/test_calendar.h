#pragma once
// The calendar window as the tests and the benchmark drive it: its shared controls, each
// area's state through the area's accessor (a test includes that area's header), and the
// operations and handlers the tests call, by area, as the desktop would call them.
#include "calendar/calendar_window.h"
#include "core/conversions.h"

#include <QDate>

namespace testsupport {

struct TestCalendar : frmAlmanorvique {
    // The controls that every area shares.
    using frmAlmanorvique::imgActivity;
    using frmAlmanorvique::imgCalendar;
    using frmAlmanorvique::imgList;
    using frmAlmanorvique::imgPageCorner;
    using frmAlmanorvique::lblClock;
    using frmAlmanorvique::lblDate;
    using frmAlmanorvique::lblDateShadow;
    using frmAlmanorvique::lblMonth;
    using frmAlmanorvique::lblMsg;
    using frmAlmanorvique::lblYear;
    using frmAlmanorvique::objDialog;
    using frmAlmanorvique::shpHighlight;
    using frmAlmanorvique::Timer1;
    using frmAlmanorvique::txtMsg;

    // The month grid and navigation.
    using frmAlmanorvique::ApplyColumnColour;
    using frmAlmanorvique::FillMonthGrid;
    using frmAlmanorvique::FormatDateCell;
    using frmAlmanorvique::GetColumnColourKey;
    using frmAlmanorvique::GetMonthColourKey;
    using frmAlmanorvique::GetMonthImageKey;
    using frmAlmanorvique::GetYearColourKey;
    using frmAlmanorvique::GetYearImageKey;
    using frmAlmanorvique::imgPageCorner_Click;
    using frmAlmanorvique::MoveYear;
    using frmAlmanorvique::SetLabelColour;
    using frmAlmanorvique::SetWeekdayHeadings;

    // The day grid and the page layout.
    using frmAlmanorvique::IsTransparentWindow;
    using frmAlmanorvique::LayoutDayGrid;
    using frmAlmanorvique::PlaceActivityIcon;
    using frmAlmanorvique::SetCalendarLayout;
    using frmAlmanorvique::SetClockPosition;

    // Day captions, messages and fonts.
    using frmAlmanorvique::EditDateCaptionMessage;
    using frmAlmanorvique::GetFontSpec;
    using frmAlmanorvique::IsHighlightShown;
    using frmAlmanorvique::ResetAllDateFonts;
    using frmAlmanorvique::SetDateItem;

    // Day notes.
    using frmAlmanorvique::GetActivity;
    using frmAlmanorvique::imgActivity_MouseMove;
    using frmAlmanorvique::imgActivity_MouseUp;
    using frmAlmanorvique::lblDate_DblClick;
    using frmAlmanorvique::lblDate_MouseDown;
    using frmAlmanorvique::SetActivity;
    using frmAlmanorvique::SizeActivityIcon;
    using frmAlmanorvique::txtMsg_DblClick;

    // Pictures.
    using frmAlmanorvique::LoadCalendarPicture;
    using frmAlmanorvique::MainImage;
    using frmAlmanorvique::ShowCurrentPictures;

    // The command dispatcher, settings and style files.
    using frmAlmanorvique::ApplySetting;
    using frmAlmanorvique::AutoStart_Click;
    using frmAlmanorvique::CommandsArea;
    using frmAlmanorvique::GetScreenSaverCommand;
    using frmAlmanorvique::LoadStyle;
    using frmAlmanorvique::PropertiesMenu_Click;
    using frmAlmanorvique::SavePropertiesMenu_Click;
    using frmAlmanorvique::SaveStyleAs_Click;
    using frmAlmanorvique::ScreenSaverTime;
    using frmAlmanorvique::ScreenSaverTime_Click;

    // Balloons.
    using frmAlmanorvique::BalloonTip;
    using frmAlmanorvique::HideBalloonTip;
    using frmAlmanorvique::lblDate_MouseMove;
    using frmAlmanorvique::lblMonth_MouseMove;
    using frmAlmanorvique::lblYear_MouseMove;

    // The mouse on the page.
    using frmAlmanorvique::imgCalendar_DblClick;
    using frmAlmanorvique::imgCalendar_MouseDown;
    using frmAlmanorvique::imgCalendar_MouseMove;
    using frmAlmanorvique::imgCalendar_MouseUp;
    using frmAlmanorvique::SelectDatesInRect;

    // The window menu and the item menus.
    using frmAlmanorvique::AutoStart;
    using frmAlmanorvique::CalendarPopupMenu;
    using frmAlmanorvique::ItemMenuItem1;
    using frmAlmanorvique::ItemMenuItem2;
    using frmAlmanorvique::ItemMenuItem3;
    using frmAlmanorvique::lblMonth_MouseDown;
    using frmAlmanorvique::lblYear_MouseDown;
    using frmAlmanorvique::MenuItem;

    // The clock and the message line.
    using frmAlmanorvique::lblClock_MouseDown;
    using frmAlmanorvique::lblClock_MouseMove;
    using frmAlmanorvique::lblClock_MouseUp;
    using frmAlmanorvique::lblMsg_DblClick;
    using frmAlmanorvique::StartScrollingMessage;
    using frmAlmanorvique::UpdateClock;

    // Load, focus, the timer and closing.
    using frmAlmanorvique::ApplyAllSettings;
    using frmAlmanorvique::CheckScreenSaverExit;
    using frmAlmanorvique::CloseCalendar;
    using frmAlmanorvique::CloseDown_Click;
    using frmAlmanorvique::Form_GotFocus;
    using frmAlmanorvique::Form_LostFocus;
    using frmAlmanorvique::Timer1_Timer;
};

// The day cell that shows a date; 0 when the month page does not show it.
inline int CellOf(TestCalendar& w, const QDate& d)
{
    for (int i = 8; i <= w.lblDate.UBound(); ++i)
        if (w.lblDate.Exists(i) && w.lblDate(i).Tag == conv::DateText(d))
            return i;
    return 0;
}

// The submenu of the window menu's setting entry that showed caption when the menu last
// opened: a test reaches a setting's submenu by its name, wherever the entry stands.
inline platform::MenuItemArray& SettingSubmenu(TestCalendar& w, const QString& caption)
{
    for (int n = 2;; ++n) // MenuItem throws past the last entry
        if (w.MenuItem(n).Entry().Caption() == caption)
            return w.MenuItem(n);
}

} // namespace testsupport
