#pragma once
// The flexible grid: a custom-painted scroll area over a plain table of cells. Fixed rows
// and columns are numbered as ordinary rows and columns from 0. Sizes are twips. Every
// change of the current cell, whoever makes it, fires LeaveCell first (Row and Col still
// name the cell being left), then EnterCell, RowColChange and SelChange; setting an
// unchanged Row or Col fires none of them. The grid paints only what changed.
#include "controls.h"

#include <QAbstractScrollArea>
#include <QString>
#include <functional>
#include <stdexcept>
#include <vector>

namespace platform {

// A row or column number outside the grid, or a value the grid refuses.
struct InvalidIndexError : std::runtime_error {
    InvalidIndexError() : std::runtime_error("Subscript out of range") {}
};

enum FlexAlignment {
    flexAlignLeftTop = 0,
    flexAlignLeftCenter = 1,
    flexAlignLeftBottom = 2,
    flexAlignCenterTop = 3,
    flexAlignCenterCenter = 4,
    flexAlignCenterBottom = 5,
    flexAlignRightTop = 6,
    flexAlignRightCenter = 7,
    flexAlignRightBottom = 8,
    flexAlignGeneral = 9,
};

enum FlexSort {
    flexSortNone = 0,
    flexSortGenericAscending = 1,
    flexSortGenericDescending = 2,
    flexSortNumericAscending = 3,
    flexSortNumericDescending = 4,
    flexSortStringNoCaseAscending = 5,
    flexSortStringNoCaseDescending = 6,
    flexSortStringAscending = 7,
    flexSortStringDescending = 8,
    flexSortCustom = 9,
};

// The settings that only change how the grid looks or answers; SetLook repaints.
struct FlexLook {
    qint32 ForeColor = static_cast<qint32>(0x80000008);
    qint32 BackColor = static_cast<qint32>(0x80000005);
    qint32 ForeColorSel = static_cast<qint32>(0x8000000E);
    qint32 BackColorSel = static_cast<qint32>(0x8000000D);
    qint32 ForeColorFixed = static_cast<qint32>(0x80000012);
    qint32 BackColorFixed = static_cast<qint32>(0x8000000F);
    qint32 GridColor = 0xC0C0C0;
    qint32 GridColorFixed = 0;
    qint32 BorderStyle = 1; // 0 none, 1 single
    qint32 Appearance = 1;  // 0 flat, 1 3-D
    qint32 ScrollBars = 3;  // 0 none, 1 horizontal, 2 vertical, 3 both
    qint32 HighLight = 1;   // 0 never, 1 always, 2 while focused
    qint32 FocusRect = 1;   // 0 none, 1 light, 2 heavy
    qint32 GridLines = 1;   // 0 none, 1 flat, 2 inset, 3 raised
    qint32 GridLinesFixed = 2;
    qint32 SelectionMode = 0; // 0 free, 1 by row, 2 by column
    qint32 FillStyle = 0;     // 0 current cell, 1 whole selection
    qint32 MergeCells = 0;
    qint32 TextStyle = 0;
    qint32 TextStyleFixed = 0;
    qint32 AllowUserResizing = 0; // 0 none, 1 columns, 2 rows, 3 both
    qint32 PictureType = 0;
    qint32 OLEDropMode = 0;
    qint32 MousePointer = 0;
    qint32 WhatsThisHelpID = 0;
    qint16 GridLineWidth = 1;
    bool WordWrap = false;
    bool ScrollTrack = false;
    bool RightToLeft = false;
    bool Redraw = true;
    bool CausesValidation = true;
    float FontWidth = 0;
    QString ToolTipText;
};

// The grid's events; arguments by reference carry the handler's changes back.
struct FlexGridEvents {
    std::function<void()> Click, DblClick, SelChange, Scroll, RowColChange, LeaveCell, EnterCell;
    std::function<void()> GotFocus, LostFocus;
    std::function<void(int&keyCode, int&shift)> KeyDown, KeyUp;
    std::function<void(int& keyAscii)> KeyPress;
    std::function<void(int&button, int&shift, float&x, float&y)> MouseDown, MouseMove, MouseUp;
    std::function<void(bool& cancel)> Validate;
    std::function<void(qint32& effect)> OLECompleteDrag;
    std::function<void(qint32 row1, qint32 row2, int& cmp)> Compare;
};

class FlexGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    // Outer geometry in twips from the parent's corner; read back as written.
    float Left() const { return left_; }
    float Top() const { return top_; }
    float Width() const { return width_; }
    float Height() const { return height_; }
    void Move(float left, float top, float width, float height);
    void SetWidth(float v) { Move(left_, top_, v, height_); }
    void SetHeight(float v) { Move(left_, top_, width_, v); }

    // Structure.
    qint32 Rows() const { return static_cast<qint32>(cells_.size()); }
    void SetRows(qint32 n);
    qint32 Cols() const { return cols_; }
    void SetCols(qint32 n);
    qint32 FixedRows() const { return fixedRows_; }
    void SetFixedRows(qint32 n);
    qint32 FixedCols() const { return fixedCols_; }
    void SetFixedCols(qint32 n);
    // A row of tab-separated texts inserted at index (-1: at the end).
    void AddItem(const QString& item, qint32 index = -1);
    void RemoveItem(qint32 index);
    // Empties the texts, pictures and formatting of every cell.
    void Clear();

    // Current cell and selection.
    qint32 Row() const { return row_; }
    void SetRow(qint32 r);
    qint32 Col() const { return col_; }
    void SetCol(qint32 c);
    qint32 RowSel() const { return rowSel_; }
    void SetRowSel(qint32 r);
    qint32 ColSel() const { return colSel_; }
    void SetColSel(qint32 c);
    qint32 TopRow() const { return topRow_; }
    void SetTopRow(qint32 r);
    qint32 LeftCol() const { return leftCol_; }
    void SetLeftCol(qint32 c);
    // Scrolls as little as needed to show the cell.
    void ShowCell(qint32 r, qint32 c);
    qint32 MouseRow() const { return mouseRow_; }
    qint32 MouseCol() const { return mouseCol_; }

    // Texts.
    QString Text() const;
    void SetText(const QString& t); // FillStyle 1: every selected cell
    QString TextMatrix(qint32 r, qint32 c) const;
    void SetTextMatrix(qint32 r, qint32 c, const QString& t);
    QString TextArray(qint32 index) const;
    void SetTextArray(qint32 index, const QString& t);
    // The selected range: cells by tabs, rows by carriage returns.
    QString Clip() const;
    void SetClip(const QString& t);
    // Sorts rows Row..RowSel by the columns Col..ColSel (1 to 9); stable, whole rows move.
    void SetSort(int order);
    QString FormatString() const { return formatString_; }
    void SetFormatString(const QString& f);

    // Rows and columns.
    qint32 RowHeight(qint32 r) const;
    void SetRowHeight(qint32 r, qint32 twips); // r -1: every row
    qint32 ColWidth(qint32 c) const;
    void SetColWidth(qint32 c, qint32 twips); // c -1: every column; -1 twips: default
    qint32 RowHeightMin() const { return rowHeightMin_; }
    void SetRowHeightMin(qint32 twips);
    qint32 RowData(qint32 r) const;
    void SetRowData(qint32 r, qint32 v);
    qint32 ColData(qint32 c) const;
    void SetColData(qint32 c, qint32 v);
    int ColAlignment(qint32 c) const;
    void SetColAlignment(qint32 c, int a);
    int FixedAlignment(qint32 c) const;
    void SetFixedAlignment(qint32 c, int a);
    bool MergeRow(qint32 r) const;
    void SetMergeRow(qint32 r, bool on);
    bool MergeCol(qint32 c) const;
    void SetMergeCol(qint32 c, bool on);
    void SetRowPosition(qint32 r, qint32 position);
    void SetColPosition(qint32 c, qint32 position);
    qint32 RowPos(qint32 r) const; // twips from the grid's top edge, as shown now
    qint32 ColPos(qint32 c) const;
    bool RowIsVisible(qint32 r) const;
    bool ColIsVisible(qint32 c) const;

    // The current cell (FillStyle 1: the whole selection when setting).
    qint32 CellForeColor() const;
    void SetCellForeColor(qint32 c);
    qint32 CellBackColor() const;
    void SetCellBackColor(qint32 c);
    bool CellFontBold() const;
    void SetCellFontBold(bool on);
    bool CellFontItalic() const;
    void SetCellFontItalic(bool on);
    bool CellFontUnderline() const;
    void SetCellFontUnderline(bool on);
    bool CellFontStrikeThrough() const;
    void SetCellFontStrikeThrough(bool on);
    Picture CellPicture() const;
    void SetCellPicture(const Picture& p);
    int CellAlignment() const;
    void SetCellAlignment(int a);
    // The current cell's place in twips from the grid's corner.
    float CellLeft() const;
    float CellTop() const;
    float CellWidth() const;
    float CellHeight() const;

    // Look.
    const FlexLook& Look() const { return look_; }
    template <class T> void SetLook(T FlexLook::*field, T value)
    {
        look_.*field = std::move(value);
        ApplyLook();
    }
    const FontModel& Font() const { return font_; }
    void SetFont(const FontModel& f);
    const Picture& MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(const Picture& p);
    // The whole grid as it looks now.
    Picture GridPicture();
    static int Version() { return 1; }

    void Refresh();
    // Starts a drag of the selected texts; OLECompleteDrag tells how it ended.
    void OLEDrag();
    void SetFocus();

    FlexGridEvents Events;
    // While KeyPress runs: the whole text of the key event, whose first character's code
    // KeyPress carries (a character outside the Basic Multilingual Plane included).
    const QString& TypedText() const { return typedText_; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;

private:
    struct Cell {
        QString text;
        qint32 foreColor = 0; // 0: the grid's
        qint32 backColor = 0;
        qint8 alignment = -1; // -1: the column's
        quint8 fontSet = 0;   // which of the flags below override the grid's font
        quint8 fontOn = 0;
        Picture picture;
    };
    struct RowInfo {
        qint32 height = -1; // -1: the grid's default
        qint32 data = 0;
        bool merge = false;
    };
    struct ColInfo {
        qint32 width = -1;
        qint32 data = 0;
        int alignment = flexAlignGeneral;
        int fixedAlignment = -1; // -1: as the column
        bool merge = false;
    };
    enum FontFlag : quint8 { kBold = 1, kItalic = 2, kUnderline = 4, kStrike = 8 };

    void CheckRow(qint32 r) const;
    void CheckCol(qint32 c) const;
    const Cell& CellAt(qint32 r, qint32 c) const { return cells_[r][c]; }
    Cell& CellAt(qint32 r, qint32 c) { return cells_[r][c]; }
    // One move of the current cell and the selection, with its events.
    void MoveTo(qint32 r, qint32 c, qint32 rowSel, qint32 colSel);
    template <class F> void ForFillCells(F&& f);
    bool CellFlag(quint8 flag) const;
    void SetCellFlag(quint8 flag, bool on);
    int DefaultRowHeightPx() const;
    int RowHeightPx(qint32 r) const;
    int ColWidthPx(qint32 c) const;
    qint32 DefaultColWidth() const { return 960; }
    // Pixel positions in the viewport, as shown now; INT_MIN when scrolled away above.
    int RowY(qint32 r) const;
    int ColX(qint32 c) const;
    QRect CellRect(qint32 r, qint32 c) const; // viewport pixels
    bool HitCell(const QPoint& viewportPos, qint32& r, qint32& c) const;
    void InvalidateCell(qint32 r, qint32 c);
    void InvalidateAll();
    void UpdateScrollBars();
    qint32 MaxTopRow() const;
    qint32 MaxLeftCol() const;
    void SyncBars();
    void ApplyLook();
    void ClampScroll();
    bool IsSelected(qint32 r, qint32 c) const;
    void CellColours(qint32 r, qint32 c, qint32& back, qint32& fore) const;
    void PaintCellBack(QPainter& p, qint32 r, qint32 c, const QRect& rect, bool rightLine, bool bottomLine) const;
    void PaintCellText(QPainter& p, qint32 r, qint32 c, const QRect& rect) const;
    // Equal neighbours that MergeCells, MergeRow and MergeCol join into one shown cell.
    bool MergesAcross(qint32 r, qint32 c1, qint32 c2) const;
    bool MergesDown(qint32 r1, qint32 r2, qint32 c) const;
    QPoint ViewportOffset() const; // the viewport's corner in the widget
    void NoteMouse(const QPoint& viewportPos);
    void ExtendTo(qint32 r, qint32 c);
    int SortCompare(int order, qint32 a, qint32 b) const;
    // A column's right edge in the fixed rows (kind 1) or a row's lower edge in the fixed
    // columns (kind 2) under the pointer, where the user may resize.
    bool ResizeHit(const QPoint& pos, int& kind, qint32& index) const;
    void ApplyCursor();

    std::vector<std::vector<Cell>> cells_;
    std::vector<RowInfo> rowInfo_;
    std::vector<ColInfo> colInfo_;
    qint32 cols_ = 0;
    qint32 fixedRows_ = 1, fixedCols_ = 1;
    qint32 row_ = 1, col_ = 1, rowSel_ = 1, colSel_ = 1;
    qint32 topRow_ = 1, leftCol_ = 1;
    qint32 mouseRow_ = 0, mouseCol_ = 0;
    qint32 rowHeightMin_ = 0;
    qint32 defaultRowTwips_ = 240; // from the font
    float left_ = 0, top_ = 0, width_ = 2400, height_ = 1800;
    FlexLook look_;
    FontModel font_;
    Picture mouseIcon_;
    QString formatString_;
    QString typedText_;
    bool syncing_ = false;
    bool dragging_ = false;
    struct UserResize {
        int kind = 0; // 0 none, 1 a column, 2 a row
        qint32 index = -1;
        int startPx = 0;
        qint32 startTwips = 0;
    } resize_;
    bool resizeCursor_ = false;
};

} // namespace platform
