#include "window_placement.h"
#include "set_up_step.h"

#include "conversions.h"
#include "system/whole_file_write.h"

#include <algorithm>

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
    return conv::ToInt32(mduLib::GetNumberProp(key, table, 0));
}

// area: where automatic values centre the window (the screen when null).
void Restore(PlacedWindow& w, const mduLib::PropertyTable& table, double divisor, bool childTest,
             const QSizeF* area = nullptr)
{
    if (w.WindowState() != 0)
        return;
    const QSizeF screen = ScreenSizeTwips();
    const QSizeF centre = area ? *area : screen;
    const bool keep = childTest && w.MDIChild();
    // The rectangle is worked out whole and applied once.
    float width = w.Width(), height = w.Height(), top = w.Top(), left = w.Left();
    Step([&] {
        const qint32 v = UsableWindowSize(LeadingWhole(QStringLiteral("Window Width"), table));
        if (v != -1)
            width = static_cast<float>(v);
        else if (!keep)
            width = static_cast<float>(screen.width() / divisor);
    });
    Step([&] {
        const qint32 v = UsableWindowSize(LeadingWhole(QStringLiteral("Window Height"), table));
        if (v != -1)
            height = static_cast<float>(v);
        else if (!keep)
            height = static_cast<float>(screen.height() / divisor);
    });
    Step([&] {
        // A top that is no number is placed automatically rather than at 0.
        const QString text = mduLib::GetProp(QStringLiteral("Window Top"), table);
        const qint32 v = conv::IsNumeric(text) ? conv::ToInt32(conv::ToDouble(text)) : -1;
        if (v != -1)
            top = static_cast<float>(v);
        else if (!keep)
            top = static_cast<float>((centre.height() - height) / 2);
    });
    Step([&] {
        const qint32 v = LeadingWhole(QStringLiteral("Window Left"), table);
        if (v != -1)
            left = static_cast<float>(v);
        else if (!keep)
            left = static_cast<float>((centre.width() - width) / 2);
    });
    if (area) {
        // A window larger than its area keeps its title bar in reach.
        top = std::max(top, 0.0f);
        left = std::max(left, 0.0f);
    }
    if (!w.MDIChild()) {
        Step([&] {
            // On the screens there are now; the stored values stay until the window is saved.
            const QRectF now(left, top, width, height);
            const QRectF kept = KeptOnScreens(now, AvailableAreasTwips());
            if (kept == now)
                return;
            width = static_cast<float>(kept.width());
            height = static_cast<float>(kept.height());
            top = static_cast<float>(kept.top());
            left = static_cast<float>(kept.left());
        });
    }
    w.SetOuterRect(left, top, width, height);
}

std::function<std::vector<QRectF>()>& AreasProvider()
{
    static std::function<std::vector<QRectF>()> p;
    return p;
}

// Is every part of r inside one of the areas? Cut r at the areas' edges and test each piece.
bool CoveredBy(const QRectF& r, const std::vector<QRectF>& areas)
{
    std::vector<double> xs{r.left(), r.right()}, ys{r.top(), r.bottom()};
    for (const QRectF& a : areas) {
        for (double x : {a.left(), a.right()})
            if (x > r.left() && x < r.right())
                xs.push_back(x);
        for (double y : {a.top(), a.bottom()})
            if (y > r.top() && y < r.bottom())
                ys.push_back(y);
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    for (size_t i = 0; i + 1 < xs.size(); ++i)
        for (size_t j = 0; j + 1 < ys.size(); ++j) {
            if (xs[i + 1] <= xs[i] || ys[j + 1] <= ys[j])
                continue;
            const QPointF mid((xs[i] + xs[i + 1]) / 2, (ys[j] + ys[j + 1]) / 2);
            if (std::none_of(areas.begin(), areas.end(), [&](const QRectF& a) { return a.contains(mid); }))
                return false;
        }
    return true;
}

double DistanceSquared(const QPointF& p, const QRectF& r)
{
    const double dx = std::max({r.left() - p.x(), 0.0, p.x() - r.right()});
    const double dy = std::max({r.top() - p.y(), 0.0, p.y() - r.bottom()});
    return dx * dx + dy * dy;
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

std::vector<QRectF> AvailableAreasTwips()
{
    if (AreasProvider())
        return AreasProvider()();
    return {};
}

void SetAvailableAreasProvider(std::function<std::vector<QRectF>()> provider) { AreasProvider() = std::move(provider); }

QRectF KeptOnScreens(const QRectF& window, const std::vector<QRectF>& areas)
{
    if (areas.empty())
        return window;
    // Across two screens is fine as long as every part is on one of them.
    if (CoveredBy(window, areas))
        return window;
    // The screen it overlaps most, else the one nearest to its centre.
    const QRectF* best = &areas.front();
    double bestOverlap = -1, bestDistance = 0;
    for (const QRectF& a : areas) {
        const QRectF overlap = a.intersected(window);
        const double size = overlap.isEmpty() ? 0 : overlap.width() * overlap.height();
        const double distance = DistanceSquared(window.center(), a);
        if (size > bestOverlap || (size == bestOverlap && distance < bestDistance)) {
            best = &a;
            bestOverlap = size;
            bestDistance = distance;
        }
    }
    const QRectF& a = *best;
    QRectF r = window;
    r.setWidth(std::min(r.width(), a.width()));
    r.setHeight(std::min(r.height(), a.height()));
    if (r.right() > a.right())
        r.moveRight(a.right());
    if (r.bottom() > a.bottom())
        r.moveBottom(a.bottom());
    if (r.left() < a.left())
        r.moveLeft(a.left());
    if (r.top() < a.top())
        r.moveTop(a.top());
    return r;
}

void RestoreWindowPlacement(PlacedWindow& window, const mduLib::PropertyTable& table)
{
    Restore(window, table, 4.0, true);
}

void RestoreWindowPosition(PlacedWindow& window, const mduLib::PropertyTable& table)
{
    Restore(window, table, 1.8, false);
}

void RestoreChildWindowPlacement(PlacedWindow& window, const mduLib::PropertyTable& table, const QSizeF& area)
{
    Restore(window, table, 4.0, false, &area);
}

namespace {
// Sets the value in the table as SaveWindowValue stores it; false when it is not stored.
bool SetWindowValue(const QString& key, const QString& value, mduLib::PropertyTable& table)
{
    const double stored = conv::RoundHalfEven(mduLib::GetNumberProp(key, table, 0));
    if (stored == -1)
        return false;
    // An automatic size stays automatic, and a size no window can be used at is never
    // stored: it would come back as a window too small to grab.
    if (IsSizeKey(key) && (stored < kMinimumWindowSize || conv::LeadingNumber(value) < kMinimumWindowSize))
        return false;
    mduLib::SetValueAsGiven(key, value, table);
    return true;
}

bool HoldsAnyKey(const mduLib::PropertyTable& table)
{
    if (!table.IsCreated())
        return false;
    for (int i = 1; i <= table.UBound(); ++i)
        if (!table[i].Key.trimmed().isEmpty())
            return true;
    return false;
}
} // namespace

bool SaveWindowValue(const QString& key, const QString& value, mduLib::PropertyTable& table, const QString& path)
{
    if (!SetWindowValue(key, value, table))
        return true;
    if (!mduLib::SaveIniFile(table, path))
        return false;
    table.MarkSaved();
    return true;
}

bool SaveWindowPlacement(PlacedWindow& window, const QString& path, mduLib::PropertyTable& table)
{
    if (window.WindowState() != 0)
        return true;
    // Only the geometry goes into the file as it is on disk, so every menu change lasts
    // until it is saved, whether it changed a key or added one. With no file yet the
    // whole table is written; a file that cannot be read whole is left alone. Another
    // copy's read and write of the file must not fall between ours.
    const platform::FolderWriteLock lock(path);
    mduLib::PropertyTable onDisk;
    QString problem;
    if (!mduLib::LoadIniFileForRewrite(path, onDisk, &problem)) {
        platform::SetWriteFailure(path, problem + QStringLiteral(", so it is left as it is"));
        return false;
    }
    const bool fromDisk = onDisk.IsCreated();
    // A window whose settings file could never be made (a full disk at the first start)
    // has nothing of its own to keep: a file of its place alone would never be made again
    // from the template, and every later start would show a blank window.
    if (!fromDisk && !HoldsAnyKey(table))
        return true;
    mduLib::PropertyTable& target = fromDisk ? onDisk : table;
    bool any = SetWindowValue(QStringLiteral("Window Top"), conv::NumberText(window.Top()), target);
    any = SetWindowValue(QStringLiteral("Window Left"), conv::NumberText(window.Left()), target) || any;
    any = SetWindowValue(QStringLiteral("Window Height"), conv::NumberText(window.Height()), target) || any;
    any = SetWindowValue(QStringLiteral("Window Width"), conv::NumberText(window.Width()), target) || any;
    // One write for the four values; a file that holds them already is not written again.
    if (!any || (fromDisk && !target.Changed()))
        return true;
    if (!mduLib::SaveIniFile(target, path))
        return false;
    target.MarkSaved();
    return true;
}

bool EnableFormWindow(PlacedWindow& window, bool enabled)
{
    window.EnableWindow(enabled);
    return enabled;
}

} // namespace mduUILib
