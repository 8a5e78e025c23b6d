#pragma once
// A one-line text box: a windowed control (above the light controls) keeping its geometry
// in twips. Enter does nothing in it; the text holds no line breaks.
#include "controls.h"

#include <QPointer>
#include <QString>
#include <functional>

#include <QLineEdit>

namespace platform {

class Form;

class LineTextBox {
public:
    LineTextBox(Form* owner, QString name);
    ~LineTextBox();
    LineTextBox(const LineTextBox&) = delete;
    LineTextBox& operator=(const LineTextBox&) = delete;

    const QString& Name() const { return name_; }
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void Move(float left, float top, float width, float height);

    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    QString Text() const;
    void SetText(const QString& t);
    const FontModel& Font() const { return font_; }
    void SetFont(const FontModel& f);
    qint32 ForeColor() const { return foreColor_; }
    void SetForeColor(qint32 c);
    qint32 BackColor() const { return backColor_; }
    void SetBackColor(qint32 c);
    void SetFocus();
    bool HasFocus() const;

    QString Tag;
    std::function<void()> Change;

    QLineEdit* Widget() const { return edit_; }

private:
    void Apply();
    Form* owner_;
    QString name_;
    QPointer<QLineEdit> edit_;
    float left_ = 0, top_ = 0, width_ = 1200, height_ = 375;
    bool visible_ = true;
    FontModel font_;
    qint32 foreColor_ = 0;
    qint32 backColor_ = 0xFFFFFF;
};

} // namespace platform
