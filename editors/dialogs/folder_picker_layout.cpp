#include "folder_picker_layout.h"

#include <algorithm>

namespace folderpicker {

PickerLayout DesignedLayout()
{
    PickerLayout l;
    l.folder = {120, 480, 2415, 3015};
    l.drive = {120, 120, 2415, 315};
    l.file = {3720, 120, 3135, 3405};
    l.ok = {4080, 3600, 1695, 375};
    l.cancel = {2040, 3600, 1695, 375};
    l.bar = {3120, 120, 60, 3375};
    l.handle = {2550, 120, 60, 3375};
    return l;
}

float InitialHandleLeft(float windowWidth) { return std::max(windowWidth / 3, 1.0f); }

void ArrangeButtons(PickerLayout& l, float windowWidth)
{
    l.cancel.width = std::min(std::max((windowWidth - l.bar.left) * 0.3f, 200.0f), 1695.0f);
    l.ok.width = l.cancel.width;
    l.ok.left = std::max(l.file.left + l.file.width - l.ok.width - 300, 300.0f);
    l.cancel.left = std::max(l.ok.left - l.cancel.width - 200, 200.0f);
}

PickerLayout Resized(PickerLayout l, float windowWidth, float windowHeight)
{
    l.bar.left = l.handle.left;
    // The lists either side of the splitter.
    l.drive.width = std::max(l.handle.left - l.drive.left - 30, 300.0f);
    l.folder.width = l.drive.width;
    l.file.left = l.handle.left + 60;
    l.file.width = std::max(windowWidth - l.file.left - 200, 300.0f);
    ArrangeButtons(l, windowWidth);
    l.handle.height = std::max(windowHeight - 650, 200.0f);
    l.bar.height = l.handle.height;
    l.file.height = std::max(l.handle.height - 500, 200.0f);
    l.folder.height = l.file.height + 100;
    l.cancel.top = l.file.height + 200;
    l.ok.top = l.cancel.top;
    return l;
}

PickerLayout Dropped(PickerLayout l, float windowWidth)
{
    l.handle.top = l.bar.top;
    l.drive.width = std::max(l.bar.left - l.drive.left - 30, 300.0f);
    l.folder.width = l.drive.width;
    l.file.left = l.bar.left + 90;
    l.file.width = std::max(windowWidth - l.folder.width - 450, 100.0f);
    ArrangeButtons(l, windowWidth);
    l.handle.left = l.bar.left;
    return l;
}

} // namespace folderpicker
