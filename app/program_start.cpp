#include "program_start.h"

#include "display_check.h"

#include "core/app_identity.h"
#include "system/message_box.h"
#include "ui/desktop_services.h"
#include "ui/event_guard.h"
#include "ui/form_owner.h"

#include <QApplication>
#include <QStringList>
#include <csignal>

#if ALMANORVIQUE_WARM_FONTCONFIG
#include <fontconfig/fontconfig.h>
#include <thread>
#endif

namespace programstart {

int Run(int argc, char* argv[], const QString& title, const QString& exeName, const std::function<void()>& start)
{
    // A file-size limit (ulimit -f) would end the program at the first write past it, with
    // whatever the user entered. Ignored, such a write fails with EFBIG like a full disk,
    // and the save that made it says so.
    std::signal(SIGXFSZ, SIG_IGN);
    // Placing and shaping our own windows needs X11; under Wayland ask for XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // Before Qt starts and before any file is touched: without a display Qt would abort.
    displaycheck::DisplayCheck display(argc, argv);
    if (display.ReportProblem(exeName))
        return 1;

#if ALMANORVIQUE_WARM_FONTCONFIG
    // The windows draw text from their first paint, and fontconfig's first use reads its
    // whole configuration: let that run while Qt connects to the display.
    std::thread fonts([] { FcInit(); });
#endif
    QApplication app(argc, argv);
#if ALMANORVIQUE_WARM_FONTCONFIG
    fonts.join();
#endif
    display.Release();
    QApplication::setApplicationName(exeName);
    appinfo::SetIdentity(title, exeName);
    appinfo::SetCommandLine(QCoreApplication::arguments().mid(1).join(u' '));
    platform::SetDefaultMessageBoxTitle(appinfo::ProgramTitle());
    platform::InstallDesktopServices();

    platform::Guarded("start-up", start);
    const int rc = app.exec();
    platform::CloseTopLevelForms();
    return rc;
}

} // namespace programstart
