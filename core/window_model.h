#pragma once
// What the core routines need of a window: its outer geometry in twips, its state and
// whether it is a child window of the multi-calendar frame. The forms implement it.
#include <QSizeF>
#include <functional>

namespace mduUILib {

class PlacedWindow {
public:
    virtual ~PlacedWindow() = default;
    virtual float Left() const = 0;
    virtual float Top() const = 0;
    virtual float Width() const = 0;
    virtual float Height() const = 0;
    virtual void SetLeft(float v) = 0;
    virtual void SetTop(float v) = 0;
    virtual void SetWidth(float v) = 0;
    virtual void SetHeight(float v) = 0;
    // The whole outer rectangle at once: a window the desktop frames gets one request,
    // not four that each wait for the desktop's answer to the one before.
    virtual void SetOuterRect(float left, float top, float width, float height)
    {
        SetWidth(width);
        SetHeight(height);
        SetTop(top);
        SetLeft(left);
    }
    virtual int WindowState() const = 0; // 0 normal, 1 minimized, 2 maximized
    virtual bool MDIChild() const = 0;
    // Takes or refuses mouse and keys at the platform level.
    virtual void EnableWindow(bool /*enabled*/) {}
};

// The whole screen in twips; the window layer installs the real one.
QSizeF ScreenSizeTwips();
void SetScreenSizeProvider(std::function<QSizeF()> provider);

} // namespace mduUILib
