#include "text_box.h"

#include "event_guard.h"
#include "form.h"
#include "twips.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace platform {
namespace {
class NoteEdit : public QPlainTextEdit {
public:
    NoteEdit(QWidget* parent, TextBox* box) : QPlainTextEdit(parent), box_(box) {}

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        QPlainTextEdit::mouseDoubleClickEvent(e);
        if (box_->DblClick)
            Guarded("double click", box_->DblClick);
    }

private:
    TextBox* box_;
};

class LineEdit : public QLineEdit {
public:
    LineEdit(QWidget* parent, TextBox* box) : QLineEdit(parent), box_(box) {}

protected:
    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        QLineEdit::mouseDoubleClickEvent(e);
        if (box_->DblClick)
            Guarded("double click", box_->DblClick);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (box_->KeyDown) {
            int code = KeyCodeOf(e->key());
            const int before = code; // keys without a code are always the box's
            Guarded("key", [&] { box_->KeyDown(code, ShiftBits(e->modifiers())); });
            if (code == 0 && before != 0) {
                e->accept();
                return;
            }
        }
        QLineEdit::keyPressEvent(e);
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        if (box_->KeyUp && !e->isAutoRepeat()) {
            int code = KeyCodeOf(e->key());
            const int before = code;
            Guarded("key", [&] { box_->KeyUp(code, ShiftBits(e->modifiers())); });
            if (code == 0 && before != 0) {
                e->accept();
                return;
            }
        }
        QLineEdit::keyReleaseEvent(e);
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        QLineEdit::focusOutEvent(e);
        if (box_->LostFocus && e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason)
            Guarded("lost focus", box_->LostFocus);
    }

private:
    TextBox* box_;
};
} // namespace

TextBox::TextBox(Form* owner, QString name, bool multiLine) : name_(std::move(name))
{
    Build(owner, multiLine);
    widget_->installEventFilter(owner);
    Apply();
}

TextBox::TextBox(QWidget* parent, QString name, bool multiLine) : name_(std::move(name))
{
    Build(parent, multiLine);
    Apply();
}

void TextBox::Build(QWidget* owner, bool multiLine)
{
    auto changed = [this] {
        if (Change)
            Guarded("change", Change);
    };
    if (multiLine) {
        editor_ = new NoteEdit(owner, this);
        widget_ = editor_.data();
        QObject::connect(editor_, &QPlainTextEdit::textChanged, editor_, changed);
    } else {
        line_ = new LineEdit(owner, this);
        widget_ = line_.data();
        QObject::connect(line_, &QLineEdit::textChanged, line_, changed);
    }
}

TextBox::~TextBox() { delete widget_.data(); }

void TextBox::Apply()
{
    if (!widget_)
        return;
    widget_->setGeometry(TwipsToPixelsX(left_), TwipsToPixelsY(top_), std::max(1, TwipsToPixelsX(width_)),
                         std::max(1, TwipsToPixelsY(height_)));
    widget_->setFont(font_.ToQFont());
    QPalette pal = widget_->palette();
    pal.setColor(QPalette::Text, ColorFromValue(foreColor_));
    pal.setColor(QPalette::Base, ColorFromValue(backColor_));
    widget_->setPalette(pal);
    widget_->setVisible(visible_);
}

void TextBox::Move(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Apply();
}

void TextBox::SetVisible(bool v)
{
    visible_ = v;
    if (widget_)
        widget_->setVisible(v);
}

QString TextBox::Text() const
{
    if (line_)
        return line_->text();
    return editor_ ? editor_->toPlainText().replace(u'\n', QLatin1String("\r\n")) : QString();
}

void TextBox::SetText(const QString& t)
{
    if (line_) {
        line_->setText(t);
    } else if (editor_) {
        QString plain = t;
        plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        editor_->setPlainText(plain);
    }
}

void TextBox::SetFont(const FontModel& f)
{
    font_ = f;
    Apply();
}

void TextBox::SetForeColor(qint32 c)
{
    foreColor_ = c;
    Apply();
}

void TextBox::SetBackColor(qint32 c)
{
    backColor_ = c;
    Apply();
}

void TextBox::SetFocus()
{
    if (widget_)
        widget_->setFocus(Qt::OtherFocusReason);
}

int LineSelStart(const QLineEdit* e)
{
    if (!e)
        return 0;
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void SetLineSelStart(QLineEdit* e, int v)
{
    if (e)
        e->setCursorPosition(std::clamp(v, 0, static_cast<int>(e->text().size())));
}

int LineSelLength(const QLineEdit* e) { return e ? static_cast<int>(e->selectedText().size()) : 0; }

void SetLineSelLength(QLineEdit* e, int v)
{
    if (!e)
        return;
    const int start = LineSelStart(e);
    if (v <= 0)
        e->setCursorPosition(start);
    else
        e->setSelection(start, v);
}

int TextBox::SelStart() const { return LineSelStart(line_); }
void TextBox::SetSelStart(int v) { SetLineSelStart(line_, v); }
int TextBox::SelLength() const { return LineSelLength(line_); }
void TextBox::SetSelLength(int v) { SetLineSelLength(line_, v); }

bool TextBox::HasFocus() const { return widget_ && widget_->hasFocus(); }

void TextBox::ZOrder(int position)
{
    if (!widget_)
        return;
    if (position == 0)
        widget_->raise();
    else
        widget_->lower();
}

} // namespace platform
