// The stored properties: read from the host's layout when the host is built, written
// when its layout is saved. Only index 0 of an indexed member is kept.
#include "edit_grid.h"

#include "core/conversions.h"

namespace {
using platform::FlexLook;

constexpr qint32 kMinRowHeight = 285;

// A stored value as a number; one that is none ends the reading there.
double Number(const platform::PropertyBag& bag, const char* name, const QVariant& def)
{
    bool ok = false;
    const double v = bag.ReadProperty(QString::fromLatin1(name), def).toDouble(&ok);
    if (!ok)
        throw conv::TypeMismatch();
    return v;
}
qint32 L(const platform::PropertyBag& bag, const char* name, qint64 def)
{
    return conv::ToInt32(Number(bag, name, static_cast<qint32>(def)));
}
qint16 I(const platform::PropertyBag& bag, const char* name, qint16 def)
{
    return conv::ToInt16(Number(bag, name, def));
}
bool B(const platform::PropertyBag& bag, const char* name, bool def)
{
    return bag.ReadProperty(QString::fromLatin1(name), def).toBool();
}
QString S(const platform::PropertyBag& bag, const char* name)
{
    return bag.ReadProperty(QString::fromLatin1(name), QString()).toString();
}
platform::Picture P(const platform::PropertyBag& bag, const char* name)
{
    const QVariant v = bag.ReadProperty(QString::fromLatin1(name), QVariant::fromValue(platform::Picture()));
    return v.value<platform::Picture>();
}
} // namespace

void ctlEditGrid::UserControl_ReadProperties(const platform::PropertyBag& PropBag)
{
    const auto& bag = PropBag;
    platform::FlexGrid& g = ctlGrid;
    g.SetLook(&FlexLook::ForeColor, L(bag, "ForeColor", 0x80000008));
    g.SetLook(&FlexLook::BackColor, L(bag, "BackColor", 0x8000000E));
    g.setEnabled(B(bag, "Enabled", true));
    const QVariant font = bag.ReadProperty(QStringLiteral("Font"), QVariant::fromValue(platform::AmbientFont()));
    g.SetFont(font.value<platform::FontModel>());
    g.SetLook(&FlexLook::BorderStyle, L(bag, "BorderStyle", 1));
    g.SetLook(&FlexLook::WordWrap, B(bag, "WordWrap", false));
    g.SetLook(&FlexLook::WhatsThisHelpID, L(bag, "WhatsThisHelpID", 0));
    g.SetLook(&FlexLook::ToolTipText, S(bag, "ToolTipText"));
    g.SetLook(&FlexLook::TextStyleFixed, L(bag, "TextStyleFixed", 0));
    g.SetLook(&FlexLook::TextStyle, L(bag, "TextStyle", 0));
    g.SetTextArray(0, S(bag, "TextArray0"));
    g.SetLook(&FlexLook::SelectionMode, L(bag, "SelectionMode", 0));
    g.SetLook(&FlexLook::ScrollTrack, B(bag, "ScrollTrack", false));
    g.SetLook(&FlexLook::ScrollBars, L(bag, "ScrollBars", 3));
    g.SetRows(L(bag, "Rows", 2));
    g.SetRowPosition(0, L(bag, "RowPosition0", 0));
    g.SetRowHeightMin(L(bag, "RowHeightMin", 0));
    if (g.RowHeightMin() == 0)
        g.SetRowHeightMin(kMinRowHeight);
    g.SetRowHeight(0, L(bag, "RowHeight0", 0));
    g.SetRowData(0, L(bag, "RowData0", 0));
    g.SetLook(&FlexLook::RightToLeft, B(bag, "RightToLeft", false));
    g.SetLook(&FlexLook::Redraw, B(bag, "Redraw", true));
    g.SetLook(&FlexLook::PictureType, L(bag, "PictureType", 0));
    m_Orientation = L(bag, "Orientation", 0);
    g.SetLook(&FlexLook::OLEDropMode, L(bag, "OLEDropMode", 0));
    g.SetLook(&FlexLook::MousePointer, L(bag, "MousePointer", 0));
    SetMouseIcon(P(bag, "MouseIcon"));
    g.SetMergeRow(0, B(bag, "MergeRow0", false));
    g.SetMergeCol(0, B(bag, "MergeCol0", false));
    g.SetLook(&FlexLook::MergeCells, L(bag, "MergeCells", 0));
    g.SetLook(&FlexLook::HighLight, L(bag, "HighLight", 1));
    g.SetLook(&FlexLook::GridLineWidth, I(bag, "GridLineWidth", 1));
    g.SetLook(&FlexLook::GridLinesFixed, L(bag, "GridLinesFixed", 2));
    g.SetLook(&FlexLook::GridLines, L(bag, "GridLines", 1));
    g.SetLook(&FlexLook::GridColorFixed, L(bag, "GridColorFixed", 0));
    g.SetLook(&FlexLook::GridColor, L(bag, "GridColor", 0xC0C0C0));
    const QString format = S(bag, "FormatString");
    if (!format.isEmpty() || !g.FormatString().isEmpty())
        g.SetFormatString(format);
    g.SetLook(&FlexLook::FontWidth, static_cast<float>(Number(bag, "FontWidth", 0.0f)));
    g.SetLook(&FlexLook::FocusRect, L(bag, "FocusRect", 1));
    g.SetFixedRows(L(bag, "FixedRows", 1));
    g.SetFixedCols(L(bag, "FixedCols", 1));
    g.SetFixedAlignment(0, I(bag, "FixedAlignment0", 0));
    g.SetLook(&FlexLook::FillStyle, L(bag, "FillStyle", 0));
    g.SetColWidth(0, L(bag, "ColWidth0", 0));
    g.SetCols(L(bag, "Cols", 2));
    g.SetColPosition(0, L(bag, "ColPosition0", 0));
    g.SetColData(0, L(bag, "ColData0", 0));
    g.SetColAlignment(0, I(bag, "ColAlignment0", 0));
    SetCellPicture(P(bag, "CellPicture"));
    g.SetLook(&FlexLook::CausesValidation, B(bag, "CausesValidation", true));
    g.SetLook(&FlexLook::Appearance, L(bag, "Appearance", 1));
    g.SetLook(&FlexLook::AllowUserResizing, L(bag, "AllowUserResizing", 0));
}

void ctlEditGrid::UserControl_WriteProperties(platform::PropertyBag& PropBag) const
{
    auto& bag = PropBag;
    const platform::FlexGrid& g = ctlGrid;
    const FlexLook& look = g.Look();
    auto W = [&](const char* name, const QVariant& value, const QVariant& def) {
        bag.WriteProperty(QString::fromLatin1(name), value, def);
    };
    auto colour = [](qint64 v) { return QVariant(static_cast<qint32>(v)); };
    W("ForeColor", look.ForeColor, colour(0x80000008));
    W("BackColor", look.BackColor, colour(0x8000000E));
    W("Enabled", g.isEnabled(), true);
    W("Font", QVariant::fromValue(g.Font()), QVariant::fromValue(platform::AmbientFont()));
    W("BorderStyle", look.BorderStyle, 1);
    W("WordWrap", look.WordWrap, false);
    W("WhatsThisHelpID", look.WhatsThisHelpID, 0);
    W("ToolTipText", look.ToolTipText, QString());
    W("TextStyleFixed", look.TextStyleFixed, 0);
    W("TextStyle", look.TextStyle, 0);
    W("TextArray0", g.TextArray(0), QString());
    W("SelectionMode", look.SelectionMode, 0);
    W("ScrollTrack", look.ScrollTrack, false);
    W("ScrollBars", look.ScrollBars, 3);
    W("Rows", g.Rows(), 2);
    W("RowHeightMin", g.RowHeightMin(), 0);
    W("RowHeight0", g.RowHeight(0), 0);
    W("RowData0", g.RowData(0), 0);
    W("RightToLeft", look.RightToLeft, false);
    W("Redraw", look.Redraw, true);
    W("PictureType", look.PictureType, 0);
    W("Orientation", m_Orientation, 0);
    W("OLEDropMode", look.OLEDropMode, 0);
    W("MousePointer", look.MousePointer, 0);
    W("MouseIcon", QVariant::fromValue(MouseIcon()), QVariant::fromValue(platform::Picture()));
    W("MergeRow0", g.MergeRow(0), false);
    W("MergeCol0", g.MergeCol(0), false);
    W("MergeCells", look.MergeCells, 0);
    W("HighLight", look.HighLight, 1);
    W("GridLineWidth", look.GridLineWidth, 1);
    W("GridLinesFixed", look.GridLinesFixed, 2);
    W("GridLines", look.GridLines, 1);
    W("GridColorFixed", look.GridColorFixed, 0);
    W("GridColor", look.GridColor, colour(0xC0C0C0));
    W("FormatString", g.FormatString(), QString());
    // Written on every save, whatever they hold; never read back.
    W("ForeColorSel", look.ForeColorSel, QVariant());
    W("ForeColorFixed", look.ForeColorFixed, QVariant());
    W("FontWidth", look.FontWidth, 0.0f);
    W("FocusRect", look.FocusRect, 1);
    W("FixedRows", g.FixedRows(), 1);
    W("FixedCols", g.FixedCols(), 1);
    W("FixedAlignment0", g.FixedAlignment(0), 0);
    W("FillStyle", look.FillStyle, 0);
    W("ColWidth0", g.ColWidth(0), 0);
    W("Cols", g.Cols(), 2);
    W("ColData0", g.ColData(0), 0);
    W("ColAlignment0", g.ColAlignment(0), 0);
    W("CellPicture", QVariant::fromValue(CellPicture()), QVariant::fromValue(platform::Picture()));
    W("CausesValidation", look.CausesValidation, true);
    W("BackColorSel", look.BackColorSel, QVariant());
    W("BackColorFixed", look.BackColorFixed, QVariant());
    W("Appearance", look.Appearance, 1);
    W("AllowUserResizing", look.AllowUserResizing, 0);
}
