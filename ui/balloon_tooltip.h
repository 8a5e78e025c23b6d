#pragma once
// The balloon tooltip of a window.

class CBalloonToolTip {
public:
    // Removes the balloon window, if there is one.
    void Destroy() { shown_ = false; }
    bool Shown() const { return shown_; }

private:
    bool shown_ = false;
};
