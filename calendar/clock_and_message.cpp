// The clock (its text, and moving it with Ctrl held) and the scrolling message line under
// the picture. Both run on the window's 100 ms tick, so each tick does only what shows:
// the clock is written when its text changes, the line moves within its own strip.
#include "calendar_window.h"
#include "clock_state.h"
#include "settings_keys.h"

#include "core/conversions.h"
#include "core/settings_store.h"
#include "hand_cursors.h"
#include "system/clock.h"

namespace keys = calendarkeys;

namespace {
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kCtrlKey = 2;
constexpr int kOpenHand = 5, kClosedHand = 6;
} // namespace

namespace {
// Whole seconds since 1970, rounded down, so that times in one second share one number.
qint64 SecondOf(qint64 ms) { return ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000); }
} // namespace

void frmAlmanorvique::UpdateClock()
{
    // The pattern is translated only when the setting changed, not on every tick.
    const quint64 revision = Properties_.Revision();
    const QString format = mduLib::GetProp(keys::ClockFormat, Properties_);
    if (!clock_->Pattern || clock_->Pattern->Source != format)
        clock_->Pattern = clockformat::TranslateClockPattern(format);
    const QDateTime now = platform::Now();
    const QString text = clockformat::FormatClock(*clock_->Pattern, now);
    if (text != lblClock.Caption())
        lblClock.SetCaption(text);
    clock_->Second = SecondOf(now.toMSecsSinceEpoch());
    clock_->Revision = revision;
    clock_->Text = lblClock.Caption();
}

void frmAlmanorvique::TickClock()
{
    // No pattern shows less than a second, and the pattern is a setting: the other nine
    // ticks of a second only compare.
    if (SecondOf(platform::NowMSecsSinceEpoch()) == clock_->Second && Properties_.Revision() == clock_->Revision &&
        lblClock.Caption() == clock_->Text)
        return;
    UpdateClock();
}

void frmAlmanorvique::SaveClockPosition(qint32 left, qint32 top)
{
    mduLib::SetProp(keys::ClockLeft, QString::number(left), Properties_);
    mduLib::SetProp(keys::ClockTop, QString::number(top), Properties_);
}

void frmAlmanorvique::lblClock_MouseDown(int Button, int /*Shift*/, float X, float Y)
{
    if (Button == kLeftButton && lblClock.MousePointer == platform::vbCustom) {
        lblClock.MouseIcon = imgList[kClosedHand];
        clock_->Grab = QPointF(X, Y);
    } else if (Button == kRightButton) {
        PopupClockMenu();
    }
}

void frmAlmanorvique::lblClock_MouseMove(int Button, int Shift, float X, float Y)
{
    if (Shift != kCtrlKey) {
        lblClock.MousePointer = platform::vbDefault;
        return;
    }
    lblClock.MousePointer = platform::vbCustom;
    if (Button == 0) {
        lblClock.MouseIcon = imgList[kOpenHand];
        clock_->Grab.reset();
        return;
    }
    if (!handcursors::IsPicture(lblClock.MouseIcon, imgList, kClosedHand))
        return;
    // The point of the clock under the hand stays under it: the move is the pointer's
    // offset from where it gripped, in twips like the clock's place.
    if (!clock_->Grab)
        clock_->Grab = QPointF(X, Y);
    lblClock.Move(static_cast<float>(lblClock.Left() + X - clock_->Grab->x()),
                  static_cast<float>(lblClock.Top() + Y - clock_->Grab->y()));
}

void frmAlmanorvique::lblClock_MouseUp(int, int, float, float)
{
    if (!handcursors::IsPicture(lblClock.MouseIcon, imgList, kClosedHand))
        return;
    // 32 bits: a clock dragged beyond 2,184 pixels is still placed where it was let go.
    SaveClockPosition(conv::ToInt32(lblClock.Left()), conv::ToInt32(lblClock.Top()));
    lblClock.MousePointer = platform::vbDefault;
    clock_->Grab.reset();
}

// ---- the message line ----

messageline::Span frmAlmanorvique::MessageSpan()
{
    const platform::Image& picture = imgCalendar(0);
    return {picture.Left(), picture.Width()};
}

void frmAlmanorvique::StepMessageLine(const std::function<void(messageline::LineState&)>& step)
{
    // The label is the truth for what the layout may have changed since the last tick.
    clock_->MessageLine.Caption = lblMsg.Caption();
    clock_->MessageLine.Left = lblMsg.Left();
    clock_->MessageLine.Width = lblMsg.Width();
    clock_->MessageLine.AutoSize = lblMsg.AutoSize();
    step(clock_->MessageLine);
    lblMsg.ToolTipText = clock_->MessageLine.Text;
    lblMsg.SetAutoSize(clock_->MessageLine.AutoSize);
    lblMsg.SetCaption(clock_->MessageLine.Caption);
    lblMsg.SetWidth(static_cast<float>(clock_->MessageLine.Width));
    lblMsg.SetLeft(static_cast<float>(clock_->MessageLine.Left));
}

messageline::Measure frmAlmanorvique::MessageMeasure()
{
    return [this](const QString& text) { return static_cast<double>(lblMsg.FittedWidth(text)); };
}

void frmAlmanorvique::StartScrollingMessage(const QString& text)
{
    StepMessageLine([&](messageline::LineState& s) { messageline::Start(s, text, MessageSpan(), MessageMeasure()); });
}

void frmAlmanorvique::ResetScrollingMessage()
{
    StepMessageLine([&](messageline::LineState& s) { messageline::Reset(s, MessageSpan(), MessageMeasure()); });
}

void frmAlmanorvique::AppendMessageChar(int& position)
{
    StepMessageLine([&](messageline::LineState& s) { messageline::AppendChar(s, position, MessageMeasure()); });
}

void frmAlmanorvique::ScrollMessage()
{
    if (clock_->MessageLine.Text.isEmpty())
        return;
    StepMessageLine([&](messageline::LineState& s) { messageline::Scroll(s, MessageSpan(), MessageMeasure()); });
}

void frmAlmanorvique::StopScrollingMessage()
{
    StepMessageLine([&](messageline::LineState& s) { messageline::Stop(s, MessageMeasure()); });
}

void frmAlmanorvique::lblMsg_DblClick()
{
    if (!conv::Trim(lblMsg.Caption()).isEmpty()) {
        StopScrollingMessage(); // the line stays, showing nothing
        return;
    }
    QString year = lblYear.Caption();
    StartScrollingMessage(GetSpecialDateMsg(year) + GetActivity(conv::DateText(platform::Today())));
}
