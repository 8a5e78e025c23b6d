#include "text_box.h"

#include "event_guard.h"
#include "form.h"
#include "twips.h"

#include <QEvent>
#include <QPlainTextEdit>

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
} // namespace

TextBox::TextBox(Form* owner, QString name) : owner_(owner), name_(std::move(name))
{
    edit_ = new NoteEdit(owner, this);
    edit_->installEventFilter(owner);
    QObject::connect(edit_, &QPlainTextEdit::textChanged, edit_, [this] {
        if (Change)
            Guarded("change", Change);
    });
    Apply();
}

TextBox::~TextBox() { delete edit_.data(); }

void TextBox::Apply()
{
    if (!edit_)
        return;
    edit_->setGeometry(TwipsToPixelsX(left_), TwipsToPixelsY(top_), std::max(1, TwipsToPixelsX(width_)),
                       std::max(1, TwipsToPixelsY(height_)));
    edit_->setFont(font_.ToQFont());
    QPalette pal = edit_->palette();
    pal.setColor(QPalette::Text, ColorFromValue(foreColor_));
    pal.setColor(QPalette::Base, ColorFromValue(backColor_));
    edit_->setPalette(pal);
    edit_->setVisible(visible_);
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
    if (edit_)
        edit_->setVisible(v);
}

QString TextBox::Text() const
{
    // Line breaks as the stored texts write them.
    return edit_ ? edit_->toPlainText().replace(u'\n', QLatin1String("\r\n")) : QString();
}

void TextBox::SetText(const QString& t)
{
    if (edit_) {
        QString plain = t;
        plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        edit_->setPlainText(plain);
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
    if (edit_)
        edit_->setFocus(Qt::OtherFocusReason);
}

void TextBox::ZOrder(int position)
{
    if (!edit_)
        return;
    if (position == 0)
        edit_->raise();
    else
        edit_->lower();
}

} // namespace platform
