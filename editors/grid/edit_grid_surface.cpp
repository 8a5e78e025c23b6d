// The members that pass through to the inner grid and do a little more: cell writes
// format and record lengths, removals and clearing reset the editor, and every Let and
// Set marks its property changed (RowSel and SetToolTipText do not).
#include "edit_grid.h"

#include "core/conversions.h"

namespace {
constexpr qint32 kRowHeight = 285;
}

#define EDIT_GRID_MARK(name) PropertyChanged(QStringLiteral(name))
// A write passed to the grid's setter, then marked under the member's name.
#define EDIT_GRID_LET(Name, Type, Setter)                                                                              \
    void ctlEditGrid::Let##Name(Type v)                                                                                \
    {                                                                                                                  \
        ctlGrid.Setter(v);                                                                                             \
        EDIT_GRID_MARK(#Name);                                                                                         \
    }
#define EDIT_GRID_LET_AT(Name, Type, Setter)                                                                           \
    void ctlEditGrid::Let##Name(qint32 Index, Type v)                                                                  \
    {                                                                                                                  \
        ctlGrid.Setter(Index, v);                                                                                      \
        EDIT_GRID_MARK(#Name);                                                                                         \
    }

EDIT_GRID_LET(Row, qint32, SetRow)
EDIT_GRID_LET(CellForeColor, qint32, SetCellForeColor)
EDIT_GRID_LET(TopRow, qint32, SetTopRow)
EDIT_GRID_LET(LeftCol, qint32, SetLeftCol)
EDIT_GRID_LET(Col, qint32, SetCol)
EDIT_GRID_LET(Enabled, bool, setEnabled)

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

EDIT_GRID_LET(Rows, qint32, SetRows)
EDIT_GRID_LET_AT(RowPosition, qint32, SetRowPosition)
EDIT_GRID_LET(RowHeightMin, qint32, SetRowHeightMin)
EDIT_GRID_LET_AT(RowHeight, qint32, SetRowHeight)
EDIT_GRID_LET_AT(RowData, qint32, SetRowData)

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

EDIT_GRID_LET_AT(MergeRow, bool, SetMergeRow)
EDIT_GRID_LET_AT(MergeCol, bool, SetMergeCol)

void ctlEditGrid::LetFormatString(const QString& v)
{
    ctlGrid.SetFormatString(v);
    EDIT_GRID_MARK("FormatString");
}

EDIT_GRID_LET(FixedRows, qint32, SetFixedRows)
EDIT_GRID_LET(FixedCols, qint32, SetFixedCols)
EDIT_GRID_LET_AT(FixedAlignment, qint16, SetFixedAlignment)
EDIT_GRID_LET_AT(ColWidth, qint32, SetColWidth)
EDIT_GRID_LET(Cols, qint32, SetCols)
EDIT_GRID_LET_AT(ColPosition, qint32, SetColPosition)
EDIT_GRID_LET_AT(ColData, qint32, SetColData)
EDIT_GRID_LET_AT(ColAlignment, qint16, SetColAlignment)

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

#undef EDIT_GRID_LET_AT
#undef EDIT_GRID_LET
#undef EDIT_GRID_MARK
