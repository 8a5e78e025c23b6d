#pragma once
// Menu item arrays over QMenu/QAction: the items of one submenu are the elements of one
// array indexed from 1, each with Caption, Tag, Checked, Visible and Enabled. Items are
// loaded on demand and never removed (a fill that needs fewer hides the rest).
// Popping a menu up is modal: the chosen item's handler runs before PopupMenu returns.
#include <QPoint>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

class QAction;
class QMenu;

namespace platform {

// One menu item: a command, or the entry that opens a submenu.
class MenuItem {
public:
    MenuItem(QString name, int index, QAction* action);
    const QString& Name() const { return name_; }
    int Index() const { return index_; }

    QString Caption() const;
    void SetCaption(const QString& caption);
    QString Tag;
    bool Checked() const;
    void SetChecked(bool on);
    bool Visible() const;
    void SetVisible(bool on);
    bool Enabled() const;
    void SetEnabled(bool on);

    QAction* Action() const { return action_; }
    // Runs when the item is chosen (under the event guard).
    std::function<void()> Click;

private:
    QString name_;
    int index_;
    QAction* action_;
    bool checked_ = false;
};

// The items of one submenu. The array's own entry (Caption, Tag) is the item of the
// parent menu that opens it.
class MenuItemArray {
public:
    explicit MenuItemArray(const QString& name, const QString& caption = QString());
    ~MenuItemArray();
    MenuItemArray(const MenuItemArray&) = delete;
    MenuItemArray& operator=(const MenuItemArray&) = delete;

    const QString& Name() const { return name_; }
    // The entry that opens the submenu: its caption names the setting, its Tag the context.
    MenuItem& Entry() { return *entry_; }
    QMenu* Menu() const { return menu_.get(); }

    // A design-time item (visible, empty caption).
    MenuItem& Create(int index);
    // Adds item index with the lowest one's caption and tag, visible, enabled, unchecked.
    MenuItem& Load(int index);
    bool Exists(int index) const { return items_.count(index) != 0; }
    MenuItem& operator()(int index);
    const MenuItem& operator()(int index) const;
    // The highest index (items run from 1 to Count); 0 when empty.
    int Count() const { return items_.empty() ? 0 : items_.rbegin()->first; }
    // Loads the items up to index that are past Count.
    MenuItem& Ensure(int index);

    // Told the index of the chosen item.
    std::function<void(int index)> Click;

private:
    QString name_;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<MenuItem> entry_;
    std::map<int, std::unique_ptr<MenuItem>> items_;
};

// An item's own enabled state. Qt reports a hidden item as disabled; these keep the state
// the item was given (enabled unless told otherwise), so hiding never reads as disabling.
bool ItemEnabled(const QAction* item);
void SetItemEnabled(QAction* item, bool on);

// Shows menu at a screen position until the user chooses or cancels; the chosen item's
// handler has run when it returns. False when nothing was chosen.
bool PopupMenu(QMenu& menu, QPoint screenPos);

// Tests put a scripted runner in place of the real popup.
using MenuRunner = std::function<QAction*(QMenu& menu, QPoint screenPos)>;
void SetMenuRunner(MenuRunner runner);

// Records what each popup offered and picks the item given by its caption path
// ("Entry" or "Entry/Item"); an empty pick cancels.
class ScriptedMenus {
public:
    ScriptedMenus();
    ~ScriptedMenus();
    void Pick(const QString& captionPath) { picks_.push_back(captionPath); }
    // The visible, enabled items of each popup shown, as caption paths.
    const std::vector<QStringList>& Offered() const { return offered_; }

private:
    std::vector<QString> picks_;
    std::vector<QStringList> offered_;
};

// Closes every popup menu that is open.
void EndMenu();

// The caption paths of a menu's visible items, submenus included.
QStringList VisibleCaptions(const QMenu& menu);

} // namespace platform
