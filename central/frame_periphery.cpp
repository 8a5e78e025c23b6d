// The banner, the mouse on the frame, the status bar and the greeting, each doing the
// least that keeps the frame usable: a title over the client area that hides and comes
// back, the popups on the right button, the screen-saver exit, a status bar with its
// panels, and no speech.
#include "frame_window.h"

#include "core/file_helpers.h"
#include "system/program_end.h"
#include "ui/event_guard.h"
#include "ui/twips.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <cmath>

void frmMain::BuildBanner()
{
    picMain = new QLabel(&ClientArea());
    picMain->setObjectName(QStringLiteral("picMain"));
    picMain->setAlignment(Qt::AlignCenter);
    picMain->setAutoFillBackground(true);
    picMain->setWordWrap(true);
    picMain->installEventFilter(this);
    ClientArea().installEventFilter(this);
}

void frmMain::CreateBalloonTip() { BalloonTips_ = std::make_unique<CBalloonToolTip>(); }

void frmMain::ShowBanner(bool show)
{
    picMain->setVisible(show);
    if (show)
        picMain->raise();
}

void frmMain::LayoutBanner()
{
    const int h = std::max(1, ClientArea().height());
    const int titlePx = std::clamp(h / 9, 14, 72);
    picMain->setText(QStringLiteral("<div style='font-family:\"Monotype Corsiva\",serif; font-size:%1px; color:#fff8e0'>"
                                    "Almanorvique Central</div>"
                                    "<div style='font-size:%2px; color:#f0f0f0'>%3</div>")
                         .arg(titlePx)
                         .arg(std::max(10, titlePx / 4))
                         .arg(mduLib::IsScreenSaverRun() ? QString() : QStringLiteral("Double-click to show the months")));
}

void frmMain::LayoutBackground()
{
    if (WindowState() == platform::vbMinimized)
        return;
    picMain->setGeometry(ClientArea().rect());
    QPalette pal = picMain->palette();
    if (!backgroundPicture_.isNull() && picMain->width() > 0 && picMain->height() > 0)
        pal.setBrush(QPalette::Window,
                     QBrush(QPixmap::fromImage(backgroundPicture_.scaled(picMain->size(), Qt::IgnoreAspectRatio,
                                                                         Qt::SmoothTransformation))));
    else
        pal.setColor(QPalette::Window, platform::ColorFromValue(0xC0C000));
    picMain->setPalette(pal);
}

bool frmMain::CheckScreenSaverExit(float x)
{
    if (!mduLib::IsScreenSaverRun() || FormState_ != kRunning)
        return false;
    if (firstMouseX_ == 0) {
        firstMouseX_ = x;
        return false;
    }
    if (std::abs(x - firstMouseX_) > 20)
        platform::EndProgram();
    return false;
}


void frmMain::MDIForm_MouseDown(int button, int, float, float)
{
    if (mduLib::IsScreenSaverRun() && FormState_ == kRunning) {
        platform::EndProgram();
        return;
    }
    if (button == 2)
        ShowWindowMenu();
}

void frmMain::MDIForm_MouseMove(int, int, float x, float) { CheckScreenSaverExit(x); }

void frmMain::MDIForm_DblClick()
{
    ShowBanner(!picMain->isVisible());
    if (picMain->isVisible()) {
        LayoutBackground();
        LayoutBanner();
    }
}

bool frmMain::eventFilter(QObject* watched, QEvent* e)
{
    if (watched == &ClientArea() && e->type() == QEvent::Resize) {
        LayoutBackground();
        LayoutBanner();
        return false;
    }
    if (watched == picMain) {
        switch (e->type()) {
        case QEvent::MouseButtonPress: {
            auto* me = static_cast<QMouseEvent*>(e);
            if (mduLib::IsScreenSaverRun() && FormState_ == kRunning)
                platform::EndProgram();
            else if (me->button() == Qt::RightButton)
                platform::Guarded("banner", [&] { ShowMainMenu(); });
            return true;
        }
        case QEvent::MouseButtonDblClick:
            platform::Guarded("banner", [&] { ShowBanner(false); });
            return true;
        case QEvent::MouseMove:
            CheckScreenSaverExit(static_cast<float>(platform::PixelsToTwipsX(static_cast<QMouseEvent*>(e)->position().x())));
            return false;
        default:
            return false;
        }
    }
    return MDIForm::eventFilter(watched, e);
}
