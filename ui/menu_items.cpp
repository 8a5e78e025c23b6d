#include "menu_items.h"

#include <QApplication>

#include "core/settings_store.h" // SubscriptError
#include "event_guard.h"

#include <QAction>
#include <QMenu>

namespace platform {
namespace {
MenuRunner& Runner()
{
    static MenuRunner r;
    return r;
}

// The caption as the program gave it (the shown text doubles "&").
QString CaptionOf(const QAction* a)
{
    const QVariant c = a->property("caption");
    return c.isValid() ? c.toString() : a->text();
}

QAction* FindByPath(const QMenu& menu, const QStringList& path)
{
    const QMenu* level = &menu;
    for (int i = 0; i < path.size(); ++i) {
        QAction* found = nullptr;
        for (QAction* a : level->actions())
            if (a->isVisible() && a->isEnabled() && !a->isSeparator() && CaptionOf(a) == path[i]) {
                found = a;
                break;
            }
        if (!found)
            return nullptr;
        if (i + 1 == path.size())
            return found->menu() ? nullptr : found;
        if (!found->menu())
            return nullptr;
        level = found->menu();
    }
    return nullptr;
}

void Collect(const QMenu& menu, const QString& prefix, QStringList& out)
{
    for (const QAction* a : menu.actions()) {
        if (!a->isVisible() || !a->isEnabled() || a->isSeparator())
            continue;
        const QString path = prefix.isEmpty() ? CaptionOf(a) : prefix + QLatin1Char('/') + CaptionOf(a);
        if (a->menu())
            Collect(*a->menu(), path, out);
        else
            out << path;
    }
}
} // namespace

MenuItem::MenuItem(QString name, int index, QAction* action) : name_(std::move(name)), index_(index), action_(action)
{
    // Captions are shown as they are: "&" is no accelerator here.
    QObject::connect(action_, &QAction::triggered, action_, [this] {
        // Choosing an item does not toggle its check mark; the fills set it.
        action_->setChecked(checked_);
        Guarded("menu", [this] {
            if (Click)
                Click();
        });
    });
}

QString MenuItem::Caption() const { return action_->property("caption").toString(); }
void MenuItem::SetCaption(const QString& caption)
{
    action_->setProperty("caption", caption);
    QString shown = caption;
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    action_->setText(shown);
}
bool MenuItem::Checked() const { return checked_; }
void MenuItem::SetChecked(bool on)
{
    checked_ = on;
    // Only a checked item is checkable: an unchecked one would show an empty box, left
    // from a menu that shared the items before.
    action_->setCheckable(on);
    action_->setChecked(on);
}
bool MenuItem::Visible() const { return action_->isVisible(); }
void MenuItem::SetVisible(bool on) { action_->setVisible(on); }
bool MenuItem::Enabled() const { return ItemEnabled(action_); }
void MenuItem::SetEnabled(bool on) { SetItemEnabled(action_, on); }

bool ItemEnabled(const QAction* item)
{
    const QVariant own = item->property("almanorvique-enabled");
    if (own.isValid())
        return own.toBool();
    // Never set: a shown item says it itself, a hidden one was enabled as made.
    return !item->isVisible() || item->isEnabled();
}

void SetItemEnabled(QAction* item, bool on)
{
    item->setProperty("almanorvique-enabled", on);
    item->setEnabled(on);
}

MenuItemArray::MenuItemArray(const QString& name, const QString& caption)
    : name_(name),
      menu_(std::make_unique<QMenu>())
{
    entry_ = std::make_unique<MenuItem>(name, 0, menu_->menuAction());
    entry_->SetCaption(caption);
}

MenuItemArray::~MenuItemArray()
{
    items_.clear();
    entry_.reset();
}

MenuItem& MenuItemArray::Create(int index)
{
    if (items_.count(index))
        throw mduLib::SubscriptError();
    // Kept in index order whatever order the items come in.
    QAction* before = nullptr;
    auto next = items_.upper_bound(index);
    if (next != items_.end())
        before = next->second->Action();
    auto* action = new QAction(menu_.get());
    menu_->insertAction(before, action);
    auto item = std::make_unique<MenuItem>(name_, index, action);
    item->Click = [this, index] {
        if (Click)
            Click(index);
    };
    MenuItem& ref = *item;
    items_[index] = std::move(item);
    return ref;
}

MenuItem& MenuItemArray::Load(int index)
{
    const MenuItem* first = items_.empty() ? nullptr : items_.begin()->second.get();
    const QString caption = first ? first->Caption() : QString();
    const QString tag = first ? first->Tag : QString();
    MenuItem& item = Create(index);
    item.SetCaption(caption);
    item.Tag = tag;
    return item;
}

MenuItem& MenuItemArray::operator()(int index)
{
    auto it = items_.find(index);
    if (it == items_.end())
        throw mduLib::SubscriptError();
    return *it->second;
}

const MenuItem& MenuItemArray::operator()(int index) const
{
    auto it = items_.find(index);
    if (it == items_.end())
        throw mduLib::SubscriptError();
    return *it->second;
}

MenuItem& MenuItemArray::Ensure(int index)
{
    while (Count() < index)
        Load(Count() + 1);
    return (*this)(index);
}

bool PopupMenu(QMenu& menu, QPoint screenPos)
{
    // QMenu::exec runs the chosen action's handler before it returns.
    QAction* chosen = Runner() ? Runner()(menu, screenPos) : menu.exec(screenPos);
    return chosen != nullptr;
}

void SetMenuRunner(MenuRunner runner) { Runner() = std::move(runner); }

QStringList VisibleCaptions(const QMenu& menu)
{
    QStringList out;
    Collect(menu, QString(), out);
    return out;
}

ScriptedMenus::ScriptedMenus()
{
    SetMenuRunner([this](QMenu& menu, QPoint) -> QAction* {
        offered_.push_back(VisibleCaptions(menu));
        if (picks_.empty())
            return nullptr;
        const QString pick = picks_.front();
        picks_.erase(picks_.begin());
        QAction* a = pick.isEmpty() ? nullptr : FindByPath(menu, pick.split(QLatin1Char('/')));
        if (a)
            a->trigger();
        return a;
    });
}

ScriptedMenus::~ScriptedMenus() { SetMenuRunner(nullptr); }

void EndMenu()
{
    while (QWidget* popup = QApplication::activePopupWidget())
        if (!popup->close())
            break;
}

} // namespace platform
