#pragma once
// Our tooltip window: one tool over a parent window, drawn as a balloon (rounded with a
// tail) or as a plain rectangle, with a title icon, a title and a text. As a hover tip
// it shows after a delay while the pointer rests on the parent and hides after a while;
// as a tracking tip it shows where it is told until it is deactivated. The mouse passes
// through the tip to what lies under it, except on its close box; without a compositing
// manager the window is cut to the balloon's outline instead of being see-through.
#include <QColor>
#include <QPainterPath>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <optional>

namespace platform {

struct TooltipLook {
    bool Balloon = false;
    int Icon = 0; // 0 none, 1 information, 2 warning, 3 error
    QString Title;
    QString Text;
    std::optional<QColor> TextColor, BackColor; // none: the desktop's tooltip colours
    bool CenterOnPoint = false;
};

class TooltipWindow : public QWidget {
public:
    TooltipWindow(QWidget* parent, bool tracking);
    ~TooltipWindow() override;

    QWidget* Tool() const { return tool_; }
    bool Tracking() const { return tracking_; }
    const TooltipLook& Look() const { return look_; }
    void SetLook(const TooltipLook& look);
    void SetTitle(int icon, const QString& title);
    void SetText(const QString& text);
    void SetTextColor(const QColor& c);
    void SetBackColor(const QColor& c);
    void SetDelays(int visibleMs, int initialMs);
    // A small close box in the corner; a click on it hides the tip.
    void SetCloseBox(bool on);
    bool HasCloseBox() const { return closeBox_; }
    QRect CloseBoxRect() const;
    int VisibleMs() const { return visibleMs_; }
    int InitialMs() const { return initialMs_; }

    // Tracking tips: where the tail points (screen pixels), and on or off.
    void TrackPosition(QPoint screen);
    void TrackActivate(bool on);
    QPoint TrackedPoint() const { return tracked_; }

    // The balloon's outline (rounded body and tail, or the rectangle), in window pixels.
    QPainterPath Outline() const;
    // Whether the shown window is cut to its outline (no compositing manager at show time)
    // rather than drawn on a see-through background.
    bool CutToOutline() const { return cut_; }
    // The small window that takes the clicks on the close box, while shown.
    QWidget* CloseBoxWindow() const;

    // Whether a compositing manager runs on the desktop; tests may force the answer.
    static bool Compositing();
    static void ForceCompositing(std::optional<bool> answer);

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QSize ContentSize() const;
    void PlaceAt(QPoint screen);
    // Chooses see-through or cut at show time.
    void PrepareSurface();
    void ShowSurface();
    void UpdateShape();
    void PlaceCloseBox();
    QPainterPath OutlineAt(qreal inset) const;

    QPointer<QWidget> tool_;
    bool tracking_;
    TooltipLook look_;
    int visibleMs_ = 5000, initialMs_ = 100;
    QPoint tracked_;
    int tailX_ = 8; // where the tail meets the top edge
    bool closeBox_ = false;
    bool cut_ = false;
    QPointer<QWidget> closeWindow_;
    QTimer initial_, autoPop_;
};

} // namespace platform
