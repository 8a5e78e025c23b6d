#pragma once
// A plain coloured bar that is a window of its own, so that it lies above the windowed
// controls (lists, text boxes) it crosses; a light control is painted beneath them. The
// mouse passes through it to the form, which keeps the drag it started.
#include "windowed_control.h"

#include <QPointer>
#include <QString>
#include <QWidget>

namespace platform {

class Form;

class WindowedBar : public WindowedControl {
public:
    WindowedBar(Form* owner, QString name);
    ~WindowedBar() override;

    const QString& Name() const { return name_; }
    qint32 BackColor() const { return backColor_; }
    void SetBackColor(qint32 c);

    QWidget* Widget() const { return widget_; }

private:
    QWidget* PlacedWidget() const override { return widget_; }
    void Apply() override;

    QString name_;
    QPointer<QWidget> widget_;
    qint32 backColor_ = static_cast<qint32>(0x8000000F);
};

} // namespace platform
