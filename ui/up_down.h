#pragma once
// The spin control: two arrow buttons, up above down, that repeat while held. It keeps
// its geometry in twips and a value that the arrows step within Min and Max.
#include "windowed_control.h"

#include <QPointer>
#include <QString>
#include <functional>

class QToolButton;
class QWidget;

namespace platform {

class UpDown : public WindowedControl {
public:
    UpDown(QWidget* parent, QString name, int index = -1);
    ~UpDown() override;

    const QString& Name() const { return name_; }
    int Index() const { return index_; }
    int Value() const { return value_; }
    void SetValue(int v) { value_ = v; }
    int Min = 0;
    int Max = 10;

    void SetFocus();

    // Each step of an arrow, after the value moved.
    std::function<void()> UpClick, DownClick;

    // One step as a press on an arrow makes it.
    void ClickUp();
    void ClickDown();
    QWidget* Widget() const { return frame_; }
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }

private:
    QWidget* PlacedWidget() const override { return frame_; }
    void Apply() override;
    QString name_;
    int index_;
    QPointer<QWidget> frame_;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    int value_ = 0;
};

} // namespace platform
