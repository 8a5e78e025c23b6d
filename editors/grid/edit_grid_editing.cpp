// The cell editing cycle: what starts an edit, showing and placing the editor, the commit,
// dropping and cancelling, the keys of the editors and Enter's move to the next cell.
#include "edit_grid.h"

bool ctlEditGrid::EditGuard() const
{
    // The pointer over column 0, a struck-through cell or editing switched off: no edit.
    const qint16 overData = ctlGrid.MouseCol() != 0 ? -1 : 0;
    const qint16 notStruck = ctlGrid.CellFontStrikeThrough() ? 0 : -1;
    return (overData & notStruck & m_Editable) != 0;
}

void ctlEditGrid::StartCellEdit(int KeyAscii)
{
    if (!EditGuard())
        return;
    m_LastEditRow = ctlGrid.Row();
    if (ColumnOrNone(ctlGrid.Col()).Visible != 0) {
        // No edit of a cell the user cannot see, nor in an editor cut off by the edge.
        ctlGrid.ShowCell(ctlGrid.Row(), ctlGrid.Col());
        ShowCellCtl(KeyAscii);
    }
}

void ctlEditGrid::ShowCellCtl(int KeyAscii)
{
    const qint32 col = ctlGrid.Col();
    const qint16 kind = ColumnOrNone(col).CtlType;
    const QString cellText = ctlGrid.Text();
    const QString typed = KeyAscii < 32 ? QString() : TypedText(KeyAscii);
    auto fillTextBox = [&] {
        if (KeyAscii < 32) {
            ctlText.SetText(cellText);
            ctlText.SetSelStart(0);
            ctlText.SetSelLength(static_cast<int>(cellText.size()));
        } else {
            ctlText.SetText(typed);
            ctlText.SetSelStart(static_cast<int>(typed.size()));
        }
    };
    switch (kind) {
    case kCellPickList: {
        if (!ctlCombo.Exists(col))
            return;
        platform::ComboBox& combo = ctlCombo(col);
        PositionCellCtl(combo);
        if (combo.ListCount() < 1)
            return;
        edit_ = {true, kind, col};
        combo.ZOrder(0);
        combo.SetVisible(true);
        // A text that is no entry shows no entry, not one left from an earlier edit.
        if (!HasComboItem(combo, cellText))
            combo.SetListIndex(-1);
        SelectComboItem(combo, cellText);
        combo.SetFocus();
        break;
    }
    case kCellSpin:
        edit_ = {true, kind, col};
        PositionCellCtl(ctlUpDown);
        ctlUpDown.ZOrder(0);
        ctlUpDown.SetVisible(true);
        ctlUpDown.SetFocus();
        PositionCellCtl(ctlText);
        ctlText.ZOrder(0);
        ctlText.SetVisible(true);
        ctlText.SetFocus();
        fillTextBox();
        break;
    case kCellText:
        edit_ = {true, kind, col};
        PositionCellCtl(ctlText);
        ctlText.SetVisible(true);
        ctlText.SetFocus();
        fillTextBox();
        break;
    case kCellComboEdit: {
        if (!ctlComboEdit.Exists(col))
            return;
        platform::ComboBox& combo = ctlComboEdit(col);
        edit_ = {true, kind, col};
        PositionCellCtl(combo);
        combo.ZOrder(0);
        combo.SetVisible(true);
        combo.SetFocus();
        if (KeyAscii < 32) {
            SelectOrAddComboEditItem(combo, cellText);
        } else {
            combo.SetText(typed);
            combo.SetSelStart(static_cast<int>(typed.size()));
        }
        break;
    }
    default:
        break;
    }
}

QString ctlEditGrid::TypedText(int KeyAscii) const
{
    // The key event's whole text while the key is the one typed (a character outside the
    // Basic Multilingual Plane is two UTF-16 units, a composed one may be several
    // characters); a key the host changed is that one character.
    const QString& typed = ctlGrid.TypedText();
    if (!typed.isEmpty() && typed.toUcs4().value(0) == static_cast<char32_t>(KeyAscii))
        return typed;
    const char32_t code = static_cast<char32_t>(KeyAscii);
    return QString::fromUcs4(&code, 1);
}

void ctlEditGrid::PositionCellCtl(platform::UpDown& editor)
{
    editor.Move(ctlGrid.CellLeft() + ctlGrid.CellWidth(), ctlGrid.CellTop() - 10, 240, ctlGrid.CellHeight());
}

void ctlEditGrid::PositionCellCtl(platform::TextBox& editor)
{
    editor.Move(ctlGrid.CellLeft() - 10, ctlGrid.CellTop() - 10, ctlGrid.CellWidth() + 20, ctlGrid.CellHeight());
}

void ctlEditGrid::PositionCellCtl(platform::ComboBox& editor)
{
    editor.SetTop(ctlGrid.CellTop() - 10);
    if (ctlGrid.CellLeft() - 10 > 0)
        editor.SetLeft(ctlGrid.CellLeft() - 10);
    if (ctlGrid.CellWidth() + 10 > 0)
        editor.SetWidth(ctlGrid.CellWidth() + 10);
}

bool ctlEditGrid::EditorVisible(qint16 kind, qint32 col)
{
    switch (kind) {
    case kCellPickList:
        return ctlCombo.Exists(col) && ctlCombo(col).Visible();
    case kCellSpin:
    case kCellText:
        return ctlText.Visible();
    case kCellComboEdit:
        return ctlComboEdit.Exists(col) && ctlComboEdit(col).Visible();
    default:
        return false;
    }
}

QString ctlEditGrid::EditorText(qint16 kind, qint32 col)
{
    switch (kind) {
    case kCellPickList:
        return ctlCombo(col).Text();
    case kCellComboEdit:
        return ctlComboEdit(col).Text();
    default:
        return ctlText.Text();
    }
}

bool ctlEditGrid::HasComboItem(platform::ComboBox& combo, const QString& text)
{
    for (int i = 0; i < combo.ListCount(); ++i)
        if (combo.List(i) == text)
            return true;
    return false;
}

bool ctlEditGrid::PickListUnchosen()
{
    // Leaving a pick list without choosing an entry keeps the cell's text, which may be
    // none of the entries; only Delete empties the cell.
    return edit_.kind == kCellPickList && ctlCombo.Exists(edit_.col) && ctlCombo(edit_.col).ListIndex() < 0 &&
           !edit_.cleared;
}

void ctlEditGrid::CommitCellCtl()
{
    const qint32 row = ctlGrid.Row(), col = ctlGrid.Col();
    // Only an edit the control opened writes: an editor a host merely made visible, or
    // one emptied by a reset, never overwrites the cell.
    if (edit_.open && EditorVisible(edit_.kind, edit_.col) && !PickListUnchosen())
        ctlGrid.SetTextMatrix(row, col, EditorText(edit_.kind, edit_.col));
    ctlGrid.SetTextMatrix(row, col, FormatCellText(ctlGrid.TextMatrix(row, col), col));
}

void ctlEditGrid::TakeFocusFrom(qint16 kind, qint32 col)
{
    // Hiding the focused editor would hand the focus to whatever comes next in the
    // window; it goes back to the grid instead.
    bool focused = false;
    switch (kind) {
    case kCellPickList:
        focused = ctlCombo.Exists(col) && ctlCombo(col).HasFocus();
        break;
    case kCellSpin:
    case kCellText:
        focused = ctlText.HasFocus();
        break;
    case kCellComboEdit:
        focused = ctlComboEdit.Exists(col) && ctlComboEdit(col).HasFocus();
        break;
    default:
        break;
    }
    if (focused)
        ctlGrid.setFocus(Qt::OtherFocusReason);
}

void ctlEditGrid::DropEditor(qint16 kind, qint32 col)
{
    TakeFocusFrom(kind, col);
    switch (kind) {
    case kCellPickList:
        if (ctlCombo.Exists(col)) {
            ctlCombo(col).SetVisible(false);
            ctlCombo(col).SetListIndex(-1);
        }
        break;
    case kCellSpin:
        ctlUpDown.SetVisible(false);
        ctlText.SetVisible(false);
        ctlUpDown.SetValue(0);
        ctlText.SetText(QString());
        break;
    case kCellText:
        ctlText.SetVisible(false);
        ctlText.SetText(QString());
        break;
    case kCellComboEdit:
        if (ctlComboEdit.Exists(col)) {
            ctlComboEdit(col).SetVisible(false);
            ctlComboEdit(col).SetText(QString());
        }
        break;
    default:
        break;
    }
}

void ctlEditGrid::HideCellCtl()
{
    const EditSession was = edit_;
    edit_.open = false;
    const qint32 col = ctlGrid.Col();
    DropEditor(ColumnOrNone(col).CtlType, col);
    if (was.open && (was.kind != ColumnOrNone(col).CtlType || was.col != col))
        DropEditor(was.kind, was.col);
}

void ctlEditGrid::ClearCellCtl()
{
    const qint32 col = ctlGrid.Col();
    const qint16 kind = ColumnOrNone(col).CtlType;
    // The editor no longer stands for the cell: nothing it shows is committed. After a
    // refill the row under it may hold another entry, so no editor stays open where what
    // is typed would go nowhere: the text box is hidden with the others.
    const EditSession was = edit_;
    edit_.open = false;
    switch (kind) {
    case kCellPickList:
        if (ctlCombo.Exists(col)) {
            ctlCombo(col).SetListIndex(-1);
            TakeFocusFrom(kind, col);
            ctlCombo(col).SetVisible(false);
        }
        break;
    case kCellSpin:
    case kCellText:
        ctlText.SetText(QString());
        TakeFocusFrom(kind, col);
        ctlText.SetVisible(false);
        break;
    case kCellComboEdit:
        if (ctlComboEdit.Exists(col)) {
            ctlComboEdit(col).SetListIndex(-1);
            TakeFocusFrom(kind, col);
            ctlComboEdit(col).SetVisible(false);
        }
        break;
    default:
        break;
    }
    if (was.open && (was.kind != kind || was.col != col))
        DropEditor(was.kind, was.col);
}

void ctlEditGrid::CancelCellEditIfAllowed()
{
    if (EditGuard() && ColumnOrNone(ctlGrid.Col()).Visible != 0)
        CancelCellEdit();
}

void ctlEditGrid::CancelCellEdit()
{
    const qint32 col = ctlGrid.Col();
    const qint16 kind = ColumnOrNone(col).CtlType;
    const QString cellText = ctlGrid.Text();
    switch (kind) {
    case kCellPickList: {
        if (!ctlCombo.Exists(col))
            return;
        platform::ComboBox& combo = ctlCombo(col);
        // A cell text that is no entry cannot be shown: nothing chosen stands for it.
        const bool listed = HasComboItem(combo, cellText);
        if (combo.Text() == cellText || (!listed && combo.ListIndex() < 0)) {
            edit_.open = false;
            TakeFocusFrom(kind, col);
            combo.SetVisible(false);
        }
        if (!listed)
            combo.SetListIndex(-1);
        edit_.cleared = false;
        SelectComboItem(combo, cellText);
        break;
    }
    case kCellSpin:
    case kCellText:
        if (ctlText.Text() == cellText) {
            edit_.open = false;
            TakeFocusFrom(kind, col);
            ctlText.SetVisible(false); // the spin arrows stay
        }
        ctlText.SetText(cellText);
        break;
    case kCellComboEdit: {
        if (!ctlComboEdit.Exists(col))
            return;
        platform::ComboBox& combo = ctlComboEdit(col);
        if (combo.Text() == cellText) {
            edit_.open = false;
            TakeFocusFrom(kind, col);
            combo.SetVisible(false);
        }
        combo.SetText(cellText);
        break;
    }
    default:
        break;
    }
}

void ctlEditGrid::HandleEditKey(int keyCode)
{
    switch (keyCode) {
    case 13: {
        const qint32 row = ctlGrid.Row(), col = ctlGrid.Col();
        if (m_CellColMove != 0)
            MoveNextRow();
        else
            MoveNextCell();
        // On the last cell nothing moves and no LeaveCell commits: commit here, or the
        // restart below would refill the editor from the old text.
        if (ctlGrid.Row() == row && ctlGrid.Col() == col)
            CommitCellCtl();
        ctlGrid.ShowCell(ctlGrid.Row(), ctlGrid.Col());
        StartCellEdit(0);
        break;
    }
    case 33:
    case 34:
        HideCellCtl();
        break;
    default:
        break;
    }
}

void ctlEditGrid::MoveNextCell()
{
    if (ctlGrid.Col() < ctlGrid.Cols() - 1) {
        ctlGrid.SetCol(ctlGrid.Col() + 1);
    } else if (ctlGrid.Row() < ctlGrid.Rows() - 1) {
        ctlGrid.SetCol(1);
        ctlGrid.SetRow(ctlGrid.Row() + 1);
    }
}

void ctlEditGrid::MoveNextRow()
{
    if (ctlGrid.Row() < ctlGrid.Rows() - 1)
        ctlGrid.SetRow(ctlGrid.Row() + 1);
}

void ctlEditGrid::MovePrevCell()
{
    if (ctlGrid.Col() >= 2) {
        ctlGrid.SetCol(ctlGrid.Col() - 1);
    } else if (ctlGrid.Row() >= 2) {
        ctlGrid.SetCol(1);
        ctlGrid.SetRow(ctlGrid.Row() - 1);
    }
}

void ctlEditGrid::MovePrevRow()
{
    if (ctlGrid.Row() > 1)
        ctlGrid.SetRow(ctlGrid.Row() - 1);
}

// ---- keys and focus of the editors ----

void ctlEditGrid::ctlText_KeyDown(int /*Index*/, int& KeyCode, int /*Shift*/)
{
    switch (KeyCode) {
    case 13:
    case 33:
    case 34:
        HandleEditKey(KeyCode);
        KeyCode = 0;
        break;
    case 27:
        CancelCellEditIfAllowed();
        KeyCode = 0;
        break;
    default:
        break;
    }
}

bool ctlEditGrid::ComboEditKey(platform::ComboBox& combo, int& KeyCode)
{
    switch (KeyCode) {
    case 13:
        HandleEditKey(13);
        break;
    case 27:
        CancelCellEditIfAllowed();
        break;
    case 46: // no entry chosen: the list shows no text, a combo's field empties
        combo.SetListIndex(-1);
        edit_.cleared = true;
        break;
    default:
        return false;
    }
    KeyCode = 0;
    return true;
}

void ctlEditGrid::ctlCombo_KeyDown(int Index, int& KeyCode, int /*Shift*/)
{
    switch (KeyCode) {
    case 8:
    case 9:
    case 33:
    case 34:
    case 35:
    case 36:
    case 37:
    case 38:
    case 39:
    case 40:
        return;
    case 13:
        CommitCellCtl();
        break;
    default:
        break;
    }
    if (!ComboEditKey(ctlCombo(Index), KeyCode))
        CommitCellCtl(); // before the key moves the selection
}

void ctlEditGrid::ctlComboEdit_KeyDown(int Index, int& KeyCode, int /*Shift*/)
{
    ComboEditKey(ctlComboEdit(Index), KeyCode);
}

void ctlEditGrid::ctlText_LostFocus(int /*Index*/)
{
    CommitCellCtl();
    if (edit_.kind == kCellText || edit_.kind == kCellSpin)
        edit_.open = false;
    ctlText.SetVisible(false);
    ctlUpDown.SetVisible(false);
}

void ctlEditGrid::ctlCombo_LostFocus(int Index)
{
    CommitCellCtl();
    if (edit_.kind == kCellPickList && edit_.col == Index)
        edit_.open = false;
    ctlCombo(Index).SetVisible(false);
}

void ctlEditGrid::ctlComboEdit_LostFocus(int Index)
{
    CommitCellCtl();
    if (edit_.kind == kCellComboEdit && edit_.col == Index)
        edit_.open = false;
    ctlComboEdit(Index).SetVisible(false);
}

// ---- the inner grid's events: the host's handler first, then the control's steps ----

namespace {
template <class Handler, class... Args> void Raise(const Handler& handler, Args&... args)
{
    if (handler)
        handler(args...);
}
} // namespace

void ctlEditGrid::ctlGrid_Click() { Raise(Events.Click); }
void ctlEditGrid::ctlGrid_DblClick() { Raise(Events.DblClick); }
void ctlEditGrid::ctlGrid_KeyDown(int& KeyCode, int& Shift) { Raise(Events.KeyDown, KeyCode, Shift); }
void ctlEditGrid::ctlGrid_KeyUp(int& KeyCode, int& Shift) { Raise(Events.KeyUp, KeyCode, Shift); }
void ctlEditGrid::ctlGrid_Validate(bool& Cancel) { Raise(Events.Validate, Cancel); }
void ctlEditGrid::ctlGrid_SelChange() { Raise(Events.SelChange); }
void ctlEditGrid::ctlGrid_RowColChange() { Raise(Events.RowColChange); }
void ctlEditGrid::ctlGrid_OLECompleteDrag(qint32& Effect) { Raise(Events.OLECompleteDrag, Effect); }
void ctlEditGrid::ctlGrid_EnterCell() { Raise(Events.EnterCell); }

void ctlEditGrid::ctlGrid_Compare(qint32 Row1, qint32 Row2, int& Cmp)
{
    if (Events.Compare)
        Events.Compare(Row1, Row2, Cmp);
}

void ctlEditGrid::ctlGrid_MouseMove(int& Button, int& Shift, float& x, float& y)
{
    Raise(Events.MouseMove, Button, Shift, x, y);
}

void ctlEditGrid::ctlGrid_MouseUp(int& Button, int& Shift, float& x, float& y)
{
    Raise(Events.MouseUp, Button, Shift, x, y);
}

void ctlEditGrid::ctlGrid_KeyPress(int& KeyAscii)
{
    Raise(Events.KeyPress, KeyAscii);
    StartCellEdit(KeyAscii);
}

void ctlEditGrid::ctlGrid_MouseDown(int& Button, int& Shift, float& x, float& y)
{
    Raise(Events.MouseDown, Button, Shift, x, y);
    if (ctlGrid.RowSel() == ctlGrid.Row()) {
        StartCellEdit(0);
    } else {
        ShowColCombo();
        HideCellCtl();
    }
}

void ctlEditGrid::ctlGrid_Scroll()
{
    Raise(Events.Scroll);
    if (following_)
        return; // a new size brought the edited cell into view: the edit goes on
    // The editor does not follow the scrolled cells, but what was typed is kept: the
    // current cell has not changed. (PgUp and PgDn in the text box drop it on purpose.)
    if (edit_.open && EditorVisible(edit_.kind, edit_.col))
        CommitCellCtl();
    HideCellCtl();
}

void ctlEditGrid::ctlGrid_LeaveCell()
{
    Raise(Events.LeaveCell);
    CommitCellCtl();
    HideCellCtl();
}
