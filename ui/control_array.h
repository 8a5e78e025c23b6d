#pragma once
// A control array: elements of one kind under one name, indexed from the number the form
// uses. Load(i) adds an element with the properties of the lowest-indexed one (hidden);
// elements are never removed; reading a missing element is an error.
#include "core/settings_store.h" // SubscriptError

#include <functional>
#include <map>
#include <memory>

namespace platform {

class Form;

template <class T, class Owner = Form> class ControlArray {
public:
    ControlArray(Owner* owner, QString name) : owner_(owner), name_(std::move(name)) {}

    // Creates a design-time element (visible, default properties).
    T& Create(int index)
    {
        auto& slot = items_[index];
        slot = std::make_unique<T>(owner_, name_, index);
        Wire(*slot, index);
        return *slot;
    }

    // Adds element index as a copy of the lowest-indexed one, hidden and in front.
    T& Load(int index)
    {
        if (items_.count(index))
            throw mduLib::SubscriptError();
        auto item = std::make_unique<T>(owner_, name_, index);
        if (!items_.empty())
            item->CopyFrom(*items_.begin()->second);
        item->SetVisible(false);
        Wire(*item, index);
        T& ref = *item;
        items_[index] = std::move(item);
        ref.ZOrder(0);
        return ref;
    }

    bool Exists(int index) const { return items_.count(index) != 0; }
    T& operator()(int index)
    {
        auto it = items_.find(index);
        if (it == items_.end())
            throw mduLib::SubscriptError();
        return *it->second;
    }
    const T& operator()(int index) const
    {
        auto it = items_.find(index);
        if (it == items_.end())
            throw mduLib::SubscriptError();
        return *it->second;
    }
    int Count() const { return static_cast<int>(items_.size()); }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? -1 : items_.rbegin()->first; }

    template <class F> void ForEach(F&& f)
    {
        for (auto& [i, item] : items_)
            f(i, *item);
    }

    // Handlers of the whole array, told the element's index.
    std::function<void(int index, int button, int shift, float x, float y)> MouseDown, MouseMove, MouseUp;
    std::function<void(int index)> Click, DblClick;

private:
    void Wire(T& item, int index)
    {
        item.Events.MouseDown = [this, index](int b, int s, float x, float y) {
            if (MouseDown)
                MouseDown(index, b, s, x, y);
        };
        item.Events.MouseMove = [this, index](int b, int s, float x, float y) {
            if (MouseMove)
                MouseMove(index, b, s, x, y);
        };
        item.Events.MouseUp = [this, index](int b, int s, float x, float y) {
            if (MouseUp)
                MouseUp(index, b, s, x, y);
        };
        item.Events.Click = [this, index] {
            if (Click)
                Click(index);
        };
        item.Events.DblClick = [this, index] {
            if (DblClick)
                DblClick(index);
        };
    }

    Owner* owner_;
    QString name_;
    std::map<int, std::unique_ptr<T>> items_;
};

} // namespace platform
