// The clock (its text, and moving it with Ctrl held) and the scrolling message line under
// the picture. Both run on the window's 100 ms tick, so each tick does only what shows:
// the clock is written when its text changes, the line moves within its own strip.
#include "calendar_window.h"
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
    if (!clockPattern_ || clockPattern_->Source != format)
        clockPattern_ = clockformat::TranslateClockPattern(format);
    const QDateTime now = platform::Now();
    const QString text = clockformat::FormatClock(*clockPattern_, now);
    if (text != lblClock.Caption())
        lblClock.SetCaption(text);
    clockSecond_ = SecondOf(now.toMSecsSinceEpoch());
    clockRevision_ = revision;
    clockText_ = lblClock.Caption();
}

void frmAlmanorvique::TickClock()
{
    // No pattern shows less than a second, and the pattern is a setting: the other nine
    // ticks of a second only compare.
    if (SecondOf(platform::NowMSecsSinceEpoch()) == clockSecond_ && Properties_.Revision() == clockRevision_ &&
        lblClock.Caption() == clockText_)
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
        clockGrab_ = QPointF(X, Y);
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
        clockGrab_.reset();
        return;
    }
    if (!handcursors::IsPicture(lblClock.MouseIcon, imgList, kClosedHand))
        return;
    // The point of the clock under the hand stays under it: the move is the pointer's
    // offset from where it gripped, in twips like the clock's place.
    if (!clockGrab_)
        clockGrab_ = QPointF(X, Y);
    lblClock.Move(static_cast<float>(lblClock.Left() + X - clockGrab_->x()),
                  static_cast<float>(lblClock.Top() + Y - clockGrab_->y()));
}

void frmAlmanorvique::lblClock_MouseUp(int, int, float, float)
{
    if (!handcursors::IsPicture(lblClock.MouseIcon, imgList, kClosedHand))
        return;
    // 32 bits: a clock dragged beyond 2,184 pixels is still placed where it was let go.
    SaveClockPosition(conv::ToInt32(lblClock.Left()), conv::ToInt32(lblClock.Top()));
    lblClock.MousePointer = platform::vbDefault;
    clockGrab_.reset();
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
    msgLine_.Caption = lblMsg.Caption();
    msgLine_.Left = lblMsg.Left();
    msgLine_.Width = lblMsg.Width();
    msgLine_.AutoSize = lblMsg.AutoSize();
    step(msgLine_);
    lblMsg.ToolTipText = msgLine_.Text;
    lblMsg.SetAutoSize(msgLine_.AutoSize);
    lblMsg.SetCaption(msgLine_.Caption);
    lblMsg.SetWidth(static_cast<float>(msgLine_.Width));
    lblMsg.SetLeft(static_cast<float>(msgLine_.Left));
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
    if (msgLine_.Text.isEmpty())
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
