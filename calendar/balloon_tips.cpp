// The balloons that explain what lies under the mouse: a day's captions over its cell,
// the month's or year's picture over their captions; and the frame Ctrl draws round the
// day grid.
#include "balloons_state.h"
#include "calendar_window.h"
#include "settings_keys.h"

#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/settings_store.h"
#include "core/text_utilities.h"
#include "core/year_dates.h"
#include "hand_cursors.h"
#include "ui/balloon_tooltip.h"
#include "ui/tooltip_window.h"

#include <QEvent>
#include <QLocale>

using mduAlmanorvqueLib::gPersonalDates;
namespace keys = calendarkeys;

namespace {
constexpr int kShiftKey = 1;
constexpr int kCtrlKey = 2;
constexpr int kBalloonLineWidth = 30;
const QString kLineBreak = QStringLiteral("\r\n");
const QString kGridFrameTag = QStringLiteral("R");
} // namespace

bool frmAlmanorvique::GetAutoShowBalloonTips()
{
    return mduLib::GetYesNoProp(keys::AutoShowBalloonTips, Properties_, true);
}

void frmAlmanorvique::ShowBalloonAt(const QString& title, const QString& text, float x, float y)
{
    // The same balloon stays put while the pointer moves over its cell; another day's
    // captions replace it.
    const platform::TooltipWindow* shown = balloons_->Tip->Window();
    if (balloons_->Tip->Shown() && shown && shown->isVisible() && balloons_->Tip->Title() == title &&
        balloons_->Tip->TipText() == mduLib::WrapText(text, kBalloonLineWidth))
        return;
    balloons_->Tip->ShowBalloonInfo(hWnd(), title, text, conv::ToInt32(x), conv::ToInt32(y), kBalloonLineWidth);
}

// The balloon stays above every window: a modal dialog over this window (or over the
// frame of a month window, which blocks it too) closes it first.
bool frmAlmanorvique::event(QEvent* e)
{
    if (e->type() == QEvent::WindowBlocked)
        HideBalloonTip();
    return Form::event(e);
}

void frmAlmanorvique::ShowBalloonTip(const QString& title, QString& text, bool force, float x, float y)
{
    text = conv::Trim(text);
    if (!text.isEmpty() && text != kLineBreak && (force || GetAutoShowBalloonTips()))
        ShowBalloonAt(title, text, x, y);
    else
        HideBalloonTip();
}

void frmAlmanorvique::HideBalloonTip() { balloons_->Tip->Destroy(); }

CBalloonToolTip& frmAlmanorvique::BalloonTip() { return *balloons_->Tip; }

QString frmAlmanorvique::DayBalloonText(const QString& dateTag) const
{
    const QString key = mduAlmanorvqueLib::DayMonthKey(dateTag);
    const QString special = mduLib::GetValue(key, YearDates(), keys::SpecialCaptionSection);
    return (special.isEmpty() ? QString() : special + kLineBreak) +
           mduLib::GetValue(key, YearDates(), keys::CaptionSection) + kLineBreak +
           mduLib::GetValue(key, gPersonalDates, keys::CaptionSection);
}

void frmAlmanorvique::lblDate_MouseMove(int Index, int /*Button*/, int Shift, float /*X*/, float /*Y*/)
{
    if (Shift == kCtrlKey && shpHighlight.Tag != kGridFrameTag) {
        const int n = lblDate.UBound();
        platform::Label& first = lblDate(1);
        platform::Label& last = lblDate(n);
        shpHighlight.Move(first.Left(), lblYear.Top(), std::abs(first.Width() + last.Left() - first.Left()),
                          std::abs(first.Height() * 1.5f + last.Top() - lblYear.Top()));
        shpHighlight.SetFillStyle(1); // the grid shows through the frame
        shpHighlight.SetVisible(true);
        shpHighlight.Tag = kGridFrameTag;
        return;
    }
    if (!shpHighlight.Tag.isEmpty())
        return;
    if (Index > 7 && (Shift == kShiftKey || GetAutoShowBalloonTips())) {
        const platform::Label& cell = lblDate(Index);
        // The title shows the date as the user writes dates.
        const auto date = conv::DateFromText(cell.Tag);
        const QString title = date ? QLocale().toString(*date, QLocale::ShortFormat) : cell.Tag;
        QString text = DayBalloonText(cell.Tag);
        ShowBalloonTip(title, text, true, cell.Left() + cell.Width() / 2, cell.Top() + cell.Height() / 2);
    } else if (Shift != kCtrlKey) {
        shpHighlight.SetVisible(false);
        shpHighlight.Tag.clear();
        HideBalloonTip();
    }
}

void frmAlmanorvique::SetCaptionPointer(platform::Label& caption, int Shift, bool pointerOnShift, float X, float Y)
{
    if (Shift == kShiftKey) {
        if (pointerOnShift)
            caption.MousePointer = platform::vbDefault;
        ShowLabelImageTip(caption.Name(), Shift, X, Y);
        return;
    }
    // Which way a click turns: a hand up and to the left with Ctrl, else to the right.
    caption.MouseIcon = imgList[Shift == kCtrlKey ? 1 : 2];
    caption.MousePointer = platform::vbCustom;
}

void frmAlmanorvique::lblMonth_MouseMove(int, int Shift, float X, float Y)
{
    SetCaptionPointer(lblMonth, Shift, true, X, Y);
}

void frmAlmanorvique::lblYear_MouseMove(int, int Shift, float X, float Y)
{
    SetCaptionPointer(lblYear, Shift, false, X, Y);
}

void frmAlmanorvique::ShowLabelImageTip(const QString& controlName, int shift, float, float)
{
    if (!GetAutoShowBalloonTips() && shift != kShiftKey)
        return;
    platform::Label* caption = nullptr;
    QString key;
    if (controlName == lblMonth.Name()) {
        caption = &lblMonth;
        key = GetMonthImageKey();
    } else if (controlName == lblYear.Name()) {
        caption = &lblYear;
        key = GetYearImageKey();
    } else {
        return;
    }
    QString entry = mduLib::GetValue(key, gPersonalDates, keys::ImageSection);
    if (entry.isEmpty() || entry == QLatin1String("0"))
        return;
    ShowBalloonTip(caption->Caption() + " sets", entry, true, caption->Left() + caption->Width() / 2,
                   caption->Top() + caption->Height() / 2);
}
