// Ctrl moves and resizes the picture and the page; without a modifier the page's bottom
// corners turn the month and the band along the window's edges drags the window.
#include "calendar_window.h"
#include "page_mouse_state.h"
#include "settings_keys.h"

#include "control_boxes.h"
#include "core/conversions.h"
#include "core/settings_store.h"
#include "edit_math.h"
#include "hand_cursors.h"
#include "ui/twips.h"

#include <QCursor>

using calendarlayout::BoxOf;

using namespace handcursors;
using calendaredit::kLeftButton;
namespace keys = calendarkeys;

namespace {
// The settings keys of the picture's (0) or the page's (1) top, left, width and height.
enum Edge { kTop, kLeft, kWidth, kHeight };
const QString& GeometryKey(int index, Edge edge)
{
    static const QString* const keysOf[2][4] = {
        {&keys::CalendarImageTop, &keys::CalendarImageLeft, &keys::CalendarImageWidth, &keys::CalendarImageHeight},
        {&keys::CalendarBackgroundTop, &keys::CalendarBackgroundLeft, &keys::CalendarBackgroundWidth,
         &keys::CalendarBackgroundHeight}};
    return *keysOf[index == 0 ? 0 : 1][edge];
}

QPointF PointerOnScreen()
{
    const QPoint at = QCursor::pos();
    return {platform::PixelsToTwipsX(at.x()), platform::PixelsToTwipsY(at.y())};
}
} // namespace

void frmAlmanorvique::EditSurface(int Index, int Button, float X, float Y, qint32 PX, qint32 PY)
{
    platform::Image& surface = imgCalendar(Index);
    const calendaredit::Zone zone = calendaredit::SurfaceZone(BoxOf(surface), PX, PY);
    if (zone == calendaredit::Zone::SizeBand)
        SetWindowCursor(platform::vbSizePointer);
    else if (zone == calendaredit::Zone::Inside && MousePointer() != platform::vbSizePointer)
        SetWindowCursor(platform::vbCustom, Button == kLeftButton ? kClosedRightHand : kOpenRightHand);

    std::optional<QPointF>& anchor = pageMouse_->SurfaceAnchor[Index];
    if (!anchor || Button != kLeftButton) {
        anchor = QPointF(X, Y); // before a press the anchor follows the pointer
        return;
    }
    const double dx = X - anchor->x(), dy = Y - anchor->y();
    if (MousePointer() == platform::vbSizePointer) {
        // The top-left corner stays; stepping the anchor keeps the edge under the pointer.
        const QPointF size = calendaredit::Resized(surface.Width(), surface.Height(), dx, dy);
        surface.SetWidth(static_cast<float>(size.x()));
        surface.SetHeight(static_cast<float>(size.y()));
        anchor = QPointF(X, Y);
        mduLib::SetProp(GeometryKey(Index, kWidth), conv::NumberText(surface.Width()), Properties_);
        mduLib::SetProp(GeometryKey(Index, kHeight), conv::NumberText(surface.Height()), Properties_);
    } else if (MousePointer() == platform::vbCustom) {
        // X and Y are taken from where the surface stood at this event, so the anchor
        // stays and the grabbed point stays under the pointer.
        SetWindowCursor(platform::vbCustom, kClosedRightHand);
        surface.Move(static_cast<float>(surface.Left() + dx), static_cast<float>(surface.Top() + dy));
        mduLib::SetProp(GeometryKey(Index, kTop), conv::NumberText(surface.Top()), Properties_);
        mduLib::SetProp(GeometryKey(Index, kLeft), conv::NumberText(surface.Left()), Properties_);
    }
}

void frmAlmanorvique::ShowPageCorners(qint32 PX, qint32 PY)
{
    const calendarlayout::Box page = BoxOf(imgCalendar(1));
    const int index = calendaredit::PageCornerAt(page, PX, PY);
    if (index < 0) {
        imgPageCorner(0).SetVisible(false);
        imgPageCorner(1).SetVisible(false);
        return;
    }
    platform::Image& corner = imgPageCorner(index);
    corner.SetStretch(true);
    calendarlayout::Place(corner, calendaredit::PageCornerBox(page, index));
    corner.Tag = QStringLiteral("1");
    corner.SetVisible(true);
}

void frmAlmanorvique::DragWindow(int Button, float X, float Y)
{
    if (WindowState() != platform::vbNormal)
        return;
    if (calendaredit::InDragBand(X, Y, ScaleWidth(), ScaleHeight()) && Button == 0) {
        SetWindowCursor(platform::vbCustom, kOpenLeftHand);
        pageMouse_->Drag.Anchor = QPointF(conv::ToInt32(X), conv::ToInt32(Y));
        pageMouse_->Drag.GrabPointer.reset();
    } else if (IsLeftHandCursor() && Button == kLeftButton) {
        SetWindowCursor(platform::vbCustom, kClosedLeftHand);
        // The window follows the pointer on the screen: positions inside a window that the
        // desktop is still moving lag behind and would make it shake.
        const QPointF pointer = PointerOnScreen();
        if (!pageMouse_->Drag.GrabPointer) {
            pageMouse_->Drag.GrabPointer = pointer - (QPointF(X, Y) - pageMouse_->Drag.Anchor);
            // Where the window really stands: the kept position may not have caught up
            // with where the desktop first placed it.
            const QPoint at = isWindow() ? frameGeometry().topLeft() : pos();
            pageMouse_->Drag.GrabWindow = QPointF(platform::PixelsToTwipsX(at.x()), platform::PixelsToTwipsY(at.y()));
        }
        const QPointF to = pageMouse_->Drag.GrabWindow + (pointer - *pageMouse_->Drag.GrabPointer);
        Move(static_cast<float>(to.x()), static_cast<float>(to.y()), Width(), Height());
    } else {
        SetWindowCursor(platform::vbDefault);
        pageMouse_->Drag.GrabPointer.reset();
    }
}
