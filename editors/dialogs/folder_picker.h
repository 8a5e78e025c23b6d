#pragma once
// The folder and file picker: drives and folders on the left, the folder's files on the
// right, a splitter between them. It hands the choice back to the window that opened it
// when OK is pressed: the folder, one file or each chosen file.
#include "calendar_caller.h"
#include "folder_picker_layout.h"
#include "ui/command_button.h"
#include "ui/control_array.h"
#include "ui/controls.h"
#include "ui/file_lists.h"
#include "ui/form.h"
#include "ui/windowed_bar.h"

#include <QMenu>
#include <QPointer>

class frmFolder : public platform::Form {
    Q_OBJECT
public:
    frmFolder();
    ~frmFolder() override;

    // The default instance, created on first use.
    static frmFolder& Default();

    // Each opening returns at once; the choice comes back through the caller's members.
    QString GetFolder(const QString& sText, CalendarCaller* aForm, const QString& strPattern);
    QString GetFile(const QString& sText, CalendarCaller* aForm, const QString& strPattern);
    QString SetFile(const QString& sText, CalendarCaller* aForm);
    QVariant FormOperation(int ActionID, CalendarCaller* aForm);

    // ---- handlers ----
    void cmdOperation_Click(int Index);
    void Dir1_Click();
    // Opens the folder double-clicked in the folder list.
    void Dir1_DblClick();
    void Drive1_Change();
    void File1_MouseDown(int Button, int Shift, float X, float Y);
    void PopupFileMenuItem_Click(int Index);
    void imgSplitter_MouseDown(int Button, int Shift, float X, float Y);
    void imgSplitter_MouseMove(int Button, int Shift, float X, float Y);
    void imgSplitter_MouseUp(int Button, int Shift, float X, float Y);

    // ---- state kept across openings ----
    qint16 PickMode = 0;   // 0 folder, 1 files
    qint16 FileChoice = 0; // 1 several files, 2 one file
    CalendarCaller* Caller() const;

    // ---- controls ----
    platform::FolderList Dir1{this, QStringLiteral("Dir1")};
    platform::DriveList Drive1{this, QStringLiteral("Drive1")};
    platform::FileList File1{this, QStringLiteral("File1")};
    platform::ControlArray<platform::CommandButton> cmdOperation{this, QStringLiteral("cmdOperation")};
    // Windowed: while dragged it crosses the lists.
    platform::WindowedBar picSplitter{this, QStringLiteral("picSplitter")};
    platform::Image imgSplitter{this, QStringLiteral("imgSplitter")};
    QMenu FileMenu;

    const folderpicker::PickerLayout& Layout() const { return layout_; }

    static constexpr float kClientWidth = 7710;
    static constexpr float kClientHeight = 6795;

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_KeyUp(int& keyCode, int shift) override;

private:
    void BuildControls();
    void ApplyLayout();
    void ArrangeLists();
    void SizeControls();
    void ReturnSelection();
    // Opens the lists on the folder (a folder that cannot be read keeps the lists as they are).
    void StartAt(const QString& folder, const QString& pattern);
    void ShowOwnedBy(CalendarCaller* owner);
    // A box of the picker's own; afterwards the picker is the active window again.
    int Tell(const QString& prompt, int buttons, const QString& title);
    void TellUnreadable(const platform::FolderNotReadable& e);

    folderpicker::PickerLayout layout_;
    QPointer<platform::Form> callerForm_;
    CalendarCaller* caller_ = nullptr;
};
