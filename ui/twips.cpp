#include "twips.h"

#include "core/conversions.h"

#include <QApplication>
#include <QPalette>
#include <QScreen>

namespace platform {
namespace {
double LogicalDpi(bool x)
{
    if (QGuiApplication::instance()) {
        if (const QScreen* s = QGuiApplication::primaryScreen()) {
            const double dpi = x ? s->logicalDotsPerInchX() : s->logicalDotsPerInchY();
            if (dpi > 0)
                return dpi;
        }
    }
    return 96.0;
}
} // namespace

double TwipsPerPixelX() { return 1440.0 / LogicalDpi(true); }
double TwipsPerPixelY() { return 1440.0 / LogicalDpi(false); }

int TwipsToPixelsX(double twips) { return static_cast<int>(conv::RoundHalfEven(twips / TwipsPerPixelX())); }
int TwipsToPixelsY(double twips) { return static_cast<int>(conv::RoundHalfEven(twips / TwipsPerPixelY())); }
double PixelsToTwipsX(double px) { return px * TwipsPerPixelX(); }
double PixelsToTwipsY(double px) { return px * TwipsPerPixelY(); }

double ScreenWidthTwips()
{
    if (QGuiApplication::instance())
        if (const QScreen* s = QGuiApplication::primaryScreen())
            return PixelsToTwipsX(s->geometry().width());
    return PixelsToTwipsX(1024);
}

double ScreenHeightTwips()
{
    if (QGuiApplication::instance())
        if (const QScreen* s = QGuiApplication::primaryScreen())
            return PixelsToTwipsY(s->geometry().height());
    return PixelsToTwipsY(768);
}

QColor ColorFromValue(qint32 value)
{
    const auto v = static_cast<quint32>(value);
    if (v & 0x80000000u) {
        const QPalette pal = QGuiApplication::instance() ? QGuiApplication::palette() : QPalette();
        switch (v & 0xFFu) {
        case 5:
            return pal.color(QPalette::Base);
        case 8:
            return pal.color(QPalette::Text);
        case 9: // the text of window captions: dark on today's desktops
            return pal.color(QPalette::WindowText);
        case 13:
            return pal.color(QPalette::Highlight);
        case 14:
            return pal.color(QPalette::HighlightedText);
        case 15:
            return pal.color(QPalette::Button);
        case 18:
            return pal.color(QPalette::ButtonText);
        case 23:
            return pal.color(QPalette::ToolTipText);
        case 24:
            return pal.color(QPalette::ToolTipBase);
        default:
            return pal.color(QPalette::WindowText);
        }
    }
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>((v >> 16) & 0xFF));
}

qint32 ValueFromColor(const QColor& c) { return static_cast<qint32>(c.red() | (c.green() << 8) | (c.blue() << 16)); }

} // namespace platform
