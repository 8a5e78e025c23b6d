#include "combo_box.h"

#include "event_guard.h"
#include "form.h"
#include "text_box.h"
#include "twips.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <algorithm>

namespace platform {
namespace {
bool LosesFocus(const QFocusEvent* e)
{
    return e->reason() != Qt::PopupFocusReason && e->reason() != Qt::ActiveWindowFocusReason;
}

// The combo's own drop-down list: dropping it hands the focus over as a plain focus
// change when the list's window is not yet the active popup (the first drop on X).
bool InOwnList(const QComboBox* combo, const QWidget* focus)
{
    const QWidget* list = combo->view() ? combo->view()->window() : nullptr;
    return focus && list && list != combo->window() && (focus == list || list->isAncestorOf(focus));
}

// Sees the keys and the focus of the combo and of its text field.
class ComboFilter : public QObject {
public:
    ComboFilter(QObject* parent, ComboBox* box) : QObject(parent), box_(box) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        QComboBox* combo = box_->Widget();
        if (!combo)
            return false;
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease: {
            auto* ke = static_cast<QKeyEvent*>(e);
            const bool down = e->type() == QEvent::KeyPress;
            // The text field's focus is the combo's: keys and focus arrive at the combo.
            if (watched != combo)
                return false;
            auto& handler = down ? box_->KeyDown : box_->KeyUp;
            if (!handler || (!down && ke->isAutoRepeat()))
                return false;
            int code = KeyCodeOf(ke->key());
            const int before = code;
            Guarded("key", [&] { handler(code, ShiftBits(ke->modifiers())); });
            return code == 0 && before != 0; // keys without a code are the combo's
        }
        case QEvent::FocusOut: {
            auto* fe = static_cast<QFocusEvent*>(e);
            if (watched != combo)
                return false;
            if (box_->LostFocus && LosesFocus(fe) && !combo->isAncestorOf(QApplication::focusWidget()) &&
                QApplication::focusWidget() != combo && !InOwnList(combo, QApplication::focusWidget()))
                Guarded("lost focus", box_->LostFocus);
            return false;
        }
        default:
            return false;
        }
    }

private:
    ComboBox* box_;
};
} // namespace

ComboBox::ComboBox(QWidget* parent, QString name, int index, int style)
    : name_(std::move(name)),
      index_(index),
      style_(style)
{
    combo_ = new QComboBox(parent);
    filter_ = new ComboFilter(combo_, this);
    combo_->installEventFilter(filter_);
    SetStyle(style);
    QObject::connect(combo_, QOverload<int>::of(&QComboBox::activated), combo_, [this](int) {
        if (Click)
            Guarded("click", Click);
    });
    Apply();
}

ComboBox::~ComboBox() { delete combo_.data(); }

void ComboBox::SetStyle(int style)
{
    style_ = style;
    combo_->setEditable(style_ == vbComboDropdown);
    combo_->setInsertPolicy(QComboBox::NoInsert);
    if (combo_->lineEdit()) {
        // Typing completes nothing by itself: the text is the user's.
        combo_->setCompleter(nullptr);
    }
}

float ComboBox::Height() const { return static_cast<float>(PixelsToTwipsY(combo_ ? combo_->sizeHint().height() : 21)); }

void ComboBox::Apply()
{
    if (!combo_)
        return;
    combo_->setFont(font_.ToQFont());
    combo_->setGeometry(TwipsToPixelsX(left_), TwipsToPixelsY(top_), std::max(1, TwipsToPixelsX(width_)),
                        combo_->sizeHint().height());
    combo_->setVisible(visible_);
}

void ComboBox::Move(float left, float top, float width, float /*height*/)
{
    left_ = left;
    top_ = top;
    width_ = width;
    Apply();
}

void ComboBox::SetVisible(bool v)
{
    visible_ = v;
    if (combo_)
        combo_->setVisible(v);
}

void ComboBox::SetFont(const FontModel& f)
{
    font_ = f;
    Apply();
}

void ComboBox::AddItem(const QString& item)
{
    // An entry added to an empty list is not selected by that.
    const bool wasEmpty = combo_->count() == 0;
    const QString text = combo_->lineEdit() ? combo_->lineEdit()->text() : QString();
    combo_->addItem(item);
    if (wasEmpty) {
        combo_->setCurrentIndex(-1);
        if (combo_->lineEdit())
            combo_->lineEdit()->setText(text);
    }
}

void ComboBox::RemoveItem(int index)
{
    if (index < 0 || index >= combo_->count())
        throw std::out_of_range("Invalid procedure call or argument");
    combo_->removeItem(index);
}

void ComboBox::Clear()
{
    combo_->clear();
    if (combo_->lineEdit())
        combo_->lineEdit()->clear();
}

int ComboBox::ListCount() const { return combo_->count(); }

QString ComboBox::List(int index) const { return combo_->itemText(index); }

int ComboBox::ListIndex() const { return combo_->currentIndex(); }

void ComboBox::SetListIndex(int index)
{
    if (index < -1 || index >= combo_->count())
        throw std::out_of_range("Invalid property value");
    combo_->setCurrentIndex(index);
    if (index == -1 && combo_->lineEdit())
        combo_->lineEdit()->clear();
}

qint32 ComboBox::ItemData(int index) const { return combo_->itemData(index).toInt(); }

void ComboBox::SetItemData(int index, qint32 value) { combo_->setItemData(index, value); }

QString ComboBox::Text() const { return combo_->currentText(); }

void ComboBox::SetText(const QString& t)
{
    if (combo_->lineEdit()) {
        combo_->lineEdit()->setText(t);
        return;
    }
    const int i = combo_->findText(t, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (i >= 0)
        combo_->setCurrentIndex(i);
}

int ComboBox::SelStart() const { return LineSelStart(combo_->lineEdit()); }
void ComboBox::SetSelStart(int v) { SetLineSelStart(combo_->lineEdit(), v); }
int ComboBox::SelLength() const { return LineSelLength(combo_->lineEdit()); }
void ComboBox::SetSelLength(int v) { SetLineSelLength(combo_->lineEdit(), v); }

void ComboBox::SetFocus()
{
    if (combo_)
        combo_->setFocus(Qt::OtherFocusReason);
}

bool ComboBox::HasFocus() const
{
    if (!combo_)
        return false;
    QWidget* f = QApplication::focusWidget();
    return f == combo_ || combo_->isAncestorOf(f);
}

void ComboBox::ZOrder(int position)
{
    if (!combo_)
        return;
    if (position == 0)
        combo_->raise();
    else
        combo_->lower();
}

void ComboBox::CopyFrom(const ComboBox& other)
{
    SetStyle(other.style_);
    font_ = other.font_;
    left_ = other.left_;
    top_ = other.top_;
    width_ = other.width_;
    Apply();
}

} // namespace platform
