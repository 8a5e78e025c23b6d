#include "date_setup_dialog.h"

#include "button_pictures.h"
#include "ui/form_owner.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace {
QPointer<frmDateSetup> gDefault;
} // namespace

frmDateSetup& frmDateSetup::Default() { return platform::DefaultInstance(gDefault); }

frmDateSetup::frmDateSetup() : platform::Form(QStringLiteral("frmDateSetup"))
{
    // A fixed dialog frame: no minimise or maximise box, not resizable.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    BuildControls();
}

frmDateSetup::~frmDateSetup() = default;

void frmDateSetup::BuildControls()
{
    SetBackColor(0xC0E0FF);
    setFixedSize(platform::TwipsToPixelsX(kClientWidth), platform::TwipsToPixelsY(kClientHeight));

    platform::Label& captionLabel = Label1.Create(0);
    captionLabel.SetBackStyle(0);
    captionLabel.SetCaption(QStringLiteral("Date Caption:"));
    // The designed widths are too narrow for some fonts: a label is never narrower than its text.
    captionLabel.Move(120, 120, std::max(975.0f, captionLabel.FittedWidth(captionLabel.Caption())), 255);
    platform::Label& msgLabel = Label1.Create(1);
    msgLabel.SetBackStyle(0);
    msgLabel.SetCaption(QStringLiteral("Date Message:"));
    msgLabel.Move(120, 840, std::max(1215.0f, msgLabel.FittedWidth(msgLabel.Caption())), 255);

    txtCaption.SetBackColor(0xC0FFFF);
    txtCaption.Move(120, 360, 3375, 375);

    txtMsg.SetBackColor(0xC0FFFF);
    txtMsg.Move(120, 1080, 3375, 1455);
    QPlainTextEdit* msg = txtMsg.Editor();
    msg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    msg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    msg->setTabChangesFocus(true); // Enter starts a new line; Tab moves on

    platform::CommandButton& set = cmdButton.Create(0);
    set.SetCaption(QStringLiteral("Set"));
    set.Move(240, 2640, 1215, 375);
    set.SetPicture(dialogpictures::ActionBand());
    platform::CommandButton& cancel = cmdButton.Create(1);
    cancel.SetCaption(QStringLiteral("Cancel"));
    cancel.Move(2160, 2640, 1215, 375);
    cancel.SetPicture(dialogpictures::CloseBand());
    cmdButton.Click = [this](int index) { cmdButton_Click(index); };

    setTabOrder(txtCaption.Widget(), txtMsg.Widget());
    setTabOrder(txtMsg.Widget(), cancel.Widget());
    setTabOrder(cancel.Widget(), set.Widget());
}

QPointF frmDateSetup::PlaceNearPointer(QPointF pointer, QSizeF dialog, QRectF screen)
{
    double left = pointer.x() - 2800;
    double top = pointer.y() - 1500;
    // Inside the right and bottom edges first; the top-left margin wins when the dialog
    // is larger than the screen, so its title bar stays reachable.
    left = std::min(left, screen.right() - dialog.width());
    top = std::min(top, screen.bottom() - dialog.height());
    left = std::max(left, screen.left() + 10);
    top = std::max(top, screen.top() + 10);
    return {left, top};
}

void frmDateSetup::PlaceAtPointer()
{
    const QPoint cursor = QCursor::pos();
    QScreen* screen = QGuiApplication::screenAt(cursor);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const double tx = platform::TwipsPerPixelX();
    const double ty = platform::TwipsPerPixelY();
    QRectF screenTwips;
    if (screen) {
        const QRect r = screen->availableGeometry();
        screenTwips = QRectF(r.x() * tx, r.y() * ty, (r.width()) * tx, (r.height()) * ty);
    } else {
        screenTwips = QRectF(0, 0, platform::ScreenWidthTwips(), platform::ScreenHeightTwips());
    }
    create();
    QMargins frame;
    if (const QWindow* w = windowHandle())
        frame = w->frameMargins();
    const QSizeF outer(kClientWidth + (frame.left() + frame.right()) * tx,
                       kClientHeight + (frame.top() + frame.bottom()) * ty);
    const QPointF at = PlaceNearPointer(QPointF(cursor.x() * tx, cursor.y() * ty), outer, screenTwips);
    Move(static_cast<float>(at.x()), static_cast<float>(at.y()), static_cast<float>(outer.width()),
         static_cast<float>(outer.height()));
}

bool frmDateSetup::ShowMe(QString& strCaption, QString& strMsg, int /*Index*/)
{
    if (loop_)
        return false; // already open: one opening at a time
    EnsureLoaded();
    // Opened from a window kept on top, the dialog stays above it: in the normal layer
    // the window manager would open it behind that window.
    const QWidget* owner = QApplication::activeWindow();
    const bool onTop = owner && owner != this && owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) != onTop)
        setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    PlaceAtPointer();
    setFlag_ = false;
    txtCaption.SetText(strCaption);
    txtMsg.SetText(strMsg);
    captionText_ = strCaption;
    msgText_ = strMsg;
    setWindowModality(Qt::ApplicationModal);
    Show();
    activateWindow();
    txtCaption.SetFocus();
    QEventLoop loop;
    loop_ = &loop;
    if (IsShown())
        loop.exec(QEventLoop::DialogExec);
    loop_ = nullptr;
    strCaption = captionText_;
    strMsg = msgText_;
    return setFlag_;
}

void frmDateSetup::TakeTexts()
{
    msgText_ = txtMsg.Text();
    captionText_ = txtCaption.Text();
}

void frmDateSetup::cmdButton_Click(int Index)
{
    setFlag_ = Index == 0;
    TakeTexts();
    Unload();
}

void frmDateSetup::Form_DblClick() { Unload(); }

void frmDateSetup::Form_Unload(int&)
{
    // However it closes, the texts come back as the user left them.
    TakeTexts();
    if (loop_)
        loop_->quit();
}
