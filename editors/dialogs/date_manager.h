#pragma once
// The date manager: the entries of one date file (a year's special dates or the personal
// dates) as "dd/mm:Section" and value. "Save" writes the file and has the calendar windows
// reload their date tables; the right-click menu loads the neighbouring years or the
// personal dates and resets a file to its first contents.
#include "entry_table_dialog.h"

class frmDateManager : public EntryTableDialog {
public:
    frmDateManager();
    ~frmDateManager() override;

    // The one date manager of the run, made on first use.
    static frmDateManager& Default();

    void SetCalendarDateChanged(qint16 intSet) { ChangedElsewhere = intSet; }
    // Loads the year date file of the year strKey and shows it beside the caller.
    void ShowCalendarDate(CalendarCaller* Caller, const QString& strKey);
    // As a child window, listing the table as it is; a non-zero intEdit is the read-only
    // new-file mode.
    void ShowCalendarDateMDIChild(CalendarCaller* Caller, qint32 x, qint32 y, const QString& strKey, qint16 intEdit);

    // The right-click menu's load and reset items.
    void LoadPreviousYear_Click() { LoadDates(YearText(-1)); }
    void LoadCurrentYear_Click() { LoadDates(YearText(0)); }
    void LoadNextYear_Click() { LoadDates(YearText(1)); }
    void LoadPersonalDates_Click();
    void ResetDates_Click();
    // Marks the dialog changed and enables "Save".
    void MarkChanged();
    // Refills the list in table order (nothing calls it).
    void ReloadGrid();

    // The handlers under the host's names.
    void grdCalendarDate_RowColChange() { Grid_RowColChange(); }
    void grdCalendarDate_DblClick() { Grid_DblClick(); }
    void grdCalendarDate_GotFocus() { Grid_GotFocus(); }

    mduLib::PropertyTable DateTable;
    QString DateFilePath;
    QString DateKey;

protected:
    QString FormName() const override { return QStringLiteral("frmDateManager"); }
    QString GridName() const override { return QStringLiteral("grdCalendarDate"); }
    QString CaptionPrefix() const override { return QStringLiteral("Date Manager for - "); }
    QString KeyTitle() const override { return QStringLiteral("CalendarDate"); }
    double KeyColumnFactor() const override { return 0.30; }
    double ValueColumnFactor() const override { return 0.68; }
    bool LeftAlignsKeyColumn() const override { return true; }
    bool IsTopmost() const override { return false; }
    mduLib::PropertyTable& Table() override { return DateTable; }
    QString RowLabel(const mduLib::PropertyItem& e) const override;
    QString RowValueText(const mduLib::PropertyItem& e) const override { return e.Value; }
    void StoreRowText(mduLib::PropertyItem& e, const QString& text) override;
    void ShowValueEditor() override;
    int CommitState() const override { return -1; }
    void ActionButton_Click() override;
    void AddMenuItems(QMenu& menu) override;
    void BeforeMenuPopup() override;
    void OtherMouseDown() override { MarkChanged(); }
    // A right press opens an edit too; committing it untouched is no change.
    bool CommitMarksOnlyEdits() const override { return true; }
    void GridKeyPress() override { MarkChanged(); }
    void AfterLoad() override;
    int AskSave(const QString& prompt) override;
    QString SaveTitle() const override { return QStringLiteral("Save Calendar Dates"); }
    QString SavePath() override { return DateFilePath; }
    bool WriteTable() override;
    void AfterSave() override;
    QString IdleCaption() const override { return QStringLiteral("Save"); }
    QString RefreshQuestion() const override
    {
        return QStringLiteral("CalendarDate has been changed, do you want to refresh with the new values?");
    }
    QString RefreshTitle() const override { return QStringLiteral("CalendarDate Changed"); }
    void MarkRefreshed() override { MarkChanged(); }

private:
    // The year of the show operation moved by offset, as plain digits.
    QString YearText(int offset) const;
    void LoadDates(const QString& year);
    void LoadFile(const QString& path, const QString& key);
    // Every open calendar window takes the date files again.
    void ReloadCallers();
    QPointer<QAction> resetItem_, previousItem_, currentItem_, nextItem_;
};
