#pragma once
// A plain coloured bar that is a window of its own, so that it lies above the windowed
// controls (lists, text boxes) it crosses; a light control is painted beneath them. The
// mouse passes through it to the form, which keeps the drag it started.
#include <QPointer>
#include <QString>
#include <QWidget>

namespace platform {

class Form;

class WindowedBar {
public:
    WindowedBar(Form* owner, QString name);
    ~WindowedBar();
    WindowedBar(const WindowedBar&) = delete;
    WindowedBar& operator=(const WindowedBar&) = delete;

    const QString& Name() const { return name_; }
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    // Twips in the form's client area.
    void Move(float left, float top, float width, float height);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    qint32 BackColor() const { return backColor_; }
    void SetBackColor(qint32 c);
    // 0 brings the bar to the front, 1 sends it to the back.
    void ZOrder(int position = 0);

    QWidget* Widget() const { return widget_; }

private:
    void Apply();

    QString name_;
    QPointer<QWidget> widget_;
    float left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    qint32 backColor_ = static_cast<qint32>(0x8000000F);
};

} // namespace platform
