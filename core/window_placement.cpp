#include "window_placement.h"
#include "set_up_step.h"

#include "conversions.h"

using mduLib::Step;

namespace mduUILib {
namespace {
std::function<QSizeF()>& Provider()
{
    static std::function<QSizeF()> p;
    return p;
}

qint32 LeadingWhole(const QString& key, const mduLib::PropertyTable& table)
{
    return conv::ToInt32(conv::LeadingNumber(mduLib::GetProp(key, table)));
}

void Restore(PlacedWindow& w, const mduLib::PropertyTable& table, double divisor, bool childTest)
{
    if (w.WindowState() != 0)
        return;
    const QSizeF screen = ScreenSizeTwips();
    const bool keep = childTest && w.MDIChild();
    Step([&] {
        const qint32 v = UsableWindowSize(LeadingWhole(QStringLiteral("Window Width"), table));
        if (v != -1)
            w.SetWidth(static_cast<float>(v));
        else if (!keep)
            w.SetWidth(static_cast<float>(screen.width() / divisor));
    });
    Step([&] {
        const qint32 v = UsableWindowSize(LeadingWhole(QStringLiteral("Window Height"), table));
        if (v != -1)
            w.SetHeight(static_cast<float>(v));
        else if (!keep)
            w.SetHeight(static_cast<float>(screen.height() / divisor));
    });
    Step([&] {
        // A top that is no number is placed automatically rather than at 0.
        const QString text = mduLib::GetProp(QStringLiteral("Window Top"), table);
        const qint32 v = conv::IsNumeric(text) ? conv::ToInt32(conv::ToDouble(text)) : -1;
        if (v != -1)
            w.SetTop(static_cast<float>(v));
        else if (!keep)
            w.SetTop(static_cast<float>((screen.height() - w.Height()) / 2));
    });
    Step([&] {
        const qint32 v = LeadingWhole(QStringLiteral("Window Left"), table);
        if (v != -1)
            w.SetLeft(static_cast<float>(v));
        else if (!keep)
            w.SetLeft(static_cast<float>((screen.width() - w.Width()) / 2));
    });
}
bool IsSizeKey(const QString& key)
{
    return conv::EqualsTrimmedNoCase(key, u"Window Width") || conv::EqualsTrimmedNoCase(key, u"Window Height");
}
} // namespace

qint32 UsableWindowSize(qint32 stored) { return stored < kMinimumWindowSize ? -1 : stored; }

QSizeF ScreenSizeTwips()
{
    if (Provider())
        return Provider()();
    return {1024 * 15.0, 768 * 15.0};
}

void SetScreenSizeProvider(std::function<QSizeF()> provider) { Provider() = std::move(provider); }

void RestoreWindowPlacement(PlacedWindow& window, const mduLib::PropertyTable& table)
{
    Restore(window, table, 4.0, true);
}

void RestoreWindowPosition(PlacedWindow& window, const mduLib::PropertyTable& table)
{
    Restore(window, table, 1.8, false);
}

void SaveWindowValue(const QString& key, const QString& value, mduLib::PropertyTable& table, const QString& path)
{
    const double stored = conv::RoundHalfEven(conv::LeadingNumber(mduLib::GetProp(key, table)));
    if (stored == -1)
        return;
    // An automatic size stays automatic, and a size no window can be used at is never
    // stored: it would come back as a window too small to grab.
    if (IsSizeKey(key) && (stored < kMinimumWindowSize || conv::LeadingNumber(value) < kMinimumWindowSize))
        return;
    mduLib::SetValueAndSave(key, value, table, path);
}

void SaveWindowPlacement(PlacedWindow& window, const QString& path, mduLib::PropertyTable& table)
{
    if (window.WindowState() != 0)
        return;
    mduLib::LoadIniFile(path, table);
    SaveWindowValue(QStringLiteral("Window Top"), conv::NumberText(window.Top()), table, path);
    SaveWindowValue(QStringLiteral("Window Left"), conv::NumberText(window.Left()), table, path);
    SaveWindowValue(QStringLiteral("Window Height"), conv::NumberText(window.Height()), table, path);
    SaveWindowValue(QStringLiteral("Window Width"), conv::NumberText(window.Width()), table, path);
}

} // namespace mduUILib
