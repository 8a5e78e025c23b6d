#include "message_box.h"

#include <cstdio>

namespace platform {
namespace {
MessageBoxHandler& Handler()
{
    static MessageBoxHandler h;
    return h;
}
QString& DefaultTitle()
{
    static QString t;
    return t;
}
QObject*& ScopedOwner()
{
    static QObject* o = nullptr;
    return o;
}
} // namespace

MessageBoxOwnerScope::MessageBoxOwnerScope(QObject* owner) : previous_(ScopedOwner()) { ScopedOwner() = owner; }
MessageBoxOwnerScope::~MessageBoxOwnerScope() { ScopedOwner() = previous_; }

int MsgBox(const QString& prompt, int buttons, const QString& title, QObject* owner)
{
    if (ScopedOwner())
        owner = ScopedOwner();
    MessageBoxRequest r{prompt, buttons, title.isEmpty() ? DefaultTitle() : title, owner};
    if (!Handler()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(r.title), qPrintable(prompt));
        return 0;
    }
    return Handler()(r);
}

void SetMessageBoxHandler(MessageBoxHandler handler) { Handler() = std::move(handler); }
void SetDefaultMessageBoxTitle(const QString& title) { DefaultTitle() = title; }

ScriptedMessageBox::ScriptedMessageBox(int defaultAnswer) : defaultAnswer_(defaultAnswer)
{
    SetMessageBoxHandler([this](const MessageBoxRequest& r) {
        shown_.push_back(r);
        if (answers_.empty())
            return defaultAnswer_;
        const int a = answers_.front();
        answers_.pop_front();
        return a;
    });
}

ScriptedMessageBox::~ScriptedMessageBox() { SetMessageBoxHandler(nullptr); }

} // namespace platform
