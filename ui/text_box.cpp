#include "text_box.h"

#include "event_guard.h"
#include "form.h"
#include "twips.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
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

TextBox::TextBox(Form* owner, QString name, bool multiLine)
    : TextBox(static_cast<QWidget*>(owner), std::move(name), multiLine)
{
    formKeys_ = owner != nullptr;
}

TextBox::TextBox(QWidget* parent, QString name, bool multiLine)
    : WindowedControl(1200, 600),
      parent_(parent),
      formKeys_(false),
      name_(std::move(name)),
      multiLine_(multiLine),
      pending_(std::make_unique<QObject>())
{
    // A box still shown when the event loop comes round gets its widget then.
    QTimer::singleShot(0, pending_.get(), [this] {
        if (visible_)
            EnsureWidget();
    });
}

QWidget* TextBox::EnsureWidget() const
{
    if (widget_ || !parent_)
        return widget_;
    // Made on first use: an editor costs a good part of a window's start, and most
    // windows never show theirs.
    auto* self = const_cast<TextBox*>(this);
    auto changed = [self] {
        if (self->Change)
            Guarded("change", self->Change);
    };
    // On a form the box tells what of it is drawn anew, as the light controls do: the
    // see-through shape must take in typed text before it is painted.
    auto* form = qobject_cast<Form*>(parent_);
    if (multiLine_) {
        self->editor_ = new NoteEdit(parent_, self);
        self->widget_ = editor_.data();
        QObject::connect(editor_, &QPlainTextEdit::textChanged, editor_, changed);
        if (form)
            QObject::connect(editor_, &QPlainTextEdit::updateRequest, form, [form, self](const QRect& r, int dy) {
                if (QPlainTextEdit* e = self->editor_.data()) {
                    const QWidget* port = e->viewport();
                    const QRect area = dy != 0 ? port->rect() : r;
                    emit form->AreaInvalidated(QRect(port->mapTo(form, area.topLeft()), area.size()));
                }
            });
    } else {
        self->line_ = new LineEdit(parent_, self);
        self->widget_ = line_.data();
        QObject::connect(line_, &QLineEdit::textChanged, line_, changed);
        if (form) {
            auto whole = [form, self] {
                if (QLineEdit* e = self->line_.data())
                    emit form->AreaInvalidated(QRect(e->mapTo(form, QPoint()), e->size()));
            };
            QObject::connect(line_, &QLineEdit::textChanged, form, whole);
            QObject::connect(line_, &QLineEdit::cursorPositionChanged, form, whole);
            QObject::connect(line_, &QLineEdit::selectionChanged, form, whole);
        }
    }
    if (formKeys_)
        widget_->installEventFilter(parent_);
    if (!text_.isEmpty())
        self->SetText(text_);
    self->Apply();
    return widget_;
}

TextBox::~TextBox() { delete widget_.data(); }

void TextBox::Apply()
{
    if (!widget_)
        return;
    widget_->setGeometry(WidgetRect());
    widget_->setFont(font_.ToQFont());
    QPalette pal = widget_->palette();
    pal.setColor(QPalette::Text, ColorFromValue(foreColor_));
    pal.setColor(QPalette::Base, ColorFromValue(backColor_));
    widget_->setPalette(pal);
    widget_->setVisible(visible_);
}

void TextBox::SetVisible(bool v)
{
    visible_ = v;
    if (v)
        EnsureWidget();
    if (widget_)
        widget_->setVisible(v);
}

QString TextBox::Text() const
{
    if (line_)
        return line_->text();
    return editor_ ? editor_->toPlainText().replace(u'\n', QLatin1String("\r\n")) : text_;
}

void TextBox::SetText(const QString& t)
{
    if (!widget_) {
        text_ = t;
        return;
    }
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
    if (EnsureWidget())
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
void TextBox::SetSelStart(int v)
{
    EnsureWidget();
    SetLineSelStart(line_, v);
}
int TextBox::SelLength() const { return LineSelLength(line_); }
void TextBox::SetSelLength(int v)
{
    EnsureWidget();
    SetLineSelLength(line_, v);
}

bool TextBox::HasFocus() const { return widget_ && widget_->hasFocus(); }

} // namespace platform
