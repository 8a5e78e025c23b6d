#include "date_manager.h"

#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/file_helpers.h"
#include "core/year_dates.h"
#include "entry_table_math.h"
#include "system/message_box.h"

#include <QAction>

using mduAlmanorvqueLib::gPersonalDatesFile;
using mduAlmanorvqueLib::gUserRegionFolder;

frmDateManager::frmDateManager() { DateTable.Create(1); }
frmDateManager::~frmDateManager() = default;

frmDateManager& frmDateManager::Default()
{
    // Kept to the end of the run; its window belongs to the program's forms.
    static auto* instance = new frmDateManager();
    return *instance;
}

QString frmDateManager::RowLabel(const mduLib::PropertyItem& e) const { return entrytable::DateEntryLabel(e); }

void frmDateManager::StoreRowText(mduLib::PropertyItem& e, const QString& text) { e.Value = conv::Trim(text); }

void frmDateManager::ShowValueEditor()
{
    grid().SetCellCtlID(1, kCellText);
    ClearSpareRow(grid().Row());
}

void frmDateManager::AfterLoad()
{
    ActionButton().SetEnabled(false);
    Changed = 0;
}

void frmDateManager::AddMenuItems(QMenu& menu)
{
    previousItem_ = AddItem(menu, QStringLiteral("Load Previous Year"), [this] { LoadPreviousYear_Click(); });
    previousItem_->setObjectName("LoadPreviousYear");
    currentItem_ = AddItem(menu, QStringLiteral("Load Current Year"), [this] { LoadCurrentYear_Click(); });
    currentItem_->setObjectName("LoadCurrentYear");
    nextItem_ = AddItem(menu, QStringLiteral("Load Next Year"), [this] { LoadNextYear_Click(); });
    nextItem_->setObjectName("LoadNextYear");
    AddItem(menu, QStringLiteral("Load Personal Dates"), [this] {
        LoadPersonalDates_Click();
    })->setObjectName("LoadPersonalDates");
    menu.addSeparator();
    resetItem_ = AddItem(menu, QStringLiteral("Reset Dates"), [this] { ResetDates_Click(); });
    resetItem_->setObjectName("ResetDates");
}

QString frmDateManager::YearText(int offset) const
{
    if (offset == 0)
        return Window() ? Window()->Tag : QString();
    const double year = conv::LeadingNumber(Window() ? Window()->Tag : QString());
    return conv::NumberText(year + offset);
}

void frmDateManager::BeforeMenuPopup()
{
    resetItem_->setText((conv::IsNumeric(DateKey) ? QStringLiteral("Reset ") : QStringLiteral("Clear ")) + DateKey +
                        QStringLiteral(" Dates"));
    currentItem_->setText(QStringLiteral("Load ") + YearText(0) + QStringLiteral(" Dates"));
    previousItem_->setText(QStringLiteral("Load ") + YearText(-1) + QStringLiteral(" Dates"));
    nextItem_->setText(QStringLiteral("Load ") + YearText(1) + QStringLiteral(" Dates"));
}

void frmDateManager::ShowCalendarDate(CalendarCaller* Caller, const QString& strKey)
{
    if (!Caller)
        return;
    // Showing the dates again reloads them: edits not saved yet are offered for saving.
    if (Window() && Window()->IsShown() && !OfferToSaveEdits(QStringLiteral("Show the dates again"), true))
        return;
    EntryTableWindow& w = OpenBeside(Caller, strKey);
    if (!w.IsShown())
        w.SetMDIChild(Caller->CallerForm().MDIChild());
    if (w.MDIChild())
        SetChildColumnWidths();
    ShowWindow(!w.MDIChild());
    NewFileMode = 0;
    DateFilePath = gUserRegionFolder + strKey;
    DateTable.Create(1);
    mduLib::LoadIniFile(DateFilePath, DateTable);
    DateKey = strKey;
    FillGrid(2, 0);
    ShowFromFirstRow();
    Changed = 0;
}

void frmDateManager::ShowCalendarDateMDIChild(CalendarCaller* Caller, qint32 x, qint32 y, const QString& strKey,
                                              qint16 intEdit)
{
    if (!Caller)
        return;
    EntryTableWindow& w = OpenAsChild(Caller, x, y, strKey);
    if (intEdit != 0) {
        EnterNewFileMode();
    } else {
        w.SetCaption(CaptionPrefix() + w.Tag);
        NewFileMode = 0;
    }
    RememberCaller(Caller);
    ActionButton().Tag = QStringLiteral("0");
    FillGrid(2, 0);
    grid().Tag = QStringLiteral("2,0");
    if (!w.MDIChild())
        w.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    ShowWindow(false);
    Changed = 0;
    EnableEditing(NewFileMode == 0);
}

void frmDateManager::MarkChanged()
{
    Changed = -1;
    if (Window())
        ActionButton().SetEnabled(true);
}

void frmDateManager::ReloadGrid()
{
    FillGrid(2, 0);
    grid().Tag = QStringLiteral("2,0");
    SetActionButton(-1);
    MarkChanged();
}

void frmDateManager::ActionButton_Click()
{
    CommitCurrentRow();
    CommitCurrentRow();
    if (!SaveTable()) {
        // Nothing was written: the edits stay marked and "Save" stays on.
        ReportSaveFailure();
        return;
    }
    ActionButton().SetEnabled(false);
    Changed = 0;
    SetCalendarDateChanged(0);
}

// Only what was edited here goes into the file as it is now: what a calendar window or
// another copy of the program wrote to it meanwhile stays.
bool frmDateManager::WriteTable() { return mduLib::SaveIniFileMerged(DateTable, DateFilePath); }

void frmDateManager::AfterSave() { ReloadCallers(); }

void frmDateManager::ReloadCallers()
{
    // The window that opened the manager first, then every other calendar window, so
    // that none of them later writes its older tables over the file.
    CalendarCaller* caller = Caller();
    if (caller)
        caller->ReloadDatesOf(DateFilePath);
    for (platform::Form* f : platform::Form::AllForms()) {
        auto* other = dynamic_cast<CalendarCaller*>(f);
        if (other && other != caller && f->IsLoaded())
            other->ReloadDatesOf(DateFilePath);
    }
}

void frmDateManager::LoadFile(const QString& path, const QString& key)
{
    // Loading another file would drop what was edited in this one.
    if (!OfferToSaveEdits(QStringLiteral("Load the other dates"), true))
        return;
    grid().Clear();
    DateTable.Create(1);
    DateFilePath = path;
    DateKey = key;
    mduLib::LoadIniFile(DateFilePath, DateTable);
    FillGrid(2, 1);
    ShowFromFirstRow();
    Window()->SetCaption(CaptionPrefix() + DateKey);
}

void frmDateManager::LoadDates(const QString& year) { LoadFile(gUserRegionFolder + year, year); }

void frmDateManager::LoadPersonalDates_Click() { LoadFile(gPersonalDatesFile, QStringLiteral("Personal")); }

void frmDateManager::ResetDates_Click()
{
    mduLib::DeleteFileFso(DateFilePath);
    DateTable.Create(1);
    grid().Clear();
    if (conv::IsNumeric(DateKey)) {
        mduAlmanorvqueLib::PrepareYearDatesFile(DateKey);
        mduLib::LoadIniFile(gUserRegionFolder + DateKey, DateTable);
    }
    FillGrid(2, 0);
    ShowFromFirstRow();
    MarkChanged();
    // The file changed on disk: the windows' older tables must not bring the old entries back.
    ReloadCallers();
}

int frmDateManager::AskSave(const QString& prompt)
{
    Window()->raise();
    Window()->activateWindow();
    return Tell(prompt, platform::vbYesNo, SaveTitle());
}
