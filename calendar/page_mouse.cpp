// The mouse on the picture, the page and the backdrop: the rubber band that selects days,
// the frame that Ctrl moves and resizes, and what a release ends.
#include "calendar_window.h"
#include "page_mouse_state.h"
#include "settings_keys.h"

#include "control_boxes.h"
#include "core/conversions.h"
#include "core/settings_store.h"
#include "core/year_dates.h"
#include "edit_math.h"
#include "hand_cursors.h"
#include "ui/twips.h"
#include "ui/update_lock.h"

#include <QLocale>

using calendarlayout::BoxOf;

using calendaredit::kCtrlKey;
using calendaredit::kLeftButton;
using calendaredit::kRightButton;
using handcursors::kClosedRightHand;
using handcursors::kOpenRightHand;
namespace keys = calendarkeys;

namespace {
constexpr int kBackdrop = 2;
const QString kBandTag = QStringLiteral("H");
const QString kGridFrameTag = QStringLiteral("R");

QString StoredNumber(float v) { return conv::NumberText(v); }
} // namespace

void frmAlmanorvique::SetWindowCursor(int pointer, int icon)
{
    MouseIcon = icon > 0 && icon < static_cast<int>(imgList.size()) ? imgList[icon] : QImage();
    SetMousePointer(pointer);
}

bool frmAlmanorvique::IsLeftHandCursor()
{
    return MousePointer() == platform::vbCustom &&
           (handcursors::IsPicture(MouseIcon, imgList, handcursors::kOpenLeftHand) ||
            handcursors::IsPicture(MouseIcon, imgList, handcursors::kClosedLeftHand));
}

void frmAlmanorvique::ReleaseUpdateLock()
{
    if (platform::LockedWindow() == this)
        platform::LockWindowUpdate(nullptr);
}

void frmAlmanorvique::imgCalendar_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    const platform::Image& surface = imgCalendar(Index);
    if (Button == kLeftButton && MousePointer() == platform::vbDefault && Shift == kCtrlKey && shpHighlight.Visible() &&
        shpHighlight.Tag != kBandTag) {
        // Pressed in the shown frame before a move over the surface showed its hand: the
        // press takes the cursor that move would have shown, and grips the frame by it.
        EditFrame(Index, 0, X, Y, calendaredit::WindowCoordinate(surface.Left(), X),
                  calendaredit::WindowCoordinate(surface.Top(), Y));
    }
    if (Button == kLeftButton && MousePointer() == platform::vbDefault) {
        if (Shift != 0)
            return;
        shpHighlight.Tag = kBandTag;
        pageMouse_->SurfaceAnchor[Index] = QPointF(X, Y);
        shpHighlight.Move(surface.Left() + X, surface.Top() + Y, 0, 0);
        shpHighlight.SetVisible(true);
        return;
    }
    if (Shift == kCtrlKey && shpHighlight.Visible()) {
        // Whatever the frame showed, it now stands for the day grid.
        shpHighlight.Tag = kGridFrameTag;
        pageMouse_->SurfaceAnchor[Index] = QPointF(X, Y);
        pageMouse_->Frame.Resized = false;
    }
}

void frmAlmanorvique::EditFrame(int Index, int Button, float X, float Y, qint32 PX, qint32 PY)
{
    std::optional<QPointF>& anchor = pageMouse_->SurfaceAnchor[Index];
    if (Button != 0) {
        if (!anchor || Button != kLeftButton) {
            SetWindowCursor(platform::vbDefault);
            anchor.reset();
            return;
        }
        // The surface stays put, so stepping the anchor along keeps the frame under the pointer.
        const double dx = X - anchor->x(), dy = Y - anchor->y();
        if (MousePointer() == platform::vbCustom) {
            SetWindowCursor(platform::vbCustom, kClosedRightHand);
            shpHighlight.Move(static_cast<float>(shpHighlight.Left() + dx),
                              static_cast<float>(shpHighlight.Top() + dy));
            anchor = QPointF(X, Y);
        } else if (MousePointer() == platform::vbSizePointer) {
            const QPointF size = calendaredit::Resized(shpHighlight.Width(), shpHighlight.Height(), dx, dy);
            shpHighlight.SetWidth(static_cast<float>(size.x()));
            shpHighlight.SetHeight(static_cast<float>(size.y()));
            anchor = QPointF(X, Y);
            pageMouse_->Frame.Resized = true;
        }
        return;
    }
    switch (calendaredit::FrameZone(BoxOf(shpHighlight), PX, PY)) {
    case calendaredit::Zone::SizeBand:
        SetWindowCursor(platform::vbSizePointer);
        anchor = QPointF(X, Y);
        break;
    case calendaredit::Zone::Inside:
        SetWindowCursor(platform::vbCustom, kOpenRightHand);
        anchor = QPointF(X, Y);
        break;
    case calendaredit::Zone::Outside:
        SetWindowCursor(platform::vbDefault);
        anchor.reset();
        break;
    }
}

void frmAlmanorvique::imgCalendar_MouseMove(int Index, int Button, int Shift, float X, float Y)
{
    const platform::Image& surface = imgCalendar(Index);
    // The screen's X: it does not jump when the pointer crosses from one image to another.
    CheckScreenSaverExit(static_cast<float>(platform::PixelsToTwipsX(mapToGlobal(QPoint(0, 0)).x())) + surface.Left() +
                         X);
    const qint32 PX = calendaredit::WindowCoordinate(surface.Left(), X);
    const qint32 PY = calendaredit::WindowCoordinate(surface.Top(), Y);
    std::optional<QPointF>& anchor = pageMouse_->SurfaceAnchor[Index];

    if (shpHighlight.Visible() && shpHighlight.Tag == kBandTag && anchor && Button == kLeftButton && Shift == 0) {
        calendarlayout::Place(shpHighlight, calendaredit::RubberBand({surface.Left(), surface.Top()}, *anchor, {X, Y}));
        // Redraw about once per pixel of pointer travel in the window; a surface that does
        // not start on a pixel must not keep the band from ever showing.
        if (PX % 15 == 0)
            platform::LockWindowUpdate(nullptr);
        else
            platform::LockWindowUpdate(hWnd());
        SetWindowCursor(platform::vbDefault);
    } else {
        // A move without the left button means the band's release never came (the grab
        // went elsewhere): the window must not stay frozen.
        if (Button != kLeftButton)
            ReleaseUpdateLock();
        if (!shpHighlight.Visible())
            shpHighlight.Tag.clear();
    }

    if (Shift == kCtrlKey && shpHighlight.Visible() && shpHighlight.Tag != kBandTag) {
        EditFrame(Index, Button, X, Y, PX, PY);
    } else if (shpHighlight.Tag == kGridFrameTag && Shift != kCtrlKey) {
        // Letting go of Ctrl ends the grid frame; nothing was stored yet.
        shpHighlight.SetVisible(false);
        anchor.reset();
    } else if (Index == kBackdrop || Shift != kCtrlKey) {
        if (Shift != kCtrlKey && Button != kLeftButton)
            SetWindowCursor(platform::vbDefault);
    } else {
        EditSurface(Index, Button, X, Y, PX, PY);
    }

    if (Shift == 0 && !shpHighlight.Visible()) {
        if (Index == 1)
            ShowPageCorners(PX, PY);
        DragWindow(Button, X, Y);
    }

    HideBalloonTip();
    FocusIfMDIChild();
}

void frmAlmanorvique::imgCalendar_MouseUp(int Index, int Button, int /*Shift*/, float X, float Y)
{
    const platform::Image& surface = imgCalendar(Index);
    const bool inside = shpHighlight.Visible() && IsInHighlight(surface.Left() + X, surface.Top() + Y);
    if (inside && Button == kLeftButton) {
        if (shpHighlight.Tag == kGridFrameTag) {
            platform::LockWindowUpdate(hWnd());
            if (MousePointer() == platform::vbCustom || MousePointer() == platform::vbSizePointer) {
                mduLib::SetProp(keys::CalendarTop, StoredNumber(shpHighlight.Top()), Properties_);
                mduLib::SetProp(keys::CalendarLeft, StoredNumber(shpHighlight.Left()), Properties_);
            }
            SetWindowCursor(platform::vbDefault);
            // Only a resize changes the grid's size: the frame is larger than the grid it
            // stands for, so a plain move must not write its size back.
            if (pageMouse_->Frame.Resized)
                SaveCalendarSizeFromFrame();
            else
                LayoutDayGrid();
            pageMouse_->Frame.Resized = false;
            platform::LockWindowUpdate(nullptr);
        } else if (shpHighlight.Tag == kBandTag) {
            const qint32 left = conv::ToInt32(shpHighlight.Left());
            const qint32 top = conv::ToInt32(shpHighlight.Top());
            const qint32 right = conv::ToInt32(static_cast<double>(shpHighlight.Left()) + shpHighlight.Width());
            const qint32 bottom = conv::ToInt32(static_cast<double>(shpHighlight.Top()) + shpHighlight.Height());
            shpHighlight.Tag = SelectDatesInRect(left, top, right, bottom);
            if (!shpHighlight.Tag.isEmpty()) {
                shpHighlight.SetFillStyle(1); // the greyed cells show through
            } else {
                pageMouse_->SurfaceAnchor[Index].reset();
                shpHighlight.SetVisible(false);
            }
        }
    } else if (Button == kRightButton) {
        if (!inside)
            PopupCalendarMenu(Index);
        else if (shpHighlight.Tag == kGridFrameTag)
            PopupFrameMenu();
        else if (shpHighlight.Tag != kBandTag) // a band still being drawn lists no days yet
            ShowDateMenu(shpHighlight.Tag);
    }
    platform::LockWindowUpdate(nullptr);
}

void frmAlmanorvique::imgCalendar_DblClick(int)
{
    // A double click beside the note editor closes it; what was typed is kept.
    LeaveActivityEditor();
}

bool frmAlmanorvique::IsInHighlight(float X, float Y) { return calendaredit::InBox(BoxOf(shpHighlight), X, Y); }

QString frmAlmanorvique::SelectDatesInRect(qint32 Left, qint32 Top, qint32 Right, qint32 Bottom)
{
    QStringList keys;
    const QString shownMonth = conv::Trim(lblMonth.Caption());
    for (int i = 8; i <= lblDate.UBound(); ++i) {
        if (!lblDate.Exists(i))
            continue;
        platform::Label& cell = lblDate(i);
        if (calendaredit::CentreInside(BoxOf(cell), Left, Top, Right, Bottom) && cell.Visible()) {
            cell.SetEnabled(false); // greyed cells show the selection
            keys << mduAlmanorvqueLib::DayMonthKey(cell.Tag);
        } else {
            const auto date = conv::DateFromText(cell.Tag);
            cell.SetEnabled(date && QLocale().standaloneMonthName(date->month(), QLocale::LongFormat) == shownMonth);
        }
    }
    return keys.join(',');
}

void frmAlmanorvique::SaveCalendarSizeFromFrame()
{
    // The frame reaches past the grid (see GridSizeFromFrame): store the grid it frames.
    const platform::Label& header = lblDate(1);
    const calendaredit::GridSize size =
        calendaredit::GridSizeFromFrame(shpHighlight.Width(), shpHighlight.Height(), header.Width(), header.Height());
    mduLib::SetProp(keys::CalendarWidth, conv::NumberText(size.Width), Properties_);
    mduLib::SetProp(keys::CalendarHeight, conv::NumberText(size.Height), Properties_);
    LayoutDayGrid();
}
