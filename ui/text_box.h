#pragma once
// The text box: a windowed control (always above the light controls) that keeps its
// geometry in twips like the rest. A multi-line box takes line breaks (the note editor);
// a single-line box does not, and Enter does nothing in it.
#include "controls.h"

#include <QPlainTextEdit>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QLineEdit;

namespace platform {

class Form;

// The caret and the selection of a single-line field in characters; null fields read 0.
int LineSelStart(const QLineEdit* e);
void SetLineSelStart(QLineEdit* e, int v);
int LineSelLength(const QLineEdit* e);
void SetLineSelLength(QLineEdit* e, int v);

class TextBox {
public:
    TextBox(Form* owner, QString name, bool multiLine = true);
    // A box inside another widget (a user control's own editor); its keys are its own.
    TextBox(QWidget* parent, QString name, bool multiLine);
    ~TextBox();
    TextBox(const TextBox&) = delete;
    TextBox& operator=(const TextBox&) = delete;

    const QString& Name() const { return name_; }
    bool MultiLine() const { return multiLine_; }
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
    // Line breaks are CR LF, as the stored texts write them.
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
    void ZOrder(int position = 0);

    // The caret and the selection, in characters (single-line boxes).
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);

    QString Tag;
    std::function<void()> DblClick;
    std::function<void()> Change;
    // A key code set to 0 by KeyDown is not handled by the box.
    std::function<void(int&keyCode, int shift)> KeyDown, KeyUp;
    // The focus went elsewhere in the window; opening a popup or another window (a
    // message box) is not losing it.
    std::function<void()> LostFocus;

    QWidget* Widget() const { return EnsureWidget(); }
    // The multi-line editor; nullptr for a single-line box.
    QPlainTextEdit* Editor() const
    {
        EnsureWidget();
        return editor_;
    }

private:
    void Apply();
    QWidget* EnsureWidget() const;
    QWidget* parent_;
    bool formKeys_; // the form sees the box's keys first (key preview)
    QString name_;
    QPointer<QWidget> widget_;
    QPointer<QPlainTextEdit> editor_;
    QPointer<QLineEdit> line_;
    bool multiLine_;
    QString text_; // until the widget exists
    std::unique_ptr<QObject> pending_;
    float left_ = 0, top_ = 0, width_ = 1200, height_ = 600;
    bool visible_ = true;
    FontModel font_;
    qint32 foreColor_ = 0;
    qint32 backColor_ = 0xFFFFFF;
};

} // namespace platform
