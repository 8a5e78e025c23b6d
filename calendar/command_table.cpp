// The command dispatcher: every menu choice and every replayed setting arrives here as
// name, value and context. One row per command name: what it may ask for first, what it
// stores, and what it then applies.
#include "calendar_window.h"
#include "commands_state.h"
#include "settings_keys.h"

#include "core/colour_names.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/display_routines.h"
#include "core/settings_store.h"
#include "core/text_utilities.h"
#include "core/window_placement.h"
#include "editors/dialogs/date_manager.h"
#include "system/clock.h"
#include "ui/browse_for_file.h"
#include "ui/update_lock.h"
#include "ui/window_shape.h"

#include <QIcon>
#include <QPainter>
#include <vector>

using namespace mduAlmanorvqueLib;
namespace keys = calendarkeys;
namespace cmd = calendarcommands;

namespace {

struct CommandCall {
    QString name, value, context;
};

// What a row may ask the user for when the value says so.
enum class Asks {
    Nothing,
    ForFile,    // "More_": a style (or region) file
    ForPicture, // "More _": a picture file
};

// What a row stores before it applies.
enum class Keeps {
    Nothing, // the row stores nothing, or its effect stores where it belongs
    Setting, // SetProp(name, value) in the window's settings table (keeps the options)
};

// Which of position and size a reset command returns to automatic.
struct ResetParts {
    bool position, size;
};
ResetParts ResetPartsOf(const QString& value)
{
    return {value == cmd::AutoPositionAndSize || value == cmd::AutoPosition,
            value == cmd::AutoPositionAndSize || value == cmd::AutoSize};
}

bool IsPictureKind(const QString& name)
{
    return name == keys::CalendarImageFiles || name == keys::CalendarBackgroundFiles ||
           name == keys::WindowBackgroundFiles;
}

// The handle of a see-through window: the window's icon, or a small grip without one.
QImage HandlePicture(const QIcon& icon)
{
    if (!icon.isNull())
        return icon.pixmap(32, 32).toImage();
    QImage img(32, 32, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(200, 170, 90));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(10, 11 + 5 * i), QPointF(22, 11 + 5 * i));
    return img;
}

} // namespace

// The rows and their effects. A friend of the window: it works on the window's state
// as its own operations do.
struct CalendarCommands {
    using W = frmAlmanorvique;
    using Effect = void (*)(W&, CommandCall&);
    struct Row {
        QString name;                     // compared exactly: case and blanks count
        QString (W::*nameOf)() = nullptr; // or the displayed month's or year's key
        Asks asks;
        Keeps keeps;
        Effect then;
    };

    static const std::vector<Row>& Table();
    static void Dispatch(W& w, CommandCall& c);

    static qint32 Colour(const QString& v) { return mduUILib::ColourFromName(v); }
    // Past the full load, which shows the pictures itself: also while a resize waits for
    // its re-layout (as "Apply" resizes before it replays the settings).
    static bool FullyLoaded(W& w)
    {
        return w.FormState_ == W::kRunning || w.FormState_ == W::kResizeSettle || w.FormState_ == W::kLaidOut;
    }
    static void Reset(W& w, const QString& value, const QString& top, const QString& left, const QString& width,
                      const QString& height)
    {
        const ResetParts parts = ResetPartsOf(value);
        if (parts.position) {
            mduLib::SetValue(top, QStringLiteral("-1"), w.Properties_);
            mduLib::SetValue(left, QStringLiteral("-1"), w.Properties_);
        }
        if (parts.size) {
            mduLib::SetValue(width, QStringLiteral("-1"), w.Properties_);
            mduLib::SetValue(height, QStringLiteral("-1"), w.Properties_);
        }
    }
    static void PersonalColour(W& w, CommandCall& c, const QString& fallbackKey, platform::Label& caption)
    {
        if (c.value == cmd::Default) {
            mduLib::ClearEntry(c.name, gPersonalDates);
            c.value = mduLib::GetProp(fallbackKey, w.Properties_);
        } else if (!w.StoreDateEntry(gPersonalDates, 0, QStringLiteral("The colour \"") + c.name + u'"',
                                     [&] { mduLib::SetValue(c.name, c.value, gPersonalDates); })) {
            return; // said; the caption keeps its colour
        }
        caption.SetForeColor(Colour(c.value));
    }

    static void WindowStates(W& w, CommandCall& c)
    {
        w.SetWindowState(mduUILib::WindowStateFromName(c.value));
        w.SetCalendarLayout();
        // "Maximized" also puts the window on top; the other states leave it there.
        if (c.value == cmd::Maximized) {
            bool onTop = true;
            mduUILib::SetTopMost(w, onTop);
        }
    }
    static void WindowStyles(W& w, CommandCall& c)
    {
        // A replayed table never loads a style: the load would replay it again, for ever.
        if (!w.commands_->Replaying)
            w.LoadStyle(c.value);
    }
    static void Layout(W& w, CommandCall&) { w.SetCalendarLayout(); }
    static void DateImage(W& w, CommandCall& c)
    {
        if (!w.StoreDateEntry(gPersonalDates, 0, QStringLiteral("The picture \"") + c.name + u'"',
                              [&] { mduLib::SetProp(c.name, c.value, gPersonalDates, keys::ImageSection); }))
            return; // said; the picture stays
        w.ShowPictureByOrientation(c.value);
    }
    static void MonthKeyColour(W& w, CommandCall& c) { PersonalColour(w, c, keys::MonthColour, w.lblMonth); }
    static void YearKeyColour(W& w, CommandCall& c) { PersonalColour(w, c, keys::YearColour, w.lblYear); }
    static void MonthColour(W& w, CommandCall& c) { w.lblMonth.SetForeColor(Colour(c.value)); }
    static void YearColour(W& w, CommandCall& c) { w.lblYear.SetForeColor(Colour(c.value)); }
    static void Month(W& w, CommandCall& c)
    {
        const QDate d = w.DisplayedDate();
        if (d.isValid())
            w.MoveMonth(conv::ToInt16(conv::LeadingNumber(c.value) - d.month()));
    }
    static void Year(W& w, CommandCall& c)
    {
        const QDate d = w.DisplayedDate();
        if (!d.isValid())
            return;
        const double target = c.value == cmd::CurrentYear ? platform::Today().year() : conv::LeadingNumber(c.value);
        w.MoveYear(conv::ToInt16(target - d.year()));
    }
    static void GoToToday(W& w, CommandCall&)
    {
        w.lblMonth.Tag = conv::DateText(platform::Today());
        w.MoveMonth(0);
    }
    static void ClockColour(W& w, CommandCall& c) { w.lblClock.SetForeColor(Colour(c.value)); }
    static void ClockFormat(W& w, CommandCall&) { w.UpdateClock(); }
    static void ClockAutoPosition(W& w, CommandCall& c)
    {
        const bool automatic = mduLib::IsYes(c.value);
        const qint16 left = automatic ? -1 : conv::ToInt16(w.lblClock.Left());
        const qint16 top = automatic ? -1 : conv::ToInt16(w.lblClock.Top());
        mduLib::SetProp(keys::ClockLeft, QString::number(left), w.Properties_);
        mduLib::SetProp(keys::ClockTop, QString::number(top), w.Properties_);
        w.SetClockPosition();
    }
    static void WeekStartDay(W& w, CommandCall&)
    {
        w.SetWeekdayHeadings(true, 0);
        w.FillMonthGrid(w.DisplayedDate(), QStringLiteral("M"));
        w.FormatAllDateCells();
    }
    static void PageFiles(W& w, CommandCall& c)
    {
        // The picture or the page, whichever is left without a picture, goes behind.
        w.imgCalendar(c.value != cmd::None ? 0 : 1).ZOrder(1);
        if (!w.commands_->Replaying)
            w.lower(); // the calendar sits on the desk, behind the other windows
        w.imgCalendar(2).ZOrder(1);
        if (FullyLoaded(w))
            w.LoadCalendarPicture(c.value, 1, true);
    }
    static void ImageFiles(W& w, CommandCall& c)
    {
        if (FullyLoaded(w))
            w.LoadCalendarPicture(c.value, 0, true);
    }
    static void BackdropFiles(W& w, CommandCall& c)
    {
        // The see-through window's backdrop is its handle, which keeps its icon.
        if (!w.IsTransparentWindow())
            w.LoadCalendarPicture(c.value, 2, true);
    }
    static void BackgroundColours(W& w, CommandCall& c)
    {
        // A replay opens no colour dialog: "Custom" then keeps the colour the window has.
        w.SetWindowBackColour(c.value, w.commands_->Replaying ? 0 : 1);
        if (w.IsTransparentWindow()) {
            platform::Image& handle = w.imgCalendar(2);
            const float hw = std::min(w.Width() / 20, 300.0f);
            const float hh = std::min(w.Height() / 20, 300.0f);
            handle.Move(w.Width() - 2 * hw, 0, hw, hh);
            handle.SetPicture(platform::Picture::FromImage(HandlePicture(w.windowIcon())));
            handle.Tag.clear();
            handle.SetVisible(true);
            w.imgCalendar(0).SetVisible(false);
            w.imgCalendar(1).SetVisible(false);
            mduAPILib::RefreshTransparentMask(w);
        } else {
            w.SetCalendarLayout();
            for (int i = 0; i <= 2; ++i)
                w.imgCalendar(i).SetVisible(true);
        }
    }
    static void TitleBar(W& w, CommandCall&)
    {
        mduAPILib::SetCaptionStyle(w, !mduLib::GetYesNoProp(keys::WindowTitleBar, w.Properties_, true), true);
    }
    static void Border(W& w, CommandCall&)
    {
        mduAPILib::ApplyBorderStyle(w, mduLib::GetProp(keys::WindowBorder, w.Properties_));
    }
    static void DateFont(W& w, CommandCall& c) { w.SetDateFont(c.value, c.context); }
    static void DateImageOfDays(W& w, CommandCall& c)
    {
        w.SetDateItem(c.context, c.value, keys::ImageSection);
        if (c.value == cmd::None)
            w.ShowCurrentPictures();
        else
            w.ShowPictureByOrientation(c.value);
    }
    static void DateCaption(W& w, CommandCall& c)
    {
        if (c.value != cmd::Custom)
            w.SetDateItem(c.context, c.value, keys::CaptionSection);
        else if (!w.commands_->Replaying)
            w.EditDateCaptionMessage(c.context, c.value, keys::CaptionSection, 0);
    }
    static void DateMessage(W& w, CommandCall& c)
    {
        if (!w.commands_->Replaying)
            w.EditDateCaptionMessage(c.context, c.value, keys::MessageSection, 1);
    }
    static void DateManager(W& w, CommandCall&)
    {
        if (w.commands_->Replaying)
            return;
        // Only the date files: the settings table keeps its unsaved menu changes.
        // A table that could not be written keeps its entries: the manager shows the file.
        w.SaveDateTablesOrAsk(
            QStringLiteral("No opens the date manager; the dates stay in the window and are saved later."));
        frmDateManager::Default().ShowCalendarDate(&w, w.lblYear.Caption());
    }
    static void Nothing(W&, CommandCall&) {}
    static void AutoPosition(W& w, CommandCall&)
    {
        if (w.commands_->ItemMenuFirstCaption == cmd::ResetCalendarPosition) {
            mduLib::SetValue(keys::CalendarTop, QStringLiteral("-1"), w.Properties_);
            mduLib::SetValue(keys::CalendarLeft, QStringLiteral("-1"), w.Properties_);
        }
        w.LayoutDayGrid();
    }
    static void ResetCalendarPosition(W& w, CommandCall& c)
    {
        Reset(w, c.value, keys::CalendarTop, keys::CalendarLeft, keys::CalendarWidth, keys::CalendarHeight);
        platform::ScopedUpdateLock lock(w.hWnd());
        w.LayoutDayGrid();
        w.shpHighlight.SetVisible(false);
    }
    static void AutoImagePosition(W& w, CommandCall& c)
    {
        Reset(w, c.value, keys::CalendarImageTop, keys::CalendarImageLeft, keys::CalendarImageWidth,
              keys::CalendarImageHeight);
        w.SetCalendarLayout();
    }
    static void AutoPagePosition(W& w, CommandCall& c)
    {
        Reset(w, c.value, keys::CalendarBackgroundTop, keys::CalendarBackgroundLeft, keys::CalendarBackgroundWidth,
              keys::CalendarBackgroundHeight);
        w.SetCalendarLayout();
    }
    static void HideClock(W& w, CommandCall&)
    {
        mduLib::SetProp(keys::ShowClock, QStringLiteral("No"), w.Properties_);
        w.lblClock.SetVisible(false);
    }
    static void Enable(W& w, CommandCall& c)
    {
        // For the desktop and for the form's own Enabled alike.
        w.setEnabled(mduUILib::EnableFormWindow(w, mduLib::IsYes(c.value)));
    }
    static void DefaultFont(W& w, CommandCall& c) { mduLib::SetValue(keys::DefaultDateFormat, c.value, w.Properties_); }
    static void ResetFonts(W& w, CommandCall&)
    {
        w.ResetAllDateFonts();
        w.MoveMonth(0);
    }
};

const std::vector<CalendarCommands::Row>& CalendarCommands::Table()
{
    using A = Asks;
    using K = Keeps;
    using C = CalendarCommands;
    // In the order the names are tried; the first that matches runs.
    static const std::vector<Row> rows = {
        {cmd::Region, nullptr, A::ForFile, K::Nothing, &C::Nothing},
        {keys::WindowStates, nullptr, A::Nothing, K::Setting, &C::WindowStates},
        {keys::WindowStyles, nullptr, A::ForFile, K::Nothing, &C::WindowStyles},
        {keys::Orientation, nullptr, A::Nothing, K::Setting, &C::Layout},
        {{}, &W::GetMonthImageKey, A::ForPicture, K::Nothing, &C::DateImage},
        {{}, &W::GetYearImageKey, A::ForPicture, K::Nothing, &C::DateImage},
        {{}, &W::GetMonthColourKey, A::Nothing, K::Nothing, &C::MonthKeyColour},
        {keys::MonthColour, nullptr, A::Nothing, K::Setting, &C::MonthColour},
        {cmd::Month, nullptr, A::Nothing, K::Nothing, &C::Month},
        {{}, &W::GetYearColourKey, A::Nothing, K::Nothing, &C::YearKeyColour},
        {keys::YearColour, nullptr, A::Nothing, K::Setting, &C::YearColour},
        {cmd::Year, nullptr, A::Nothing, K::Nothing, &C::Year},
        {cmd::GoToToday, nullptr, A::Nothing, K::Nothing, &C::GoToToday},
        {keys::ClockColour, nullptr, A::Nothing, K::Setting, &C::ClockColour},
        {keys::ClockFormat, nullptr, A::Nothing, K::Setting, &C::ClockFormat},
        {cmd::ClockAutoPosition, nullptr, A::Nothing, K::Nothing, &C::ClockAutoPosition},
        {keys::WeekStartDay, nullptr, A::Nothing, K::Setting, &C::WeekStartDay},
        {keys::CalendarBackgroundFiles, nullptr, A::ForPicture, K::Setting, &C::PageFiles},
        {keys::CalendarImageFiles, nullptr, A::ForPicture, K::Setting, &C::ImageFiles},
        {keys::WindowBackgroundFiles, nullptr, A::ForPicture, K::Setting, &C::BackdropFiles},
        {keys::WindowBackgroundColours, nullptr, A::Nothing, K::Nothing, &C::BackgroundColours},
        {keys::WindowTitleBar, nullptr, A::Nothing, K::Setting, &C::TitleBar},
        {keys::WindowBorder, nullptr, A::Nothing, K::Nothing, &C::Border},
        {cmd::SetDateFont, nullptr, A::Nothing, K::Nothing, &C::DateFont},
        {cmd::SetDateImage, nullptr, A::ForPicture, K::Nothing, &C::DateImageOfDays},
        {cmd::SetDateCaption, nullptr, A::Nothing, K::Nothing, &C::DateCaption},
        {cmd::SetDateMessage, nullptr, A::Nothing, K::Nothing, &C::DateMessage},
        {cmd::DateManager, nullptr, A::Nothing, K::Nothing, &C::DateManager},
        {cmd::SetActivity, nullptr, A::Nothing, K::Nothing, &C::Nothing},
        {cmd::AutoPosition, nullptr, A::Nothing, K::Nothing, &C::AutoPosition},
        {cmd::ResetCalendarPosition, nullptr, A::Nothing, K::Nothing, &C::ResetCalendarPosition},
        {cmd::AutoCalendarImagePosition, nullptr, A::Nothing, K::Nothing, &C::AutoImagePosition},
        {cmd::AutoCalendarBackgroundPosition, nullptr, A::Nothing, K::Nothing, &C::AutoPagePosition},
        {cmd::HideClock, nullptr, A::Nothing, K::Nothing, &C::HideClock},
        {cmd::Enable, nullptr, A::Nothing, K::Nothing, &C::Enable},
        {cmd::UseThisFontAsDefault, nullptr, A::Nothing, K::Nothing, &C::DefaultFont},
        {cmd::ResetAllDateFonts, nullptr, A::Nothing, K::Nothing, &C::ResetFonts},
    };
    return rows;
}

void CalendarCommands::Dispatch(W& w, CommandCall& c)
{
    for (const Row& row : Table()) {
        if (row.nameOf ? c.name != (w.*row.nameOf)() : c.name != row.name)
            continue;
        const QString& marker = row.asks == Asks::ForFile ? cmd::MoreFile : cmd::MorePicture;
        if (row.asks != Asks::Nothing && c.value == marker) {
            // A replay asks nothing; a cancelled chooser changes nothing.
            if (w.commands_->Replaying)
                return;
            const QString kind = row.asks == Asks::ForFile ? c.name
                                 : IsPictureKind(c.name)   ? c.name
                                                           : keys::CalendarImageFiles;
            c.value = BrowseForFile(w.objDialog, kind,
                                    row.asks == Asks::ForFile ? gStylesFolder : mduLib::GetProp(c.name, w.Properties_));
            if (c.value.isEmpty() || row.name == cmd::Region)
                return;
        }
        if (row.keeps == Keeps::Setting)
            mduLib::SetProp(c.name, c.value, w.Properties_);
        row.then(w, c);
        break;
    }
    if (c.name.contains(keys::ColumnColourSuffix)) {
        mduLib::SetProp(c.name, c.value, w.Properties_);
        w.ApplyColumnColour(c.name, c.value);
    }
}

void frmAlmanorvique::ApplySetting(const QString& name, const QString& value, const QString& context)
{
    CommandCall call{name, value, context};
    CalendarCommands::Dispatch(*this, call);
}
