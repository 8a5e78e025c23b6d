// The grid's model without a window: sizing, sorting and compaction, cell writes and
// their masks, property marks, the row toolkit and the stored properties.
#include "core/conversions.h"
#include "editors/grid/cell_format.h"
#include "editors/grid/edit_grid.h"
#include "support/edit_grid_host.h"
#include "support/test_folders.h"

#include "ui/twips.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {
// A grid as the hosts set one up: rows, masks, columns, Setup, one fixed row.
std::unique_ptr<ctlEditGrid> MakeGrid(qint32 rows = 25, qint32 cols = 2, const QString& masks = ",,")
{
    auto g = std::make_unique<ctlEditGrid>();
    g->LetRows(rows);
    g->SetColFormat(masks);
    g->LetCols(cols);
    g->LetFixedCols(0);
    g->Setup();
    g->LetFixedRows(1);
    return g;
}
} // namespace

TEST(EditGridSizing, TheInnerGridFitsItsContentWithinTheControl)
{
    const struct {
        std::vector<qint32> widths;
        float controlWidth, controlHeight;
        qint32 gridWidth, gridHeight, scrollBars;
    } cases[] = {
        // Setup's own fit in the control's first size asked for the vertical bar.
        {{3000, 1500}, 5000, 8000, 4800, 7125, 2},     // nothing overflows: the bars stay
        {{3000, 1500}, 4700, 8000, 4700, 7125, 1},     // too wide
        {{3000, 1500}, 5000, 7125, 4800, 7125, 2},     // exactly as high as the rows
        {{3000, 1500}, 5000, 7000, 4800, 7000, 2},     // too high
        {{3000, 1500}, 4000, 7000, 4000, 7000, 3},     // both
        {{20000, 20000}, 60000, 8000, 40300, 7125, 2}, // wider than a 16-bit sum holds
    };
    for (const auto& c : cases) {
        auto g = MakeGrid();
        for (size_t i = 0; i < c.widths.size(); ++i)
            g->LetColWidth(static_cast<qint32>(i), c.widths[i]);
        g->Move(0, 0, c.controlWidth, c.controlHeight);
        g->SetGridSize();
        EXPECT_FLOAT_EQ(g->ctlGrid.Width(), c.gridWidth) << c.controlWidth;
        EXPECT_EQ(g->Height(), c.gridHeight) << c.controlHeight;
        EXPECT_EQ(g->ScrollBars(), c.scrollBars) << c.controlWidth << "x" << c.controlHeight;
    }
    auto g = MakeGrid();
    g->Move(0, 0, 5000, 7000);
    g->SetGridSize();
    EXPECT_EQ(g->ScrollBars(), 2);
    g->Move(0, 0, 9000, 9000);
    g->SetGridSize();
    EXPECT_EQ(g->ScrollBars(), 2); // a fit without overflow leaves them
    g->Move(0, 0, 4700, 9000);
    g->SetGridWidthByCaller(4500);
    EXPECT_FLOAT_EQ(g->ctlGrid.Width(), 4790);
    EXPECT_EQ(g->ScrollBars(), 2);
}

TEST(EditGridSizing, RowHeightsAndColumnFit)
{
    auto g = MakeGrid();
    for (qint32 r = 0; r < g->Rows(); ++r)
        EXPECT_EQ(g->RowHeight(r), 285);
    EXPECT_EQ(g->RowSel(), 1);
    qint32 height = 0;
    g->SetRowHeight(height, 5);
    EXPECT_EQ(height, 285); // the caller's variable too

    auto wide = MakeGrid(25, 3);
    wide->LetTextMatrix(1, 1, "twelve chars");
    wide->LetTextMatrix(1, 2, QString(400, u'x'));
    wide->LetCol(0);
    wide->ctlGrid.SetColSel(2);
    wide->AutoColFit();
    EXPECT_EQ(wide->ColWidth(0), 0); // nothing written: hidden
    EXPECT_EQ(wide->ColWidth(1), 1200);
    EXPECT_EQ(wide->ColWidth(2), 32700); // kept within what a width may be
    wide->LetColWidth(1, 500);
    wide->LetCol(2);
    wide->ctlGrid.SetColSel(1); // ColSel below Col: nothing
    wide->AutoColFit();
    EXPECT_EQ(wide->ColWidth(1), 500);

    auto colours = MakeGrid(25, 3);
    colours->LetCol(2);
    colours->SetRowForeColor(4, 0xFF);
    EXPECT_EQ(colours->Col(), 2);
    colours->LetCol(0);
    EXPECT_EQ(colours->CellForeColor(), 0);
    colours->LetCol(1);
    EXPECT_EQ(colours->CellForeColor(), 0xFF);
}

TEST(EditGridSort, SortingCompactsBlankKeysAndEmptiesTheRowsLeft)
{
    auto g = MakeGrid(8, 3);
    const char* keys[] = {"a", "", "  ", "b", "c"};
    for (int r = 1; r <= 5; ++r) {
        g->LetTextMatrix(r, 1, keys[r - 1]);
        g->LetTextMatrix(r, 2, QStringLiteral("d%1").arg(r));
        g->LetTextMatrix(r, 0, QString::number(r));
    }
    g->LetRow(1);
    g->LetCol(1);
    g->LetRowSel(5);
    g->Sort(platform::flexSortGenericAscending);
    const char* expected[] = {"a", "b", "c", "", ""};
    for (int r = 1; r <= 5; ++r)
        EXPECT_EQ(g->TextMatrix(r, 1).trimmed(), expected[r - 1]) << r;
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(g->TextMatrix(4, c), "") << c;
        EXPECT_EQ(g->TextMatrix(5, c), "") << c;
    }
    EXPECT_EQ(g->TextMatrix(2, 2), "d4"); // whole rows of text moved up
}

TEST(EditGridSort, KeysSortWithoutCaseAndBlanksGoToTheEndWithTheirRows)
{
    // Each key's row carries "d" and the key in column 2, so moved rows show.
    const struct {
        std::vector<const char*> keys;
        std::vector<const char*> sorted; // blanks at the end
    } cases[] = {
        {{"b", "", "a", "c"}, {"a", "b", "c", ""}},
        {{"", "b", "a"}, {"a", "b", ""}},
        {{"b", "a", ""}, {"a", "b", ""}},
        {{"c", "", "b", "", "a"}, {"a", "b", "c", "", ""}},
        {{"a", "B", "c"}, {"a", "B", "c"}},
        {{"Beta", "alpha", "Gamma", "delta"}, {"alpha", "Beta", "delta", "Gamma"}},
    };
    for (const auto& c : cases) {
        auto g = MakeGrid(10, 3);
        g->LetTextMatrix(0, 1, "Header");
        const qint32 n = static_cast<qint32>(c.keys.size());
        for (qint32 r = 1; r <= n; ++r) {
            g->LetTextMatrix(r, 1, c.keys[static_cast<size_t>(r - 1)]);
            g->LetTextMatrix(r, 2, QStringLiteral("d") + c.keys[static_cast<size_t>(r - 1)]);
        }
        g->LetCol(1);
        g->LetRow(1);
        g->LetRowSel(n);
        g->Sort(platform::flexSortGenericAscending);
        const QString name = QString::fromLatin1(c.keys[0]) + "," + c.keys[1];
        for (qint32 r = 1; r <= n; ++r) {
            const QString key = QString::fromLatin1(c.sorted[static_cast<size_t>(r - 1)]);
            EXPECT_EQ(g->TextMatrix(r, 1), key) << name.toStdString() << " row " << r;
            EXPECT_EQ(g->TextMatrix(r, 2), key.isEmpty() ? QString() : "d" + key) << name.toStdString() << " row " << r;
        }
        EXPECT_EQ(g->TextMatrix(0, 1), "Header");
    }
}

TEST(EditGridSort, ASelectionFromTheHeaderSortsOnlyTheData)
{
    auto g = MakeGrid(6, 2);
    g->LetTextMatrix(0, 1, "zzz header");
    const char* keys[] = {"b", "c", "a"};
    for (qint32 r = 1; r <= 3; ++r)
        g->LetTextMatrix(r, 1, keys[r - 1]);
    g->LetCol(1);
    g->ctlGrid.SetRow(0);
    g->LetRowSel(3);
    g->Sort(platform::flexSortGenericAscending);
    EXPECT_EQ(g->TextMatrix(0, 1), "zzz header");
    EXPECT_EQ(g->TextMatrix(1, 1), "a");
    EXPECT_EQ(g->TextMatrix(3, 1), "c");
}

TEST(EditGridRows, DeletingOneRowKeepsTheRowCount)
{
    auto g = MakeGrid(8, 2);
    for (qint32 r = 1; r < 8; ++r) {
        g->LetTextMatrix(r, 1, QStringLiteral("t%1").arg(r));
        g->LetRowData(r, r * 10);
    }
    g->LetRow(3);
    EXPECT_EQ(g->RowOperation(6), 0);
    EXPECT_EQ(g->Rows(), 8);
    EXPECT_EQ(g->TextMatrix(3, 1), "t4");
    EXPECT_EQ(g->RowData(3), 40);
    EXPECT_EQ(g->TextMatrix(6, 1), "t7");
    EXPECT_EQ(g->TextMatrix(7, 1), "");
    EXPECT_EQ(g->RowData(7), 0);
    EXPECT_EQ(g->RowHeight(7), 285);
}

TEST(EditGridSort, TheOptionListRunsItsChoices)
{
    auto g = MakeGrid(6, 2);
    g->SetColComboOption("10");
    ASSERT_EQ(g->ctlColCombo.ListCount(), 3);
    EXPECT_EQ(g->ctlColCombo.List(0), "Sort None");
    EXPECT_EQ(g->ctlColCombo.List(2), "Find");
    g->ctlColCombo.Clear();
    g->SetColComboOption("5,8,9");
    EXPECT_EQ(g->ctlColCombo.List(0), "No Case Asending");
    for (int r = 1; r <= 3; ++r)
        g->LetTextMatrix(r, 1, QString(QChar(u'a' + r)));
    g->LetRow(1);
    g->LetCol(1);
    g->LetRowSel(5);
    g->ctlColCombo.SetListIndex(0); // the first entry never acts
    g->ctlColCombo_Click();
    EXPECT_EQ(g->TextMatrix(1, 1), "b");
    g->ctlColCombo.SetListIndex(1); // "String Descending"
    g->ctlColCombo_Click();
    EXPECT_EQ(g->TextMatrix(1, 1), "d");
    EXPECT_EQ(g->TextMatrix(3, 1), "b");
}

TEST(EditGridModel, SetupAndTheEditorsOfTheColumns)
{
    auto g = MakeGrid();
    ASSERT_EQ(g->CellCtl().size(), 3u);
    EXPECT_EQ(g->ColMaxLen(), std::vector<qint16>({0, 0, 0}));
    EXPECT_THROW(g->SetCellCtl(3, kCellText), mduLib::SubscriptError);
    g->SetCellCtl(1, kCellText);
    EXPECT_EQ(g->CellCtl()[1].CtlType, kCellText);
    EXPECT_NE(g->CellCtl()[1].Visible, 0);
    EXPECT_EQ(g->CellCtl()[0].Visible, 0);
    ComboRef never = g->GetComboCtl(1); // handing out a list never created is no failure
    EXPECT_FALSE(never.Exists());
    EXPECT_THROW(never->Visible(), mduLib::SubscriptError);
    g->SetCellCtl(1, kCellPickList);
    EXPECT_TRUE(g->GetComboCtl(1).Exists());
    EXPECT_FALSE(g->GetComboCtl(1)->Visible());
    EXPECT_THROW(g->SetCellCtl(1, kCellPickList), mduLib::SubscriptError); // already made
    g->SetCellCtlID(1, kCellText);
    EXPECT_EQ(g->CellCtl()[1].CtlType, kCellText);
    EXPECT_TRUE(g->GetComboCtl(1).Exists());
    g->SetCellCtlVisible(1, 0);
    EXPECT_EQ(g->CellCtl()[1].CtlType, kCellText);
    EXPECT_EQ(g->CellCtl()[1].Visible, 0);
    EXPECT_EQ(g->SetCellDefault(1), "");
    EXPECT_THROW(g->GetCellTextBox(1), mduLib::SubscriptError);

    // Column 0 has its combo from the start: the record is set, then it fails.
    EXPECT_THROW(g->SetCellCtl(0, kCellComboEdit), mduLib::SubscriptError);
    EXPECT_EQ(g->CellCtl()[0].CtlType, kCellComboEdit);
}

TEST(EditGridModel, CellWritesFormatAndRememberTheLongestText)
{
    auto g = MakeGrid(25, 2, ",0.00");
    g->LetTextMatrix(1, 1, "12.3456");
    EXPECT_EQ(g->TextMatrix(1, 1), "12.35");
    EXPECT_EQ(g->ColMaxLen()[1], 7);
    g->LetTextMatrix(2, 1, "ab");
    EXPECT_EQ(g->ColMaxLen()[1], 7);
    g->LetTextArray(5, "3.14159"); // row 2, column 1, unformatted
    EXPECT_EQ(g->TextMatrix(2, 1), "3.14159");
    g->LetTextMatrix(3, 0, "12.3456"); // column 0 has a blank mask
    EXPECT_EQ(g->TextMatrix(3, 0), "12.3456");
    // A commit formats the cell even without an editor.
    g->ctlGrid.SetTextMatrix(4, 1, "2");
    g->LetRow(4);
    g->LetCol(1);
    g->CommitCellCtl();
    EXPECT_EQ(g->TextMatrix(4, 1), "2.00");

    auto none = MakeGrid(25, 2, "");
    none->LetTextMatrix(1, 1, "12.3456");
    EXPECT_EQ(none->TextMatrix(1, 1), "12.3456");

    const struct {
        const char *text, *mask, *expected;
    } masks[] = {
        {"1234.5", "#,##0.00", "1,234.50"},
        {"0.5", "#.##", ".5"},
        {"-2.5", "0", "-3"},
        {"0.256", "0%", "26%"},
        {"word", "0.00", "word"},
        {"abc", ">", "ABC"},
        {"2024-03-05", "dd/mm/yyyy", "05/03/2024"},
        {"5", "000", "005"},
    };
    for (const auto& m : masks)
        EXPECT_EQ(cellformat::FormatWithMask(m.text, m.mask), m.expected) << m.text << " " << m.mask;
}

TEST(EditGridModel, WritesMarkTheirPropertyChanged)
{
    auto g = MakeGrid();
    QStringList heard;
    g->PropertyChangedHook = [&](const QString& name) { heard << name; };
    g->ForgetChangedProperties();
    g->LetRowSel(3);
    g->SetToolTipText("quiet");
    g->AddItem("x", 4);
    g->Clear();
    g->Refresh();
    EXPECT_TRUE(heard.isEmpty());
    EXPECT_EQ(g->ToolTipText(), "quiet");
    g->LetRow(2);
    g->LetToolTipText("loud");
    g->LetOrientation(5);
    g->LetBackColor(0xFF);
    g->SetCellPicture(platform::Picture());
    EXPECT_EQ(heard, QStringList({"Row", "ToolTipText", "Orientation", "BackColor", "CellPicture"}));
    EXPECT_EQ(g->Orientation(), 5);
    EXPECT_EQ(g->BackColor(), 0xFF);
    g->LetRowPosition(3, 5);
    EXPECT_EQ(g->RowPosition(3), 0);
    EXPECT_EQ(g->ColPosition(0), 0);
}

TEST(EditGridModel, ClearAndAddItem)
{
    auto g = MakeGrid();
    for (qint32 r = 0; r < 25; ++r)
        g->LetRowData(r, r + 100);
    g->LetTextMatrix(3, 1, "x");
    g->Clear();
    EXPECT_EQ(g->TextMatrix(3, 1), "");
    EXPECT_EQ(g->RowData(0), 100);
    for (qint32 r = 1; r < 25; ++r)
        EXPECT_EQ(g->RowData(r), 0);
    g->LetRowHeight(4, 500);
    g->AddItem("new", 4);
    EXPECT_EQ(g->RowHeight(4), 285);
    EXPECT_EQ(g->TextMatrix(4, 0), "new");
}

TEST(EditGridRows, NumberingTextFormsAndLookUps)
{
    auto g = MakeGrid(25, 3);
    g->LetTextMatrix(1, 1, "a");
    g->LetTextMatrix(1, 2, "b");
    g->LetTextMatrix(2, 1, "c");
    g->LetTextMatrix(4, 1, "after the gap");
    EXPECT_EQ(g->LastEditRow(), 2);
    EXPECT_EQ(g->TextMatrix(2, 0), "2");
    EXPECT_EQ(g->TextMatrix(4, 0), "");
    EXPECT_EQ(g->RefreshItemNumber(), 2);
    QString sep = " ; ";
    EXPECT_EQ(g->Grid2Str(sep), "1\ta\tb;2\tc\t;\t\t;");
    EXPECT_EQ(sep, ";");
    QString none;
    EXPECT_EQ(g->Grid2Str(none), "1\ta\tb\r\n2\tc\t\r\n\t\t\r\n");
    EXPECT_EQ(g->RowToStr(1, "0"), "1,a,b");
    EXPECT_EQ(g->RowToStr(1, "2"), "1,a");
    EXPECT_THROW(g->RowToStr(1, ""), conv::TypeMismatch);
    g->LetTextMatrix(2, 1, "");
    g->StrToRow("9,x,y", 5);
    EXPECT_EQ(g->TextMatrix(5, 0), "");
    EXPECT_EQ(g->TextMatrix(5, 2), "y");
    EXPECT_EQ(g->GetSelRow("x", 1).toInt(), 5);
    EXPECT_EQ(g->GetSelRow("nobody", 1).toInt(), 25);
    EXPECT_EQ(g->Duplicate("x", 1, 5), 0);
    EXPECT_EQ(g->Duplicate("x", 1, 1), 5);
    g->LetTextMatrix(6, 2, "2.5");
    g->LetTextMatrix(7, 2, "4");
    EXPECT_DOUBLE_EQ(g->ColTotal(2), 6.5);
}

TEST(EditGridRows, TheRowClipboardMovesCutRowsWithTheirKey)
{
    auto g = MakeGrid(10, 3);
    for (qint32 r = 1; r <= 5; ++r) {
        g->AddRowDetail({"", QStringLiteral("n%1").arg(r), QStringLiteral("v%1").arg(r)}, r * 11, -1, 0);
    }
    EXPECT_EQ(g->TextMatrix(5, 0), "5");
    EXPECT_EQ(g->RowData(3), 33);
    const qint32 rows = g->Rows();
    g->LetRow(2);
    g->SelectOneRow();
    EXPECT_EQ(g->RowOperation(1), 0); // cut: nothing goes yet
    EXPECT_EQ(g->TextMatrix(2, 1), "n2");
    g->LetRow(4);
    g->SelectOneRow();
    g->RowOperation(5);
    EXPECT_EQ(g->Rows(), rows);
    EXPECT_EQ(g->TextMatrix(4, 1), "n2");
    EXPECT_EQ(g->RowData(4), 22);
    EXPECT_EQ(g->TextMatrix(3, 1), "n4");
    EXPECT_EQ(g->TextMatrix(5, 1), "n5");
    EXPECT_EQ(g->TextMatrix(4, 0), "4"); // renumbered
    // A copy arrives as a new record; the text stays for another paste.
    g->LetRow(1);
    g->SelectOneRow();
    g->RowOperation(4);
    g->LetRow(7);
    g->SelectOneRow();
    g->RowOperation(5);
    EXPECT_EQ(g->TextMatrix(7, 1), "n1");
    EXPECT_EQ(g->RowData(7), -1);
    EXPECT_EQ(g->RowOperation(-1), -1);
    EXPECT_EQ(g->RowOperation(-2), -1);
    EXPECT_EQ(g->RowOperation(-1), 0);
}

TEST(EditGridRows, DeletingInsertingAndStrikingRows)
{
    auto g = MakeGrid(25, 3);
    for (qint32 r = 1; r < 25; ++r)
        g->LetTextMatrix(r, 1, QStringLiteral("t%1").arg(r));
    g->LetRow(3);
    g->LetRowSel(5);
    g->DeleteGridRows();
    EXPECT_EQ(g->Rows(), 25);
    EXPECT_EQ(g->TextMatrix(3, 1), "t6");
    for (qint32 r = 22; r < 25; ++r)
        EXPECT_EQ(g->TextMatrix(r, 1), "") << r;
    g->LetRow(2);
    g->InsertOneLine(0);
    EXPECT_EQ(g->TextMatrix(2, 1), "");
    EXPECT_EQ(g->TextMatrix(3, 1), "t2");
    g->RemoveItemByName("t2");
    EXPECT_EQ(g->TextMatrix(3, 1), "t6");

    g->LetRow(4);
    g->LetCol(1);
    g->ToggleRowStrikeThrough();
    EXPECT_TRUE(g->IsRowStrikeThrough());
    g->LetCol(2);
    EXPECT_TRUE(g->IsRowStrikeThrough());
    EXPECT_EQ(g->FillStyle(), 0);
    g->ToggleRowStrikeThrough();
    EXPECT_FALSE(g->IsRowStrikeThrough());

    g->SetupColHeaders({"Name", "", "", "spare"}, {"", "Value", ""});
    EXPECT_EQ(g->TextMatrix(0, 0), "Name");
    EXPECT_EQ(g->TextMatrix(0, 1), "Value");
    EXPECT_EQ(g->ColWidth(2), 0);
}

class EditGridStoredProperties : public testsupport::ProgramFolderTest {};

TEST_F(EditGridStoredProperties, TextValuesKeepTheirBlanksAndTheSelectionItsDesignedColours)
{
    ctlEditGrid g;
    EXPECT_EQ(g.BackColorSel(), static_cast<qint32>(0x80000009));
    EXPECT_EQ(g.ForeColorSel(), static_cast<qint32>(0x80000005));
    // The designed pair is readable: caption text on window background.
    EXPECT_NE(platform::ColorFromValue(g.BackColorSel()), platform::ColorFromValue(g.ForeColorSel()));
    EXPECT_EQ(platform::ColorFromValue(static_cast<qint32>(0x80000009)),
              QGuiApplication::palette().color(QPalette::WindowText));

    g.LetToolTipText(" tip ");
    platform::PropertyBag bag;
    g.UserControl_WriteProperties(bag);
    const platform::PropertyBag back = platform::PropertyBag::FromText(bag.ToText());
    ctlEditGrid read;
    read.UserControl_ReadProperties(back);
    EXPECT_EQ(read.ToolTipText(), " tip ");
    // A stored layout keeps them too, also when written with CR LF line ends, and
    // numbers with blanks around them still read.
    const platform::HostLayout layout =
        platform::HostLayout::FromText("[grd]\r\ntooltiptext=S:tip  \r\nrowheightmin= L:300 \r\n");
    ASSERT_NE(layout.Find("grd"), nullptr);
    EXPECT_EQ(layout.Find("grd")->ReadProperty("tooltiptext").toString(), "tip  ");
    EXPECT_EQ(layout.Find("grd")->ReadProperty("rowheightmin").toInt(), 300);
}

TEST_F(EditGridStoredProperties, AnEmptyLayoutGivesTheDefaults)
{
    ctlEditGrid g;
    g.UserControl_ReadProperties(platform::PropertyBag());
    EXPECT_EQ(g.RowHeightMin(), 285);
    EXPECT_EQ(g.BackColor(), static_cast<qint32>(0x8000000E));
    EXPECT_EQ(g.Rows(), 2);
    EXPECT_EQ(g.FixedCols(), 1);
    EXPECT_EQ(g.ScrollBars(), 3);
    EXPECT_EQ(g.ColWidth(0), 0);
    EXPECT_EQ(g.Font(), platform::AmbientFont());
    platform::PropertyBag hundred;
    hundred.WriteProperty("rowheightmin", 100, 0);
    g.UserControl_ReadProperties(hundred);
    EXPECT_EQ(g.RowHeightMin(), 100);
    // A value that is no number ends the reading at its entry.
    platform::PropertyBag broken;
    broken.WriteProperty("Rows", 9, 2);
    broken.WriteProperty("RowHeightMin", "tall", 0);
    broken.WriteProperty("Cols", 5, 2);
    EXPECT_THROW(g.UserControl_ReadProperties(broken), conv::TypeMismatch);
    EXPECT_EQ(g.Rows(), 9);
    EXPECT_EQ(g.Cols(), 2);
}

TEST_F(EditGridStoredProperties, WhatIsWrittenReadsBackTheSame)
{
    ctlEditGrid a;
    a.UserControl_InitProperties();
    a.LetRowHeightMin(285); // as every read layout ends
    a.LetRows(7);
    a.LetCols(4);
    a.LetBackColor(0x123456);
    a.LetGridColor(0x00FF00);
    a.LetFocusRect(2);
    a.LetOrientation(3);
    a.LetToolTipText("tip\nwith a line");
    a.LetTextArray(0, "Key");
    a.LetColWidth(0, 700);
    a.LetColWidth(1, 2222); // only index 0 is kept
    a.LetWordWrap(true);
    a.LetFontWidth(2.5f);
    platform::FontModel f = platform::AmbientFont();
    f.Bold = true;
    f.Size = 10;
    a.SetFont(f);
    platform::PropertyBag bag;
    a.UserControl_WriteProperties(bag);
    for (const char* name : {"ForeColorSel", "ForeColorFixed", "BackColorSel", "BackColorFixed"})
        EXPECT_TRUE(bag.Contains(name)) << name;
    EXPECT_FALSE(bag.Contains("RowPosition0"));
    EXPECT_FALSE(bag.Contains("ColPosition0"));
    EXPECT_FALSE(bag.Contains("ForeColor")); // equal to its default

    // Through the text of a stored layout and back.
    platform::PropertyBag stored = platform::PropertyBag::FromText(bag.ToText());
    stored.WriteProperty("BackColorSel", 0x0000FF, QVariant()); // never read back
    ctlEditGrid b;
    b.UserControl_ReadProperties(stored);
    EXPECT_EQ(b.Rows(), 7);
    EXPECT_EQ(b.Cols(), 4);
    EXPECT_EQ(b.BackColor(), 0x123456);
    EXPECT_EQ(b.GridColor(), 0x00FF00);
    EXPECT_EQ(b.FocusRect(), 2);
    EXPECT_EQ(b.Orientation(), 3);
    EXPECT_EQ(b.ToolTipText(), "tip\nwith a line");
    EXPECT_EQ(b.TextArray(0), "Key");
    EXPECT_EQ(b.ColWidth(0), 700);
    EXPECT_NE(b.ColWidth(1), 2222);
    EXPECT_TRUE(b.WordWrap());
    EXPECT_FLOAT_EQ(b.FontWidth(), 2.5f);
    EXPECT_EQ(b.Font(), f);
    EXPECT_NE(b.BackColorSel(), 0x0000FF);

    platform::PropertyBag again;
    b.UserControl_WriteProperties(again);
    EXPECT_EQ(again.ToText().toStdString(), bag.ToText().toStdString());
}

TEST_F(EditGridStoredProperties, TheHostReadsItsStoredLayoutWhenBuilt)
{
    platform::ForgetStoredLayouts();
    {
        testsupport::GridHost first;
        EXPECT_EQ(first.grdTest.Orientation(), 0);
        first.grdTest.LetGridColor(0x0000FF);
        first.grdTest.LetOrientation(1);
        first.SaveLayout();
    }
    const QString file = dir_.path() + "/frmGridHost.layout";
    ASSERT_TRUE(platform::StoredLayout(testsupport::GridHost::kHostName).Save(file));
    platform::ForgetStoredLayouts();
    platform::StoredLayout(testsupport::GridHost::kHostName) = platform::HostLayout::Load(file);
    testsupport::GridHost second;
    EXPECT_EQ(second.grdTest.GridColor(), 0x0000FF);
    EXPECT_EQ(second.grdTest.Orientation(), 1);
    second.EnsureLoaded(); // the host's own set-up follows the layout
    EXPECT_EQ(second.grdTest.Rows(), 25);
    platform::ForgetStoredLayouts();
}
