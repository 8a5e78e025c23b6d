// The displayed month: captions, weekday header, the 42 day cells and moving by months
// and years.
#include "calendar_window.h"
#include "layout_math.h"
#include "settings_keys.h"

#include "core/colour_names.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/font_format.h"
#include "core/settings_templates.h"
#include "core/year_dates.h"
#include "ui/update_lock.h"
#include "ui/window_shape.h"

#include <QLocale>

using namespace mduAlmanorvqueLib;
namespace keys = calendarkeys;

namespace {
using calendarlayout::WeekdayNumber;

// The user's name of weekday w (1 Sunday ... 7 Saturday).
QString WeekdayName(int w, bool abbreviate)
{
    const int qtDay = w == 1 ? 7 : w - 1;
    return QLocale().standaloneDayName(qtDay, abbreviate ? QLocale::ShortFormat : QLocale::LongFormat);
}

// Position of d in a week that starts on weekday w: 1 for w itself ... 7.
int WeekdayFrom(const QDate& d, int w) { return (WeekdayNumber(d) - w + 7) % 7 + 1; }

} // namespace

void frmAlmanorvique::MoveMonth(int iDirection)
{
    const QDate d = DisplayedDate();
    if (!d.isValid())
        return;
    platform::ScopedUpdateLock lock(hWnd());
    const QDate target = d.addMonths(iDirection);
    lblMonth.Tag = conv::DateText(target);
    lblMonth.SetCaption(QLocale().standaloneMonthName(target.month(), QLocale::LongFormat));
    lblYear.SetCaption(QString::number(target.year()));

    if (MDIChild() && FormState_ == kRunning) {
        // A running month window takes the settings file of its new month.
        gIniFile = gUserRegionFolder + mduLib::WithIniExtension(QString::number(target.month()));
        IniFilePath_ = gIniFile;
        mduLib::LoadIniFile(IniFilePath_, Properties_);
        platform::LockWindowUpdate(nullptr);
        ApplyAllSettings();
    }

    FillMonthGrid(DisplayedDate(), QStringLiteral("M"));
    FormatAllDateCells();
    LayoutDayGrid();
    RepaintCalendar();
    mduAPILib::RefreshTransparentMask(*this);
}

void frmAlmanorvique::MoveYear(int n)
{
    const QDate d = DisplayedDate();
    if (!d.isValid())
        return;
    const QDate target = d.addYears(n); // 29 February gives 28 February in a common year
    lblMonth.Tag = conv::DateText(target);
    lblYear.SetCaption(QString::number(target.year()));
    FillMonthGrid(DisplayedDate(), QStringLiteral("M"));
    FormatAllDateCells();
    LayoutDayGrid();
    RepaintCalendar();
    mduAPILib::RefreshTransparentMask(*this);
}

void frmAlmanorvique::ShowMonthOf(const QDate& d, const QString& view)
{
    lblMonth.Tag = conv::DateText(d);
    MoveMonth(0);
    FillMonthGrid(d, view);
}

void frmAlmanorvique::FillMonthGrid(const QDate& d, const QString& view)
{
    if (view != QLatin1String("M") || !d.isValid())
        return;
    // The cells are about to show other days: a note being typed goes to its own day.
    LeaveActivityEditor(true);
    const int w = GetWeekStartDay();
    const QDate first(d.year(), d.month(), 1);
    const QDate start = first.addDays(-WeekdayFrom(first, w));
    bool sixthRowShown = false;
    for (int i = 8; i <= 49; ++i) {
        const QDate date = start.addDays(i - 7);
        if (!lblDate.Exists(i)) {
            lblDateShadow.Load(i).ZOrder(0);
            platform::Label& created = lblDate.Load(i);
            created.MousePointer = platform::vbCustom;
            created.ZOrder(0);
        }
        if (!imgActivity.Exists(i))
            imgActivity.Load(i);
        imgActivity(i).ZOrder(0);
        platform::Label& cell = lblDate(i);
        cell.Tag = conv::DateText(date);
        if (i == 43)
            sixthRowShown = date.year() == d.year() && date.month() == d.month();
        const bool shown = i <= 42 || sixthRowShown;
        cell.SetCaption(shown ? QString::number(date.day()) : QString());
        lblDateShadow(i).SetCaption(cell.Caption());
    }
}

void frmAlmanorvique::FormatDateCell(platform::Label& cell)
{
    const auto parsed = conv::DateFromText(cell.Tag);
    if (!parsed)
        return; // a header cell holds a weekday number, not a date
    const QDate d = *parsed;
    const QString k = DayMonthKey(d);
    const QString defaultFormat = DefaultDateFormat();

    ApplyTextFormat(cell, mduLib::GetValue(k, gPersonalDates, keys::FormatSection), defaultFormat);
    cell.ToolTipText = mduLib::GetValue(k, gPersonalDates, keys::CaptionSection);

    const double y = conv::LeadingNumber(lblYear.Caption());
    if (d.year() == y) {
        const int wd = WeekdayNumber(d);
        if (wd == 1 || wd == 7)
            cell.SetForeColor(255);
        const QString colour = mduLib::GetValue(GetColumnColourKey(WeekdayName(wd, true).left(3)), Properties_);
        if (!colour.isEmpty())
            cell.SetForeColor(mduUILib::ColourFromName(colour));
    }

    const mduLib::PropertyTable* t = YearTableOf(d);
    if (!t)
        return;
    const QString format = mduLib::GetValue(k, *t, keys::FormatSection);
    if (!format.isEmpty())
        ApplyTextFormat(cell, format, defaultFormat);
    const QString special = mduLib::GetValue(k, *t, keys::SpecialFormatSection);
    if (!special.isEmpty())
        ApplyTextFormat(cell, special, defaultFormat);
    const QString caption = mduLib::GetValue(k, *t, keys::CaptionSection);
    if (!caption.isEmpty())
        cell.ToolTipText = caption;
    const QString specialCaption = mduLib::GetValue(k, *t, keys::SpecialCaptionSection);
    if (!specialCaption.isEmpty())
        cell.ToolTipText = specialCaption;
}

void frmAlmanorvique::FormatAllDateCells()
{
    const int last = lblDate.UBound();
    for (int i = 8; i <= last; ++i)
        if (lblDate.Exists(i))
            FormatDateCell(lblDate(i));
}

void frmAlmanorvique::SetWeekdayHeadings(bool abbreviate, int length)
{
    if (length == 0)
        length = 3;
    for (int j = 1; j <= 7; ++j) {
        if (lblDate.Exists(j))
            continue;
        lblDateShadow.Load(j).ZOrder(0);
        platform::Label& cell = lblDate.Load(j);
        cell.ZOrder(0);
        cell.SetVisible(false); // the layout shows it
    }
    int w = GetWeekStartDay();
    const qint32 colour = mduUILib::ColourFromName(mduLib::GetProp(keys::HeadingColour, Properties_));
    for (int i = 1; i <= 7; ++i) {
        platform::Label& cell = lblDate(i);
        cell.SetCaption(WeekdayName(w, abbreviate).left(length));
        cell.Tag = QString::number(w);
        cell.MousePointer = platform::vbDefault;
        cell.SetForeColor(colour);
        lblDateShadow(i).SetCaption(cell.Caption());
        w = w % 7 + 1;
    }
    lblMonth.ZOrder(0);
    lblYear.ZOrder(0);
    lblClock.ZOrder(0);
}

int frmAlmanorvique::GetWeekStartDay()
{
    // A hand-edited value that names no weekday counts as Sunday, as 0 and a missing key do.
    const QString v = mduLib::GetProp(keys::WeekStartDay, Properties_);
    if (!conv::IsNumeric(v))
        return 1;
    const double n = conv::RoundHalfEven(conv::ToDouble(v));
    return n >= 1 && n <= 7 ? static_cast<int>(n) : 1;
}

void frmAlmanorvique::SetLabelColour(platform::Label& label, const QString& colour, const QString& defaultColour)
{
    if (!colour.isEmpty() && colour != QLatin1String("0"))
        label.SetForeColor(mduUILib::ColourFromName(colour));
    else if (!defaultColour.isEmpty())
        label.SetForeColor(mduUILib::ColourFromName(defaultColour));
}

void frmAlmanorvique::ApplyColumnColour(const QString& name, const QString& colour)
{
    const qint32 value = mduUILib::ColourFromName(colour);
    const int last = lblDate.UBound();
    for (int i = 8; i <= last; ++i) {
        if (!lblDate.Exists(i))
            continue;
        platform::Label& cell = lblDate(i);
        const auto d = conv::DateFromText(cell.Tag);
        if (d && GetColumnColourKey(WeekdayName(WeekdayNumber(*d), true).left(3)) == name)
            cell.SetForeColor(value);
    }
}

void frmAlmanorvique::RepaintCalendar() { Refresh(); }

QString frmAlmanorvique::GetMonthColourKey() { return conv::Trim(lblMonth.Caption()) + keys::ColourSuffix; }
QString frmAlmanorvique::GetMonthImageKey() { return conv::Trim(lblMonth.Caption()) + keys::ImageSuffix; }
QString frmAlmanorvique::GetYearColourKey() { return conv::Trim(lblYear.Caption()) + keys::ColourSuffix; }
QString frmAlmanorvique::GetYearImageKey() { return conv::Trim(lblYear.Caption()) + keys::ImageSuffix; }
QString frmAlmanorvique::GetColumnColourKey(const QString& day) { return day + keys::ColumnColourSuffix; }

void frmAlmanorvique::imgPageCorner_Click(int Index)
{
    if (!imgPageCorner.Exists(Index) || conv::LeadingNumber(imgPageCorner(Index).Tag) != 1)
        return;
    const QDate d = DisplayedDate();
    if (d.isValid()) {
        if (Index == 0)
            ShowMonthOf(d.addMonths(-1), QStringLiteral("M"));
        else if (Index == 1)
            ShowMonthOf(d.addMonths(1), QStringLiteral("M"));
    }
    txtMsg.SetVisible(false);
    LayoutDayGrid();
}

void frmAlmanorvique::lblYear_Change()
{
    if (lblYear.Caption().isEmpty())
        return;
    // The tables still hold the old year's days: a note being typed goes into them, and
    // what was written into them since the last save goes to their files before the
    // tables are replaced.
    LeaveActivityEditor(true);
    SaveDateTablesOrAsk(QStringLiteral("No shows the other year without them."));
    // Loading the years around the caption's year prepares each year's file first.
    LoadYearDates();
}
