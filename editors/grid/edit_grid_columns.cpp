// The column option list over a header, sorting with the compaction of blank key cells
// that follows it, and the fit of column widths to their longest texts.
#include "edit_grid.h"

#include "core/conversions.h"
#include "grid_sizing.h"

namespace {
// The options by number; "Asending" is the list's own spelling.
const char* const kColOptions[] = {
    "Sort None",
    "Generic Ascending",
    "Generic Descending",
    "Numeric Ascending",
    "Numeric Descending",
    "No Case Asending",
    "No Case Descending",
    "String Ascending",
    "String Descending",
    "Auto Column Fit",
    "Find",
};
} // namespace

void ctlEditGrid::SetColComboOption(const QString& sOption)
{
    for (qint16 i = 0; i <= 11; ++i)
        if (sOption.contains(QString::number(i)))
            AddColComboOption(i);
}

void ctlEditGrid::AddColComboOption(qint16 option)
{
    if (option < 0 || option > 10)
        return;
    ctlColCombo.AddItem(QString::fromLatin1(kColOptions[option]));
    ctlColCombo.SetItemData(ctlColCombo.ListCount() - 1, option);
}

void ctlEditGrid::ShowColCombo()
{
    if (ctlGrid.MouseRow() != 0 || ctlColCombo.ListCount() == 0)
        return;
    ctlColCombo.Move(ctlGrid.CellLeft() - 10, ctlGrid.CellTop() - 285, ctlGrid.CellWidth() + 10);
    ctlColCombo.ZOrder(0);
    ctlColCombo.SetVisible(true);
    ctlColCombo.SetFocus();
    ctlColCombo.SetListIndex(-1);
}

void ctlEditGrid::ctlColCombo_Click()
{
    const int chosen = ctlColCombo.ListIndex();
    if (chosen <= 0)
        return;
    const qint32 option = ctlColCombo.ItemData(chosen);
    if (option >= 1 && option <= 8) {
        HideCellCtl();
        Sort(option);
    } else if (option == 9) {
        HideCellCtl();
        AutoColFit();
    }
}

void ctlEditGrid::ctlColCombo_LostFocus() { ctlColCombo.SetVisible(false); }

void ctlEditGrid::Sort(const QVariant& SortID)
{
    ctlGrid.SetSort(conv::ToInt16(SortID.toDouble()));
    CompactBlankRows();
}

void ctlEditGrid::CompactBlankRows()
{
    const qint32 key = ctlGrid.Col();
    const qint32 rows = ctlGrid.Rows();
    auto blank = [&](qint32 r) { return conv::Trim(ctlGrid.TextMatrix(r, key)).isEmpty(); };
    qint32 from = 0;
    for (qint32 r = 1; r < rows; ++r) {
        if (!blank(r))
            continue;
        if (from == 0)
            from = r + 1;
        for (qint32 t = from; t < ctlGrid.Rows(); ++t) {
            if (blank(t))
                continue;
            for (qint32 c = 0; c < ctlGrid.Cols(); ++c) {
                ctlGrid.SetTextMatrix(r, c, ctlGrid.TextMatrix(t, c));
                ctlGrid.SetTextMatrix(t, c, QString());
            }
            from = t + 1;
            break;
        }
    }
}

void ctlEditGrid::AutoColFit()
{
    for (qint32 c = ctlGrid.Col(); c <= ctlGrid.ColSel(); ++c) {
        if (c < 0 || c >= static_cast<qint32>(m_ColMaxLen.size()))
            throw mduLib::SubscriptError();
        ctlGrid.SetColWidth(c, gridsizing::AutoFitWidth(m_ColMaxLen[static_cast<size_t>(c)]));
    }
}
