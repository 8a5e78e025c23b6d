// The status bar: its seven panels, its docking from the settings, the message line that
// lets older messages scroll away, the eye beside it and the bar's popup menu.
#include "status_ticker.h"
#include "frame_status_state.h"
#include "frame_window.h"

#include "core/app_identity.h"
#include "core/settings_store.h"
#include "core/text_utilities.h"
#include "system/clock.h"
#include "ui/event_guard.h"
#include "ui/menu_items.h"
#include "ui/twips.h"

#include <QCursor>
#include <QMouseEvent>

namespace statusticker {

QString AppendMessage(const QString& line, const QString& msg)
{
    if (line.isEmpty())
        return msg;
    if (line.contains(msg))
        return line;
    return line + QLatin1String(kSeparator) + msg;
}

QString Step(const QString& line)
{
    const QString sep = QLatin1String(kSeparator);
    if (!line.contains(sep))
        return line;
    return line.startsWith(sep) ? line.mid(sep.size()) : line.mid(1);
}

namespace eye {

qint32 HundredthsOfDay(const QTime& time) { return time.msecsSinceStartOfDay() / 10; }

bool IsDue(qint32 lastTick, qint32 now)
{
    if (lastTick == 0)
        return true;
    const qint32 elapsed = ((now - lastTick) % kHundredthsPerDay + kHundredthsPerDay) % kHundredthsPerDay;
    return elapsed > 15;
}

int NextFrame(int frame) { return frame + 1 > kFrames ? 1 : frame + 1; }

} // namespace eye

} // namespace statusticker

namespace {
// Design widths of the panels 1 to 7, twips.
constexpr int kPanelWidths[8] = {0, 600, 12166, 550, 550, 555, 960, 1200};
} // namespace

void frmMain::BuildStatusBar()
{
    for (int i = 1; i <= 7; ++i) {
        status_->sbPanels[i] = new QLabel(&StatusBar());
        status_->sbPanels[i]->setMinimumWidth(i == 2 ? platform::TwipsToPixelsX(5551)
                                                     : platform::TwipsToPixelsX(kPanelWidths[i]));
        StatusBar().addWidget(status_->sbPanels[i], i == 2 ? 1 : 0);
    }
    status_->sbPanels[3]->setText(QStringLiteral("CAPS"));
    status_->sbPanels[4]->setText(QStringLiteral("NUM"));
    status_->sbPanels[5]->setText(QStringLiteral("INS"));
    StatusBar().setFixedHeight(platform::TwipsToPixelsY(255) + 4);
    StatusBar().installEventFilter(this);
    for (int i = 1; i <= statusticker::eye::kFrames; ++i)
        status_->imgList1.push_back(QImage(appinfo::ProgramFolder() + QStringLiteral("/Images/Eye/Eye%1.png").arg(i)));

    status_->StatusBarMenu = new QMenu(QStringLiteral("Status Bar"), this);
    status_->StatusBarAction = status_->StatusBarMenu->addAction(QStringLiteral("Hide Status Bar"));
    connect(status_->StatusBarAction, &QAction::triggered, this,
            [this] { platform::Guarded("menu", [&] { StatusBarAction_Click(); }); });
    status_->ClearStatusMessage = status_->StatusBarMenu->addAction(QStringLiteral("Clear Status Message"));
    connect(status_->ClearStatusMessage, &QAction::triggered, this,
            [this] { platform::Guarded("menu", [&] { ClearStatusMessage_Click(); }); });
}

void frmMain::ShowStatusMsg(const QString& strMsg)
{
    status_->sbPanels[2]->setText(statusticker::AppendMessage(status_->sbPanels[2]->text(), strMsg));
}

void frmMain::ShowEye() { ShowEyeFrame(1); }

void frmMain::ShowEyeFrame(int frame)
{
    const size_t i = static_cast<size_t>(frame - 1);
    if (i < status_->imgList1.size() && !status_->imgList1[i].isNull())
        status_->sbPanels[1]->setPixmap(QPixmap::fromImage(status_->imgList1[i]));
    else
        status_->sbPanels[1]->clear();
}

void frmMain::AnimateEye()
{
    if (!statusticker::eye::IsDue(status_->LastEyeTick, statusticker::eye::HundredthsOfDay(platform::Now().time())))
        return;
    status_->EyeFrame = statusticker::eye::NextFrame(status_->EyeFrame);
    ShowEyeFrame(status_->EyeFrame);
    status_->LastEyeTick = statusticker::eye::HundredthsOfDay(platform::Now().time());
}

void frmMain::StepStatusTicker()
{
    status_->sbPanels[2]->setText(statusticker::Step(status_->sbPanels[2]->text()));
    AnimateEye();
}

void frmMain::SetStatusBarPosition(const QString& value)
{
    int align = 0;
    if (value == QLatin1String("Yes"))
        align = platform::vbAlignBottom;
    else if (value == QLatin1String("Top"))
        align = platform::vbAlignTop;
    else if (value == QLatin1String("Left"))
        align = platform::vbAlignLeft;
    else if (value == QLatin1String("Right"))
        align = platform::vbAlignRight;
    else if (value == QLatin1String("None") || value == QLatin1String("No")) {
        StatusBar().hide();
        return;
    } else {
        return;
    }
    StatusBar().show();
    status_->StatusBarAlign = align;
}

void frmMain::sbStatusBar_MouseDown(int button, int, float, float)
{
    if (button != 2)
        return;
    platform::EndMenu();
    status_->StatusBarMenu->popup(QCursor::pos());
}

void frmMain::StatusBarAction_Click() { StatusBar().hide(); }

void frmMain::ClearStatusMessage_Click() { status_->sbPanels[2]->setText(QString()); }

void frmMain::HideStatusBar_Click(const QString& itemTag)
{
    const QString value = mduLib::IsYes(itemTag) ? QStringLiteral("No") : QStringLiteral("Yes");
    SetStatusBarPosition(value);
    mduLib::SetProp(QStringLiteral("Status Bar"), value, CentralSettings());
}
