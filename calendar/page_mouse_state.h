#pragma once
// What the mouse on the page remembers between events, one small struct per area.
#include <QPointF>
#include <array>
#include <optional>

namespace calendaredit {

// The rubber band and the frame edits: one press anchor per surface (0 picture, 1 page,
// 2 backdrop), in that surface's coordinates.
struct SurfaceAnchors {
    std::array<std::optional<QPointF>, 3> At;
    std::optional<QPointF>& operator[](int index) { return At.at(static_cast<size_t>(index)); }
};

// A grid-frame edit: whether its size changed since the press that began it, so that a
// plain move stores the position alone.
struct FrameEdit {
    bool Resized = false;
};

// The window drag: the anchor set in the band, and once the drag runs, where the pointer
// and the window stood when it began (twips on the screen).
struct WindowDrag {
    QPointF Anchor;
    std::optional<QPointF> GrabPointer;
    QPointF GrabWindow;
};

} // namespace calendaredit

namespace calendarform {

// The page mouse's state: the press anchors, the frame edit and the window drag.
struct PageMouseState {
    calendaredit::SurfaceAnchors SurfaceAnchor;
    calendaredit::FrameEdit Frame;
    calendaredit::WindowDrag Drag;
};

} // namespace calendarform
