#pragma once
// The toolbar control: a row or column of buttons with pictures and optional captions,
// docked to one edge of a frame (or hidden), in the frame's QMainWindow.
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QToolBar>
#include <functional>
#include <vector>

class QMainWindow;

namespace platform {

enum ToolbarAlign { vbAlignNone = 0, vbAlignTop = 1, vbAlignBottom = 2, vbAlignLeft = 3, vbAlignRight = 4 };
enum ToolButtonStyle { tbrDefault = 0, tbrSeparator = 3 };

struct ToolButton {
    QString Key;
    int Image = 0; // picture number in the image list, 0 none
    QString ToolTipText;
    QString Description;
    QString Tag;
    QString Caption;
    bool Visible = true;
    int Style = tbrDefault;
};

class ToolBar : public QObject {
    Q_OBJECT
public:
    explicit ToolBar(QMainWindow& host);

    QToolBar& Widget() { return *bar_; }

    int Align() const { return align_; }
    void SetAlign(int align);
    bool Visible() const { return visible_; }
    void SetVisible(bool on);
    bool Wrappable = false;
    QString Tag;

    // Outer size in twips; the thickness across the docking edge is set as its least.
    float Width() const;
    float Height() const;
    void SetWidth(float twips);
    void SetHeight(float twips);

    // The pictures the buttons show (number 1 is the first), at size x size pixels.
    void SetImageList(const std::vector<QImage>& pictures, int size);
    int ImageSize() const { return imageSize_; }

    // Buttons 1 to ButtonCount, as designed; Refresh shows what their fields say.
    void AddButton(int style = tbrDefault);
    int ButtonCount() const { return static_cast<int>(buttons_.size()); }
    ToolButton& Button(int n) { return buttons_.at(static_cast<size_t>(n - 1)); }
    void Refresh();
    // The QAction of button n (tests click it).
    QAction* ButtonAction(int n) const { return actions_.at(static_cast<size_t>(n - 1)); }

    // The buttons' own tooltips; a frame that shows balloons of its own turns them off.
    bool NativeTips = true;

    // The toolbar's cursor: a picture number of the frame's cursor list.
    int MouseIcon = 0;

    // The toolbar's corner in its frame's client area, twips.
    float Left() const;
    float Top() const;
    // Button n's place on the toolbar, twips from its corner: a shown button where it
    // stands, a hidden one (or one set aside for want of room) where it would stand after
    // the shown ones before it.
    QRectF ButtonRect(int n) const;
    // The size of the largest button, twips.
    float ButtonWidth() const;
    float ButtonHeight() const;

    // The layout of the buttons (keys and visibility) into the registry store.
    bool SaveToolbar(const QString& key, const QString& subKey, const QString& valueName) const;
    // The customisation dialog: which buttons are shown.
    void Customize();

    std::function<void(int button)> ButtonClick;
    std::function<void(int button, int shift, float x, float y)> MouseDown;
    // Moves over the toolbar or its buttons (and beyond while a button is held); x and y
    // in twips from the toolbar's corner, button the held buttons.
    std::function<void(int button, int shift, float x, float y)> MouseMove;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Dock();
    QSize ButtonSizePixels(int n) const;
    QSize LargestButtonPixels() const;
    // Gives a toolbar docked at a side the width last asked for, or what its captions need.
    void FitSideWidth();
    QMainWindow& host_;
    QPointer<QToolBar> bar_;
    std::vector<ToolButton> buttons_;
    std::vector<QAction*> actions_;
    std::vector<QImage> pictures_;
    int imageSize_ = 24;
    int align_ = vbAlignTop;
    int sideWidth_ = 0; // pixels asked for across a left or right edge; 0 none
    bool visible_ = true;
};

} // namespace platform
