#include "property_editor.h"

#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/file_helpers.h"
#include "core/settings_templates.h"
#include "entry_table_math.h"
#include "system/message_box.h"

using mduAlmanorvqueLib::gIniFile;
using mduAlmanorvqueLib::gPropertyTable;
using mduAlmanorvqueLib::gStylesFolder;

frmProperties::frmProperties() = default;
frmProperties::~frmProperties() = default;

frmProperties& frmProperties::Default()
{
    // Kept to the end of the run; its window belongs to the program's forms.
    static auto* instance = new frmProperties();
    return *instance;
}

mduLib::PropertyTable& frmProperties::Table() { return gPropertyTable; }

QString frmProperties::RowValueText(const mduLib::PropertyItem& e) const { return entrytable::SettingValueText(e); }

void frmProperties::StoreRowText(mduLib::PropertyItem& e, const QString& text)
{
    // The row's own entry: a key with blanks around it, or one that appears twice, is
    // still the entry the row shows.
    entrytable::StoreSettingText(e, text);
}

void frmProperties::SetupValueEditors()
{
    grid().SetCellCtl(1, kCellPickList);
    grid().GetComboCtl(1)->SetVisible(false);
}

void frmProperties::ShowValueEditor()
{
    ctlEditGrid& g = grid();
    platform::ComboBox& list = *g.GetComboCtl(1);
    list.Clear();
    const qint32 row = g.Row();
    if (IsItemRow(row))
        for (const QString& choice : entrytable::OfferedChoices(EntryOfRow(row)))
            list.AddItem(choice);
    // The editor is chosen here; the grid shows it over the cell when an edit starts, so
    // that no empty editor stands over a cell the user only moved to.
    if (list.ListCount() > 1) {
        g.SetCellCtlID(1, kCellPickList);
        g.GetCellTextBox(0).SetVisible(false);
    } else {
        g.SetCellCtlID(1, kCellText);
        list.SetVisible(false);
    }
    ClearSpareRow(row);
}

void frmProperties::AddMenuItems(QMenu& menu)
{
    AddItem(menu, QStringLiteral("Reload Properties"), [this] { ReloadGrid(); })->setObjectName("ReloadProperties");
    AddItem(menu, QStringLiteral("Refresh By Default  (F5)"), [this] {
        LoadDefaultProperties();
    })->setObjectName("RefreshByDefault");
}

void frmProperties::OnKeyDown(int keyCode)
{
    if (keyCode == 116) // F5
        LoadDefaultProperties();
}

void frmProperties::ShowProperty(CalendarCaller* Caller, const QString& strKey)
{
    if (!Caller)
        return;
    EntryTableWindow& w = OpenBeside(Caller, strKey);
    ActionButton().SetCaption(QStringLiteral("Apply"));
    FillGrid(2, 0);
    grid().Tag = QStringLiteral("2,0");
    ShowWindow(!w.MDIChild());
    NewFileMode = 0;
    EnableEditing(true);
    Changed = 0;
}

void frmProperties::ShowPropertyMDIChild(CalendarCaller* Caller, qint32 x, qint32 y, const QString& strKey,
                                         qint16 intEdit)
{
    if (!Caller)
        return;
    EntryTableWindow& w = OpenAsChild(Caller, x, y, strKey);
    if (!w.IsShown())
        // A child window of the frame that its caller lives in, or of the frame itself.
        w.SetMDIChild(Caller->FrameForm() != nullptr);
    if (intEdit == 0) {
        w.SetCaption(CaptionPrefix() + w.Tag);
        NewFileMode = 0;
    } else {
        EnterNewFileMode();
    }
    RememberCaller(Caller);
    ActionButton().Tag = QStringLiteral("0");
    if (NewFileMode == 0)
        ActionButton().SetCaption(QStringLiteral("Apply"));
    FillGrid(2, 0);
    grid().Tag = QStringLiteral("2,0");
    ShowWindow(false);
    Changed = 0;
    EnableEditing(NewFileMode == 0);
}

QString frmProperties::GetPropertyFile()
{
    if (!Window())
        return gIniFile;
    QString caption = Window()->Caption();
    if (caption.endsWith(u'-'))
        caption.chop(1);
    const QString name = conv::Trim(caption.mid(13));
    if (Window()->MDIChild()) {
        if (name == QLatin1String("AlmanorviqueCentral"))
            return Caller() ? Caller()->IniFile() : QString();
        return gStylesFolder + mduLib::WithIniExtension(name);
    }
    return gIniFile;
}

bool frmProperties::WriteTable()
{
    // The single calendar's own settings file, which the table came from, takes only what
    // was changed, into the file as it is now (another copy's saved settings stay); a style
    // or a new file gets the whole table.
    if (NewFileMode == 0 && Window() && !Window()->MDIChild())
        return mduLib::SaveIniFileMerged(gPropertyTable, SavePath());
    return EntryTableDialog::WriteTable();
}

void frmProperties::ActionButton_Click()
{
    // The state the user pressed: the commit below turns the button back to "Apply".
    const QString state = ActionButton().Tag;
    if (Changed != 0 || state != QLatin1String("2"))
        CommitCurrentRow();
    if (NewFileMode != 0 && state != QLatin1String("2")) {
        SaveNewFile();
    } else if (state == QLatin1String("0")) {
        SetActionButton(-1);
        if (CalendarCaller* c = Caller())
            c->RefreshForm(GetPropertyFile());
    } else if (state == QLatin1String("1")) {
        CommitCurrentRow();
        if (SaveTable()) {
            SetActionButton(0);
            Changed = 0;
        } else {
            // Nothing was written: the edits stay marked, "Save" stays, and the user hears of it.
            SetActionButton(-1);
            ReportSaveFailure();
        }
    } else if (state == QLatin1String("2")) {
        gIniFile = GetPropertyFile();
        Unload();
        return;
    }
    SetPropertyChanged(0);
}

void frmProperties::SaveNewFile()
{
    const QString target = GetPropertyFile();
    if (mduLib::FileExists(target) && Ask(target + QStringLiteral("\r\nexists, do you want to over write this file?"),
                                          platform::vbYesNo, QStringLiteral("Property File Exists")) != platform::vbYes)
        return;
    CommitCurrentRow();
    if (!SaveTable()) {
        ReportSaveFailure();
        return;
    }
    gIniFile = target;
    SetActionButton(2);
    EnableEditing(true);
    Changed = 0;
    NewFileMode = 0;
}

void frmProperties::LoadDefaultProperties()
{
    CalendarCaller* c = Caller();
    const QString path = c ? c->DefaultIniFile() : QString();
    // The defaults are changes to the window's own file, not what that file holds.
    if (!path.isEmpty()) {
        gPropertyTable.MarkChanged();
        mduLib::LoadIniFile(path, gPropertyTable);
    }
    FillGrid(2, 0);
    grid().Tag = QStringLiteral("2,0");
    Changed = -1;
    SetActionButton(0);
}

void frmProperties::ReloadGrid()
{
    FillGrid(2, 0);
    grid().Tag = QStringLiteral("2,0");
    Changed = -1;
    SetActionButton(0);
}

int frmProperties::AskSave(const QString& prompt) { return Ask(prompt, platform::vbYesNo, SaveTitle()); }
