#pragma once
// The spin control: two arrow buttons, up above down, that repeat while held. It keeps
// its geometry in twips and a value that the arrows step within Min and Max.
#include <QPointer>
#include <QString>
#include <functional>

class QToolButton;
class QWidget;

namespace platform {

class UpDown {
public:
    UpDown(QWidget* parent, QString name, int index = -1);
    ~UpDown();
    UpDown(const UpDown&) = delete;
    UpDown& operator=(const UpDown&) = delete;

    const QString& Name() const { return name_; }
    int Index() const { return index_; }
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void Move(float left, float top, float width, float height);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    int Value() const { return value_; }
    void SetValue(int v) { value_ = v; }
    int Min = 0;
    int Max = 10;

    void SetFocus();
    void ZOrder(int position = 0);

    // Each step of an arrow, after the value moved.
    std::function<void()> UpClick, DownClick;

    // One step as a press on an arrow makes it.
    void ClickUp();
    void ClickDown();
    QWidget* Widget() const { return frame_; }
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

private:
    void Apply();
    QString name_;
    int index_;
    QPointer<QWidget> frame_;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    float left_ = 0, top_ = 0, width_ = 240, height_ = 285;
    bool visible_ = true;
    int value_ = 0;
};

} // namespace platform
