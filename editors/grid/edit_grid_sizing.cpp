// The inner grid's fit to the control, the rows' height and the text colours of cells.
#include "edit_grid.h"

#include "core/conversions.h"
#include "grid_sizing.h"

#include <QScopeGuard>

namespace {
constexpr qint32 kRowHeight = 285;

qint32 Whole(float twips) { return static_cast<qint32>(conv::RoundHalfEven(twips)); }

void SetScrollBarsFor(platform::FlexGrid& grid, bool horizontal, bool vertical)
{
    const qint32 bars = gridsizing::ScrollBarsFor(horizontal, vertical);
    if (bars >= 0)
        grid.SetLook(&platform::FlexLook::ScrollBars, bars);
}
} // namespace

void ctlEditGrid::SetGridSize()
{
    std::vector<qint32> widths;
    widths.reserve(static_cast<size_t>(ctlGrid.Cols()));
    for (qint32 c = 0; c < ctlGrid.Cols(); ++c)
        widths.push_back(ctlGrid.ColWidth(c));
    const gridsizing::Fit width = gridsizing::FitWidth(widths, Whole(width_));
    ctlGrid.SetWidth(static_cast<float>(width.size));
    // Every row is taken as high as row 1; a grid of one row goes by its only row.
    const qint32 rowHeight = ctlGrid.Rows() > 1 ? ctlGrid.RowHeight(1) : ctlGrid.Rows() == 1 ? ctlGrid.RowHeight(0) : 0;
    const gridsizing::Fit height = gridsizing::FitHeight(rowHeight, ctlGrid.Rows(), Whole(height_));
    ctlGrid.SetHeight(static_cast<float>(height.size));
    SetScrollBarsFor(ctlGrid, width.overflow, height.overflow);
    FollowCell();
}

void ctlEditGrid::FollowCell()
{
    // An open editor stays over its cell, and the cell in view, whatever the new size: the
    // edit goes on where the user sees it.
    if (!edit_.open || !EditorVisible(edit_.kind, edit_.col))
        return;
    following_ = true;
    const auto done = qScopeGuard([this] { following_ = false; });
    ctlGrid.ShowCell(ctlGrid.Row(), ctlGrid.Col());
    switch (edit_.kind) {
    case kCellPickList:
        PositionCellCtl(ctlCombo(edit_.col));
        break;
    case kCellSpin:
        PositionCellCtl(ctlUpDown);
        PositionCellCtl(ctlText);
        break;
    case kCellText:
        PositionCellCtl(ctlText);
        break;
    case kCellComboEdit:
        PositionCellCtl(ctlComboEdit(edit_.col));
        break;
    default:
        break;
    }
}

void ctlEditGrid::SetGridWidthByCaller(qint32 iWidth)
{
    const gridsizing::Fit width = gridsizing::FitCallerWidth(iWidth, Whole(width_));
    ctlGrid.SetWidth(static_cast<float>(width.size));
    SetScrollBarsFor(ctlGrid, width.overflow, true);
}

void ctlEditGrid::SetRowHeight(qint32& Height, qint32 iStart)
{
    if (Height < 1)
        Height = kRowHeight;
    for (qint32 r = iStart; r < ctlGrid.Rows(); ++r) {
        ctlGrid.SetRowHeight(r, Height);
        ctlGrid.SetRowSel(r);
    }
    ctlGrid.SetRowSel(1);
}

void ctlEditGrid::SetCellForeColor(qint32 lRow, qint32 lCol, qint32 lColor)
{
    ctlGrid.SetRow(lRow);
    ctlGrid.SetCol(lCol);
    ctlGrid.SetCellForeColor(lColor);
}

void ctlEditGrid::SetRowForeColor(qint32 lRow, qint32 lColor)
{
    ctlGrid.SetRow(lRow);
    const qint32 was = ctlGrid.Col();
    for (qint32 c = 1; c < ctlGrid.Cols(); ++c) {
        ctlGrid.SetCol(c);
        ctlGrid.SetCellForeColor(lColor);
    }
    ctlGrid.SetCol(was);
}
