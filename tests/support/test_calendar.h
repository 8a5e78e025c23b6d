#pragma once
// The calendar window with its inner areas opened to the tests and the benchmark, which
// drive its handlers and read its controls as the desktop would.
#include "calendar/calendar_window.h"
#include "core/conversions.h"

#include <QDate>

namespace testsupport {

struct TestCalendar : frmAlmanorvique {
    using frmAlmanorvique::About_Click;
    using frmAlmanorvique::AppendMessageChar;
    using frmAlmanorvique::ApplyAllSettings;
    using frmAlmanorvique::ApplyColumnColour;
    using frmAlmanorvique::ApplySetting;
    using frmAlmanorvique::AutoStart;
    using frmAlmanorvique::AutoStart_Click;
    using frmAlmanorvique::BalloonTip;
    using frmAlmanorvique::CalendarPopupMenu;
    using frmAlmanorvique::CheckScreenSaverExit;
    using frmAlmanorvique::CloseActivityEditor;
    using frmAlmanorvique::CloseCalendar;
    using frmAlmanorvique::CloseDown_Click;
    using frmAlmanorvique::commands_;
    using frmAlmanorvique::DayBalloonText;
    using frmAlmanorvique::DragWindow;
    using frmAlmanorvique::EditActivity;
    using frmAlmanorvique::EditDateCaptionMessage;
    using frmAlmanorvique::FillMonthGrid;
    using frmAlmanorvique::FillYearMenu;
    using frmAlmanorvique::FocusIfMDIChild;
    using frmAlmanorvique::Form_GotFocus;
    using frmAlmanorvique::Form_KeyDown;
    using frmAlmanorvique::Form_KeyUp;
    using frmAlmanorvique::Form_Load;
    using frmAlmanorvique::Form_LostFocus;
    using frmAlmanorvique::Form_MouseMove;
    using frmAlmanorvique::Form_Resize;
    using frmAlmanorvique::Form_Unload;
    using frmAlmanorvique::FormatAllDateCells;
    using frmAlmanorvique::FormatDateCell;
    using frmAlmanorvique::frameEdit_;
    using frmAlmanorvique::GetActivity;
    using frmAlmanorvique::GetActivityEditorHeight;
    using frmAlmanorvique::GetActivityEditorWidth;
    using frmAlmanorvique::GetAutoPositionList;
    using frmAlmanorvique::GetAutoShowBalloonTips;
    using frmAlmanorvique::GetColumnColourKey;
    using frmAlmanorvique::GetFontSpec;
    using frmAlmanorvique::GetMonthColourKey;
    using frmAlmanorvique::GetMonthImageKey;
    using frmAlmanorvique::GetScreenSaverCommand;
    using frmAlmanorvique::GetWeekStartDay;
    using frmAlmanorvique::GetYearColourKey;
    using frmAlmanorvique::GetYearImageKey;
    using frmAlmanorvique::Help_Click;
    using frmAlmanorvique::HideBalloonTip;
    using frmAlmanorvique::HideItemMenuItems;
    using frmAlmanorvique::imgActivity;
    using frmAlmanorvique::imgActivity_MouseMove;
    using frmAlmanorvique::imgActivity_MouseUp;
    using frmAlmanorvique::imgCalendar;
    using frmAlmanorvique::imgCalendar_DblClick;
    using frmAlmanorvique::imgCalendar_MouseDown;
    using frmAlmanorvique::imgCalendar_MouseMove;
    using frmAlmanorvique::imgCalendar_MouseUp;
    using frmAlmanorvique::imgList;
    using frmAlmanorvique::imgPageCorner;
    using frmAlmanorvique::imgPageCorner_Click;
    using frmAlmanorvique::IsHighlightShown;
    using frmAlmanorvique::IsInHighlight;
    using frmAlmanorvique::IsLeftHandCursor;
    using frmAlmanorvique::IsTransparentWindow;
    using frmAlmanorvique::ItemMenuCaption;
    using frmAlmanorvique::ItemMenuCaption_Click;
    using frmAlmanorvique::ItemMenuItem1;
    using frmAlmanorvique::ItemMenuItem2;
    using frmAlmanorvique::ItemMenuItem3;
    using frmAlmanorvique::ItemPopup;
    using frmAlmanorvique::LayoutDayGrid;
    using frmAlmanorvique::lblClock;
    using frmAlmanorvique::lblClock_MouseDown;
    using frmAlmanorvique::lblClock_MouseMove;
    using frmAlmanorvique::lblClock_MouseUp;
    using frmAlmanorvique::lblDate;
    using frmAlmanorvique::lblDate_DblClick;
    using frmAlmanorvique::lblDate_MouseDown;
    using frmAlmanorvique::lblDate_MouseMove;
    using frmAlmanorvique::lblDateShadow;
    using frmAlmanorvique::lblMonth;
    using frmAlmanorvique::lblMonth_MouseDown;
    using frmAlmanorvique::lblMonth_MouseMove;
    using frmAlmanorvique::lblMsg;
    using frmAlmanorvique::lblMsg_DblClick;
    using frmAlmanorvique::lblYear;
    using frmAlmanorvique::lblYear_Change;
    using frmAlmanorvique::lblYear_MouseDown;
    using frmAlmanorvique::lblYear_MouseMove;
    using frmAlmanorvique::LeaveActivityEditor;
    using frmAlmanorvique::LoadCalendarPicture;
    using frmAlmanorvique::LoadStyle;
    using frmAlmanorvique::LoadYearDates;
    using frmAlmanorvique::MainImage;
    using frmAlmanorvique::MenuCaption;
    using frmAlmanorvique::MenuItem;
    using frmAlmanorvique::MessageLine;
    using frmAlmanorvique::MoveYear;
    using frmAlmanorvique::objDialog;
    using frmAlmanorvique::PlaceActivityIcon;
    using frmAlmanorvique::PlaceDateShadow;
    using frmAlmanorvique::PopupCalendarMenu;
    using frmAlmanorvique::PopupFrameMenu;
    using frmAlmanorvique::PropertiesMenu_Click;
    using frmAlmanorvique::RepaintCalendar;
    using frmAlmanorvique::ResetAllDateFonts;
    using frmAlmanorvique::ResetScrollingMessage;
    using frmAlmanorvique::SaveCalendarSizeFromFrame;
    using frmAlmanorvique::SaveClockPosition;
    using frmAlmanorvique::SaveDateTables;
    using frmAlmanorvique::SavePropertiesMenu_Click;
    using frmAlmanorvique::SaveStyleAs_Click;
    using frmAlmanorvique::SaveStyleToFile;
    using frmAlmanorvique::ScreenSaverTime;
    using frmAlmanorvique::ScreenSaverTime_Click;
    using frmAlmanorvique::ScrollMessage;
    using frmAlmanorvique::SelectDatesInRect;
    using frmAlmanorvique::SetActivity;
    using frmAlmanorvique::SetAutoStartMenu;
    using frmAlmanorvique::SetCalendarLayout;
    using frmAlmanorvique::SetClockPosition;
    using frmAlmanorvique::SetDateItem;
    using frmAlmanorvique::SetLabelColour;
    using frmAlmanorvique::SetWeekdayHeadings;
    using frmAlmanorvique::SetWindowCursor;
    using frmAlmanorvique::ShowActivityTip;
    using frmAlmanorvique::ShowBalloonAt;
    using frmAlmanorvique::ShowBalloonTip;
    using frmAlmanorvique::ShowCurrentPictures;
    using frmAlmanorvique::ShowDateMenu;
    using frmAlmanorvique::ShowLabelImageTip;
    using frmAlmanorvique::ShowMonthOf;
    using frmAlmanorvique::ShowPictureByOrientation;
    using frmAlmanorvique::shpHighlight;
    using frmAlmanorvique::SizeActivityIcon;
    using frmAlmanorvique::StartScrollingMessage;
    using frmAlmanorvique::StopScrollingMessage;
    using frmAlmanorvique::surfaceAnchor_;
    using frmAlmanorvique::Timer1;
    using frmAlmanorvique::Timer1_Timer;
    using frmAlmanorvique::txtMsg;
    using frmAlmanorvique::txtMsg_DblClick;
    using frmAlmanorvique::UpdateClock;
    using frmAlmanorvique::windowDrag_;
    using frmAlmanorvique::YearTableOf;
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
