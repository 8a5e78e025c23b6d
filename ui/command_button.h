#pragma once
// A command button: a windowed control (above the light controls) keeping its geometry in
// twips. A graphical button draws its picture, stretched, behind its caption. It is never
// a window's default or cancel button, so Enter and Esc mean nothing to it unless it has
// the focus.
#include "controls.h"
#include "windowed_control.h"

#include <QImage>
#include <QPointer>
#include <QString>

#include <QPushButton>

namespace platform {

class Form;

class CommandButton : public WindowedControl {
public:
    CommandButton(Form* owner, QString name, int index = -1);
    ~CommandButton() override;

    const QString& Name() const { return name_; }
    int Index() const { return index_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& c);
    const FontModel& Font() const { return font_; }
    void SetFont(const FontModel& f);
    const QImage& Picture() const { return picture_; }
    void SetPicture(const QImage& p);
    void SetFocus();

    QString Tag;
    QString ToolTipText;
    // Click runs when the button is pressed and released over it (or by its Space key).
    MouseHandlers Events;

    void CopyFrom(const CommandButton& other);
    QPushButton* Widget() const { return button_; }

private:
    QWidget* PlacedWidget() const override { return button_; }
    void Apply() override;
    QString name_;
    int index_;
    QPointer<QPushButton> button_;
    bool enabled_ = true;
    QString caption_;
    FontModel font_;
    QImage picture_;
};

} // namespace platform
