#pragma once
// The common frame of the property editor and the date manager: a small tool window with
// a two-column editable grid (key and value), an action button and a Close button, and a
// right-click menu that sorts the list. The dialog object lives for the run and keeps its
// fields; its window is made when a show operation first needs it and released when it
// closes.
#include "calendar_caller.h"
#include "editors/grid/edit_grid.h"
#include "ui/command_button.h"
#include "ui/common_dialog.h"
#include "ui/control_array.h"
#include "ui/form.h"
#include "ui/property_bag.h"

#include <QMenu>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class EntryTableDialog;

class EntryTableWindow : public platform::Form {
    Q_OBJECT
public:
    EntryTableWindow(EntryTableDialog& dialog, const QString& formName, const QString& gridName);
    ~EntryTableWindow() override;

    ctlEditGrid grid;
    platform::ControlArray<platform::CommandButton> cmdButton{this, QStringLiteral("cmdButton")};
    // The right-click menu, shown only as a popup.
    QMenu menu;

    // The inner size of the design, twips.
    static constexpr float kClientWidth = 5130;
    static constexpr float kClientHeight = 6240;

protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_KeyDown(int& keyCode, int shift) override;
    void Form_QueryUnload(int& cancel, int mode) override;
    void Form_Unload(int& cancel) override;

private:
    EntryTableDialog& dialog_;
};

class EntryTableDialog {
public:
    virtual ~EntryTableDialog();

    // ---- state (kept across openings) ----
    qint16 Changed = 0;          // edits not yet written
    qint16 Loaded = 0;           // 0 while the window loads, then 1
    qint16 ChangedElsewhere = 0; // set through the dialog's Set...Changed
    qint16 NewFileMode = 0;
    qint32 LastRow = 0;          // the row whose commit is due at the next row change
    std::vector<int> RowEntries; // row r shows entry RowEntries[r - 1]

    // The window that opened the dialog while it is open; null once it closed.
    CalendarCaller* Caller() const;
    // The window, null while the dialog is not loaded.
    EntryTableWindow* Window() const { return window_; }
    bool IsLoaded() const { return window_ && window_->IsLoaded(); }
    // Loads the window when it is not loaded (show operations do it first).
    EntryTableWindow& EnsureWindow();
    // Closes the dialog as its Close button does; false when the user kept it open.
    bool Unload();

    // ---- handlers ----
    void Form_Load();
    void Form_Resize();
    void Form_KeyDown(int& KeyCode, int Shift);
    void Form_QueryUnload(int& Cancel, int UnloadMode);
    void Grid_RowColChange();
    void Grid_DblClick();
    void Grid_MouseDown(int& Button, int& Shift, float& x, float& y);
    void Grid_GotFocus();
    void Grid_KeyPress(int& KeyAscii);
    void cmdButton_Click(int Index);
    // The sort items of the right-click menu (column 1 section, 2 key, 3 value; order 0
    // table order, 1 ascending, 2 descending).
    void Sort_Click(int column, int order);
    void Close_Click() { Unload(); }

    // ---- the frame's operations ----
    void SetupGrid();
    void SetGridHeader();
    void FillGrid(int column, int order);
    bool IsItemRow(qint32 row) const;
    void CommitRow(qint32 row);
    void ClearSpareRow(qint32 row);
    void HideEditors();
    void SetActionButton(int state);
    void EnableEditing(bool flag);
    void CheckExternalChange();
    QString GetCaptionPrefix() const { return CaptionPrefix(); }
    // A function that answers False and a key code test (letters, digits, "-" and the
    // blank); nothing calls them.
    static bool IsDirty() { return false; }
    static bool IsTextKey(int keyCode)
    {
        return (keyCode >= 65 && keyCode <= 154) || (keyCode >= 48 && keyCode <= 57) || keyCode == '-' ||
               keyCode == ' ';
    }

    ctlEditGrid& grid() { return window_->grid; }
    platform::CommandButton& ActionButton() { return window_->cmdButton(0); }

protected:
    // ---- what each dialog fills in ----
    virtual QString FormName() const = 0;
    virtual QString GridName() const = 0;
    virtual QString CaptionPrefix() const = 0;
    virtual QString KeyTitle() const = 0;
    virtual double KeyColumnFactor() const = 0;
    virtual double ValueColumnFactor() const = 0;
    virtual bool LeftAlignsKeyColumn() const = 0;
    virtual bool IsTopmost() const = 0;
    virtual mduLib::PropertyTable& Table() = 0;
    virtual QString RowLabel(const mduLib::PropertyItem& e) const = 0;
    virtual QString RowValueText(const mduLib::PropertyItem& e) const = 0;
    virtual void StoreRowText(mduLib::PropertyItem& e, const QString& text) = 0;
    virtual void ShowValueEditor() = 0;
    // The action button's state after a commit: 0 or -1.
    virtual int CommitState() const = 0;
    virtual void ActionButton_Click() = 0;
    // Adds the dialog's own items to the right-click menu between the sort entries and Close.
    virtual void AddMenuItems(QMenu& menu) = 0;
    virtual void BeforeMenuPopup() {}
    virtual void OtherMouseDown() {}
    // Whether a commit marks the dialog changed only when the row's text differs.
    virtual bool CommitMarksOnlyEdits() const { return false; }
    virtual void AfterLoad() {}
    // The save question at closing: the answer, 6 for Yes.
    virtual int AskSave(const QString& prompt) = 0;
    virtual QString SaveTitle() const = 0;
    // The file the table is written to, and what follows a written file.
    virtual QString SavePath() = 0;
    // Writes the table to SavePath(); the whole table unless a dialog knows better, and
    // never over a file that cannot be read whole.
    virtual bool WriteTable();
    virtual void AfterSave() {}
    // The action button's caption in its state 0.
    virtual QString IdleCaption() const = 0;
    // The value column's editors beyond the text box.
    virtual void SetupValueEditors() {}
    virtual void OnKeyDown(int /*keyCode*/) {}
    virtual void GridKeyPress() {}
    virtual QString RefreshQuestion() const = 0;
    virtual QString RefreshTitle() const = 0;
    virtual void MarkRefreshed() = 0;

    // ---- helpers for the dialogs ----
    void RememberCaller(CalendarCaller* caller);
    // The start of a show operation beside the caller (4755 x 6165, left edge on the
    // caller's middle) or as a child window at x, y (6000 x 8000): the window loaded and
    // placed, its Tag the key, the caller remembered and the action button's Tag "0".
    EntryTableWindow& OpenBeside(CalendarCaller* caller, const QString& strKey);
    EntryTableWindow& OpenAsChild(CalendarCaller* caller, qint32 x, qint32 y, const QString& strKey);
    // After the list shows another file: its first row current and in view, nothing of the
    // file shown before committed into it.
    void ShowFromFirstRow();
    // The read-only new-file mode: caption "... _", "Save" disabled.
    void EnterNewFileMode();
    // The column widths of a child window.
    void SetChildColumnWidths();
    // Shows the window without blocking; owned by the caller unless it is a child window.
    void ShowWindow(bool owned);
    void SetTopmost(bool on);
    // A child window of the frame goes back above a month window that takes the focus.
    static void KeepAboveOtherChildren(EntryTableWindow& w);
    // Through the caller's message box, or a plain one when the caller is gone.
    int Ask(const QString& prompt, int buttons, const QString& title);
    // A box of the dialog's own, owned by its window.
    int Tell(const QString& prompt, int buttons, const QString& title);
    // After a question the desktop may hand the activation to another window (the opener):
    // the dialog takes it back, so that the next key reaches its editor. Not while closing.
    void TakeActivationBack();
    class ActivationBack {
    public:
        explicit ActivationBack(EntryTableDialog& dialog) : dialog_(dialog) {}
        ~ActivationBack() { dialog_.TakeActivationBack(); }
        ActivationBack(const ActivationBack&) = delete;
        ActivationBack& operator=(const ActivationBack&) = delete;

    private:
        EntryTableDialog& dialog_;
    };
    // An open editor's text goes into its cell first, so that nothing typed is lost.
    void CommitOpenEditor();
    void CommitCurrentRow();
    // The current row's cell differs from what its entry shows (an edit not yet committed).
    bool CurrentRowEdited();
    // Writes the table to SavePath; false (and nothing written) when it could not be.
    bool SaveTable();
    // Says that the file could not be written.
    void ReportSaveFailure();
    // Before unsaved edits would be dropped (closing, loading another file): asks whether
    // to save them. False when a save failed and the user keeps the edits; instead is
    // what would happen ("Close", ...), mayKeep whether the user may still say no.
    bool OfferToSaveEdits(const QString& instead, bool mayKeep);
    void AddCloseItem(QMenu& menu);
    static QAction* AddItem(QMenu& menu, const QString& caption, std::function<void()> handler);
    int RowsShown() const { return static_cast<int>(RowEntries.size()); }
    mduLib::PropertyItem& EntryOfRow(qint32 row) { return Table()[RowEntries[static_cast<size_t>(row - 1)]]; }

private:
    void BuildMenu();
    QPointer<EntryTableWindow> window_;
    QPointer<platform::Form> callerForm_;
    CalendarCaller* caller_ = nullptr;
    qint32 leftRow_ = 0; // the row the grid's last move left
    bool closing_ = false;
    bool showingAnew_ = false; // ShowFromFirstRow moves: no row of the old file is due
};

namespace entrytable {
// The grid's stored properties as the host windows were designed with them; extentX is
// the grid's designed width in the layout's units.
platform::PropertyBag DesignedGridBag(qint32 extentX);
} // namespace entrytable
