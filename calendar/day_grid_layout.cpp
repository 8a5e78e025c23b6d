// Where the captions, weekday header, day cells, shadows, note icons and clock stand on
// the page.
#include "calendar_window.h"
#include "settings_keys.h"

#include "control_boxes.h"
#include "core/colour_names.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/settings_store.h"
#include "core/text_utilities.h"
#include "layout_math.h"
#include "system/clock.h"
#include "ui/update_lock.h"

#include <QLocale>

using mduAlmanorvqueLib::gPersonalDates;
namespace keys = calendarkeys;

namespace {
constexpr int kShadowAngle = 140;

QString MonthName(const QDate& d) { return QLocale().standaloneMonthName(d.month(), QLocale::LongFormat); }

} // namespace

qint32 frmAlmanorvique::NumericSettingOf(const QString& key) const
{
    return calendarlayout::NumericSetting(mduLib::GetProp(key, Properties_));
}

void frmAlmanorvique::LayoutDayGrid()
{
    calendarlayout::GridSettings s;
    s.Top = NumericSettingOf(keys::CalendarTop);
    s.Left = NumericSettingOf(keys::CalendarLeft);
    s.Width = NumericSettingOf(keys::CalendarWidth);
    s.Height = NumericSettingOf(keys::CalendarHeight);
    s.FontSize = NumericSettingOf(keys::CalendarFontSize);
    platform::ScopedUpdateLock lock(hWnd());
    const calendarlayout::GridFrame g = calendarlayout::LayoutGridFrame(calendarlayout::BoxOf(imgCalendar(1)), s);

    lblYear.SetVisible(true);
    lblYear.SetFontSize(g.YearFontSize);
    lblYear.SetCaption(conv::Trim(lblYear.Caption()));
    lblYear.SetFontName(QStringLiteral("Monotype Corsiva"));
    SetLabelColour(lblYear, mduLib::GetValue(GetYearColourKey(), gPersonalDates),
                   mduLib::GetProp(keys::YearColour, Properties_));
    lblYear.SetTop(static_cast<float>(g.T));

    lblMonth.SetVisible(true);
    lblMonth.SetFontSize(lblYear.Font().Size);
    lblMonth.SetFontName(lblYear.Font().Name);
    SetLabelColour(lblMonth, mduLib::GetValue(GetMonthColourKey(), gPersonalDates),
                   mduLib::GetProp(keys::MonthColour, Properties_));
    lblMonth.SetTop(lblYear.Top());
    const QDate shown = DisplayedDate();
    if (shown.isValid())
        lblMonth.SetCaption(MonthName(shown) + QStringLiteral("  "));

    const calendarlayout::CaptionPlaces captions = calendarlayout::PlaceCaptions(g, lblYear.Width(), lblMonth.Width());
    lblMonth.SetLeft(static_cast<float>(captions.MonthLeft));
    lblYear.SetLeft(static_cast<float>(captions.YearLeft));

    qint32 rowTop = g.HeaderTop;

    lblClock.SetFontSize(g.ClockFontSize);
    lblClock.SetForeColor(mduUILib::ColourFromName(mduLib::GetProp(keys::ClockColour, Properties_)));
    SetClockPosition();

    const QDate today = platform::Today();
    const QString monthCaption = lblMonth.Caption();
    for (int i = 1; i <= lblDate.UBound(); ++i) {
        if (!lblDate.Exists(i))
            continue;
        platform::Label& cell = lblDate(i);
        cell.SetVisible(true);
        cell.SetAutoSize(true);
        cell.SetAlignment(0);
        cell.SetBorderStyle(0);
        cell.SetBackStyle(0);
        if (i <= 7) {
            cell.SetFontSize(g.HeaderFontSize);
            cell.SetLeft(static_cast<float>(calendarlayout::HeaderCellLeft(g, i)));
            cell.SetTop(static_cast<float>(rowTop));
        } else {
            cell.SetFontSize(g.FontSize);
        }
        const std::optional<QDate> date = i > 7 ? conv::DateFromText(cell.Tag) : std::nullopt;
        if (date) {
            const double previousLeft = lblDate.Exists(i - 1) ? lblDate(i - 1).Left() : g.L;
            const bool beginsWeek = calendarlayout::WeekdayNumber(*date) == GetWeekStartDay();
            const calendarlayout::CellStep step = calendarlayout::NextDayCell(g, rowTop, previousLeft, beginsWeek);
            cell.SetLeft(static_cast<float>(step.Left));
            cell.SetTop(static_cast<float>(step.RowTop));
            switch (
                calendarlayout::DayCellLook(*date, today, cell.Caption().isEmpty(), monthCaption, MonthName(*date))) {
            case calendarlayout::CellLook::Framed:
                cell.SetBorderStyle(1);
                cell.SetBackStyle(1);
                break;
            case calendarlayout::CellLook::Enabled:
                cell.SetEnabled(true);
                break;
            case calendarlayout::CellLook::Greyed:
                cell.SetEnabled(false);
                break;
            }
            FormatDateCell(cell);
            if (imgActivity.Exists(i)) {
                if (!cell.Caption().isEmpty() && !GetActivity(cell.Tag).isEmpty()) {
                    SizeActivityIcon(i);
                    PlaceActivityIcon(i);
                    imgActivity(i).SetVisible(true);
                } else {
                    imgActivity(i).SetVisible(false);
                }
            }
            rowTop = step.RowTop;
        }
        PlaceDateShadow(cell, i, kShadowAngle);
    }
}

void frmAlmanorvique::SetClockPosition()
{
    lblClock.SetVisible(mduLib::GetYesNoProp(keys::ShowClock, Properties_, true));
    lblClock.SetAutoSize(true);
    lblClock.ZOrder(0);
    const qint32 cl = NumericSettingOf(keys::ClockLeft);
    const qint32 ct = NumericSettingOf(keys::ClockTop);
    const QPointF at = calendarlayout::PlaceClock(cl, ct, calendarlayout::BoxOf(imgCalendar(1)), lblClock.Width());
    lblClock.SetLeft(static_cast<float>(at.x()));
    lblClock.SetTop(static_cast<float>(at.y()));
}

void frmAlmanorvique::PlaceDateShadow(platform::Label& cell, int i, int angle)
{
    if (!lblDateShadow.Exists(i))
        return;
    platform::Label& shadow = lblDateShadow(i);
    shadow.SetVisible(true);
    const QPointF offset = calendarlayout::ShadowOffset(cell.Font().Size, angle);
    shadow.SetTop(static_cast<float>(cell.Top() + offset.y()));
    shadow.SetLeft(static_cast<float>(cell.Left() + offset.x()));
    shadow.SetFont(cell.Font());
    shadow.SetAlignment(0);
    shadow.SetForeColor(0x323232); // RGB(50, 50, 50)
    shadow.SetAutoSize(true);
}

void frmAlmanorvique::PlaceActivityIcon(int i)
{
    if (!imgActivity.Exists(i) || !lblDate.Exists(i))
        return;
    const platform::Label& cell = lblDate(i);
    const QPointF at = calendarlayout::ActivityIconPlace(cell.Left(), cell.Top(), cell.Font().Size);
    imgActivity(i).SetTop(static_cast<float>(at.y()));
    imgActivity(i).SetLeft(static_cast<float>(at.x()));
}
