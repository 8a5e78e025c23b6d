// The grid as a list of records: line numbers, text forms, row edits, the one-row
// clipboard, look-ups, headers, struck-through rows and selections.
#include "edit_grid.h"

#include "core/conversions.h"
#include "core/settings_store.h"

namespace {
constexpr qint32 kRowHeight = 285;
constexpr qint32 kGrowBy = 20;

bool Blank(const QString& t) { return conv::Trim(t).isEmpty(); }
} // namespace

bool ctlEditGrid::UsedRow(qint32 r) const
{
    for (qint32 c = 1; c < ctlGrid.Cols(); ++c)
        if (!Blank(ctlGrid.TextMatrix(r, c)))
            return true;
    return false;
}

void ctlEditGrid::GrowRows(qint32 by, bool withHeight)
{
    const qint32 first = ctlGrid.Rows();
    ctlGrid.SetRows(first + by);
    if (withHeight)
        SetRowHeight(0, first);
}

// ---- last edited row and line numbers ----

qint32 ctlEditGrid::LastEditRow()
{
    qint32 r = 1;
    for (; r < ctlGrid.Rows() && UsedRow(r); ++r)
        SetLineNumber(r, r);
    return r - 1;
}

qint32 ctlEditGrid::GetLastEditRow()
{
    if (m_LastEditRow == 0)
        m_LastEditRow = 1;
    return m_LastEditRow;
}

void ctlEditGrid::SetLastEditRow()
{
    if (LastEditRow() + 1 >= ctlGrid.Row())
        m_LastEditRow = ctlGrid.Row();
}

qint32 ctlEditGrid::RefreshItemNumber()
{
    qint32 n = 0;
    for (qint32 r = 1; r < ctlGrid.Rows() && UsedRow(r); ++r, ++n)
        SetLineNumber(r, r);
    return n;
}

void ctlEditGrid::SetLineNumber(qint32 lCurLine, qint32 lLineNo)
{
    ctlGrid.SetTextMatrix(lCurLine, 0, QString::number(lLineNo));
}

// ---- text forms ----

QString ctlEditGrid::Grid2Str(QString& sSaparator)
{
    ctlGrid.SetLook(&platform::FlexLook::HighLight, 0);
    QString out;
    for (qint32 r = 1; r < ctlGrid.Rows(); ++r) {
        ctlGrid.SetRow(r);
        ctlGrid.SetCol(0);
        ctlGrid.SetColSel(ctlGrid.Cols() - 1);
        sSaparator = conv::Trim(sSaparator);
        out += ctlGrid.Clip() + (sSaparator.isEmpty() ? QStringLiteral("\r\n") : sSaparator);
        if (ctlGrid.TextMatrix(r, 1).isEmpty())
            break;
    }
    ctlGrid.SetLook(&platform::FlexLook::HighLight, 2);
    return out;
}

QString ctlEditGrid::CurrentRowStr()
{
    ctlGrid.SetCol(0);
    ctlGrid.SetColSel(ctlGrid.Cols() - 1);
    return ctlGrid.Clip();
}

void ctlEditGrid::SetGridClip(const QString& sText)
{
    SelectGridAll();
    ctlGrid.SetClip(sText);
    SelectGridNone();
}

QString ctlEditGrid::RowToStr(qint32 lRow, const QString& iEndCol) const
{
    const qint32 endCol = conv::ToInt32(iEndCol);
    QString out = ctlGrid.TextMatrix(lRow, 0);
    for (qint32 c = 1; c < ctlGrid.Cols(); ++c) {
        if (endCol > 0 && c >= endCol)
            break;
        out += u',' + ctlGrid.TextMatrix(lRow, c);
    }
    return out;
}

void ctlEditGrid::StrToRow(const QString& sStr, qint32 lLine)
{
    const QStringList pieces = sStr.split(u',');
    for (qint32 c = 1; c < ctlGrid.Cols(); ++c) {
        if (c >= pieces.size())
            throw mduLib::SubscriptError();
        ctlGrid.SetTextMatrix(lLine, c, pieces[c]);
    }
}

// ---- row edits ----

void ctlEditGrid::AddRowDetail(const QStringList& sContents, qint32 lRowKey, qint16 iSetRowNum, qint32 LineNo)
{
    HideCellCtl();
    const qint32 target = LineNo >= 1 ? LineNo : LastEditRow() + 1;
    m_LastEditRow = target;
    if (ctlGrid.Rows() == target + 1)
        GrowRows(kGrowBy, true);
    ctlGrid.SetRowData(target, lRowKey);
    if (iSetRowNum != 0)
        SetLastLineNumber(m_LastEditRow);
    for (qint32 i = 1; i < sContents.size(); ++i) {
        ctlGrid.SetTextMatrix(target, i, sContents[i]);
        UpdateColMaxLen(i, sContents[i]);
    }
}

void ctlEditGrid::CopyRow(qint32 lFrom, qint32 lTo)
{
    if (lTo >= ctlGrid.Rows())
        GrowRows(kGrowBy, false);
    for (qint32 c = 1; c < ctlGrid.Cols(); ++c)
        ctlGrid.SetTextMatrix(lTo, c, ctlGrid.TextMatrix(lFrom, c));
    const QString line = ctlGrid.TextMatrix(lFrom, 0);
    if (!Blank(line) && conv::IsNumeric(line))
        ctlGrid.SetTextMatrix(lTo, 0, conv::NumberText(conv::ToDouble(line) + 1));
    ctlGrid.SetRowData(lTo, ctlGrid.RowData(lFrom));
}

qint32 ctlEditGrid::InsertOneLine(qint16 iKeepOldLine)
{
    for (qint32 k = ctlGrid.Rows() - 1; k >= 1; --k) {
        if (!Blank(ctlGrid.TextMatrix(k, 0)) || !Blank(ctlGrid.TextMatrix(k, 1)))
            CopyRow(k, k + 1);
        if (k == ctlGrid.Row()) {
            if (iKeepOldLine != -1)
                ClearRow(k);
            break;
        }
    }
    return 0;
}

void ctlEditGrid::ClearRow(qint32 iRow)
{
    ClearCellCtl();
    for (qint32 c = 1; c < ctlGrid.Cols(); ++c)
        ctlGrid.SetTextMatrix(iRow, c, QString());
    ctlGrid.SetRowData(iRow, 0);
}

void ctlEditGrid::DeleteGridRows()
{
    // The rows below move up: an open edit would write into the row now under it.
    HideCellCtl();
    const qint32 rows = ctlGrid.Rows();
    const qint32 first = std::min(ctlGrid.Row(), ctlGrid.RowSel());
    const qint32 count = std::max(ctlGrid.Row(), ctlGrid.RowSel()) - first + 1;
    for (qint32 i = 0; i < count; ++i)
        ctlGrid.RemoveItem(first);
    ctlGrid.SetRows(rows);
}

void ctlEditGrid::RemoveItemByName(const QString& sItemName)
{
    for (qint32 r = 1; r < ctlGrid.Rows(); ++r)
        if (ctlGrid.TextMatrix(r, 1) == sItemName) {
            RemoveItem(r);
            return;
        }
}

void ctlEditGrid::GridClear()
{
    ctlGrid.SetRow(0);
    ctlGrid.SetCol(0);
    ctlGrid.SetColSel(ctlGrid.Cols() - 1);
    const QString header = ctlGrid.Clip();
    ctlGrid.Clear();
    ctlGrid.SetClip(header);
    ctlGrid.SetRow(1);
    ctlGrid.SetColSel(1);
}

qint16 ctlEditGrid::RowOperation(qint16 iOperation)
{
    switch (iOperation) {
    case 1: // cut: the row goes only when it is pasted
        clip_.m_CutRow = ctlGrid.Row();
        clip_.m_ClipText = ctlGrid.Clip();
        clip_.m_ClipRowData = ctlGrid.RowData(ctlGrid.Row());
        return 0;
    case 4: // copy
        clip_.m_CutRow = -1;
        clip_.m_ClipText = ctlGrid.Clip();
        clip_.m_ClipRowData = ctlGrid.RowData(ctlGrid.Row());
        return 0;
    case 5: // paste
        if (clip_.m_CutRow >= 1) {
            RemoveItem(clip_.m_CutRow);
            InsertOneLine(-1);
            ctlGrid.SetClip(clip_.m_ClipText);
            ctlGrid.SetRowData(ctlGrid.Row(), clip_.m_ClipRowData);
            RefreshItemNumber();
            ctlGrid.SetRows(ctlGrid.Rows() + 1);
            ctlGrid.SetRowHeight(ctlGrid.Rows() - 1, kRowHeight);
        } else if (!clip_.m_ClipText.isEmpty()) {
            ctlGrid.SetClip(clip_.m_ClipText);
            ctlGrid.SetRowData(ctlGrid.Row(), -1); // a copy is a new record
        }
        clip_.m_CutRow = -1;
        return 0;
    case 6: // delete, keeping the row count
        RemoveItem(ctlGrid.Row());
        ctlGrid.SetRows(ctlGrid.Rows() + 1);
        ctlGrid.SetRowHeight(ctlGrid.Rows() - 1, kRowHeight);
        clip_.m_CutRow = -1;
        return 0;
    case -1: // can paste
        return clip_.m_ClipText.isEmpty() ? 0 : -1;
    case -2: // empty the clipboard
        clip_.m_ClipText.clear();
        return -1;
    default:
        return 0;
    }
}

// ---- look-ups and totals ----

QVariant ctlEditGrid::GetSelRow(const QString& sValue, qint16 iCol) const
{
    for (qint32 r = 1; r < ctlGrid.Rows(); ++r)
        if (ctlGrid.TextMatrix(r, iCol) == sValue)
            return r;
    return ctlGrid.Rows();
}

qint32 ctlEditGrid::Duplicate(const QString& sText, qint16 iCol, qint32 lCurrLineNo) const
{
    for (qint32 r = 1; r < ctlGrid.Rows(); ++r)
        if (r != lCurrLineNo && ctlGrid.TextMatrix(r, iCol) == sText)
            return r;
    return 0;
}

double ctlEditGrid::ColTotal(qint16 iCol) const
{
    double sum = 0;
    for (qint32 r = 1; r < ctlGrid.Rows(); ++r) {
        const QString t = ctlGrid.TextMatrix(r, iCol);
        if (!t.isEmpty() && conv::IsNumeric(t))
            sum += conv::LeadingNumber(t);
    }
    return sum;
}

// ---- headers, struck-through rows and selection ----

void ctlEditGrid::SetupColHeaders(const QStringList& sGridColNames, const QStringList& sColHeaders)
{
    for (qint32 i = 0; i < sGridColNames.size() - 1; ++i) {
        if (i >= sColHeaders.size())
            throw mduLib::SubscriptError();
        if (!Blank(sColHeaders[i])) {
            ctlGrid.SetTextMatrix(0, i, sColHeaders[i]);
        } else if (!Blank(sGridColNames[i])) {
            ctlGrid.SetTextMatrix(0, i, sGridColNames[i]);
        } else {
            ctlGrid.SetTextMatrix(0, i, QString());
            ctlGrid.SetColWidth(i, 0);
        }
    }
}

void ctlEditGrid::SetRowStrikeThrough(qint16 iFlag)
{
    SelectOneRow();
    ctlGrid.SetLook(&platform::FlexLook::FillStyle, 1);
    ctlGrid.SetCellFontStrikeThrough(iFlag != 0);
    ctlGrid.SetLook(&platform::FlexLook::FillStyle, 0);
}

void ctlEditGrid::ToggleRowStrikeThrough()
{
    HideCellCtl();
    ctlGrid.SetCol(0);
    SetRowStrikeThrough(ctlGrid.CellFontStrikeThrough() ? 0 : -1);
}

void ctlEditGrid::SelectOneRow()
{
    ctlGrid.SetCol(0);
    ctlGrid.SetColSel(ctlGrid.Cols() - 1);
}

void ctlEditGrid::SelectGridAll()
{
    ctlGrid.SetRow(1);
    ctlGrid.SetCol(0);
    ctlGrid.SetRowSel(ctlGrid.Rows() - 1);
    ctlGrid.SetColSel(ctlGrid.Cols() - 1);
}

void ctlEditGrid::SelectGridNone()
{
    ctlGrid.SetRowSel(0);
    ctlGrid.SetColSel(0);
    ctlGrid.SetRow(0);
    ctlGrid.SetCol(0);
}
