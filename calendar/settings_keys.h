#pragma once
// Every key of a calendar window's settings table, and the command names of its
// dispatcher, spelled once. The dispatcher, the menus and the property editor use these.
#include <QString>

namespace calendarkeys {

// Window geometry (twips, -1 automatic).
inline const QString WindowWidth = QStringLiteral("Window Width");
inline const QString WindowHeight = QStringLiteral("Window Height");
inline const QString WindowTop = QStringLiteral("Window Top");
inline const QString WindowLeft = QStringLiteral("Window Left");

// The window's look.
inline const QString WindowStates = QStringLiteral("Window States");
inline const QString WindowStyles = QStringLiteral("Window Styles");
inline const QString WindowBackgroundColours = QStringLiteral("Window Background Colours");
inline const QString WindowBackgroundFiles = QStringLiteral("Window Background Files");
inline const QString WindowTitleBar = QStringLiteral("Window Title Bar");
inline const QString WindowBorder = QStringLiteral("Window Border");
inline const QString Orientation = QStringLiteral("Orientation");

// Picture and page.
inline const QString CalendarImageFiles = QStringLiteral("Calendar Image Files");
inline const QString CalendarBackgroundFiles = QStringLiteral("Calendar Background Files");
inline const QString CalendarImageTop = QStringLiteral("Calendar Image Top");
inline const QString CalendarImageLeft = QStringLiteral("Calendar Image Left");
inline const QString CalendarImageWidth = QStringLiteral("Calendar Image Width");
inline const QString CalendarImageHeight = QStringLiteral("Calendar Image Height");
inline const QString CalendarBackgroundTop = QStringLiteral("Calendar Background Top");
inline const QString CalendarBackgroundLeft = QStringLiteral("Calendar Background Left");
inline const QString CalendarBackgroundWidth = QStringLiteral("Calendar Background Width");
inline const QString CalendarBackgroundHeight = QStringLiteral("Calendar Background Height");

// The day grid.
inline const QString CalendarTop = QStringLiteral("Calendar Top");
inline const QString CalendarLeft = QStringLiteral("Calendar Left");
inline const QString CalendarWidth = QStringLiteral("Calendar Width");
inline const QString CalendarHeight = QStringLiteral("Calendar Height");
inline const QString CalendarFontSize = QStringLiteral("Calendar Font Size");
inline const QString WeekStartDay = QStringLiteral("Week Start Day");
inline const QString DefaultDateFormat = QStringLiteral("Default Date Format");
inline const QString HeadingColour = QStringLiteral("Heading Colour");
inline const QString MonthColour = QStringLiteral("Month Colour");
inline const QString YearColour = QStringLiteral("Year Colour");
inline const QString ColumnColour = QStringLiteral("Column Colour");
// A weekday's three letters and this make the key of that column's colour.
inline const QString ColumnColourSuffix = QStringLiteral(" Column Colour");
inline const QString DateCaption = QStringLiteral("Date Caption");
// A month's or a year's caption and these make the keys of its personal colour and picture.
inline const QString ColourSuffix = QStringLiteral(" Colour");
inline const QString ImageSuffix = QStringLiteral(" Image");

// Clock, balloons and the stay time.
inline const QString ClockColour = QStringLiteral("Clock Colour");
inline const QString ClockFormat = QStringLiteral("Clock Format");
inline const QString ShowClock = QStringLiteral("Show Clock");
inline const QString ClockLeft = QStringLiteral("Clock Left");
inline const QString ClockTop = QStringLiteral("Clock Top");
inline const QString AutoShowBalloonTips = QStringLiteral("Auto Show Balloon Tips");
inline const QString StayTime = QStringLiteral("Stay Time");

// Sections of the date tables: a day's picture, caption, message, font format and note,
// and the caption and format a year file gives its special days.
inline const QString ImageSection = QStringLiteral("Image");
inline const QString CaptionSection = QStringLiteral("Caption");
inline const QString MessageSection = QStringLiteral("Message");
inline const QString FormatSection = QStringLiteral("Format");
inline const QString ActivitySection = QStringLiteral("Activity");
inline const QString SpecialCaptionSection = QStringLiteral("PCaption");
inline const QString SpecialFormatSection = QStringLiteral("PFormat");

} // namespace calendarkeys

// Names the dispatcher answers to that are not settings keys.
namespace calendarcommands {

inline const QString Region = QStringLiteral("Region");
inline const QString Month = QStringLiteral("Month");
inline const QString Year = QStringLiteral("Year");
inline const QString GoToToday = QStringLiteral("Go to Today");
inline const QString ClockAutoPosition = QStringLiteral("Clock Auto Position");
inline const QString SetDateFont = QStringLiteral("Set Date Font");
inline const QString SetDateImage = QStringLiteral("Set Date Image");
inline const QString SetDateCaption = QStringLiteral("Set Date Caption");
inline const QString SetDateMessage = QStringLiteral("Set Date Message");
inline const QString DateManager = QStringLiteral("Date Manager");
inline const QString SetActivity = QStringLiteral("Set Activity");
inline const QString AutoPosition = QStringLiteral("Auto Position");
inline const QString ResetCalendarPosition = QStringLiteral("Reset Calendar Position");
inline const QString AutoCalendarImagePosition = QStringLiteral("Auto Calendar Image Position");
inline const QString AutoCalendarBackgroundPosition = QStringLiteral("Auto Calendar Background Position");
inline const QString HideClock = QStringLiteral("Hide Clock");
inline const QString Enable = QStringLiteral("Enable");
inline const QString UseThisFontAsDefault = QStringLiteral("Use This Font As Default");
inline const QString ResetAllDateFonts = QStringLiteral("Reset All Date Fonts");

// Values with a meaning of their own.
inline const QString MoreFile = QStringLiteral("More_");     // a style or region file
inline const QString MorePicture = QStringLiteral("More _"); // a picture file
inline const QString None = QStringLiteral("None");
inline const QString Default = QStringLiteral("Default");
inline const QString Custom = QStringLiteral("Custom");
inline const QString CurrentYear = QStringLiteral("Current Year");
inline const QString Maximized = QStringLiteral("Maximized");
inline const QString Transparent = QStringLiteral("Transparent");
inline const QString AutoPositionAndSize = QStringLiteral("Auto Position and Size");
inline const QString AutoSize = QStringLiteral("Auto Size");

} // namespace calendarcommands
