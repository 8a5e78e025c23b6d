#pragma once
// The note text box: a windowed control (always above the light controls) that keeps its
// geometry in twips like the rest.
#include "controls.h"

#include <QPointer>
#include <QString>
#include <functional>

#include <QPlainTextEdit>

namespace platform {

class Form;

class TextBox {
public:
    TextBox(Form* owner, QString name);
    ~TextBox();
    TextBox(const TextBox&) = delete;
    TextBox& operator=(const TextBox&) = delete;

    const QString& Name() const { return name_; }
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void Move(float left, float top, float width, float height);
    void SetLeft(float v) { Move(v, top_, width_, height_); }
    void SetTop(float v) { Move(left_, v, width_, height_); }
    void SetWidth(float v) { Move(left_, top_, v, height_); }
    void SetHeight(float v) { Move(left_, top_, width_, v); }

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
    void ZOrder(int position = 0);

    QString Tag;
    std::function<void()> DblClick;
    std::function<void()> Change;

    QPlainTextEdit* Widget() const { return edit_; }

private:
    void Apply();
    Form* owner_;
    QString name_;
    QPointer<QPlainTextEdit> edit_;
    float left_ = 0, top_ = 0, width_ = 1200, height_ = 600;
    bool visible_ = true;
    FontModel font_;
    qint32 foreColor_ = 0;
    qint32 backColor_ = 0xFFFFFF;
};

} // namespace platform
