#include "dialog_caller.h"

#include "system/message_box.h"
#include "ui/twips.h"

namespace testsupport {

DialogCaller::DialogCaller() : platform::Form(QStringLiteral("frmCaller"))
{
    Move(1000, 500, 5400, 7800);
    EnsureLoaded();
}

int DialogCaller::ShowMsgbox(const QString& Prompt, int Button, const QString& Title)
{
    if (realBoxes)
        return platform::MsgBox(Prompt, Button, Title, this);
    boxes << Title + ": " + Prompt;
    if (answers.empty())
        return 7;
    const int a = answers.front();
    answers.pop_front();
    return a;
}

ScriptedFileDialog::ScriptedFileDialog(QString path) : path_(std::move(path))
{
    platform::CommonDialog::SetRunner([this](platform::CommonDialog::Kind, platform::CommonDialog& d) {
        ++shown;
        filter = d.Filter;
        initDir = d.InitDir;
        if (path_.isEmpty())
            return false;
        d.FileName = path_;
        return true;
    });
}

ScriptedFileDialog::~ScriptedFileDialog() { platform::CommonDialog::SetRunner(nullptr); }

} // namespace testsupport
