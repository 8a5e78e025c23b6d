#include "desktop_services.h"

#include "core/desktop_settings.h"
#include "core/window_model.h"
#include "core/window_placement.h"
#include "font_substitutes.h"
#include "form.h"
#include "help_viewer.h"
#include "qt_message_box.h"
#include "system/program_end.h"
#include "twips.h"

#include <QApplication>
#include <QScreen>
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {
namespace {
int gSignalPipe[2] = {-1, -1};

void OnSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(gSignalPipe[1], &c, 1);
}

void InstallSignalHandlers()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [notifier] {
        notifier->setEnabled(false);
        char c;
        [[maybe_unused]] const auto n = ::read(gSignalPipe[0], &c, 1);
        UnloadAllForms();
        QCoreApplication::exit(0);
    });
    struct sigaction sa = {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
}
} // namespace

void UnloadAllForms()
{
    if (ProgramEnded())
        return;
    const auto forms = Form::AllForms();
    // Children first, then the windows that own them.
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if ((*it)->IsLoaded() && (*it)->MDIChild())
            (*it)->Unload(vbAppWindows);
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if ((*it)->IsLoaded())
            (*it)->Unload(vbAppWindows);
}

void InstallDesktopServices()
{
    InstallQtMessageBoxes();
    InstallHelpViewer();
    InstallFontSubstitutes();
    // The wait pointer of the screen (11), and back to the default (0).
    mduAPILib::SetScreenPointerHandler([](int pointer) {
        if (pointer == 11)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            while (QApplication::overrideCursor())
                QApplication::restoreOverrideCursor();
    });
    mduUILib::SetScreenSizeProvider([] { return QSizeF(ScreenWidthTwips(), ScreenHeightTwips()); });
    mduUILib::SetAvailableAreasProvider([] {
        std::vector<QRectF> areas;
        for (const QScreen* s : QGuiApplication::screens()) {
            const QRect g = s->availableGeometry();
            areas.emplace_back(PixelsToTwipsX(g.x()), PixelsToTwipsY(g.y()), PixelsToTwipsX(g.width()),
                               PixelsToTwipsY(g.height()));
        }
        return areas;
    });
    InstallSignalHandlers();
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { UnloadAllForms(); });
}

} // namespace platform
