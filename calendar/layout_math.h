#pragma once
// The arithmetic of the calendar window's layout: where the picture, the page, the
// captions, the cells and the clock go, as plain functions of the window and page
// rectangles, the picture's aspect and the settings. The form reads its settings and
// controls, calls these and places the controls with the results.
//
// All of it works in 32 bits or wider: a window on a very large screen (200,000 twips and
// more) lays out like any other.
#include <QDate>
#include <QPointF>
#include <QString>
#include <QtGlobal>

namespace calendarlayout {

// A control's rectangle in twips, in single precision as the controls keep it.
struct Box {
    float Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const Box&) const = default;
};

// A numeric geometry or size setting as a whole number (half to even). A text that is no
// number, or none that fits 32 bits, reads as -1, automatic: a hand-edited settings file
// must not break the layout half-way. A missing key reaches here as "0" and stays 0.
qint32 NumericSetting(const QString& text);

// -1 keeps the current value, anything else replaces it.
qint32 OptionValue(qint32 current, qint32 value);

// ---- the page: picture, page and backdrop ----

// The window's margin: the nearer whole number to the smaller of W / 30 and int32(H / 30).
qint32 Margin(double W, double H);
// floor(x), at most cap, at least 10 twips.
double Fit(double x, qint32 cap);

// Pinned edges and sizes; -1 keeps what the arrangement computed.
struct PagePins {
    qint32 ImageTop = -1, ImageLeft = -1, ImageWidth = -1, ImageHeight = -1;
    qint32 PageTop = -1, PageLeft = -1, PageWidth = -1, PageHeight = -1;
};

struct PageInput {
    double W = 0, H = 0;   // the window's outer size
    double X0 = 0, Y0 = 0; // the client area's origin
    bool HasPicture = false;
    double Aspect = 1;   // picture height / width; 1 without a picture
    QString Orientation; // "Portrait Top", "Portrait Bottom", "Landscape Left", "Landscape Right", "Center"
    Box Picture, Page;   // where they stand now; an unknown orientation keeps them
    PagePins Pins;
};

struct PageResult {
    Box Picture, Page;
    Box Backdrop;           // the whole window
    float MessageTop = 0;   // the message line just under the picture ...
    float MessageRight = 0; // ... its right edge on the picture's
};

PageResult LayoutPage(const PageInput& in);

// ---- the day grid on the page ----

// The grid-frame settings; -1 is automatic, as is a font size of 0.
struct GridSettings {
    qint32 Top = -1, Left = -1, Width = -1, Height = -1;
    qint32 FontSize = 0;
};

struct GridFrame {
    qint32 T = 0, L = 0, Wg = 0, Hg = 0; // captions' top, first column, width, height
    qint32 FontSize = 0;                 // of the day cells, points
    qint32 ColumnWidth = 0, RowHeight = 0;
    qint32 HeaderTop = 0;      // the weekday row
    double YearFontSize = 0;   // month and year captions
    double HeaderFontSize = 0; // weekday cells
    double ClockFontSize = 0;
};

GridFrame LayoutGridFrame(const Box& page, const GridSettings& s);

struct CaptionPlaces {
    double MonthLeft = 0, YearLeft = 0;
};
// Month and year on one line, centred over six columns, the month never left of 100.
CaptionPlaces PlaceCaptions(const GridFrame& g, double yearWidth, double monthWidth);

// Left edge of weekday header cell i (1 to 7).
double HeaderCellLeft(const GridFrame& g, int i);

struct CellStep {
    qint32 RowTop = 0;
    double Left = 0;
};
// The next day cell: a week-start day opens a row one row lower at the first column,
// any other day follows the cell before it in the same row.
CellStep NextDayCell(const GridFrame& g, qint32 rowTop, double previousLeft, bool beginsWeek);

// 1 = Sunday ... 7 = Saturday.
int WeekdayNumber(const QDate& d);

enum class CellLook { Framed, Enabled, Greyed };
// Today's cell is framed when it shows a caption; otherwise the cell is enabled when it
// belongs to the displayed month (trimmed month caption = the month name of its date).
CellLook DayCellLook(const QDate& date, const QDate& today, bool captionEmpty, const QString& monthCaption,
                     const QString& monthNameOfDate);

// The clock's place: a pinned position, or 100 twips inside the page's top right corner,
// never left of 500.
QPointF PlaceClock(qint32 clockLeft, qint32 clockTop, const Box& page, double clockWidth);

// The shadow's offset from its cell: 1.2 x the font size (points taken as twips) in the
// direction of angle (radians).
QPointF ShadowOffset(double fontSize, int angle);

// The note icon: at the cell's top, 10 x its font size (as twips) left of it.
QPointF ActivityIconPlace(double cellLeft, double cellTop, double fontSize);

} // namespace calendarlayout
