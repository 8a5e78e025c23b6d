#include "line_text_box.h"

#include "event_guard.h"
#include "form.h"
#include "twips.h"

#include <QLineEdit>

namespace platform {

LineTextBox::LineTextBox(Form* owner, QString name) : owner_(owner), name_(std::move(name))
{
    edit_ = new QLineEdit(owner);
    edit_->installEventFilter(owner);
    QObject::connect(edit_, &QLineEdit::textChanged, edit_, [this] {
        if (Change)
            Guarded("change", Change);
    });
    Apply();
}

LineTextBox::~LineTextBox() { delete edit_.data(); }

void LineTextBox::Apply()
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

void LineTextBox::Move(float left, float top, float width, float height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    Apply();
}

void LineTextBox::SetVisible(bool v)
{
    visible_ = v;
    if (edit_)
        edit_->setVisible(v);
}

QString LineTextBox::Text() const { return edit_ ? edit_->text() : QString(); }

void LineTextBox::SetText(const QString& t)
{
    if (edit_)
        edit_->setText(t);
}

void LineTextBox::SetFont(const FontModel& f)
{
    font_ = f;
    Apply();
}

void LineTextBox::SetForeColor(qint32 c)
{
    foreColor_ = c;
    Apply();
}

void LineTextBox::SetBackColor(qint32 c)
{
    backColor_ = c;
    Apply();
}

void LineTextBox::SetFocus()
{
    if (edit_)
        edit_->setFocus(Qt::OtherFocusReason);
}

bool LineTextBox::HasFocus() const { return edit_ && edit_->hasFocus(); }

} // namespace platform
