// The mouse on the frame: the test that ends a screen-saver run, dragging the frame by
// the bands along its left and right edges, and the handlers of the client area and the
// banner that open the popups.
#include "banner_box.h"
#include "frame_banner_state.h"
#include "frame_toolbar_state.h"
#include "frame_window.h"

#include "core/file_helpers.h"
#include "system/program_end.h"
#include "ui/event_guard.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {
constexpr int kRightBand = 9, kRightBandPressed = 10, kLeftBand = 11, kLeftBandPressed = 12;
constexpr float kBand = 200; // twips

// A double arrow across the band, pointing out of the frame; pressed, it is filled.
QImage DrawBandCursor(bool left, bool pressed)
{
    QImage img(24, 24, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arrow;
    arrow.moveTo(1, 12);
    arrow.lineTo(7, 6);
    arrow.lineTo(7, 10);
    arrow.lineTo(17, 10);
    arrow.lineTo(17, 6);
    arrow.lineTo(23, 12);
    arrow.lineTo(17, 18);
    arrow.lineTo(17, 14);
    arrow.lineTo(7, 14);
    arrow.lineTo(7, 18);
    arrow.closeSubpath();
    p.setPen(QPen(Qt::white, 1.5));
    p.setBrush(pressed ? QColor(30, 30, 30) : QColor(120, 120, 120));
    p.drawPath(arrow);
    // A bar on the side of the band.
    p.fillRect(left ? QRectF(0, 3, 2, 18) : QRectF(22, 3, 2, 18), QColor(30, 30, 30));
    return img;
}
} // namespace

std::vector<QImage> frmMain::DrawCursorPictures()
{
    std::vector<QImage> list(13);
    list[kRightBand] = DrawBandCursor(false, false);
    list[kRightBandPressed] = DrawBandCursor(false, true);
    list[kLeftBand] = DrawBandCursor(true, false);
    list[kLeftBandPressed] = DrawBandCursor(true, true);
    return list;
}

void frmMain::CreateBalloonTip() { toolbar_->BalloonTips = std::make_unique<CBalloonToolTip>(); }

void frmMain::DestroyBalloon()
{
    if (toolbar_->BalloonTips)
        toolbar_->BalloonTips->Destroy();
}

bool frmMain::CheckScreenSaverExit(float x)
{
    if (banner_->FirstMouseX == 0 && FormState() == kRunning) {
        banner_->FirstMouseX = x;
        return false;
    }
    if ((x == 0 || std::abs(banner_->FirstMouseX - x) > 20) && FormState() == kRunning && mduLib::IsScreenSaverRun())
        platform::EndProgram(); // at once: nothing is saved
    return false;
}

void frmMain::SetDragCursor(int picture)
{
    banner_->MouseIconPicture = picture;
    if (banner_->imgList.empty())
        banner_->imgList = DrawCursorPictures();
    MouseIcon = banner_->imgList.at(static_cast<size_t>(picture));
    SetMousePointer(platform::vbCustom);
}

void frmMain::DragWindow(int button, float x, float y)
{
    if (WindowState() != platform::vbNormal)
        return;
    // x is in the client area, which the toolbar and a scroll bar leave narrower than the frame.
    const bool inBand = x < kBand || x > ClientWidth() - kBand;
    if (inBand && button == 0) {
        SetDragCursor(x < kBand ? kLeftBand : kRightBand);
        banner_->DragOriginX = static_cast<qint32>(std::nearbyint(x));
        banner_->DragOriginY = static_cast<qint32>(std::nearbyint(y));
        return;
    }
    // Only while the pressed cursor is shown: once the default pointer is back, a later
    // press anywhere on the client area must not drag the frame.
    if (button == 1 && MousePointer() == platform::vbCustom &&
        (banner_->MouseIconPicture == kRightBandPressed || banner_->MouseIconPicture == kLeftBandPressed)) {
        SetTop(Top() + y - static_cast<float>(banner_->DragOriginY));
        SetLeft(Left() + x - static_cast<float>(banner_->DragOriginX));
        return;
    }
    SetMousePointer(platform::vbDefault);
}

void frmMain::UpdateDragCursor()
{
    if (MousePointer() != platform::vbCustom)
        return;
    SetDragCursor(banner_->MouseIconPicture == kRightBand ? kRightBandPressed : kLeftBandPressed);
}

void frmMain::MDIForm_MouseMove(int button, int, float x, float y)
{
    CheckScreenSaverExit(x);
    AutoShowToolbar(x, y);
    DestroyBalloon();
    DragWindow(button, x, y);
}

void frmMain::MDIForm_MouseDown(int button, int, float, float)
{
    CheckScreenSaverExit(0);
    if (button == 2)
        ShowWindowMenu();
    ShowStatusMsg(QString());
    UpdateDragCursor();
}

void frmMain::MDIForm_DblClick()
{
    ShowBanner(!picMain->isVisible());
    if (picMain->isVisible()) {
        LayoutBanner();
        LayoutBackground();
    }
}

void frmMain::MDIForm_Activate() { DestroyBalloon(); }

void frmMain::picMain_Click() { CheckScreenSaverExit(0); }
void frmMain::imgMain_Click() { CheckScreenSaverExit(0); }

void frmMain::picMain_DblClick()
{
    int loaded = 0;
    for (platform::Form* f : platform::Form::AllForms())
        if (f->IsLoaded())
            ++loaded;
    if (loaded > 1)
        ShowBanner(!picMain->isVisible());
}

void frmMain::picMain_MouseDown(int button, int, float, float)
{
    if (button == 2)
        ShowMainMenu();
}

void frmMain::imgMain_MouseDown(int button, int, float, float)
{
    if (button == 2)
        ShowMainMenu();
    else
        UpdateDragCursor();
}

void frmMain::picMain_MouseMove(int, int, float x, float)
{
    CheckScreenSaverExit(x);
    DestroyBalloon();
    UpdateDragCursor();
}

void frmMain::imgMain_MouseMove(int, int, float x, float y)
{
    CheckScreenSaverExit(x);
    AutoShowToolbar(x, y);
    DestroyBalloon();
}

void frmMain::lblMaker_Click() { DoMenuItem(9, 6); }

bool frmMain::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == &ClientArea() && e->type() == QEvent::Resize) {
        platform::Guarded("banner", [&] { LayoutBackground(); });
        return false;
    }
    if (watched == &StatusBar() && e->type() == QEvent::MouseButtonPress) {
        auto* me = static_cast<QMouseEvent*>(e);
        platform::Guarded("status bar", [&] {
            sbStatusBar_MouseDown(platform::ButtonOf(me->button()), platform::ShiftBits(me->modifiers()), 0, 0);
        });
        return false;
    }
    return MDIForm::eventFilter(watched, e);
}
