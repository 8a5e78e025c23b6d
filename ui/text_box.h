#pragma once
// The text box: a windowed control (always above the light controls) that keeps its
// geometry in twips like the rest. A multi-line box takes line breaks (the note editor);
// a single-line box does not, and Enter does nothing in it.
#include "controls.h"
#include "windowed_control.h"

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

class TextBox : public WindowedControl {
public:
    TextBox(Form* owner, QString name, bool multiLine = true);
    // A box inside another widget (a user control's own editor); its keys are its own.
    TextBox(QWidget* parent, QString name, bool multiLine);
    ~TextBox() override;

    const QString& Name() const { return name_; }
    bool MultiLine() const { return multiLine_; }

    // Showing the box makes its widget.
    void SetVisible(bool v) override;
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
    QWidget* PlacedWidget() const override { return widget_; }
    void Apply() override;
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
    FontModel font_;
    qint32 foreColor_ = 0;
    qint32 backColor_ = 0xFFFFFF;
};

} // namespace platform
