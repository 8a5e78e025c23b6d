#include "balloon_tooltip.h"

#include "core/conversions.h"
#include "core/text_utilities.h"
#include "tooltip_window.h"
#include "twips.h"

#include <QCursor>

namespace {
constexpr int kBalloonStyle = 1;
constexpr qint32 kInfoTextColour = static_cast<qint32>(0x80000017); // the system's info-text colour
} // namespace

CBalloonToolTip::CBalloonToolTip() = default;

CBalloonToolTip::~CBalloonToolTip() { Destroy(); }

platform::TooltipWindow* CBalloonToolTip::Window() const { return window_.data(); }

void CBalloonToolTip::SetCloseBox(bool vData)
{
    closeBox_ = vData;
    if (window_)
        window_->SetCloseBox(vData);
}

void CBalloonToolTip::SetVisibleTime(qint32 lData)
{
    visibleTime_ = lData;
    if (window_)
        window_->SetDelays(visibleTime_, window_->InitialMs());
}

void CBalloonToolTip::SendTitleIfComplete()
{
    if (window_ && !title_.isEmpty() && icon_ != 0)
        window_->SetTitle(icon_, title_);
}

void CBalloonToolTip::SetIcon(qint32 v)
{
    icon_ = v;
    SendTitleIfComplete();
}

void CBalloonToolTip::SetTitle(const QString& v)
{
    title_ = v;
    SendTitleIfComplete();
}

void CBalloonToolTip::SetForeColor(qint32 v)
{
    foreColor_ = v;
    if (window_)
        window_->SetTextColor(platform::ColorFromValue(v));
}

void CBalloonToolTip::SetBackColor(qint32 v)
{
    backColor_ = v;
    if (window_)
        window_->SetBackColor(platform::ColorFromValue(v));
}

void CBalloonToolTip::SetTipText(const QString& v)
{
    tipText_ = v;
    if (window_)
        window_->SetText(v);
}

void CBalloonToolTip::CreateToolTip(QWidget* ParentHwnd)
{
    Destroy();
    parent_ = ParentHwnd;
    window_ = new platform::TooltipWindow(ParentHwnd, popupOnDemand_);
    platform::TooltipLook look;
    look.Balloon = style_ == kBalloonStyle;
    look.CenterOnPoint = centered_;
    look.Text = tipText_;
    if (!title_.isEmpty() || icon_ != 0) {
        look.Title = title_;
        look.Icon = icon_;
    }
    // 0 at creation keeps the desktop's own colours.
    if (foreColor_ != 0)
        look.TextColor = platform::ColorFromValue(foreColor_);
    if (backColor_ != 0)
        look.BackColor = platform::ColorFromValue(backColor_);
    window_->SetLook(look);
    window_->SetDelays(visibleTime_, delayTime_);
    window_->SetCloseBox(closeBox_);
}

void CBalloonToolTip::Show(qint32 x, qint32 y)
{
    if (window_ && parent_) {
        window_->TrackPosition(parent_->mapToGlobal(QPoint(x, y)));
        window_->TrackActivate(true);
    }
    shown_ = true;
}

void CBalloonToolTip::Destroy()
{
    // The parent may have taken the window with it already.
    delete window_.data();
    window_ = nullptr;
    shown_ = false;
}

void CBalloonToolTip::Move(double x, double y)
{
    // Both axes use the horizontal factor, as the balloon always has.
    const double tpp = platform::TwipsPerPixelX();
    Show(static_cast<qint32>(conv::RoundHalfEven(x / tpp - 1)), static_cast<qint32>(conv::RoundHalfEven(y / tpp - 1)));
}

void CBalloonToolTip::SetLook(qint32 icon, const QString& title, const QString& text, qint32 back, qint32 fore)
{
    SetStyle(kBalloonStyle);
    SetIcon(icon);
    SetTitle(title);
    SetTipText(text);
    SetBackColor(back);
    SetForeColor(fore);
}

void CBalloonToolTip::BalloonInfoSetup(QWidget* hwnd, const QString& strTitle, const QString& strMsg, int intMaxLength)
{
    SetLook(1, strTitle, mduLib::WrapText(strMsg, intMaxLength), 0xC0FFC0, kInfoTextColour);
    SetDelayTime(500);
    SetCentered(false);
    SetVisibleTime(10000);
    CreateToolTip(hwnd);
}

void CBalloonToolTip::ShowBalloonInfo(QWidget* hwnd, const QString& strTitle, const QString& strMsg, double x, double y,
                                      int intMaxLength)
{
    SetPopupOnDemand(true);
    BalloonInfoSetup(hwnd, strTitle, strMsg, intMaxLength);
    Move(x, y);
    SetCloseBox(true);
}

void CBalloonToolTip::ShowBalloonInfoXY(QWidget* hwnd, const QString& strTitle, const QString& strMsg, int intMaxLength)
{
    SetPopupOnDemand(true);
    BalloonInfoSetup(hwnd, strTitle, strMsg, intMaxLength);
    if (window_) {
        window_->TrackPosition(QCursor::pos());
        window_->TrackActivate(true);
    }
    shown_ = true;
    SetCloseBox(true);
}

void CBalloonToolTip::ReloadBalloonInfo(const QString& strMsg, double x, double y)
{
    SetTipText(strMsg);
    Move(x, y);
}

void CBalloonToolTip::BalloonWarningSetup(QWidget* hwnd, const QString& strTitle, const QString& strMsg)
{
    SetLook(2, strTitle, strMsg, 0xC0FFFF, 0xC00000);
    SetPopupOnDemand(false);
    CreateToolTip(hwnd);
}

void CBalloonToolTip::ShowBalloonWarning(QWidget* hwnd, const QString& strTitle, const QString& strMsg, double x,
                                         double y)
{
    SetLook(2, strTitle, strMsg, 0xC0FFFF, 0xC00000);
    SetPopupOnDemand(true);
    CreateToolTip(hwnd);
    Move(x, y);
}

void CBalloonToolTip::ShowBalloonError(QWidget* hwnd, const QString& strTitle, const QString& strMsg, double x,
                                       double y)
{
    SetLook(3, strTitle, strMsg, 0xFFFFC0, 255);
    SetPopupOnDemand(true);
    CreateToolTip(hwnd);
    Move(x, y);
}

namespace mduBalloonTipLib {

void InfoBalloonSetup(CBalloonToolTip& tip, QWidget* hwnd, const QString& strTitle, const QString& strMsg,
                      int intMaxLength)
{
    tip.BalloonInfoSetup(hwnd, strTitle, strMsg, intMaxLength);
}

void ShowInfoBalloonAt(CBalloonToolTip& tip, QWidget* hwnd, const QString& strTitle, const QString& strMsg, double x,
                       double y, int intMaxLength)
{
    tip.ShowBalloonInfo(hwnd, strTitle, strMsg, x, y, intMaxLength);
}

} // namespace mduBalloonTipLib
