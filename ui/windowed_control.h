#pragma once
// What the windowed controls share: a widget of their own, above the light controls,
// placed at a rectangle in twips that reads back as written, shown or hidden, and brought
// to the front or sent to the back.
#include <QRect>

class QWidget;

namespace platform {

class WindowedControl {
public:
    WindowedControl(const WindowedControl&) = delete;
    WindowedControl& operator=(const WindowedControl&) = delete;

    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    // Twips in the parent's client area.
    void Move(float left, float top, float width, float height);
    void SetLeft(float v) { Move(v, top_, width_, height_); }
    void SetTop(float v) { Move(left_, v, width_, height_); }
    void SetWidth(float v) { Move(left_, top_, v, height_); }
    void SetHeight(float v) { Move(left_, top_, width_, v); }

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool v);
    // 0 brings the control to the front, 1 sends it to the back.
    void ZOrder(int position = 0);

protected:
    WindowedControl(float width, float height) : width_(width), height_(height) {}
    virtual ~WindowedControl() = default;
    // The widget the control is shown by; null while it has none (or no more).
    virtual QWidget* PlacedWidget() const = 0;
    // Gives the control's properties to its widget; every move ends with it.
    virtual void Apply() = 0;
    // The rectangle in pixels, at least one each way.
    QRect WidgetRect() const;

    float left_ = 0, top_ = 0, width_, height_;
    bool visible_ = true;
};

} // namespace platform
