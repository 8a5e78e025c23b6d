// The item menu as each target fills it: a day or a selection of days, the grid frame, a
// weekday header cell, the clock, the month and the year caption. The six share one menu
// and its three submenus, so every opening writes each entry it shows, hides the others
// and sets (or clears) every check mark it shows.
#include "calendar_window.h"
#include "commands_state.h"
#include "settings_keys.h"

#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/file_helpers.h"
#include "core/settings_store.h"
#include "core/text_utilities.h"
#include "core/year_dates.h"
#include "hand_cursors.h"
#include "menu_checks.h"
#include "system/clock.h"
#include "ui/menu_fillers.h"

using namespace mduAlmanorvqueLib;
namespace keys = calendarkeys;
namespace cmd = calendarcommands;
using namespace menuchecks;

namespace {
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kBackHand = 1, kForwardHand = 2; // the captions' pictures of imgList

bool IsPictureOnDisk(const QString& v) { return mduLib::IsImageFile(v) && mduLib::FileExists(v); }

// "Clock Top" is automatic only when it is the number -1.
bool IsAutomaticNumber(const QString& text)
{
    bool ok = false;
    const double v = conv::Trim(text).toDouble(&ok);
    return ok && v == -1;
}
} // namespace

void frmAlmanorvique::SetItemEntry(int n, const QString& caption, const QString& tag)
{
    platform::MenuItem& entry = ItemMenuCaption(n);
    entry.SetCaption(caption);
    entry.Tag = tag;
    entry.SetVisible(true);
    if (n == 1)
        commands_->ItemMenuFirstCaption = caption; // "Auto Position" asks which menu was last
}

void frmAlmanorvique::HideItemMenuItems(int from)
{
    for (int n : {1, 2, 3, 5, 6, 7})
        if (n >= from)
            ItemMenuCaption(n).SetVisible(false);
}

void frmAlmanorvique::ShowDateMenu(const QString& dates)
{
    const bool oneDay = !dates.contains(u',');
    // One day comes as its date from a cell, or as its "dd/mm" key from a selection.
    const bool fromCell = conv::IsDateText(dates);
    const QString key = fromCell ? DayMonthKey(dates) : conv::Trim(dates);

    SetItemEntry(1, cmd::SetDateImage, dates);
    mduUILib::FillImageMenu(ItemMenuItem1, gImagesFolder);
    UncheckAll(ItemMenuItem1);
    if (oneDay && !key.isEmpty()) {
        QString v = mduLib::GetProp(key, YearDates(), keys::ImageSection);
        if (!IsPictureOnDisk(v))
            v = mduLib::GetProp(key, gPersonalDates, keys::ImageSection);
        if (IsPictureOnDisk(v))
            mduUILib::CheckMenuItem(ItemMenuItem1, v, kByTag);
    }
    SetItemEntry(2, cmd::SetDateCaption, dates);
    mduUILib::FillMenuFromList(ItemMenuItem2, mduLib::GetPropOptions(keys::DateCaption, Properties_));
    UncheckAll(ItemMenuItem2);
    SetItemEntry(3, cmd::SetDateFont, dates);
    mduUILib::FillMenuFromList(ItemMenuItem3, cmd::Default + u',' + cmd::Custom);
    UncheckAll(ItemMenuItem3);
    HideItemMenuItems(4);

    if (oneDay) {
        platform::MenuItem& useFont = ItemMenuCaption(6);
        if (!fromCell) {
            // A selection of one day offers that day's font, not the last cell pressed.
            for (int i = 8; i <= lblDate.UBound(); ++i) {
                if (lblDate.Exists(i) && !lblDate(i).Enabled() && DayMonthKey(lblDate(i).Tag) == key) {
                    useFont.Tag = GetFontSpec(lblDate(i));
                    break;
                }
            }
        }
        useFont.SetCaption(cmd::UseThisFontAsDefault);
        useFont.SetVisible(true);
        ItemMenuCaption(7).SetCaption(cmd::ResetAllDateFonts);
        ItemMenuCaption(7).SetVisible(true);
    }
    OpenPopup(ItemPopup);
}

void frmAlmanorvique::PopupFrameMenu()
{
    SetItemEntry(1, cmd::ResetCalendarPosition, QString());
    mduUILib::FillMenuFromList(ItemMenuItem1, GetAutoPositionList());
    UncheckAll(ItemMenuItem1);
    HideItemMenuItems(2);
    SetItemEntry(5, cmd::DateManager, QString());
    OpenPopup(ItemPopup);
}

void frmAlmanorvique::PopupWeekdayMenu(platform::Label& cell)
{
    cell.MousePointer = platform::vbDefault;
    const QString colourKey = GetColumnColourKey(cell.Caption());
    SetItemEntry(1, colourKey, cell.Caption());
    mduUILib::FillMenuFromList(ItemMenuItem1, mduLib::GetPropOptions(keys::ColumnColour, Properties_));
    mduUILib::CheckMenuItem(ItemMenuItem1, mduLib::GetProp(colourKey, Properties_), kByCaption);
    HideItemMenuItems(2);
    SetItemEntry(5, keys::WeekStartDay, cell.Tag);
    OpenPopup(ItemPopup);
}

void frmAlmanorvique::PopupClockMenu()
{
    lblClock.MousePointer = platform::vbDefault;
    const std::pair<platform::MenuItemArray*, QString> lists[] = {{&ItemMenuItem1, keys::ClockColour},
                                                                  {&ItemMenuItem2, keys::ClockFormat}};
    int n = 1;
    for (const auto& [menu, key] : lists) {
        SetItemEntry(n++, key, QString());
        mduUILib::FillMenuFromList(*menu, mduLib::GetPropOptions(key, Properties_));
        mduUILib::CheckMenuItem(*menu, mduLib::GetProp(key, Properties_), kByCaption);
    }
    SetItemEntry(3, cmd::ClockAutoPosition, QString());
    mduUILib::FillMenuFromList(ItemMenuItem3, QStringLiteral("Yes,No"));
    mduUILib::CheckMenuItem(ItemMenuItem3,
                            mduLib::YesNo(IsAutomaticNumber(mduLib::GetProp(keys::ClockTop, Properties_))), kByCaption);
    HideItemMenuItems(4);
    SetItemEntry(5, cmd::HideClock, QString());
    OpenPopup(ItemPopup);
}

void frmAlmanorvique::PopupCaptionMenu(platform::Label& caption)
{
    const bool year = &caption == &lblYear;
    caption.MousePointer = platform::vbDefault;
    const QString imageKey = year ? GetYearImageKey() : GetMonthImageKey();
    SetItemEntry(1, imageKey, imageKey);
    mduUILib::FillImageMenu(ItemMenuItem1, gImagesFolder);
    mduUILib::CheckMenuItem(ItemMenuItem1, mduLib::GetProp(imageKey, gPersonalDates, keys::ImageSection), kByTag);

    const QString colourKey = year ? GetYearColourKey() : GetMonthColourKey();
    SetItemEntry(2, colourKey, colourKey);
    mduUILib::FillMenuFromList(ItemMenuItem2,
                               mduLib::GetPropOptions(year ? keys::YearColour : keys::MonthColour, Properties_));
    mduUILib::CheckMenuItem(ItemMenuItem2, mduLib::GetProp(colourKey, gPersonalDates), kByCaption);

    if (year) {
        SetItemEntry(3, cmd::Year, cmd::Year);
        FillYearMenu(ItemMenuItem3);
    } else {
        SetItemEntry(3, cmd::Month, cmd::Month);
        FillMonthMenu(ItemMenuItem3);
        mduUILib::CheckMenuItem(ItemMenuItem3, lblMonth.Caption(), kByCaption);
    }
    HideItemMenuItems(4);
    SetItemEntry(5, cmd::GoToToday, cmd::GoToToday);
    OpenPopup(ItemPopup);
}

void frmAlmanorvique::FillYearMenu(platform::MenuItemArray& menu)
{
    const int y = DisplayedDate().year();
    FillNumberMenu(menu, conv::ToInt16(y - 6), 1);
    if (y == platform::Today().year()) {
        mduUILib::CheckMenuItem(menu, QString::number(y), kByTag);
    } else {
        menu(11).SetCaption(cmd::CurrentYear);
        menu(11).Tag = cmd::CurrentYear;
        UncheckAll(menu);
    }
}

namespace {
// Which way a left press on a caption turns: back, forward, or not at all (0).
int CaptionStep(const platform::Label& caption, const std::vector<QImage>& pictures)
{
    if (caption.MousePointer != platform::vbCustom)
        return 0;
    if (handcursors::IsPicture(caption.MouseIcon, pictures, kBackHand))
        return -1;
    if (handcursors::IsPicture(caption.MouseIcon, pictures, kForwardHand))
        return 1;
    return 0;
}
} // namespace

void frmAlmanorvique::lblMonth_MouseDown(int Button, int, float, float)
{
    if (Button == kLeftButton) {
        if (const int step = CaptionStep(lblMonth, imgList))
            MoveMonth(step);
    } else if (Button == kRightButton) {
        PopupCaptionMenu(lblMonth);
    }
}

void frmAlmanorvique::lblYear_MouseDown(int Button, int, float, float)
{
    if (Button == kLeftButton) {
        if (const int step = CaptionStep(lblYear, imgList))
            MoveYear(step);
    } else if (Button == kRightButton) {
        PopupCaptionMenu(lblYear);
    }
}
