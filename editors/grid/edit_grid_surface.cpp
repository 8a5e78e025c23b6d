// The members that pass through to the inner grid and do a little more: cell writes
// format and record lengths, removals and clearing reset the editor, and every Let and
// Set marks its property changed (RowSel and SetToolTipText do not).
#include "edit_grid.h"

#include "core/conversions.h"

namespace {
constexpr qint32 kRowHeight = 285;
}

#define EDIT_GRID_MARK(name) PropertyChanged(QStringLiteral(name))

void ctlEditGrid::LetRow(qint32 v)
{
    ctlGrid.SetRow(v);
    EDIT_GRID_MARK("Row");
}

void ctlEditGrid::LetCellForeColor(qint32 v)
{
    ctlGrid.SetCellForeColor(v);
    EDIT_GRID_MARK("CellForeColor");
}

void ctlEditGrid::LetTopRow(qint32 v)
{
    ctlGrid.SetTopRow(v);
    EDIT_GRID_MARK("TopRow");
}

void ctlEditGrid::LetLeftCol(qint32 v)
{
    ctlGrid.SetLeftCol(v);
    EDIT_GRID_MARK("LeftCol");
}

void ctlEditGrid::LetCol(qint32 v)
{
    ctlGrid.SetCol(v);
    EDIT_GRID_MARK("Col");
}

void ctlEditGrid::LetEnabled(bool v)
{
    ctlGrid.setEnabled(v);
    EDIT_GRID_MARK("Enabled");
}

void ctlEditGrid::SetFont(const platform::FontModel& f)
{
    ctlGrid.SetFont(f);
    EDIT_GRID_MARK("Font");
}

void ctlEditGrid::AddItem(const QString& Item, qint32 Index)
{
    ctlGrid.AddItem(Item, Index);
    ctlGrid.SetRowHeight(Index == -1 ? ctlGrid.Rows() - 1 : Index, kRowHeight);
}

qint32 ctlEditGrid::Height() const { return static_cast<qint32>(conv::RoundHalfEven(ctlGrid.Height())); }

void ctlEditGrid::SetToolTipText(const QString& New_ToolTipText)
{
    ctlGrid.SetLook(&platform::FlexLook::ToolTipText, New_ToolTipText);
}

void ctlEditGrid::LetTextMatrix(qint32 Row, qint32 Col, const QString& v)
{
    ctlGrid.SetTextMatrix(Row, Col, FormatCellText(v, Col));
    EDIT_GRID_MARK("TextMatrix");
    // A column the model does not cover keeps no length; the cell is written.
    if (Col < static_cast<qint32>(m_ColMaxLen.size()))
        UpdateColMaxLen(Col, v);
}

void ctlEditGrid::LetTextArray(qint32 Index, const QString& v)
{
    ctlGrid.SetTextArray(Index, v);
    EDIT_GRID_MARK("TextArray");
    const qint32 col = Index % ctlGrid.Cols();
    if (col < static_cast<qint32>(m_ColMaxLen.size()))
        UpdateColMaxLen(col, v);
}

void ctlEditGrid::LetRows(qint32 v)
{
    ctlGrid.SetRows(v);
    EDIT_GRID_MARK("Rows");
}

void ctlEditGrid::LetRowPosition(qint32 Index, qint32 v)
{
    ctlGrid.SetRowPosition(Index, v);
    EDIT_GRID_MARK("RowPosition");
}

void ctlEditGrid::LetRowHeightMin(qint32 v)
{
    ctlGrid.SetRowHeightMin(v);
    EDIT_GRID_MARK("RowHeightMin");
}

void ctlEditGrid::LetRowHeight(qint32 Index, qint32 v)
{
    ctlGrid.SetRowHeight(Index, v);
    EDIT_GRID_MARK("RowHeight");
}

void ctlEditGrid::LetRowData(qint32 Index, qint32 v)
{
    ctlGrid.SetRowData(Index, v);
    EDIT_GRID_MARK("RowData");
}

void ctlEditGrid::RemoveItem(qint32 Index)
{
    ctlGrid.RemoveItem(Index);
    ClearCellCtl();
}

void ctlEditGrid::LetOrientation(qint32 v)
{
    m_Orientation = v;
    EDIT_GRID_MARK("Orientation");
}

void ctlEditGrid::SetMouseIcon(const platform::Picture& p)
{
    ctlGrid.SetMouseIcon(p);
    EDIT_GRID_MARK("MouseIcon");
}

void ctlEditGrid::LetMergeRow(qint32 Index, bool v)
{
    ctlGrid.SetMergeRow(Index, v);
    EDIT_GRID_MARK("MergeRow");
}

void ctlEditGrid::LetMergeCol(qint32 Index, bool v)
{
    ctlGrid.SetMergeCol(Index, v);
    EDIT_GRID_MARK("MergeCol");
}

void ctlEditGrid::LetFormatString(const QString& v)
{
    ctlGrid.SetFormatString(v);
    EDIT_GRID_MARK("FormatString");
}

void ctlEditGrid::LetFixedRows(qint32 v)
{
    ctlGrid.SetFixedRows(v);
    EDIT_GRID_MARK("FixedRows");
}

void ctlEditGrid::LetFixedCols(qint32 v)
{
    ctlGrid.SetFixedCols(v);
    EDIT_GRID_MARK("FixedCols");
}

void ctlEditGrid::LetFixedAlignment(qint32 Index, qint16 v)
{
    ctlGrid.SetFixedAlignment(Index, v);
    EDIT_GRID_MARK("FixedAlignment");
}

void ctlEditGrid::LetColWidth(qint32 Index, qint32 v)
{
    ctlGrid.SetColWidth(Index, v);
    EDIT_GRID_MARK("ColWidth");
}

void ctlEditGrid::LetCols(qint32 v)
{
    ctlGrid.SetCols(v);
    EDIT_GRID_MARK("Cols");
}

void ctlEditGrid::LetColPosition(qint32 Index, qint32 v)
{
    ctlGrid.SetColPosition(Index, v);
    EDIT_GRID_MARK("ColPosition");
}

void ctlEditGrid::LetColData(qint32 Index, qint32 v)
{
    ctlGrid.SetColData(Index, v);
    EDIT_GRID_MARK("ColData");
}

void ctlEditGrid::LetColAlignment(qint32 Index, qint16 v)
{
    ctlGrid.SetColAlignment(Index, v);
    EDIT_GRID_MARK("ColAlignment");
}

void ctlEditGrid::Clear()
{
    ctlGrid.Clear();
    ClearCellCtl();
    const qint32 rows = ctlGrid.Rows();
    for (qint32 r = 1; r < rows; ++r)
        ctlGrid.SetRowData(r, 0);
}

void ctlEditGrid::SetCellPicture(const platform::Picture& p)
{
    ctlGrid.SetCellPicture(p);
    EDIT_GRID_MARK("CellPicture");
}

#undef EDIT_GRID_MARK
