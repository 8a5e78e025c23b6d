#pragma once
// The banner's and the frame mouse's state: the pictures under the banner, the edge
// bands' cursor pictures, and what the mouse handlers keep between events.
#include "ui/picture.h"

#include <QImage>
#include <vector>

namespace centralframe {

struct BannerState {
    platform::Picture Backdrop;  // the banner box's own picture
    QImage BackgroundPicture;    // the frame's picture, from its settings
    std::vector<QImage> imgList; // the frame's cursor pictures by number
    int MouseIconPicture = 0;    // the number in imgList of the frame's MouseIcon
    float FirstMouseX = 0;
    qint32 DragOriginX = 0;
    qint32 DragOriginY = 0;
};

} // namespace centralframe
