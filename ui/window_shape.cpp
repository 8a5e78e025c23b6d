#include "window_shape.h"

#include "form.h"
#include "system/message_box.h"

#include <QCursor>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>

namespace {

// What the shape calls asked of one form; a child object of the form, so it goes with it.
class ShapeState : public QObject {
public:
    explicit ShapeState(platform::Form& form) : QObject(&form), form_(&form)
    {
        setObjectName(QStringLiteral("almanorvique-shape"));
        form.installEventFilter(this);
    }

    int regionStyle = 0;
    bool captionSet = false;
    bool noCaption = false;
    bool noMinMax = false;
    bool topMost = false;
    bool whiteKey = false;

    void ScheduleMask()
    {
        if (maskPending_)
            return;
        maskPending_ = true;
        QTimer::singleShot(0, this, [this] {
            maskPending_ = false;
            if (form_)
                mduAPILib::RefreshTransparentMask(*form_);
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (watched != form_)
            return false;
        if (e->type() == QEvent::Resize && whiteKey)
            ScheduleMask();
        return false;
    }

private:
    // The state is the form's child and goes with it; a plain pointer is also safe to
    // compare while the form is being destroyed.
    platform::Form* form_;
    bool maskPending_ = false;
};

ShapeState& StateOf(platform::Form& frm)
{
    if (auto* s = frm.findChild<ShapeState*>(QStringLiteral("almanorvique-shape"), Qt::FindDirectChildrenOnly))
        return *s;
    return *new ShapeState(frm);
}

const ShapeState* FindState(const platform::Form& frm)
{
    return frm.findChild<ShapeState*>(QStringLiteral("almanorvique-shape"), Qt::FindDirectChildrenOnly);
}

bool Frameless(int regionStyle) { return regionStyle == 1 || regionStyle == 4; }

Qt::WindowFlags FlagsFor(const ShapeState& s)
{
    Qt::WindowFlags f = Qt::Window;
    if (Frameless(s.regionStyle)) {
        f |= Qt::FramelessWindowHint;
    } else if (s.captionSet) {
        f |= Qt::CustomizeWindowHint;
        if (!s.noCaption) {
            f |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
            if (!s.noMinMax)
                f |= Qt::WindowMinMaxButtonsHint;
        }
    } else {
        f |= Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    }
    if (s.topMost)
        f |= Qt::WindowStaysOnTopHint;
    return f;
}

// Gives the window the flags its state asks for; a shown window is shown again in its
// state, keeping its outer rectangle. False when the form is no window of its own.
bool ApplyFlags(platform::Form& frm)
{
    if (!frm.isWindow())
        return false;
    ShapeState& s = StateOf(frm);
    const Qt::WindowFlags wanted = FlagsFor(s);
    if (frm.windowFlags() == wanted)
        return true;
    const bool wasVisible = frm.isVisible();
    const QRectF outer(frm.Left(), frm.Top(), frm.Width(), frm.Height());
    frm.setWindowFlags(wanted);
    if (!wasVisible)
        return true;
    // A held state comes once the frame is final; until then the window keeps its own.
    switch (frm.WindowStateHeld() ? -1 : frm.WindowState()) {
    case -1:
        frm.show();
        break;
    case platform::vbMaximized:
        frm.showMaximized();
        break;
    case platform::vbMinimized:
        frm.showMinimized();
        break;
    default:
        // A window the desktop brought back from the taskbar still carries the hint to
        // start iconic, which the desktop reads again when the window is shown again:
        // passing through the iconic state while hidden writes the hint anew.
        if (QWindow* handle = frm.windowHandle()) {
            handle->setWindowStates(Qt::WindowMinimized);
            handle->setWindowStates(Qt::WindowNoState);
        }
        frm.show();
        frm.Move(static_cast<float>(outer.left()), static_cast<float>(outer.top()), static_cast<float>(outer.width()),
                 static_cast<float>(outer.height()));
        frm.HoldOuterGeometry();
        break;
    }
    if (s.whiteKey)
        s.ScheduleMask();
    return true;
}

} // namespace

namespace mduAPILib {

QRegion OpaqueRegion(const QImage& image)
{
    const QImage img = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                           ? image
                           : image.convertToFormat(QImage::Format_RGB32);
    const int w = img.width();
    const int h = img.height();
    std::vector<QRect> rects;
    std::vector<QRect> row, previous;
    int bandStart = 0;
    auto flush = [&](int endRow) {
        for (const QRect& r : previous)
            rects.emplace_back(r.left(), bandStart, r.width(), endRow - bandStart);
    };
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        row.clear();
        int x = 0;
        while (x < w) {
            while (x < w && (line[x] & 0xFFFFFFu) == 0xFFFFFFu)
                ++x;
            if (x == w)
                break;
            const int start = x;
            while (x < w && (line[x] & 0xFFFFFFu) != 0xFFFFFFu)
                ++x;
            row.emplace_back(start, 0, x - start, 1);
        }
        // Rows with the same runs become one band of taller rectangles.
        const bool same = row.size() == previous.size() &&
                          std::equal(row.begin(), row.end(), previous.begin(), [](const QRect& a, const QRect& b) {
                              return a.left() == b.left() && a.width() == b.width();
                          });
        if (!same) {
            flush(y);
            previous.swap(row);
            bandStart = y;
        }
    }
    flush(h);
    QRegion region;
    if (!rects.empty())
        region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

void SetFormRegion(platform::Form& frm, qint16 regionStyle)
{
    // The desktop draws the frame here, so a region can only keep it or take it away:
    // styles 1 and 4 leave the client area alone (no frame), the others keep the frame.
    StateOf(frm).regionStyle = regionStyle;
    ApplyFlags(frm);
}

void ApplyBorderStyle(platform::Form& frm, const QString& styleName)
{
    if (styleName == QLatin1String("No Border"))
        SetFormRegion(frm, 1);
    else if (styleName == QLatin1String("3D Border"))
        SetFormRegion(frm, 3);
    else if (styleName == QLatin1String("Classic"))
        SetFormRegion(frm, 7);
}

void MakeWhiteTransparent(platform::Form& frm)
{
    try {
        StateOf(frm).whiteKey = true;
        RefreshTransparentMask(frm);
    } catch (const std::exception& e) {
        platform::MsgBox(QString::fromLocal8Bit(e.what()) + QStringLiteral(" Source : ") + frm.Name(),
                         platform::vbOKOnly, QStringLiteral(" "));
    }
}

bool IsWhiteTransparent(const platform::Form& frm)
{
    const ShapeState* s = FindState(frm);
    return s && s->whiteKey;
}

void RefreshTransparentMask(platform::Form& frm)
{
    if (!IsWhiteTransparent(frm) || frm.width() <= 0 || frm.height() <= 0)
        return;
    // Pure white lets the desktop and the clicks through; the window is drawn as it is
    // now, mask or not, in its own pixels.
    QImage shot(frm.size(), QImage::Format_RGB32);
    shot.fill(Qt::white);
    frm.render(&shot, QPoint(), QRegion(), QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);
    QRegion opaque = OpaqueRegion(shot);
    // An empty mask would show the whole window: leave one pixel instead.
    if (opaque.isEmpty())
        opaque = QRegion(0, 0, 1, 1);
    if (frm.mask() != opaque)
        frm.setMask(opaque);
}

void SetCaptionStyle(platform::Form& frm, bool noCaption, bool noMinMax)
{
    ShapeState& s = StateOf(frm);
    s.captionSet = true;
    s.noCaption = noCaption;
    s.noMinMax = noMinMax;
    ApplyFlags(frm);
}

void SetTopMostNow(platform::Form& frm)
{
    bool onTop = true;
    mduUILib::SetTopMost(frm, onTop);
}

float GetCursorXInForm(platform::Form&) { return static_cast<float>(QCursor::pos().x()); }
float GetCursorYInForm(platform::Form&) { return static_cast<float>(QCursor::pos().y()); }

} // namespace mduAPILib

namespace mduUILib {

void SetTopMost(platform::Form& frm, bool& onTop)
{
    StateOf(frm).topMost = onTop;
    onTop = ApplyFlags(frm);
}

} // namespace mduUILib
