#pragma once
// Message boxes with the usual button and icon flags and answers. The programs install
// a dialog-based handler; tests install a scripted one.
#include <QObject>
#include <QString>
#include <deque>
#include <functional>
#include <vector>

namespace platform {

enum MsgBoxStyle {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

enum MsgBoxResult { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

struct MessageBoxRequest {
    QString prompt;
    int buttons = 0;
    QString title;
    QObject* owner = nullptr; // the window that owns the box, if any
};

using MessageBoxHandler = std::function<int(const MessageBoxRequest&)>;

// Shows the box and answers the pressed button; 0 when no box could be shown.
int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString(), QObject* owner = nullptr);
void SetMessageBoxHandler(MessageBoxHandler handler);

// While one lives, every box is owned by the given window whatever owner the asker names: a
// dialog that asks through its caller (a window below it) still gets its question above it.
class MessageBoxOwnerScope {
public:
    explicit MessageBoxOwnerScope(QObject* owner);
    ~MessageBoxOwnerScope();
    MessageBoxOwnerScope(const MessageBoxOwnerScope&) = delete;
    MessageBoxOwnerScope& operator=(const MessageBoxOwnerScope&) = delete;

private:
    QObject* previous_;
};
// The title a box gets when the caller gives none.
void SetDefaultMessageBoxTitle(const QString& title);

// Records every box and answers from a queue (then with the default answer).
class ScriptedMessageBox {
public:
    explicit ScriptedMessageBox(int defaultAnswer = vbOK);
    ~ScriptedMessageBox();
    ScriptedMessageBox(const ScriptedMessageBox&) = delete;
    ScriptedMessageBox& operator=(const ScriptedMessageBox&) = delete;

    void QueueAnswer(int answer) { answers_.push_back(answer); }
    const std::vector<MessageBoxRequest>& Shown() const { return shown_; }
    void Clear() { shown_.clear(); }

private:
    int defaultAnswer_;
    std::deque<int> answers_;
    std::vector<MessageBoxRequest> shown_;
};

} // namespace platform
