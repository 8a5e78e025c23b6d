#pragma once
// A balloon tooltip: one tooltip window over a parent window, either a hover tip or a
// tracking balloon shown on demand at a point, with presets for information, warning
// and error balloons. Every setting is a property; the window is made from them by
// CreateToolTip.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

namespace platform {
class TooltipWindow;
}

class CBalloonToolTip {
public:
    CBalloonToolTip();
    ~CBalloonToolTip();
    CBalloonToolTip(const CBalloonToolTip&) = delete;
    CBalloonToolTip& operator=(const CBalloonToolTip&) = delete;

    bool CloseBox() const { return closeBox_; }
    void SetCloseBox(bool vData);
    bool Shown() const { return shown_; }
    void SetShown(bool v) { shown_ = v; }
    qint16 MaxLength() const { return maxLength_; }
    void SetMaxLength(qint16 v) { maxLength_ = v; }
    qint32 VisibleTime() const { return visibleTime_; }
    void SetVisibleTime(qint32 lData);
    qint32 DelayTime() const { return delayTime_; }
    void SetDelayTime(qint32 lData) { delayTime_ = lData; }
    qint32 Icon() const { return icon_; }
    void SetIcon(qint32 v);
    qint32 ForeColor() const { return foreColor_; }
    void SetForeColor(qint32 v);
    const QString& Title() const { return title_; }
    void SetTitle(const QString& v);
    bool PopupOnDemand() const { return popupOnDemand_; }
    void SetPopupOnDemand(bool v) { popupOnDemand_ = v; }
    qint32 BackColor() const { return backColor_; }
    void SetBackColor(qint32 v);
    const QString& TipText() const { return tipText_; }
    void SetTipText(const QString& v);
    qint32 Style() const { return style_; }
    void SetStyle(qint32 v) { style_ = v; }
    bool Centered() const { return centered_; }
    void SetCentered(bool v) { centered_ = v; }

    // Shows the balloon at a point in pixels of the parent's client area.
    void Show(qint32 x, qint32 y);
    // (Re)creates the tooltip window for the parent window.
    void CreateToolTip(QWidget* ParentHwnd);
    void Destroy();
    // Shows the balloon at a point in twips of the parent's client area.
    void Move(double x, double y);

    // Presets; x and y in twips of the parent's client area, intMaxLength the line width
    // of the wrapped text.
    void ShowBalloonError(QWidget* hwnd, const QString& strTitle, const QString& strMsg, double x, double y);
    void BalloonInfoSetup(QWidget* hwnd, const QString& strTitle, const QString& strMsg, int intMaxLength);
    void ShowBalloonInfo(QWidget* hwnd, const QString& strTitle, const QString& strMsg, double x, double y,
                         int intMaxLength);
    void ShowBalloonInfoXY(QWidget* hwnd, const QString& strTitle, const QString& strMsg, int intMaxLength);
    void ReloadBalloonInfo(const QString& strMsg, double x, double y);
    void BalloonWarningSetup(QWidget* hwnd, const QString& strTitle, const QString& strMsg);
    void ShowBalloonWarning(QWidget* hwnd, const QString& strTitle, const QString& strMsg, double x, double y);

    // The tooltip window, while there is one.
    platform::TooltipWindow* Window() const;

private:
    void SendTitleIfComplete();
    // The presets' balloon: shape, icon, title, text and colours.
    void SetLook(qint32 icon, const QString& title, const QString& text, qint32 back, qint32 fore);

    bool closeBox_ = false;
    bool shown_ = false;
    qint16 maxLength_ = 0;
    qint32 visibleTime_ = 5000;
    qint32 delayTime_ = 100;
    qint32 icon_ = 0;
    qint32 foreColor_ = 0;
    QString title_;
    bool popupOnDemand_ = false;
    qint32 backColor_ = 0;
    QString tipText_;
    qint32 style_ = 0;
    bool centered_ = false;

    QPointer<QWidget> parent_;
    QPointer<platform::TooltipWindow> window_;
};

// The information preset again, on a caller's balloon.
namespace mduBalloonTipLib {

void InfoBalloonSetup(CBalloonToolTip& tip, QWidget* hwnd, const QString& strTitle, const QString& strMsg,
                      int intMaxLength);
void ShowInfoBalloonAt(CBalloonToolTip& tip, QWidget* hwnd, const QString& strTitle, const QString& strMsg, double x,
                       double y, int intMaxLength);

} // namespace mduBalloonTipLib
