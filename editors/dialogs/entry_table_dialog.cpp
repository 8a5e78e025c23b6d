#include "entry_table_dialog.h"

#include "button_pictures.h"
#include "core/conversions.h"
#include "core/help_about.h"
#include "entry_table_math.h"
#include "system/message_box.h"
#include "system/whole_file_write.h"
#include "ui/browse_for_file.h"
#include "ui/event_guard.h"
#include "ui/form_owner.h"
#include "ui/mdi_frame.h"
#include "ui/menu_items.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScopeGuard>
#include <QTimer>
#include <QWindow>

namespace entrytable {

platform::PropertyBag DesignedGridBag(qint32 extentX)
{
    platform::PropertyBag bag;
    const platform::Picture none;
    bag.WriteProperty(QStringLiteral("_extentx"), extentX);
    bag.WriteProperty(QStringLiteral("_extenty"), 8916);
    bag.WriteProperty(QStringLiteral("backcolor"), static_cast<qint32>(0x8000000E));
    bag.WriteProperty(QStringLiteral("font"), QVariant::fromValue(platform::AmbientFont()));
    bag.WriteProperty(QStringLiteral("rowheightmin"), 285);
    bag.WriteProperty(QStringLiteral("mouseicon"), QVariant::fromValue(none));
    bag.WriteProperty(QStringLiteral("forecolorsel"), static_cast<qint32>(0x80000005));
    bag.WriteProperty(QStringLiteral("forecolorfixed"), static_cast<qint32>(0x80000012));
    bag.WriteProperty(QStringLiteral("cellpicture"), QVariant::fromValue(none));
    bag.WriteProperty(QStringLiteral("backcolorsel"), static_cast<qint32>(0x80000009));
    bag.WriteProperty(QStringLiteral("backcolorfixed"), static_cast<qint32>(0x8000000F));
    return bag;
}

} // namespace entrytable

// ---- the window ----

EntryTableWindow::EntryTableWindow(EntryTableDialog& dialog, const QString& formName, const QString& gridName)
    : platform::Form(formName),
      grid(this, gridName),
      dialog_(dialog)
{
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    SetBackColor(0xC0FFC0);
    HelpContextID = 400;
    KeyPreview = true;
    Move(0, 0, kClientWidth, kClientHeight);

    // The stored layout is read before the host's own loading code sets the grid up.
    const platform::PropertyBag* stored = platform::StoredLayout(formName).Find(gridName);
    const platform::PropertyBag designed =
        entrytable::DesignedGridBag(formName == QLatin1String("frmProperties") ? 8705 : 8493);
    grid.UserControl_ReadProperties(stored ? *stored : designed);
    grid.Move(120, 120, 4935, 5055);

    platform::CommandButton& action = cmdButton.Create(0);
    action.SetCaption(QStringLiteral("Save"));
    action.Move(240, 5280, 1695, 375);
    action.SetPicture(dialogpictures::ActionBand());
    platform::CommandButton& close = cmdButton.Create(1);
    close.SetCaption(QStringLiteral("Close"));
    close.Move(2760, 5280, 1695, 375);
    close.SetPicture(dialogpictures::CloseBand());
}

EntryTableWindow::~EntryTableWindow() = default;

void EntryTableWindow::Form_Load() { dialog_.Form_Load(); }
void EntryTableWindow::Form_Resize() { dialog_.Form_Resize(); }
void EntryTableWindow::Form_KeyDown(int& keyCode, int shift) { dialog_.Form_KeyDown(keyCode, shift); }
void EntryTableWindow::Form_QueryUnload(int& cancel, int mode) { dialog_.Form_QueryUnload(cancel, mode); }

void EntryTableWindow::Form_Unload(int&)
{
    // The window and its controls go; the dialog object keeps its fields.
    deleteLater();
}

// ---- the dialog ----

EntryTableDialog::~EntryTableDialog()
{
    if (window_)
        delete window_.data();
}

CalendarCaller* EntryTableDialog::Caller() const { return callerForm_ && callerForm_->IsLoaded() ? caller_ : nullptr; }

void EntryTableDialog::RememberCaller(CalendarCaller* caller)
{
    caller_ = caller;
    callerForm_ = caller ? &caller->CallerForm() : nullptr;
}

EntryTableWindow& EntryTableDialog::OpenBeside(CalendarCaller* caller, const QString& strKey)
{
    ChangedElsewhere = 0;
    EntryTableWindow& w = EnsureWindow();
    const platform::Form& form = caller->CallerForm();
    w.SetTop(form.Top());
    w.SetLeft(form.Left() + form.Width() / 2);
    w.SetWidth(4755);
    w.SetHeight(6165);
    w.Tag = strKey;
    w.SetCaption(CaptionPrefix() + w.Tag);
    RememberCaller(caller);
    ActionButton().Tag = QStringLiteral("0");
    return w;
}

EntryTableWindow& EntryTableDialog::OpenAsChild(CalendarCaller* caller, qint32 x, qint32 y, const QString& strKey)
{
    ChangedElsewhere = 0;
    EntryTableWindow& w = EnsureWindow();
    w.SetTop(static_cast<float>(y));
    w.SetLeft(static_cast<float>(x) + caller->CallerForm().Width() / 2);
    w.SetWidth(6000);
    w.SetHeight(8000);
    SetChildColumnWidths();
    w.Tag = strKey;
    return w;
}

void EntryTableDialog::EnterNewFileMode()
{
    window_->SetCaption(CaptionPrefix() + QStringLiteral(" _"));
    SetActionButton(-1);
    ActionButton().SetEnabled(false);
    NewFileMode = -1;
}

void EntryTableDialog::SetChildColumnWidths()
{
    grid().LetColWidth(0, conv::ToInt32(window_->ScaleWidth() * 0.58));
    grid().LetColWidth(1, conv::ToInt32(window_->ScaleWidth() * 0.325));
}

EntryTableWindow& EntryTableDialog::EnsureWindow()
{
    if (!window_ || !window_->IsLoaded()) {
        if (window_)
            delete window_.data();
        auto* w = new EntryTableWindow(*this, FormName(), GridName());
        platform::AdoptTopLevelForm(w);
        window_ = w;
        ctlEditGrid& g = w->grid;
        g.Events.LeaveCell = [this] { leftRow_ = grid().Row(); };
        g.Events.RowColChange = [this] { Grid_RowColChange(); };
        g.Events.DblClick = [this] { Grid_DblClick(); };
        // The first click of a double click opens the editor over the cell, so the second
        // lands in the editor: that is a double click on the cell all the same.
        g.ctlText.DblClick = [this] { Grid_DblClick(); };
        g.Events.MouseDown = [this](int& b, int& s, float& x, float& y) { Grid_MouseDown(b, s, x, y); };
        g.Events.KeyPress = [this](int& k) { Grid_KeyPress(k); };
        g.GotFocus = [this] { Grid_GotFocus(); };
        w->cmdButton.Click = [this](int index) { cmdButton_Click(index); };
        BuildMenu();
        w->EnsureLoaded();
    }
    return *window_;
}

bool EntryTableDialog::Unload()
{
    if (!IsLoaded())
        return true;
    return window_->Unload(platform::vbFormCode);
}

QAction* EntryTableDialog::AddItem(QMenu& menu, const QString& caption, std::function<void()> handler)
{
    QAction* a = menu.addAction(caption);
    QObject::connect(a, &QAction::triggered, a, [handler = std::move(handler)] { platform::Guarded("menu", handler); });
    return a;
}

void EntryTableDialog::BuildMenu()
{
    QMenu& menu = window_->menu;
    const struct {
        const char* entry;
        const char* name;
        int column;
    } sorts[] = {{"Sort Name", "Name", 2}, {"Sort Value", "Value", 3}, {"Sort Categorized", "Categorized", 1}};
    for (const auto& s : sorts) {
        QMenu* sub = menu.addMenu(QString::fromLatin1(s.entry));
        sub->setObjectName(QString::fromLatin1(s.entry).remove(u' '));
        const int column = s.column;
        AddItem(*sub, QStringLiteral("Ascending "), [this, column] {
            Sort_Click(column, 1);
        })->setObjectName(QString::fromLatin1(s.name) + "Ascending");
        AddItem(*sub, QStringLiteral("Descending"), [this, column] {
            Sort_Click(column, 2);
        })->setObjectName(QString::fromLatin1(s.name) + "Descending");
    }
    AddItem(menu, QStringLiteral("Sort by Default"), [this] { Sort_Click(2, 0); })->setObjectName("SortNone");
    menu.addSeparator();
    AddMenuItems(menu);
    menu.addSeparator();
    AddItem(menu, QStringLiteral("Close"), [this] { Close_Click(); })->setObjectName("Close");
}

// ---- loading, set-up and filling ----

void EntryTableDialog::Form_Load()
{
    Loaded = 0;
    LastRow = 0;
    leftRow_ = 0;
    grid().LetRows(25);
    SetupGrid();
    FillGrid(2, 0);
    grid().Tag = QStringLiteral("2,0");
    AfterLoad();
    Loaded = 1;
}

void EntryTableDialog::SetupGrid()
{
    ctlEditGrid& g = grid();
    g.SetColFormat(QStringLiteral(",,"));
    g.LetCols(2);
    g.LetFixedCols(0);
    // While loading, the window has the inner size of its design.
    const double inner = EntryTableWindow::kClientWidth;
    g.LetColWidth(0, conv::ToInt32(inner * KeyColumnFactor()));
    g.LetColWidth(1, conv::ToInt32(inner * ValueColumnFactor()));
    g.LetColAlignment(1, platform::flexAlignLeftCenter);
    if (LeftAlignsKeyColumn())
        g.LetColAlignment(0, platform::flexAlignLeftCenter);
    g.Move(g.ControlLeft(), g.ControlTop(), window_->Width() * 0.98f, g.ControlHeight());
    g.Setup();
    g.LetFixedRows(1);
    g.SetCellCtl(1, kCellText);
    SetupValueEditors();
    SetGridHeader();
}

void EntryTableDialog::SetGridHeader()
{
    ctlEditGrid& g = grid();
    g.LetBackColorFixed(0xC0FFC0);
    g.LetForeColorFixed(0x800000);
    g.LetTextMatrix(0, 0, KeyTitle());
    g.LetTextMatrix(0, 1, QStringLiteral("Value"));
}

void EntryTableDialog::FillGrid(int column, int order)
{
    ctlEditGrid& g = grid();
    g.Clear();
    SetGridHeader();
    RowEntries = Table().IsCreated() ? mduLib::SortEntries(Table(), column, order) : std::vector<int>();
    const int n = RowsShown();
    for (int i = 1; i <= n; ++i) {
        // At least one spare row stays after the last entry.
        if (g.Rows() - 2 < i)
            g.LetRows(g.Rows() + 1);
        const mduLib::PropertyItem& e = Table()[RowEntries[static_cast<size_t>(i - 1)]];
        g.LetTextMatrix(i, 0, RowLabel(e));
        g.LetTextMatrix(i, 1, RowValueText(e));
    }
    // The current cell may now show another entry (or, on opening, has never been
    // entered): its editor follows what it shows, so that a click on it edits at once.
    if (NewFileMode == 0 && g.Col() > 0)
        ShowValueEditor();
}

void EntryTableDialog::ShowFromFirstRow()
{
    ctlEditGrid& g = grid();
    LastRow = 0;
    leftRow_ = 0;
    showingAnew_ = true;
    const auto done = qScopeGuard([this] { showingAnew_ = false; });
    if (g.Rows() > 1)
        g.LetRow(1);
    g.LetTopRow(1);
    // As after loading: no row is due, and the first row left is committed then.
    LastRow = 0;
    leftRow_ = 0;
}

bool EntryTableDialog::IsItemRow(qint32 row) const { return row >= 1 && row <= RowsShown(); }

void EntryTableDialog::ClearSpareRow(qint32 row)
{
    if (row < 1 || IsItemRow(row) || row >= grid().Rows())
        return;
    grid().LetTextMatrix(row, 0, QString());
    grid().LetTextMatrix(row, 1, QString());
}

void EntryTableDialog::CommitRow(qint32 row)
{
    ctlEditGrid& g = grid();
    if (IsItemRow(row)) {
        const QString label = g.TextMatrix(row, 0);
        const QString text = g.TextMatrix(row, 1);
        mduLib::PropertyItem& e = EntryOfRow(row);
        if (text.isEmpty() && entrytable::RestoresEmptyValue(label)) {
            g.LetTextMatrix(row, 1, RowValueText(e));
        } else {
            const bool edited = conv::Trim(text) != conv::Trim(RowValueText(e));
            StoreRowText(e, text);
            if (edited || !CommitMarksOnlyEdits())
                Changed = Loaded == 1 ? -1 : 0;
            SetActionButton(CommitState());
        }
    }
    ClearSpareRow(g.Row());
}

void EntryTableDialog::HideEditors()
{
    ctlEditGrid& g = grid();
    g.GetCellTextBox(0).SetVisible(false);
    g.GetCellTextBox(0).SetText(QString());
    if (ComboRef list = g.GetComboCtl(1); list.Exists()) {
        list->SetVisible(false);
        list->Clear();
    }
}

void EntryTableDialog::SetActionButton(int state)
{
    platform::CommandButton& b = ActionButton();
    if (state == -1) {
        b.SetCaption(QStringLiteral("Save"));
        b.Tag = QStringLiteral("1");
    } else if (state == 2) {
        b.SetCaption(QStringLiteral("Launch"));
        b.Tag = QStringLiteral("2");
    } else {
        if (NewFileMode == 0)
            b.SetCaption(IdleCaption());
        b.Tag = QStringLiteral("0");
    }
}

void EntryTableDialog::EnableEditing(bool flag)
{
    grid().LetEnabled(flag);
    window_->cmdButton(0).SetEnabled(flag);
    window_->cmdButton(1).SetEnabled(flag);
}

// ---- the grid's events ----

void EntryTableDialog::Grid_RowColChange()
{
    // Right after opening no row is due yet, but the row the user just left may hold an
    // edit (the first row is current from the start): it is committed all the same.
    const qint32 due = showingAnew_ ? 0 : LastRow > 0 ? LastRow : leftRow_;
    if (due > 0) {
        CommitRow(due);
        SetActionButton(CommitState());
    }
    LastRow = grid().Row();
    if (NewFileMode != 0)
        HideEditors();
    else if (grid().Col() > 0)
        ShowValueEditor();
}

void EntryTableDialog::Grid_DblClick()
{
    ctlEditGrid& g = grid();
    const qint32 row = g.Row();
    const QString label = g.TextMatrix(row, 0);
    if (!entrytable::IsFileLabel(label) || NewFileMode != 0)
        return;
    // The edit the first click opened must not write the old text back over the choice.
    g.HideCellCtl();
    // A file dialog of this window's own: it stands in front of this topmost window.
    const ActivationBack back(*this);
    platform::CommonDialog dialog(window_);
    // The file kinds go by their plural names ("Calendar Image Files").
    const QString kind = label.endsWith(QLatin1String("File")) ? label + u's' : label;
    const QString path = mduAlmanorvqueLib::BrowseForFile(dialog, kind, g.TextMatrix(row, 1));
    if (!window_ || path.isEmpty())
        return; // cancelled: the value stays as it was
    g.LetTextMatrix(row, 1, path);
    // The choice is an edit like a typed one: it marks the dialog changed.
    Loaded = 1;
    Changed = -1;
    SetActionButton(CommitState());
}

void EntryTableDialog::Grid_MouseDown(int& Button, int&, float&, float&)
{
    if (Button == 2) {
        BeforeMenuPopup();
        platform::PopupMenu(window_->menu, QCursor::pos());
    } else {
        OtherMouseDown();
    }
}

void EntryTableDialog::Grid_KeyPress(int&) { GridKeyPress(); }

void EntryTableDialog::Grid_GotFocus() { CheckExternalChange(); }

void EntryTableDialog::CheckExternalChange()
{
    if (IsTopmost())
        SetTopmost(true);
    if (ChangedElsewhere != 0) {
        if (Ask(RefreshQuestion(), platform::vbYesNo, RefreshTitle()) == platform::vbYes) {
            int column = 1, order = 0;
            entrytable::SortFromTag(grid().Tag, column, order);
            FillGrid(column, order);
            MarkRefreshed();
        }
    }
    ChangedElsewhere = 0;
}

void EntryTableDialog::Sort_Click(int column, int order)
{
    FillGrid(column, order);
    grid().Tag = QStringLiteral("%1,%2").arg(column).arg(order);
}

void EntryTableDialog::cmdButton_Click(int Index)
{
    if (Index == 1)
        Unload();
    else if (Index == 0)
        ActionButton_Click();
}

// ---- keys, layout and closing ----

void EntryTableDialog::Form_KeyDown(int& KeyCode, int)
{
    if (KeyCode == platform::vbKeyF1) {
        QString file;
        mduUILib::OpenHelpTopic(file);
    }
    OnKeyDown(KeyCode);
}

void EntryTableDialog::Form_Resize()
{
    if (!window_ || !window_->IsLoaded() || window_->WindowState() == platform::vbMinimized)
        return;
    ctlEditGrid& g = grid();
    platform::CommandButton& action = window_->cmdButton(0);
    platform::CommandButton& close = window_->cmdButton(1);
    const entrytable::FrameLayout f =
        entrytable::LayOutFrame(window_->Width(), window_->Height(), g.ControlLeft(), g.ControlTop(), g.ColWidth(0),
                                close.Width(), action.Width());
    g.Move(g.ControlLeft(), g.ControlTop(), f.gridWidth, g.ControlHeight());
    g.LetColWidth(1, f.valueColWidth);
    g.Move(g.ControlLeft(), g.ControlTop(), f.gridWidth, f.gridHeight);
    g.SetGridSize();
    action.Move(action.Left(), f.buttonTop, action.Width(), action.Height());
    close.Move(f.closeLeft, f.buttonTop, close.Width(), close.Height());
    action.Move(f.actionLeft, f.buttonTop, action.Width(), action.Height());
}

void EntryTableDialog::CommitOpenEditor()
{
    if (window_ && grid().EditOpen())
        grid().CommitCellCtl();
}

void EntryTableDialog::CommitCurrentRow()
{
    CommitOpenEditor();
    CommitRow(grid().Row());
}

bool EntryTableDialog::CurrentRowEdited()
{
    const qint32 row = grid().Row();
    if (!IsItemRow(row))
        return false;
    const QString text = grid().TextMatrix(row, 1);
    const QString shown = RowValueText(EntryOfRow(row));
    // An emptied value that comes back at the commit is no edit.
    if (text.isEmpty() && entrytable::RestoresEmptyValue(grid().TextMatrix(row, 0)))
        return false;
    return conv::Trim(text) != conv::Trim(shown);
}

bool EntryTableDialog::WriteTable() { return mduLib::SaveIniFileReplacing(Table(), SavePath()); }

bool EntryTableDialog::SaveTable()
{
    if (!WriteTable())
        return false;
    AfterSave();
    return true;
}

namespace {
QString SaveFailureText(const QString& path)
{
    if (path.isEmpty())
        return QStringLiteral("There is no file to save to.");
    const QString why = platform::LastWriteFailure();
    return QStringLiteral("The file could not be written:\r\n") + (why.isEmpty() ? path : why);
}
} // namespace

void EntryTableDialog::ReportSaveFailure()
{
    Tell(SaveFailureText(SavePath()), platform::vbExclamation | platform::vbOKOnly, SaveTitle());
}

bool EntryTableDialog::OfferToSaveEdits(const QString& instead, bool mayKeep)
{
    // An editor still open keeps what was typed: it counts as an edit.
    CommitOpenEditor();
    if (CurrentRowEdited())
        Changed = -1;
    if (Changed != 0) {
        if (AskSave(QStringLiteral("Do you want to save the ") + window_->Caption() + QStringLiteral("?")) ==
            platform::vbYes) {
            CommitCurrentRow();
            if (!SaveTable() && mayKeep) {
                const QString prompt = SaveFailureText(SavePath()) + QStringLiteral("\r\n\r\n") + instead +
                                       QStringLiteral(" anyway and lose the changes?");
                if (Tell(prompt, platform::vbYesNo | platform::vbExclamation | platform::vbDefaultButton2,
                         SaveTitle()) != platform::vbYes)
                    return false;
            }
        }
    }
    Changed = 0;
    return true;
}

void EntryTableDialog::Form_QueryUnload(int& Cancel, int UnloadMode)
{
    closing_ = true;
    const bool close = OfferToSaveEdits(QStringLiteral("Close"), UnloadMode != platform::vbAppWindows);
    closing_ = false;
    if (!close) {
        Cancel = 1;
        TakeActivationBack(); // the user keeps the dialog
    }
}

// ---- showing ----

void EntryTableDialog::ShowWindow(bool owned)
{
    EntryTableWindow& w = *window_;
    // A child window of the multi-calendar frame lives in the frame's client area.
    if (w.MDIChild() && !w.MDISubWindow())
        if (auto* frame = qobject_cast<platform::MDIForm*>(caller_ ? caller_->FrameForm() : nullptr)) {
            frame->AddChild(w);
            KeepAboveOtherChildren(w);
            w.Show();
            w.MDISubWindow()->raise();
            return;
        }
    if (IsTopmost())
        w.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    (void)w.winId();
    if (QWindow* handle = w.windowHandle()) {
        QWindow* owner = owned && callerForm_ ? callerForm_->windowHandle() : nullptr;
        handle->setTransientParent(owner);
    }
    w.Show();
    w.raise();
    w.activateWindow();
}

void EntryTableDialog::KeepAboveOtherChildren(EntryTableWindow& w)
{
    // A month window that takes the focus (the pointer over its own part) comes to the
    // front of the frame; the dialog goes back above it, as a topmost window stays above
    // the active one, so it stays usable until it closes.
    QMdiSubWindow* sub = w.MDISubWindow();
    if (!sub || !sub->mdiArea())
        return;
    QObject::connect(sub->mdiArea(), &QMdiArea::subWindowActivated, &w, [sub](QMdiSubWindow* active) {
        if (!active || active == sub)
            return;
        // After the area has raised the window it activated.
        QTimer::singleShot(0, sub, [sub] {
            if (sub->isVisible())
                sub->raise();
        });
    });
}

void EntryTableDialog::SetTopmost(bool on)
{
    EntryTableWindow& w = *window_;
    // A child window of the frame is above the other child windows already; a window
    // flag would make it a native window of its own, which on X takes the pointer's
    // events of the month windows it covers, and theirs over it.
    if (QMdiSubWindow* sub = w.MDISubWindow()) {
        if (on)
            sub->raise();
        return;
    }
    if (w.windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on)
        return;
    QWindow* owner = w.windowHandle() ? w.windowHandle()->transientParent() : nullptr;
    const bool shown = w.isVisible();
    const float left = w.Left(), top = w.Top(), width = w.Width(), height = w.Height();
    w.setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (!shown)
        return;
    (void)w.winId();
    if (QWindow* handle = w.windowHandle())
        handle->setTransientParent(owner);
    w.show();
    w.Move(left, top, width, height);
    w.HoldOuterGeometry();
}

void EntryTableDialog::TakeActivationBack()
{
    EntryTableWindow* w = window_;
    if (closing_ || !w || !w->IsLoaded() || !w->Visible())
        return;
    if (QMdiSubWindow* sub = w->MDISubWindow())
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
    QWidget* top = w->window();
    top->raise();
    top->activateWindow();
}

int EntryTableDialog::Tell(const QString& prompt, int buttons, const QString& title)
{
    const ActivationBack back(*this);
    return platform::MsgBox(prompt, buttons, title, window_);
}

int EntryTableDialog::Ask(const QString& prompt, int buttons, const QString& title)
{
    const ActivationBack back(*this);
    // The caller's box would sit under this topmost window: own it by this window instead.
    const platform::MessageBoxOwnerScope above(window_.data());
    if (CalendarCaller* c = Caller())
        return c->ShowMsgbox(prompt, buttons, title);
    return platform::MsgBox(prompt, buttons, title, window_);
}
