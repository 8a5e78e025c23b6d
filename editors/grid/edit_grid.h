#pragma once
// ctlEditGrid: a flexible grid whose cells are edited in place. For the current cell the
// control shows the editor of the cell's column over it (a text box, a pick list, a spin
// box or an editable combo), fills it from the cell and writes its text back when the
// edit ends. To its host it looks like the inner grid: most members pass through under
// the grid's own names, and the grid's events are raised again, synchronously, before the
// control does its own work on them.
#include "ui/combo_box.h"
#include "ui/control_array.h"
#include "ui/flex_grid.h"
#include "ui/property_bag.h"
#include "ui/text_box.h"
#include "ui/timer.h"
#include "ui/up_down.h"

#include <QStringList>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <optional>
#include <set>
#include <vector>

class QListWidget;

// The editor kinds of a column.
enum CellCtlType : qint16 { kCellNone = 0, kCellPickList = 1, kCellSpin = 2, kCellText = 3, kCellComboEdit = 4 };

struct CellCtlInfo {
    qint16 CtlType = kCellNone;
    qint16 Visible = 0; // editing allowed in the column when not 0
};

// The control's events, raised with the inner grid's arguments.
struct EditGridEvents {
    std::function<void()> Click, DblClick;
    std::function<void(int&Keycode, int&Shift)> KeyDown, KeyUp;
    std::function<void(int& KeyAscii)> KeyPress;
    std::function<void(int&Button, int&Shift, float&x, float&y)> MouseDown, MouseMove, MouseUp;
    std::function<void(bool& Cancel)> Validate;
    std::function<void()> SelChange, Scroll, RowColChange;
    // Declared for the host and never raised.
    std::function<void(QVariant& Data, qint32& AllowedEffects)> OLEStartDrag;
    std::function<void(QVariant& Data, int& Dataformat)> OLESetData;
    std::function<void(qint32& Effect, bool& DefaultCursors)> OLEGiveFeedback;
    std::function<void(QVariant& Data, qint32& Effect, int& Button, int& Shift, float& x, float& y, int& State)>
        OLEDragOver;
    std::function<void(QVariant& Data, qint32& Effect, int& Button, int& Shift, float& x, float& y)> OLEDragDrop;
    std::function<void(qint32& Effect)> OLECompleteDrag;
    std::function<void()> LeaveCell, EnterCell;
    std::function<void()> DropDown; // never raised
    std::function<void(qint32 Row1, qint32 Row2, int& Cmp)> Compare;
};

// A pick list or editable combo handed to the host; using one that was never created
// fails with the missing-element error, handing it out does not.
class ComboRef {
public:
    ComboRef(platform::ControlArray<platform::ComboBox, QWidget>* array, int index) : array_(array), index_(index) {}
    bool Exists() const { return array_->Exists(index_); }
    platform::ComboBox* operator->() const { return &(*array_)(index_); }
    platform::ComboBox& operator*() const { return (*array_)(index_); }

private:
    platform::ControlArray<platform::ComboBox, QWidget>* array_;
    int index_;
};

// Generates the pass-through members of one grid setting: Get reads the grid, Let writes
// it and marks the property changed.
#define EDIT_GRID_LOOK(Type, Name)                                                                                     \
    Type Name() const { return static_cast<Type>(ctlGrid.Look().Name); }                                               \
    void Let##Name(Type v)                                                                                             \
    {                                                                                                                  \
        ctlGrid.SetLook(&platform::FlexLook::Name, static_cast<decltype(platform::FlexLook::Name)>(v));                \
        PropertyChanged(QStringLiteral(#Name));                                                                        \
    }

class ctlEditGrid : public QWidget {
    Q_OBJECT
public:
    explicit ctlEditGrid(QWidget* parent = nullptr, const QString& name = QStringLiteral("ctlEditGrid"));
    ~ctlEditGrid() override;

    // ---- what the container keeps for the control (twips) ----
    const QString& Name() const { return name_; }
    float ControlLeft() const { return left_; }
    float ControlTop() const { return top_; }
    float ControlWidth() const { return width_; }
    float ControlHeight() const { return height_; }
    void Move(float left, float top, float width, float height);
    QString Tag;
    // The focus came to the control (its grid or an editor) from elsewhere.
    std::function<void()> GotFocus;
    // The container hears of every property marked changed.
    std::function<void(const QString& name)> PropertyChangedHook;
    const std::vector<QString>& ChangedProperties() const { return changed_; }
    void ForgetChangedProperties() { changed_.clear(); }

    // ---- model and host set-up ----
    void SetColFormat(const QString& sInColFormat);
    void Setup();
    void SetCellCtl(qint16 iCol, qint16 iCtrType);
    void SetCellCtlID(qint16 iCol, qint16 iCtrType);
    void SetCellCtlVisible(qint16 iCol, qint16 iFlag);
    void SetCellColMove(qint16 iFlag) { m_CellColMove = iFlag; }
    void SetEditableRow(qint16 iEditable) { m_Editable = iEditable; }
    void SetTypeCheckingTime(qint16 iValue) { TimerTypeahead.SetInterval(iValue); }

    ComboRef GetComboCtl(qint16 Index) { return {&ctlCombo, Index}; }
    ComboRef GetComboEditCtl(qint16 Index) { return {&ctlComboEdit, Index}; }
    platform::TextBox& GetCellTextBox(qint16 iCol);
    ComboRef GetCellCombo(qint16 iCol) { return {&ctlCombo, iCol}; }
    ComboRef GetCellComboEdit(qint16 iCol) { return {&ctlComboEdit, iCol}; }
    void ClearCellCombo(qint16 iCol) { ctlCombo(iCol).Clear(); }
    void ClearCellComboEdit(qint16 iCol) { ctlComboEdit(iCol).Clear(); }
    void AddCellComboItem(qint16 Index, const QString& sItem) { ctlCombo(Index).AddItem(sItem); }
    void AddCellComboEditItem(qint16 Index, const QString& sItem) { ctlComboEdit(Index).AddItem(sItem); }
    QString SetCellDefault(qint16 iCol);
    QString GetComboEditText();
    void SetComboEditText(const QString& sText);
    void AddComboEditItem(const QString& sItem);
    void RemoveComboEditItem(const QString& sItem);
    void ShowInfo(qint16 x, qint16 y, const QString& sInfo);
    void HideInfo() { txtInfo.SetVisible(false); }

    QString FormatCellText(const QString& text, qint32 col) const;
    void UpdateColMaxLen(qint32 col, const QString& text);

    // ---- sizing and row appearance ----
    void SetGridSize();
    void SetGridWidthByCaller(qint32 iWidth);
    void SetRowHeight(qint32& Height, qint32 iStart);
    void SetRowHeight(qint32&& Height, qint32 iStart) { SetRowHeight(Height, iStart); }
    void SetCellForeColor(qint32 lRow, qint32 lCol, qint32 lColor);
    void SetRowForeColor(qint32 lRow, qint32 lColor);

    // ---- cell editing cycle ----
    void ClearCellCtl();
    void StartCellEdit(int KeyAscii);
    void ShowCellCtl(int KeyAscii);
    void PositionCellCtl(platform::TextBox& editor);
    void PositionCellCtl(platform::UpDown& editor);
    void PositionCellCtl(platform::ComboBox& editor);
    void CommitCellCtl();
    void HideCellCtl();
    void CancelCellEditIfAllowed();
    void CancelCellEdit();
    void HandleEditKey(int keyCode);
    void MoveNextCell();
    void MovePrevCell();
    void MoveNextRow();
    void MovePrevRow();
    // Whether an edit opened by the control is under way (its editor shown over the cell).
    bool EditOpen() const { return edit_.open; }

    // ---- spin and combo editors ----
    void ctlUpDown_UpClick(int Index);
    void ctlUpDown_DownClick(int Index);
    static QString NormalizeSpinNumber(const QString& text);
    static void SelectComboItem(platform::ComboBox& combo, const QString& text);
    static void SelectOrAddComboEditItem(platform::ComboBox& combo, const QString& text);
    void ctlComboEdit_KeyUp(int Index, int& KeyCode, int Shift);
    void TypeaheadCheck(qint16 startFlag, platform::ComboBox* combo);
    void TimerTypeahead_Timer();
    static void AutoCompleteCombo(platform::ComboBox& combo);

    // ---- column options, sorting and column fit ----
    void SetColComboOption(const QString& sOption);
    void AddColComboOption(qint16 option);
    void ShowColCombo();
    void ctlColCombo_Click();
    void ctlColCombo_LostFocus();
    void Sort(const QVariant& SortID);
    void CompactBlankRows();
    void AutoColFit();

    // ---- row and data operations ----
    qint32 LastEditRow();
    qint32 GetLastEditRow();
    void SetLastEditRow();
    bool RowChanges() const { return ctlGrid.Row() != m_LastEditRow; }
    qint32 RefreshItemNumber();
    void SetLineNumber(qint32 lCurLine, qint32 lLineNo);
    void SetLastLineNumber(qint32 lLineNo) { SetLineNumber(m_LastEditRow, lLineNo); }
    QString Grid2Str(QString& sSaparator);
    QString CurrentRowStr();
    QString GetGridClip() const { return ctlGrid.Clip(); }
    void Str2Gird(const QString& sText) { ctlGrid.SetClip(sText); }
    void SetGridClip(const QString& sText);
    QString RowToStr(qint32 lRow, const QString& iEndCol) const;
    void StrToRow(const QString& sStr, qint32 lLine);
    QString GetHightLightValue() const { return ctlGrid.TextMatrix(ctlGrid.RowSel(), ctlGrid.ColSel()); }
    void AddRowDetail(const QStringList& sContents, qint32 lRowKey, qint16 iSetRowNum, qint32 LineNo);
    void CopyRow(qint32 lFrom, qint32 lTo);
    qint32 InsertOneLine(qint16 iKeepOldLine);
    void ClearRow(qint32 iRow);
    void DeleteGridRows();
    void RemoveItemByName(const QString& sItemName);
    void GridClear();
    qint16 RowOperation(qint16 iOperation);
    QVariant GetSelRow(const QString& sValue, qint16 iCol) const;
    qint32 Duplicate(const QString& sText, qint16 iCol, qint32 lCurrLineNo) const;
    double ColTotal(qint16 iCol) const;
    void SetupColHeaders(const QStringList& sGridColNames, const QStringList& sColHeaders);
    void SetRowStrikeThrough(qint16 iFlag);
    void ToggleRowStrikeThrough();
    bool IsRowStrikeThrough() const { return ctlGrid.CellFontStrikeThrough(); }
    void SelectOneRow();
    void SelectGridAll();
    void SelectGridNone();

    // ---- property surface ----
    qint32 Row() const { return ctlGrid.Row(); }
    void LetRow(qint32 v);
    qint32 CellForeColor() const { return ctlGrid.CellForeColor(); }
    void LetCellForeColor(qint32 v);
    qint32 TopRow() const { return ctlGrid.TopRow(); }
    void LetTopRow(qint32 v);
    void LetLeftCol(qint32 v);
    qint32 Col() const { return ctlGrid.Col(); }
    void LetCol(qint32 v);
    EDIT_GRID_LOOK(qint32, ForeColor)
    bool Enabled() const { return ctlGrid.isEnabled(); }
    void LetEnabled(bool v);
    const platform::FontModel& Font() const { return ctlGrid.Font(); }
    void SetFont(const platform::FontModel& f);
    qint32 BorderStyle() const { return ctlGrid.Look().BorderStyle; }
    void Refresh() { ctlGrid.Refresh(); }
    void AddItem(const QString& Item, qint32 Index = -1);
    EDIT_GRID_LOOK(bool, WordWrap)
    qint32 Height() const;
    EDIT_GRID_LOOK(qint32, WhatsThisHelpID)
    static qint16 Version() { return static_cast<qint16>(platform::FlexGrid::Version()); }
    EDIT_GRID_LOOK(QString, ToolTipText)
    void SetToolTipText(const QString& New_ToolTipText);
    EDIT_GRID_LOOK(qint32, TextStyleFixed)
    EDIT_GRID_LOOK(qint32, TextStyle)
    QString TextMatrix(qint32 Row, qint32 Col) const { return ctlGrid.TextMatrix(Row, Col); }
    void LetTextMatrix(qint32 Row, qint32 Col, const QString& v);
    QString TextArray(qint32 Index) const { return ctlGrid.TextArray(Index); }
    void LetTextArray(qint32 Index, const QString& v);
    EDIT_GRID_LOOK(qint32, SelectionMode)
    EDIT_GRID_LOOK(bool, ScrollTrack)
    EDIT_GRID_LOOK(qint32, ScrollBars)
    qint32 RowSel() const { return ctlGrid.RowSel(); }
    void LetRowSel(qint32 v) { ctlGrid.SetRowSel(v); }
    qint32 ColSel() const { return ctlGrid.ColSel(); }
    qint32 Rows() const { return ctlGrid.Rows(); }
    void LetRows(qint32 v);
    qint32 RowPosition(qint32 /*Index*/) const { return 0; }
    void LetRowPosition(qint32 Index, qint32 v);
    qint32 RowPos(qint32 Index) const { return ctlGrid.RowPos(Index); }
    bool RowIsVisible(qint32 Index) const { return ctlGrid.RowIsVisible(Index); }
    qint32 RowHeightMin() const { return ctlGrid.RowHeightMin(); }
    void LetRowHeightMin(qint32 v);
    qint32 RowHeight(qint32 Index) const { return ctlGrid.RowHeight(Index); }
    void LetRowHeight(qint32 Index, qint32 v);
    qint32 RowData(qint32 Index) const { return ctlGrid.RowData(Index); }
    void LetRowData(qint32 Index, qint32 v);
    EDIT_GRID_LOOK(bool, RightToLeft)
    void RemoveItem(qint32 Index);
    EDIT_GRID_LOOK(bool, Redraw)
    EDIT_GRID_LOOK(qint32, PictureType)
    platform::Picture Picture() { return ctlGrid.GridPicture(); }
    qint32 Orientation() const { return m_Orientation; }
    void LetOrientation(qint32 v);
    EDIT_GRID_LOOK(qint32, OLEDropMode)
    void OLEDrag() { ctlGrid.OLEDrag(); }
    qint32 MouseRow() const { return ctlGrid.MouseRow(); }
    EDIT_GRID_LOOK(qint32, MousePointer)
    const platform::Picture& MouseIcon() const { return ctlGrid.MouseIcon(); }
    void SetMouseIcon(const platform::Picture& p);
    qint32 MouseCol() const { return ctlGrid.MouseCol(); }
    bool MergeRow(qint32 Index) const { return ctlGrid.MergeRow(Index); }
    void LetMergeRow(qint32 Index, bool v);
    bool MergeCol(qint32 Index) const { return ctlGrid.MergeCol(Index); }
    void LetMergeCol(qint32 Index, bool v);
    EDIT_GRID_LOOK(qint32, MergeCells)
    // A single control, not an element of an array: no index of its own.
    static qint16 Index() { return -1; }
    EDIT_GRID_LOOK(qint32, HighLight)
    EDIT_GRID_LOOK(qint16, GridLineWidth)
    EDIT_GRID_LOOK(qint32, GridLinesFixed)
    EDIT_GRID_LOOK(qint32, GridLines)
    EDIT_GRID_LOOK(qint32, GridColorFixed)
    EDIT_GRID_LOOK(qint32, GridColor)
    QString FormatString() const { return ctlGrid.FormatString(); }
    void LetFormatString(const QString& v);
    EDIT_GRID_LOOK(qint32, ForeColorSel)
    EDIT_GRID_LOOK(qint32, ForeColorFixed)
    EDIT_GRID_LOOK(float, FontWidth)
    EDIT_GRID_LOOK(qint32, FocusRect)
    qint32 FixedRows() const { return ctlGrid.FixedRows(); }
    void LetFixedRows(qint32 v);
    qint32 FixedCols() const { return ctlGrid.FixedCols(); }
    void LetFixedCols(qint32 v);
    qint16 FixedAlignment(qint32 Index) const { return static_cast<qint16>(ctlGrid.FixedAlignment(Index)); }
    void LetFixedAlignment(qint32 Index, qint16 v);
    EDIT_GRID_LOOK(qint32, FillStyle)
    qint32 ColWidth(qint32 Index) const { return ctlGrid.ColWidth(Index); }
    void LetColWidth(qint32 Index, qint32 v);
    qint32 Cols() const { return ctlGrid.Cols(); }
    void LetCols(qint32 v);
    qint32 ColPosition(qint32 /*Index*/) const { return 0; }
    void LetColPosition(qint32 Index, qint32 v);
    qint32 ColPos(qint32 Index) const { return ctlGrid.ColPos(Index); }
    bool ColIsVisible(qint32 Index) const { return ctlGrid.ColIsVisible(Index); }
    qint32 ColData(qint32 Index) const { return ctlGrid.ColData(Index); }
    void LetColData(qint32 Index, qint32 v);
    qint16 ColAlignment(qint32 Index) const { return static_cast<qint16>(ctlGrid.ColAlignment(Index)); }
    void LetColAlignment(qint32 Index, qint16 v);
    void Clear();
    qint32 CellWidth() const { return static_cast<qint32>(ctlGrid.CellWidth()); }
    qint32 CellTop() const { return static_cast<qint32>(ctlGrid.CellTop()); }
    platform::Picture CellPicture() const { return ctlGrid.CellPicture(); }
    void SetCellPicture(const platform::Picture& p);
    qint32 CellLeft() const { return static_cast<qint32>(ctlGrid.CellLeft()); }
    qint32 CellHeight() const { return static_cast<qint32>(ctlGrid.CellHeight()); }
    EDIT_GRID_LOOK(bool, CausesValidation)
    EDIT_GRID_LOOK(qint32, BackColorSel)
    EDIT_GRID_LOOK(qint32, BackColor)
    EDIT_GRID_LOOK(qint32, BackColorFixed)
    EDIT_GRID_LOOK(qint32, Appearance)
    EDIT_GRID_LOOK(qint32, AllowUserResizing)
    void SetFocus() { ctlGrid.SetFocus(); }

    EditGridEvents Events;

    // ---- stored properties ----
    void UserControl_InitProperties() { m_Orientation = 0; }
    void UserControl_ReadProperties(const platform::PropertyBag& PropBag);
    void UserControl_WriteProperties(platform::PropertyBag& PropBag) const;

    // ---- the column model, for the host's and the tests' eyes ----
    const std::vector<CellCtlInfo>& CellCtl() const { return m_CellCtl; }
    const std::vector<qint16>& ColMaxLen() const { return m_ColMaxLen; }
    const std::optional<QStringList>& ColFormat() const { return m_ColFormat; }
    qint32 LastEditRowValue() const { return m_LastEditRow; }
    qint16 Editable() const { return m_Editable; }

    // ---- constituent controls ----
    platform::FlexGrid ctlGrid{this};
    platform::TextBox ctlText{static_cast<QWidget*>(this), QStringLiteral("ctlText"), false};
    platform::UpDown ctlUpDown{this, QStringLiteral("ctlUpDown"), 0};
    platform::ControlArray<platform::ComboBox, QWidget> ctlCombo{this, QStringLiteral("ctlCombo")};
    platform::ControlArray<platform::ComboBox, QWidget> ctlComboEdit{this, QStringLiteral("ctlComboEdit")};
    platform::ComboBox ctlColCombo{this, QStringLiteral("ctlColCombo")};
    platform::TextBox txtInfo{static_cast<QWidget*>(this), QStringLiteral("txtInfo"), false};
    platform::Timer TimerTypeahead{this, 10000, true};
    QListWidget* ctlList = nullptr;

    // ---- handlers of the constituent controls ----
    void ctlGrid_Click();
    void ctlGrid_DblClick();
    void ctlGrid_KeyDown(int& KeyCode, int& Shift);
    void ctlGrid_KeyPress(int& KeyAscii);
    void ctlGrid_KeyUp(int& KeyCode, int& Shift);
    void ctlGrid_MouseDown(int& Button, int& Shift, float& x, float& y);
    void ctlGrid_MouseMove(int& Button, int& Shift, float& x, float& y);
    void ctlGrid_MouseUp(int& Button, int& Shift, float& x, float& y);
    void ctlGrid_Validate(bool& Cancel);
    void ctlGrid_SelChange();
    void ctlGrid_Scroll();
    void ctlGrid_RowColChange();
    void ctlGrid_OLECompleteDrag(qint32& Effect);
    void ctlGrid_LeaveCell();
    void ctlGrid_EnterCell();
    void ctlGrid_Compare(qint32 Row1, qint32 Row2, int& Cmp);
    void ctlText_KeyDown(int Index, int& KeyCode, int Shift);
    void ctlCombo_KeyDown(int Index, int& KeyCode, int Shift);
    void ctlComboEdit_KeyDown(int Index, int& KeyCode, int Shift);
    void ctlText_LostFocus(int Index);
    void ctlCombo_LostFocus(int Index);
    void ctlComboEdit_LostFocus(int Index);

private:
    // The edit under way: opened by ShowCellCtl, ended by commit and hiding, by dropping
    // or by cancelling. Only an open edit writes its editor's text into a cell.
    struct EditSession {
        bool open = false;
        qint16 kind = kCellNone;
        qint32 col = 0;
        // Delete in a pick list: no entry is chosen on purpose, and the cell is emptied.
        bool cleared = false;
    };
    struct Typeahead {
        qint16 pending = 0;
        platform::ComboBox* combo = nullptr;
    };
    struct RowClipboard {
        QString m_ClipText;
        qint32 m_ClipRowData = 0;
        qint32 m_CutRow = 0;
    };

    void PropertyChanged(const QString& name);
    void WireEvents();
    void WireCombo(platform::ComboBox& combo, bool editable);
    const CellCtlInfo& ColumnInfo(qint32 col) const; // fails outside the model
    // The editing cycle runs on grid events, also before Setup: a column outside the
    // model has no editor.
    const CellCtlInfo& ColumnOrNone(qint32 col) const;
    qint16 CurrentKind() const { return ColumnOrNone(ctlGrid.Col()).CtlType; }
    bool EditGuard() const;
    bool EditorVisible(qint16 kind, qint32 col);
    static bool HasComboItem(platform::ComboBox& combo, const QString& text);
    bool PickListUnchosen();
    QString EditorText(qint16 kind, qint32 col);
    void DropEditor(qint16 kind, qint32 col);
    void TakeFocusFrom(qint16 kind, qint32 col);
    void SpinStep(int delta);
    // After a fit: the open editor placed over its cell again, the cell in view.
    void FollowCell();
    // What a typed key puts into the editor: the key's code as one character.
    QString TypedText(int KeyAscii) const;
    // Enter, Esc and Delete in a pick list or editable combo; false for other keys.
    bool ComboEditKey(platform::ComboBox& combo, int& KeyCode);
    bool UsedRow(qint32 r) const;
    void GrowRows(qint32 by, bool withHeight);

    QString name_;
    float left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
    std::vector<QString> changed_;

    qint32 m_Orientation = 0;
    qint16 m_CellColMove = 0;
    std::vector<CellCtlInfo> m_CellCtl;
    std::vector<qint16> m_ColMaxLen;
    std::optional<QStringList> m_ColFormat;
    qint32 m_LastEditRow = 0;
    qint16 m_Editable = -1;
    EditSession edit_;
    bool following_ = false; // FollowCell scrolls: no drop of the edit
    Typeahead typeahead_;
    RowClipboard clip_;
};

#undef EDIT_GRID_LOOK
