#pragma once
// The calendar window with its inner areas opened to the tests and the benchmark, which
// drive its handlers and read its controls as the desktop would.
#include "calendar/calendar_window.h"

namespace testsupport {

struct TestCalendar : frmAlmanorvique {
    using frmAlmanorvique::imgCalendar;
    using frmAlmanorvique::lblMonth;
    using frmAlmanorvique::lblYear;
    using frmAlmanorvique::lblDateShadow;
    using frmAlmanorvique::lblDate;
    using frmAlmanorvique::imgActivity;
    using frmAlmanorvique::imgPageCorner;
    using frmAlmanorvique::lblClock;
    using frmAlmanorvique::lblMsg;
    using frmAlmanorvique::shpHighlight;
    using frmAlmanorvique::txtMsg;
    using frmAlmanorvique::Timer1;
    using frmAlmanorvique::objDialog;
    using frmAlmanorvique::imgList;
    using frmAlmanorvique::MoveYear;
    using frmAlmanorvique::ShowMonthOf;
    using frmAlmanorvique::FillMonthGrid;
    using frmAlmanorvique::FormatDateCell;
    using frmAlmanorvique::FormatAllDateCells;
    using frmAlmanorvique::SetWeekdayHeadings;
    using frmAlmanorvique::GetWeekStartDay;
    using frmAlmanorvique::SetLabelColour;
    using frmAlmanorvique::ApplyColumnColour;
    using frmAlmanorvique::RepaintCalendar;
    using frmAlmanorvique::GetMonthColourKey;
    using frmAlmanorvique::GetMonthImageKey;
    using frmAlmanorvique::GetYearColourKey;
    using frmAlmanorvique::GetYearImageKey;
    using frmAlmanorvique::GetColumnColourKey;
    using frmAlmanorvique::imgPageCorner_Click;
    using frmAlmanorvique::lblYear_Change;
    using frmAlmanorvique::LayoutDayGrid;
    using frmAlmanorvique::SetClockPosition;
    using frmAlmanorvique::PlaceDateShadow;
    using frmAlmanorvique::PlaceActivityIcon;
    using frmAlmanorvique::SetCalendarLayout;
    using frmAlmanorvique::IsTransparentWindow;
    using frmAlmanorvique::ShowPictureByOrientation;
    using frmAlmanorvique::SetDateItem;
    using frmAlmanorvique::EditDateCaptionMessage;
    using frmAlmanorvique::ResetAllDateFonts;
    using frmAlmanorvique::GetFontSpec;
    using frmAlmanorvique::IsHighlightShown;
    using frmAlmanorvique::YearTableOf;
    using frmAlmanorvique::GetActivity;
    using frmAlmanorvique::SizeActivityIcon;
    using frmAlmanorvique::LoadCalendarPicture;
    using frmAlmanorvique::ShowCurrentPictures;
    using frmAlmanorvique::MainImage;
    using frmAlmanorvique::ApplySetting;
    using frmAlmanorvique::About_Click;
    using frmAlmanorvique::Help_Click;
    using frmAlmanorvique::AutoStart_Click;
    using frmAlmanorvique::ScreenSaverTime_Click;
    using frmAlmanorvique::GetScreenSaverCommand;
    using frmAlmanorvique::PropertiesMenu_Click;
    using frmAlmanorvique::ScreenSaverTime;
    using frmAlmanorvique::commands_;
    using frmAlmanorvique::SaveDateTables;
    using frmAlmanorvique::SavePropertiesMenu_Click;
    using frmAlmanorvique::SaveStyleAs_Click;
    using frmAlmanorvique::SaveStyleToFile;
    using frmAlmanorvique::LoadStyle;
    using frmAlmanorvique::imgCalendar_MouseMove;
    using frmAlmanorvique::UpdateClock;
    using frmAlmanorvique::ScrollMessage;
    using frmAlmanorvique::CloseCalendar;
    using frmAlmanorvique::CheckScreenSaverExit;
    using frmAlmanorvique::FocusIfMDIChild;
    using frmAlmanorvique::ApplyAllSettings;
    using frmAlmanorvique::LoadYearDates;
    using frmAlmanorvique::Timer1_Timer;
    using frmAlmanorvique::CloseDown_Click;
    using frmAlmanorvique::Form_Load;
    using frmAlmanorvique::Form_Resize;
    using frmAlmanorvique::Form_Unload;
    using frmAlmanorvique::Form_GotFocus;
    using frmAlmanorvique::Form_LostFocus;
    using frmAlmanorvique::Form_MouseMove;
    using frmAlmanorvique::Form_KeyDown;
    using frmAlmanorvique::Form_KeyUp;
};

} // namespace testsupport
