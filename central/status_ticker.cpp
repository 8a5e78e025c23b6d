// The status bar: its seven panels, its docking from the settings, the message line that
// lets older messages scroll away, the eye beside it and the bar's popup menu.
#include "status_ticker.h"
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
        sbPanels[i] = new QLabel(&StatusBar());
        sbPanels[i]->setMinimumWidth(i == 2 ? platform::TwipsToPixelsX(5551)
                                            : platform::TwipsToPixelsX(kPanelWidths[i]));
        StatusBar().addWidget(sbPanels[i], i == 2 ? 1 : 0);
    }
    sbPanels[3]->setText(QStringLiteral("CAPS"));
    sbPanels[4]->setText(QStringLiteral("NUM"));
    sbPanels[5]->setText(QStringLiteral("INS"));
    StatusBar().setFixedHeight(platform::TwipsToPixelsY(255) + 4);
    StatusBar().installEventFilter(this);
    for (int i = 1; i <= statusticker::eye::kFrames; ++i)
        imgList1.push_back(QImage(appinfo::ProgramFolder() + QStringLiteral("/Images/Eye/Eye%1.png").arg(i)));

    StatusBarMenu = new QMenu(QStringLiteral("Status Bar"), this);
    StatusBarAction = StatusBarMenu->addAction(QStringLiteral("Hide Status Bar"));
    connect(StatusBarAction, &QAction::triggered, this,
            [this] { platform::Guarded("menu", [&] { StatusBarAction_Click(); }); });
    ClearStatusMessage = StatusBarMenu->addAction(QStringLiteral("Clear Status Message"));
    connect(ClearStatusMessage, &QAction::triggered, this,
            [this] { platform::Guarded("menu", [&] { ClearStatusMessage_Click(); }); });
}

void frmMain::ShowStatusMsg(const QString& strMsg)
{
    sbPanels[2]->setText(statusticker::AppendMessage(sbPanels[2]->text(), strMsg));
}

void frmMain::ShowEye() { ShowEyeFrame(1); }

void frmMain::ShowEyeFrame(int frame)
{
    const size_t i = static_cast<size_t>(frame - 1);
    if (i < imgList1.size() && !imgList1[i].isNull())
        sbPanels[1]->setPixmap(QPixmap::fromImage(imgList1[i]));
    else
        sbPanels[1]->clear();
}

void frmMain::AnimateEye()
{
    if (!statusticker::eye::IsDue(LastEyeTick, statusticker::eye::HundredthsOfDay(platform::Now().time())))
        return;
    EyeFrame = statusticker::eye::NextFrame(EyeFrame);
    ShowEyeFrame(EyeFrame);
    LastEyeTick = statusticker::eye::HundredthsOfDay(platform::Now().time());
}

void frmMain::StepStatusTicker()
{
    sbPanels[2]->setText(statusticker::Step(sbPanels[2]->text()));
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
    StatusBarAlign = align;
}

void frmMain::sbStatusBar_MouseDown(int button, int, float, float)
{
    if (button != 2)
        return;
    platform::EndMenu();
    StatusBarMenu->popup(QCursor::pos());
}

void frmMain::StatusBarAction_Click() { StatusBar().hide(); }

void frmMain::ClearStatusMessage_Click() { sbPanels[2]->setText(QString()); }

void frmMain::HideStatusBar_Click(const QString& itemTag)
{
    const QString value = mduLib::IsYes(itemTag) ? QStringLiteral("No") : QStringLiteral("Yes");
    SetStatusBarPosition(value);
    mduLib::SetProp(QStringLiteral("Status Bar"), value, CentralSettings_);
}
