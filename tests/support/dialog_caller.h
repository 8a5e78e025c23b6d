#pragma once
// A window that opens the grid dialogs and the folder picker in tests: it records every
// call back, answers its message boxes from a queue and has a file dialog of its own.
#include "editors/dialogs/calendar_caller.h"
#include "ui/common_dialog.h"
#include "ui/form.h"

#include <QStringList>
#include <deque>

namespace testsupport {

class DialogCaller : public platform::Form, public CalendarCaller {
public:
    DialogCaller();

    platform::Form& CallerForm() override { return *this; }
    int ShowMsgbox(const QString& Prompt, int Button, const QString& Title) override;
    void RefreshForm(const QString& strIniFile) override { calls << "RefreshForm " + strIniFile; }
    QString DefaultIniFile() override { return defaultIniFile; }
    void ReloadDates() override { calls << "ReloadDates"; }
    void AddFile(const QString& sPath, const QString& sFile) override { calls << "AddFile " + sPath + "|" + sFile; }
    void RefreshFolder(const QString& sPath) override { calls << "RefreshFolder " + sPath; }
    void SetFile(const QString& sPath, const QString& sFile) override { calls << "SetFile " + sPath + "|" + sFile; }
    platform::Form* FrameForm() override { return frame; }
    platform::Form* frame = nullptr; // set for a child window of a frame

    QStringList calls;
    // The boxes asked through ShowMsgbox, as "Title: Prompt".
    QStringList boxes;
    std::deque<int> answers; // then 7 (No)
    // Asks as the program's windows do: a box of its own (platform::MsgBox, owned by it).
    bool realBoxes = false;
    QString defaultIniFile;
};

// The file dialog answers with the given path (an empty one cancels) while it lives.
class ScriptedFileDialog {
public:
    explicit ScriptedFileDialog(QString path);
    ~ScriptedFileDialog();
    int shown = 0;
    QString filter, initDir;

private:
    QString path_;
};

} // namespace testsupport
