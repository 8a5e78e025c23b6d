// The flexible grid's look: font, frame, pointer, the picture of the grid, dragging the
// selected texts out.
#include "flex_grid.h"

#include "twips.h"

#include <QDrag>
#include <QFontMetrics>
#include <QMimeData>
#include <QScrollBar>

namespace platform {

void FlexGrid::SetFont(const FontModel& f)
{
    font_ = f;
    const QFontMetrics fm(font_.ToQFont());
    defaultRowTwips_ = static_cast<qint32>(PixelsToTwipsY(fm.height() + 2));
    QAbstractScrollArea::setFont(font_.ToQFont());
    UpdateScrollBars();
    InvalidateAll();
}

void FlexGrid::SetMouseIcon(const Picture& p)
{
    mouseIcon_ = p;
    ApplyLook();
}

void FlexGrid::ApplyLook()
{
    setFrameShape(look_.BorderStyle == 0 ? QFrame::NoFrame : QFrame::StyledPanel);
    setFrameShadow(look_.Appearance == 0 ? QFrame::Plain : QFrame::Sunken);
    setToolTip(look_.ToolTipText);
    setLayoutDirection(look_.RightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    verticalScrollBar()->setTracking(look_.ScrollTrack);
    horizontalScrollBar()->setTracking(look_.ScrollTrack);
    ApplyCursor();
    UpdateScrollBars();
    InvalidateAll();
}

void FlexGrid::ApplyCursor()
{
    switch (look_.MousePointer) {
    case vbCrosshair:
        viewport()->setCursor(Qt::CrossCursor);
        break;
    case vbIbeam:
        viewport()->setCursor(Qt::IBeamCursor);
        break;
    case vbHourglass:
        viewport()->setCursor(Qt::WaitCursor);
        break;
    case vbCustom:
        if (!mouseIcon_.IsEmpty()) {
            viewport()->setCursor(QCursor(QPixmap::fromImage(mouseIcon_.Image())));
            break;
        }
        [[fallthrough]];
    default:
        viewport()->unsetCursor();
        break;
    }
}

Picture FlexGrid::GridPicture() { return Picture::FromImage(grab().toImage()); }

void FlexGrid::Refresh()
{
    if (look_.Redraw)
        viewport()->repaint();
}

void FlexGrid::OLEDrag()
{
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setText(Clip());
    drag->setMimeData(mime);
    const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction);
    qint32 effect = action == Qt::CopyAction ? 1 : action == Qt::MoveAction ? 2 : 0;
    if (Events.OLECompleteDrag)
        Events.OLECompleteDrag(effect);
}

void FlexGrid::SetFocus() { setFocus(Qt::OtherFocusReason); }

} // namespace platform
