#pragma once
// Where the folder picker's controls go: the window resized, the splitter dropped. All in
// twips; pure arithmetic over the controls' rectangles.
namespace folderpicker {

struct Box {
    float left = 0, top = 0, width = 0, height = 0;
};

struct PickerLayout {
    Box drive, folder, file, ok, cancel;
    Box handle; // the splitter between the two sides
    Box bar;    // what follows the pointer while the splitter is dragged
};

// The positions of the design.
PickerLayout DesignedLayout();
// The handle's first place: a third of the window's outer width, at least 1.
float InitialHandleLeft(float windowWidth);
// The layout after the window took the given outer size.
PickerLayout Resized(PickerLayout l, float windowWidth, float windowHeight);
// The layout after the splitter was dropped where the bar stands.
PickerLayout Dropped(PickerLayout l, float windowWidth);
// The two buttons under the file list: 30% of the width right of the splitter each, at
// least 200 and at most 1695 twips.
void ArrangeButtons(PickerLayout& l, float windowWidth);

} // namespace folderpicker
