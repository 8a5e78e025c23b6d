#include "layout_math.h"

#include "core/conversions.h"
#include "core/text_utilities.h"

#include <cmath>
#include <limits>

using conv::ToInt32;
using mduLib::MaxValue;
using mduLib::MinValue;

namespace calendarlayout {

qint32 NumericSetting(const QString& text)
{
    if (!conv::IsNumeric(text))
        return -1;
    try {
        const double v = conv::RoundHalfEven(conv::ToDouble(text));
        if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
            return -1;
        return static_cast<qint32>(v);
    } catch (const std::exception&) {
        return -1;
    }
}

qint32 OptionValue(qint32 current, qint32 value) { return value == -1 ? current : value; }

qint32 Margin(double W, double H) { return ToInt32(MinValue(W / 30, ToInt32(H / 30))); }

double Fit(double x, qint32 cap) { return MaxValue(MinValue(std::floor(x), cap), 10); }

namespace {

// Like fit, the heights the portrait arrangements take from the window's height never
// drop below 10 twips, however short the window.
double AtLeastTen(double x) { return MaxValue(x, 10); }

// The picture by the orientation; false for an orientation that arranges nothing. Each
// value is stored as the control stores it (single precision) before a later formula
// reads it back.
bool PlacePicture(const PageInput& in, double aspect, qint32 m, Box& p)
{
    const double W = in.W, H = in.H, X0 = in.X0, Y0 = in.Y0;
    const qint32 m2 = 2 * m, m3 = 3 * m, m5 = 5 * m;
    const QString& o = in.Orientation;
    if (o == QLatin1String("Portrait Top")) {
        p.Top = static_cast<float>(Y0 + m);
        p.Left = static_cast<float>(X0 + m);
        double w = ToInt32(W - 2.5 * m);
        double h = in.HasPicture ? Fit(aspect * w, ToInt32(H - m3))
                                 : AtLeastTen(ToInt32(MinValue(W - m2, ToInt32((H - m5) / 2.0))));
        if ((H - m5) / 2.0 < h) {
            h = AtLeastTen(ToInt32((H - m5) / 2.0));
            w = Fit(h / aspect, ToInt32(W - m2));
        }
        p.Width = static_cast<float>(w);
        p.Height = static_cast<float>(h);
    } else if (o == QLatin1String("Portrait Bottom")) {
        p.Width = static_cast<float>(W - m2);
        p.Height = static_cast<float>(in.HasPicture ? Fit(aspect * p.Width, ToInt32(H - m2))
                                                    : AtLeastTen(MinValue(W - m2, ToInt32((H - m5) / 2.0))));
        p.Top = static_cast<float>(Y0 + m2 + p.Height);
        p.Left = static_cast<float>(X0 + m);
    } else if (o == QLatin1String("Landscape Left")) {
        p.Top = static_cast<float>(Y0 + m);
        p.Left = static_cast<float>(X0 + m);
        p.Width = static_cast<float>((W - 3.6 * m) / 2.0);
        p.Height = static_cast<float>(Fit(aspect * p.Width, ToInt32(H - m2)));
    } else if (o == QLatin1String("Landscape Right")) {
        p.Top = static_cast<float>(Y0 + m);
        p.Width = static_cast<float>((W - m3) / 2.0);
        p.Left = static_cast<float>(X0 + p.Width + m2);
        p.Height = static_cast<float>(Fit(aspect * p.Width, ToInt32(H - m2)));
    } else if (o == QLatin1String("Center")) {
        p.Top = static_cast<float>(Y0 + 1.5 * m);
        p.Left = static_cast<float>(X0 + 1.5 * m);
        p.Width = static_cast<float>(W - m3);
        p.Height = static_cast<float>(Fit(aspect * p.Width, ToInt32(H - m3)));
    } else {
        return false;
    }
    return true;
}

// The page beside the picture, with one margin between them and the same size.
void PlacePage(const PageInput& in, double aspect, qint32 m, const Box& p, Box& g)
{
    const QString& o = in.Orientation;
    if (o == QLatin1String("Portrait Top")) {
        g = {p.Left, static_cast<float>(p.Top + static_cast<double>(p.Height) + m), p.Width, p.Height};
    } else if (o == QLatin1String("Portrait Bottom")) {
        g = {p.Left, static_cast<float>(in.Y0 + m), p.Width, p.Height};
    } else if (o == QLatin1String("Landscape Left")) {
        g = {static_cast<float>(p.Left + static_cast<double>(p.Width) + m), p.Top, p.Width, p.Height};
    } else if (o == QLatin1String("Landscape Right")) {
        g = {static_cast<float>(in.X0 + m), p.Top, p.Width, p.Height};
    } else if (o == QLatin1String("Center")) {
        g.Top = static_cast<float>(in.Y0 + m);
        g.Left = static_cast<float>(in.X0 + m);
        g.Width = static_cast<float>(in.W - 3 * m);
        g.Height = static_cast<float>(Fit(aspect * p.Width, ToInt32(in.H - 3 * m)));
    }
}

float Pinned(float current, qint32 pin) { return static_cast<float>(OptionValue(ToInt32(current), pin)); }

} // namespace

PageResult LayoutPage(const PageInput& in)
{
    PageResult r;
    r.Picture = in.Picture;
    r.Page = in.Page;
    const double aspect = in.HasPicture ? in.Aspect : 1.0;
    const qint32 m = Margin(in.W, in.H);
    if (PlacePicture(in, aspect, m, r.Picture))
        PlacePage(in, aspect, m, r.Picture, r.Page);

    r.Page.Top = Pinned(r.Page.Top, in.Pins.PageTop);
    r.Page.Left = Pinned(r.Page.Left, in.Pins.PageLeft);
    r.Page.Width = Pinned(r.Page.Width, in.Pins.PageWidth);
    r.Page.Height = Pinned(r.Page.Height, in.Pins.PageHeight);
    r.Picture.Top = Pinned(r.Picture.Top, in.Pins.ImageTop);
    r.Picture.Left = Pinned(r.Picture.Left, in.Pins.ImageLeft);
    r.Picture.Width = Pinned(r.Picture.Width, in.Pins.ImageWidth);
    r.Picture.Height = Pinned(r.Picture.Height, in.Pins.ImageHeight);

    r.Backdrop = {static_cast<float>(in.X0), static_cast<float>(in.Y0), static_cast<float>(in.W),
                  static_cast<float>(in.H)};
    r.MessageTop = static_cast<float>(static_cast<double>(r.Picture.Top) + r.Picture.Height + 10);
    r.MessageRight = static_cast<float>(static_cast<double>(r.Picture.Left) + r.Picture.Width);
    return r;
}

GridFrame LayoutGridFrame(const Box& page, const GridSettings& s)
{
    GridFrame g;
    g.Wg = s.Width == -1 ? ToInt32(page.Width / 1.2) : s.Width;
    g.Hg = s.Height == -1 ? ToInt32(page.Height / 1.5) : s.Height;
    g.T = s.Top == -1 ? ToInt32((page.Height - static_cast<double>(g.Hg)) / 5 + page.Top) : s.Top;
    g.L = s.Left == -1 ? ToInt32((page.Width - static_cast<double>(g.Wg)) / 2 + page.Left + g.Wg / 28.0) : s.Left;
    g.FontSize = s.FontSize;
    if (g.FontSize == -1 || g.FontSize == 0)
        g.FontSize = static_cast<qint32>(MaxValue(std::floor(g.Hg * 0.0065), 4));
    g.ColumnWidth = ToInt32(g.Wg / 7.0);
    g.RowHeight = ToInt32(g.Hg / 6.0);
    g.HeaderTop = ToInt32(g.RowHeight * 1.2 + g.T);
    g.YearFontSize = std::floor(g.FontSize * 1.2);
    g.HeaderFontSize = g.FontSize * 0.7;
    g.ClockFontSize = MaxValue(g.FontSize * 0.5, 2);
    return g;
}

CaptionPlaces PlaceCaptions(const GridFrame& g, double yearWidth, double monthWidth)
{
    CaptionPlaces c;
    const double sixColumns = static_cast<double>(g.ColumnWidth) * 6;
    c.MonthLeft = static_cast<float>(MaxValue((sixColumns - yearWidth - monthWidth) / 2 + g.L, 100));
    c.YearLeft = c.MonthLeft + monthWidth + 10 * g.YearFontSize;
    return c;
}

double HeaderCellLeft(const GridFrame& g, int i)
{
    return static_cast<double>(g.L) + static_cast<double>(g.ColumnWidth) * (i - 1);
}

CellStep NextDayCell(const GridFrame& g, qint32 rowTop, double previousLeft, bool beginsWeek)
{
    if (beginsWeek)
        return {rowTop + g.RowHeight, static_cast<double>(g.L)};
    return {rowTop, previousLeft + g.ColumnWidth};
}

int WeekdayNumber(const QDate& d) { return d.dayOfWeek() % 7 + 1; }

CellLook DayCellLook(const QDate& date, const QDate& today, bool captionEmpty, const QString& monthCaption,
                     const QString& monthNameOfDate)
{
    if (date == today && !captionEmpty)
        return CellLook::Framed;
    return conv::Trim(monthCaption) == monthNameOfDate ? CellLook::Enabled : CellLook::Greyed;
}

QPointF PlaceClock(qint32 clockLeft, qint32 clockTop, const Box& page, double clockWidth)
{
    const double left =
        clockLeft == -1 ? MaxValue(static_cast<double>(page.Left) + page.Width - clockWidth - 100, 500) : clockLeft;
    const double top = clockTop == -1 ? static_cast<double>(page.Top) + 100 : clockTop;
    return {left, top};
}

QPointF ShadowOffset(double fontSize, int angle)
{
    return {1.2 * fontSize * std::cos(static_cast<double>(angle)),
            1.2 * fontSize * std::sin(static_cast<double>(angle))};
}

QPointF ActivityIconPlace(double cellLeft, double cellTop, double fontSize)
{
    return {cellLeft - 10 * fontSize, cellTop};
}

} // namespace calendarlayout
