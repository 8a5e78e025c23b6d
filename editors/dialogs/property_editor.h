#pragma once
// The property editor: a window's settings (the shared gPropertyTable, filled by the
// opener) as keys and values. An option value is changed with a pick list of its offered
// choices, any other value is typed. The action button alternates between "Apply" (the
// opener takes the table) and "Save" (the table goes to the settings file).
#include "entry_table_dialog.h"

class frmProperties : public EntryTableDialog {
public:
    frmProperties();
    ~frmProperties() override;

    // The one property editor of the run, made on first use.
    static frmProperties& Default();

    void SetPropertyChanged(qint16 intSet) { ChangedElsewhere = intSet; }
    // Beside the caller, as a window of its own.
    void ShowProperty(CalendarCaller* Caller, const QString& strKey);
    // As a child window of the multi-calendar frame; a non-zero intEdit opens a read-only
    // list in new-file mode.
    void ShowPropertyMDIChild(CalendarCaller* Caller, qint32 x, qint32 y, const QString& strKey, qint16 intEdit);

    // The file "Save" writes.
    QString GetPropertyFile();
    // F5 and "Refresh By Default  (F5)": the opener's default settings file.
    void LoadDefaultProperties();
    // "Reload Properties": the table again, in table order.
    void ReloadGrid();

    // The handlers under the host's names.
    void grdProperty_RowColChange() { Grid_RowColChange(); }
    void grdProperty_DblClick() { Grid_DblClick(); }
    void grdProperty_GotFocus() { Grid_GotFocus(); }

protected:
    QString FormName() const override { return QStringLiteral("frmProperties"); }
    QString GridName() const override { return QStringLiteral("grdProperty"); }
    QString CaptionPrefix() const override { return QStringLiteral("Properties - "); }
    QString KeyTitle() const override { return QStringLiteral("Property"); }
    double KeyColumnFactor() const override { return 0.58; }
    double ValueColumnFactor() const override { return 0.30; }
    bool LeftAlignsKeyColumn() const override { return false; }
    bool IsTopmost() const override { return true; }
    mduLib::PropertyTable& Table() override;
    QString RowLabel(const mduLib::PropertyItem& e) const override { return e.Key; }
    QString RowValueText(const mduLib::PropertyItem& e) const override;
    void StoreRowText(mduLib::PropertyItem& e, const QString& text) override;
    void ShowValueEditor() override;
    int CommitState() const override { return 0; }
    void ActionButton_Click() override;
    void AddMenuItems(QMenu& menu) override;
    int AskSave(const QString& prompt) override;
    QString SaveTitle() const override { return QStringLiteral("Save Property"); }
    QString SavePath() override { return GetPropertyFile(); }
    bool WriteTable() override;
    QString IdleCaption() const override { return QStringLiteral("Apply"); }
    void SetupValueEditors() override;
    void OnKeyDown(int keyCode) override;
    QString RefreshQuestion() const override
    {
        return QStringLiteral("Property has been changed, do you want to refresh with the new values?");
    }
    QString RefreshTitle() const override { return QStringLiteral("Property Changed"); }
    void MarkRefreshed() override { Changed = -1; }

private:
    void SaveNewFile();
};
