#pragma once
// A form: a window whose client area draws its light controls in z-order and hands mouse
// and key events to the form's handlers. The form keeps its outer geometry in twips (frame
// included) and its other properties itself; Qt mirrors them.
#include "controls.h"
#include "core/window_model.h"

#include <QElapsedTimer>
#include <QImage>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>
#include <vector>

class QMdiArea;
class QMdiSubWindow;

namespace platform {

enum WindowStateValue { vbNormal = 0, vbMinimized = 1, vbMaximized = 2 };
enum UnloadMode { vbFormControlMenu = 0, vbFormCode = 1, vbAppWindows = 2, vbAppTaskManager = 3 };

class Form : public QWidget, public mduUILib::PlacedWindow {
    Q_OBJECT
public:
    explicit Form(const QString& name);
    ~Form() override;

    const QString& Name() const { return name_; }

    // Runs Form_Load once, the first time the window is needed.
    void EnsureLoaded();
    bool IsLoaded() const { return loaded_; }
    // The window's handle; asking for it loads the window.
    QWidget* hWnd();

    float Left() const override { return left_; }
    float Top() const override { return top_; }
    float Width() const override { return width_; }
    float Height() const override { return height_; }
    void SetLeft(float v) override;
    void SetTop(float v) override;
    void SetWidth(float v) override;
    void SetHeight(float v) override;
    void Move(float left, float top, float width, float height);
    // A shown window gets the rectangle in one request and holds it while the desktop
    // answers.
    void SetOuterRect(float left, float top, float width, float height) override;
    // The desktop frames a shown window later and may put it elsewhere: for a moment the
    // outer rectangle the form keeps is put back once the frame is known.
    void HoldOuterGeometry();
    // While the desktop frames a newly shown window (the hold above runs), its resizes
    // are the desktop's, not the user's.
    bool IsBeingFramed() const;

    // The client area in twips.
    float ScaleWidth() const;
    float ScaleHeight() const;
    float ScaleLeft() const { return 0; }
    float ScaleTop() const { return 0; }

    int WindowState() const override { return windowState_; }
    void SetWindowState(int state);
    // While held, a new state is only noted; the release gives it to the shown window once,
    // after whatever changes the frame in between (flags re-create the native window, and
    // are held too: see FrameDue).
    void HoldWindowState(bool hold);
    bool WindowStateHeld() const { return stateHeld_; }

    QString Caption() const { return caption_; }
    void SetCaption(const QString& c);
    QString Tag;
    qint32 BackColor() const { return backColor_; }
    void SetBackColor(qint32 c);
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int p);
    QImage MouseIcon;
    int HelpContextID = 0;
    // The drawing style; the calendar windows mark a see-through background with it.
    int DrawStyle = 0;
    bool KeyPreview = true;

    // A child window of the multi-calendar frame (set before the form is loaded).
    bool MDIChild() const override { return mdiChild_; }
    void EnableWindow(bool enabled) override { setEnabled(enabled); }
    void SetMDIChild(bool on) { mdiChild_ = on; }
    // The frame's sub-window that hosts this child window (null for a top-level form).
    // The form's geometry is then the sub-window's, in the frame's client area.
    QMdiSubWindow* MDISubWindow() const { return mdiSub_; }
    void HostIn(QMdiSubWindow* sub);
    // Shown on the screen (for a child window: its sub-window is shown).
    bool Visible() const;
    void SetVisible(bool on);

    void Show();
    void Hide();
    bool IsShown() const { return shown_; }
    // Runs QueryUnload and Unload; false when the form cancelled.
    bool Unload(int mode = vbFormCode);
    void Refresh();
    // Takes the keyboard focus (activates the window).
    void SetFocus();

    // Light controls register themselves.
    void AddControl(LightControl* c);
    void RemoveControl(LightControl* c);
    void BringToFront(LightControl* c);
    void SendToBack(LightControl* c);
    void InvalidateTwips(const QRectF& r);
    const std::vector<LightControl*>& ZOrderList() const { return zorder_; }
    // The topmost visible control under the point (twips), or nullptr.
    LightControl* ControlAt(float x, float y) const;

    // All forms that exist, oldest first.
    static std::vector<Form*> AllForms();

signals:
    // Part of the client area (pixels, maybe past its edges) whose drawing changes: what
    // a light control or the background colour changed, before it is painted.
    void AreaInvalidated(const QRect& px);
    // The hold ends on a shown window: frame changes noted while held are given now, just
    // before the state.
    void FrameDue();

protected:
    // Event handlers of the form; x and y in twips.
    virtual void Form_Load() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(int& /*cancel*/, int /*mode*/) {}
    virtual void Form_Unload(int& /*cancel*/) {}
    virtual void Form_GotFocus() {}
    virtual void Form_LostFocus() {}
    virtual void Form_MouseDown(int, int, float, float) {}
    virtual void Form_MouseMove(int, int, float, float) {}
    virtual void Form_MouseUp(int, int, float, float) {}
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}
    virtual void Form_KeyDown(int& /*keyCode*/, int /*shift*/) {}
    virtual void Form_KeyUp(int& /*keyCode*/, int /*shift*/) {}

    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void showEvent(QShowEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void changeEvent(QEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void keyReleaseEvent(QKeyEvent*) override;
    void focusInEvent(QFocusEvent*) override;
    void focusOutEvent(QFocusEvent*) override;
    bool event(QEvent*) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void ApplyGeometry();
    void ReadBackGeometry(bool fireResize);
    QSize FrameExtra() const;
    void UpdateCursorAt(float x, float y);
    // Runs the key handler; true when it took the key.
    bool DispatchKey(QKeyEvent* e, bool down);
    void ShowPointer(int pointer, const QImage* icon);
    void CheckHeldGeometry();
    // Gives the noted state to the shown window.
    void PushWindowState();

    QString name_;
    bool loaded_ = false;
    bool loading_ = false;
    bool shown_ = false;
    bool stateHeld_ = false;
    bool unloading_ = false;
    bool mdiChild_ = false;
    float left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
    float clientW_ = 0, clientH_ = 0; // last client size the form was told, twips
    int windowState_ = vbNormal;
    QString caption_;
    qint32 backColor_ = 0x8000000F;
    int mousePointer_ = vbDefault;
    bool applying_ = false;
    std::vector<LightControl*> zorder_;
    LightControl* captured_ = nullptr;
    LightControl* pressedOn_ = nullptr;
    bool pressedOnForm_ = false;
    bool activeWindow_ = false;
    QPointer<QMdiSubWindow> mdiSub_;
    // The child's key the filter last dispatched; the same event comes up again when the
    // child leaves it (compared by time and key too: events reuse their addresses).
    struct {
        const QEvent* event = nullptr;
        quint64 time = 0;
        int key = 0;
        int type = 0;
    } previewed_;
    bool WasPreviewed(const QKeyEvent* e) const;
    void SubWindowStateChanged(Qt::WindowStates oldState, Qt::WindowStates newState);
    // Runs Form_GotFocus or Form_LostFocus when the window's activation changed.
    void ReportActivation(bool active);
    QRectF held_;
    bool holding_ = false;
    QElapsedTimer shownClock_;  // from the hold's start
    QElapsedTimer holdClock_;   // from the hold's first check
    QElapsedTimer framedClock_; // from the first check that saw the frame
    QRectF normal_;             // the outer rectangle of the last normal state
};

// The Button argument of a press or release (1 left, 2 right, 4 middle), and the buttons
// held during a move.
int ButtonOf(Qt::MouseButton b);
int ButtonMask(Qt::MouseButtons bs);
// The Shift argument of the event handlers: 1 Shift, 2 Ctrl, 4 Alt.
int ShiftBits(Qt::KeyboardModifiers m);
// Key codes the handlers test.
enum KeyCodeValue { vbKeyF1 = 112 };
// The key code the handlers get for a Qt key (F1 = 112, letters upper case, digits, arrows ...).
int KeyCodeOf(int qtKey);

} // namespace platform
