#include "window_shape.h"

#include "form.h"
#include "system/message_box.h"

#include <QChildEvent>
#include <QCursor>
#include <QEvent>
#include <QPaintEvent>
#include <QPointer>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <utility>
#include <vector>

namespace {

bool ApplyFlags(platform::Form& frm);

// What the shape calls asked of one form; a child object of the form, so it goes with it.
class ShapeState : public QObject {
public:
    explicit ShapeState(platform::Form& form) : QObject(&form), form_(&form)
    {
        setObjectName(QStringLiteral("almanorvique-shape"));
        form.installEventFilter(this);
        connect(&form, &platform::Form::FrameDue, this, [this] {
            if (std::exchange(flagsHeld, false))
                ApplyFlags(*form_);
        });
    }

    int regionStyle = 0;
    bool captionSet = false;
    bool noCaption = false;
    bool noMinMax = false;
    bool topMost = false;
    bool whiteKey = false;
    // Flags asked for while the form held its state: a shown window takes them once, when
    // the hold ends (each change hides and shows it, faster than a desktop may answer).
    bool flagsHeld = false;

    // From now on every change of what the form draws reaches the see-through area.
    void FollowDrawing()
    {
        if (following_)
            return;
        following_ = true;
        connect(form_, &platform::Form::AreaInvalidated, this, [this](const QRect& px) { Damage(px); });
    }

    // The whole window is looked at again once the current event is done.
    void ScheduleMask()
    {
        wholePending_ = true;
        Schedule();
    }

    // Only the part whose drawing changes is looked at again, after it changed.
    void Damage(const QRect& px)
    {
        if (!whiteKey || px.isEmpty())
            return;
        pending_ += px;
        Schedule();
    }

    // The opaque area from the whole window as it is drawn now.
    void RefreshWhole()
    {
        wholePending_ = false;
        pending_ = QRegion();
        if (form_->width() <= 0 || form_->height() <= 0)
            return;
        const QRegion before = opaque_;
        opaque_ = mduAPILib::OpaqueRegion(Drawn(form_->rect()));
        ApplyShape(opaque_ - before);
        WatchChildWidgets();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (!whiteKey)
            return false;
        if (watched == form_) {
            // A larger window shows parts of controls that lay past its old edges.
            if (e->type() == QEvent::Resize)
                ScheduleMask();
            // A windowed control made later is watched from its start (its own children
            // once it shows: the whole window is looked at again then).
            if (e->type() == QEvent::ChildAdded)
                static_cast<QChildEvent*>(e)->child()->installEventFilter(this);
            return false;
        }
        auto* child = qobject_cast<QWidget*>(watched);
        if (!child || child->isWindow() || !form_->isAncestorOf(child))
            return false;
        switch (e->type()) {
        case QEvent::Paint:
            // A windowed control (the note editor) draws itself; the look at it paints
            // it again, which is no change.
            if (!rendering_) {
                const QRect r = static_cast<QPaintEvent*>(e)->rect();
                Damage(QRect(child->mapTo(form_, r.topLeft()), r.size()));
            }
            break;
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::Move:
        case QEvent::Resize:
            ScheduleMask();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void Schedule()
    {
        if (scheduled_)
            return;
        scheduled_ = true;
        // Queued: it runs before the paint that the same changes asked for.
        QTimer::singleShot(0, this, [this] {
            scheduled_ = false;
            if (!whiteKey)
                return;
            if (wholePending_)
                RefreshWhole();
            else
                RefreshPending();
        });
    }

    void RefreshPending()
    {
        QRegion dirty = pending_ & form_->rect();
        pending_ = QRegion();
        if (dirty.isEmpty())
            return;
        // A few apart (the clock and the message line) are drawn each alone; many in one.
        if (dirty.rectCount() > 8)
            dirty = dirty.boundingRect();
        QRegion grown;
        for (const QRect& r : dirty) {
            // The whole window's region has thousands of rectangles and a second of the
            // clock changes a few: only the bands across r's rows are worked on, those above
            // and below are copied as they are.
            const QRect* first = opaque_.begin();
            const QRect* last = opaque_.end();
            const QRect* middle =
                std::partition_point(first, last, [&](const QRect& b) { return b.bottom() < r.top(); });
            const QRect* below =
                std::partition_point(middle, last, [&](const QRect& b) { return b.top() <= r.bottom(); });
            QRegion across;
            if (middle != below) // whole bands, so a region of their own
                across.setRects(middle, static_cast<int>(below - middle));
            const QRegion was = across & r;
            const QRegion now = mduAPILib::OpaqueRegion(Drawn(r)).translated(r.topLeft());
            if (now == was)
                continue;
            grown += now - was;
            across -= r;
            across += now;
            // Still bands from top to bottom: the changed ones lie between the others' rows.
            std::vector<QRect> rects;
            rects.reserve(static_cast<size_t>((middle - first) + across.rectCount() + (last - below)));
            rects.insert(rects.end(), first, middle);
            rects.insert(rects.end(), across.begin(), across.end());
            rects.insert(rects.end(), below, last);
            opaque_ = QRegion();
            if (!rects.empty())
                opaque_.setRects(rects.data(), static_cast<int>(rects.size()));
        }
        ApplyShape(grown);
    }

    // The window's pixels of one rectangle as they are drawn, mask or not.
    QImage Drawn(const QRect& r)
    {
        QImage shot(r.size(), QImage::Format_RGB32);
        shot.fill(Qt::white);
        rendering_ = true;
        form_->render(&shot, QPoint(), QRegion(r),
                      QWidget::DrawWindowBackground | QWidget::DrawChildren | QWidget::IgnoreMask);
        rendering_ = false;
        return shot;
    }

    // grown: what the opaque area gained since the shape was last applied.
    void ApplyShape(const QRegion& grown)
    {
        // An empty mask would show the whole window: leave one pixel instead.
        const QRegion shape = opaque_.isEmpty() ? QRegion(0, 0, 1, 1) : opaque_;
        if (form_->mask() == shape)
            return;
        form_->setMask(shape);
        // What was painted outside the old shape never reached the screen: the part the
        // shape gained is painted again (with the paint still to come when it is pending).
        if (!grown.isEmpty())
            form_->update(grown);
    }

    void WatchChildWidgets()
    {
        for (QWidget* child : form_->findChildren<QWidget*>())
            if (!child->isWindow() && child != form_)
                child->installEventFilter(this); // a second time changes nothing
    }

    // The state is the form's child and goes with it; a plain pointer is also safe to
    // compare while the form is being destroyed.
    platform::Form* form_;
    bool following_ = false;
    bool scheduled_ = false;
    bool wholePending_ = false;
    bool rendering_ = false;
    QRegion opaque_;  // the window's pixels that are not pure white
    QRegion pending_; // drawing changed here since the last look
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
    if (wasVisible && frm.WindowStateHeld()) {
        s.flagsHeld = true;
        return true;
    }
    const QRectF outer(frm.Left(), frm.Top(), frm.Width(), frm.Height());
    frm.setWindowFlags(wanted);
    if (!wasVisible)
        return true;
    switch (frm.WindowState()) {
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
        ShapeState& s = StateOf(frm);
        s.whiteKey = true;
        s.FollowDrawing();
        s.RefreshWhole();
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
    if (IsWhiteTransparent(frm))
        StateOf(frm).RefreshWhole();
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
