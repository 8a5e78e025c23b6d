#include "folder_picker.h"

#include "button_pictures.h"
#include "core/help_about.h"
#include "system/message_box.h"
#include "ui/event_guard.h"
#include "ui/form_owner.h"
#include "ui/menu_items.h"

#include <QComboBox>
#include <QCursor>
#include <QListWidget>
#include <QWindow>
#include <exception>

namespace {
QPointer<frmFolder> gDefault;

// Runs one step of a hand-back; a failing step is passed over.
template <class F> bool Try(F&& step)
{
    try {
        step();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
} // namespace

frmFolder& frmFolder::Default() { return platform::DefaultInstance(gDefault); }

frmFolder::frmFolder() : platform::Form(QStringLiteral("frmFolder"))
{
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint);
    SetCaption(QStringLiteral("Folder"));
    Move(0, 0, kClientWidth, kClientHeight);
    BuildControls();
    // Initialize: the splitter a third of the way across.
    layout_.handle.left = folderpicker::InitialHandleLeft(Width());
    ApplyLayout();
}

frmFolder::~frmFolder() = default;

void frmFolder::BuildControls()
{
    layout_ = folderpicker::DesignedLayout();
    Dir1.SetBackColor(0xC0E0FF);
    Drive1.SetBackColor(0xFFC0C0);
    File1.SetBackColor(0xC0FFC0);
    File1.SetPattern(QStringLiteral("*.bmp;*.gif;*.jpg"));
    platform::CommandButton& cancel = cmdOperation.Create(0);
    cancel.SetCaption(QStringLiteral("&Cancel"));
    cancel.SetPicture(dialogpictures::ShadedBand({83, 32, 32}, {255, 149, 149}, 150, 80));
    platform::CommandButton& ok = cmdOperation.Create(1);
    ok.SetCaption(QStringLiteral("&OK"));
    ok.SetPicture(dialogpictures::ShadedBand({32, 83, 32}, {150, 255, 150}, 150, 80));
    cmdOperation.Click = [this](int index) { cmdOperation_Click(index); };
    setTabOrder(Dir1.Widget(), Drive1.Widget());
    setTabOrder(Drive1.Widget(), File1.Widget());
    setTabOrder(File1.Widget(), ok.Widget());
    setTabOrder(ok.Widget(), cancel.Widget());

    picSplitter.SetBackColor(0x808080);
    picSplitter.SetVisible(false);
    imgSplitter.MousePointer = platform::vbSizeWE;
    imgSplitter.Events.MouseDown = [this](int b, int s, float x, float y) { imgSplitter_MouseDown(b, s, x, y); };
    imgSplitter.Events.MouseMove = [this](int b, int s, float x, float y) { imgSplitter_MouseMove(b, s, x, y); };
    imgSplitter.Events.MouseUp = [this](int b, int s, float x, float y) { imgSplitter_MouseUp(b, s, x, y); };

    Dir1.Click = [this] { Dir1_Click(); };
    Dir1.DblClick = [this] { Dir1_DblClick(); };
    Drive1.Change = [this] { Drive1_Change(); };
    File1.MouseDown = [this](int b, int s, float x, float y) { File1_MouseDown(b, s, x, y); };
    const char* items[] = {"Select All", "Select None"};
    for (int i = 1; i <= 2; ++i) {
        QAction* a = FileMenu.addAction(QString::fromLatin1(items[i - 1]));
        a->setObjectName(QStringLiteral("PopupFileMenuItem%1").arg(i));
        connect(a, &QAction::triggered, this,
                [this, i] { platform::Guarded("menu", [&] { PopupFileMenuItem_Click(i); }); });
    }
}

void frmFolder::ApplyLayout()
{
    const folderpicker::PickerLayout& l = layout_;
    Drive1.Move(l.drive.left, l.drive.top, l.drive.width, l.drive.height);
    Dir1.Move(l.folder.left, l.folder.top, l.folder.width, l.folder.height);
    File1.Move(l.file.left, l.file.top, l.file.width, l.file.height);
    cmdOperation(1).Move(l.ok.left, l.ok.top, l.ok.width, l.ok.height);
    cmdOperation(0).Move(l.cancel.left, l.cancel.top, l.cancel.width, l.cancel.height);
    imgSplitter.Move(l.handle.left, l.handle.top, l.handle.width, l.handle.height);
    picSplitter.Move(l.bar.left, l.bar.top, l.bar.width, l.bar.height);
}

CalendarCaller* frmFolder::Caller() const { return callerForm_ && callerForm_->IsLoaded() ? caller_ : nullptr; }

void frmFolder::Form_Load() { setWindowFlag(Qt::WindowStaysOnTopHint, true); }

void frmFolder::Form_Resize()
{
    if (WindowState() == platform::vbMinimized)
        return;
    layout_ = folderpicker::Resized(layout_, Width(), Height());
    ApplyLayout();
    File1.SetEnabled(PickMode != 0);
}

void frmFolder::Form_KeyUp(int& keyCode, int)
{
    if (keyCode == platform::vbKeyF1) {
        QString file;
        mduUILib::OpenHelpTopic(file);
    }
}

// ---- opening ----

void frmFolder::StartAt(const QString& folder, const QString& pattern)
{
    Try([&] { Dir1.SetPath(folder); });
    Try([&] { Drive1.SetDrive(Dir1.Path()); });
    File1.SetPath(Dir1.Path());
    File1.SetPattern(pattern);
}

void frmFolder::ShowOwnedBy(CalendarCaller* owner)
{
    caller_ = owner;
    callerForm_ = owner ? &owner->CallerForm() : nullptr;
    EnsureLoaded();
    (void)winId();
    if (QWindow* handle = windowHandle())
        handle->setTransientParent(callerForm_ ? callerForm_->windowHandle() : nullptr);
    Show();
    raise();
    activateWindow();
    File1.SetEnabled(PickMode != 0);
}

QString frmFolder::GetFolder(const QString& sText, CalendarCaller* aForm, const QString& strPattern)
{
    File1.SetVisible(true);
    StartAt(sText, strPattern);
    PickMode = 0;
    ShowOwnedBy(aForm);
    return Dir1.Path();
}

QString frmFolder::GetFile(const QString& sText, CalendarCaller* aForm, const QString& strPattern)
{
    File1.SetVisible(true);
    StartAt(sText, strPattern);
    PickMode = 1;
    FileChoice = 1;
    ShowOwnedBy(aForm);
    return File1.List(File1.ListIndex());
}

QString frmFolder::SetFile(const QString&, CalendarCaller* aForm)
{
    File1.SetVisible(true);
    PickMode = 1;
    FileChoice = 2;
    ShowOwnedBy(aForm);
    return File1.List(File1.ListIndex());
}

QVariant frmFolder::FormOperation(int, CalendarCaller*) { return {}; }

// ---- navigation ----

void frmFolder::Drive1_Change()
{
    try {
        Dir1.SetPath(Drive1.Drive());
        File1.SetPath(Dir1.Path());
        File1.Refresh();
    } catch (const std::exception& e) {
        // A drive that is there but may not be read is no missing disk: say which.
        if (const auto* unreadable = dynamic_cast<const platform::FolderNotReadable*>(&e))
            TellUnreadable(*unreadable);
        else
            Tell(QStringLiteral("Device is not ready"), platform::vbCritical | platform::vbOKOnly,
                 QStringLiteral("Device Error"));
        Try([&] { Drive1.SetDrive(Dir1.Path()); });
        File1.SetPath(Dir1.Path());
    }
}

void frmFolder::Dir1_Click()
{
    // A folder that may not be read is said to be so, and the files shown stay those of a
    // folder that can be; a folder that is not there shows no files.
    const QString clicked = Dir1.List(Dir1.ListIndex());
    try {
        platform::CheckListable(clicked);
    } catch (const platform::FolderNotReadable& e) {
        TellUnreadable(e);
        return;
    } catch (const std::exception&) {
    }
    File1.SetPath(clicked);
}

void frmFolder::Dir1_DblClick()
{
    const QString opened = Dir1.List(Dir1.ListIndex());
    try {
        Dir1.SetPath(opened);
    } catch (const platform::FolderNotReadable& e) {
        TellUnreadable(e);
        return;
    } catch (const std::exception&) {
        return;
    }
    File1.SetPath(Dir1.Path());
}

void frmFolder::TellUnreadable(const platform::FolderNotReadable& e)
{
    Tell(e.Message(), platform::vbExclamation | platform::vbOKOnly, QStringLiteral("Folder"));
}

int frmFolder::Tell(const QString& prompt, int buttons, const QString& title)
{
    const int answer = platform::MsgBox(prompt, buttons, title, this);
    // The box gone, the picker is the active window again.
    if (IsLoaded() && isVisible()) {
        raise();
        activateWindow();
    }
    return answer;
}

void frmFolder::File1_MouseDown(int Button, int, float, float)
{
    if (Button == 2)
        platform::PopupMenu(FileMenu, QCursor::pos());
}

void frmFolder::PopupFileMenuItem_Click(int Index)
{
    if (Index != 1 && Index != 2)
        return;
    for (int i = 0; i < File1.ListCount(); ++i)
        File1.SetSelected(i, Index == 1);
}

// ---- OK and Cancel ----

void frmFolder::cmdOperation_Click(int Index)
{
    if (Index == 1) {
        CalendarCaller* c = Caller();
        if (c && PickMode == 0) {
            if (!Dir1.Path().isEmpty())
                Try([&] { c->RefreshFolder(File1.Path()); });
        } else if (c && PickMode == 1) {
            ReturnSelection();
        }
    }
    Unload();
}

void frmFolder::ReturnSelection()
{
    CalendarCaller* c = Caller();
    if (FileChoice == 1) {
        if (File1.ListIndex() == -1)
            return;
        for (int i = 0; i < File1.ListCount(); ++i)
            if (File1.Selected(i) && !Try([&] { c->AddFile(File1.Path(), File1.List(i)); }))
                return; // a failing hand-back ends the list
    } else {
        Try([&] { c->SetFile(File1.Path(), File1.List(File1.ListIndex())); });
    }
}

// ---- the splitter ----

void frmFolder::imgSplitter_MouseDown(int, int, float, float)
{
    layout_.bar.left = layout_.handle.left + 25;
    layout_.bar.top = layout_.handle.top;
    picSplitter.Move(layout_.bar.left, layout_.bar.top, layout_.bar.width, layout_.bar.height);
    picSplitter.SetVisible(true);
    picSplitter.ZOrder(0);
    imgSplitter.SetVisible(false);
}

void frmFolder::imgSplitter_MouseMove(int, int, float X, float)
{
    layout_.bar.left = layout_.handle.left + X;
    layout_.bar.top = layout_.handle.top;
    picSplitter.Move(layout_.bar.left, layout_.bar.top, layout_.bar.width, layout_.bar.height);
}

void frmFolder::imgSplitter_MouseUp(int, int, float, float) { SizeControls(); }

void frmFolder::SizeControls()
{
    picSplitter.SetVisible(false);
    layout_ = folderpicker::Dropped(layout_, Width());
    ApplyLayout();
    imgSplitter.SetVisible(true);
}
