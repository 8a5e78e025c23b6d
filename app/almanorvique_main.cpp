// Almanorvique: one decorated calendar window on the desktop.
#include "calendar_main.h"

#include "core/app_identity.h"
#include "ui/desktop_services.h"
#include "ui/event_guard.h"
#include "ui/form_owner.h"
#include "system/message_box.h"

#include <QApplication>
#include <QStringList>

#if ALMANORVIQUE_WARM_FONTCONFIG
#include <fontconfig/fontconfig.h>
#include <thread>
#endif

int main(int argc, char* argv[])
{
    // Placing and shaping our own window needs X11; under Wayland ask for XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");

#if ALMANORVIQUE_WARM_FONTCONFIG
    // The window draws text from its first paint, and fontconfig's first use reads its
    // whole configuration: let that run while Qt connects to the display.
    std::thread fonts([] { FcInit(); });
#endif
    QApplication app(argc, argv);
#if ALMANORVIQUE_WARM_FONTCONFIG
    fonts.join();
#endif
    QApplication::setApplicationName(QStringLiteral("Almanorvique"));
    appinfo::SetIdentity(QStringLiteral("Almanorvique"), QStringLiteral("Almanorvique"));
    appinfo::SetCommandLine(QCoreApplication::arguments().mid(1).join(u' '));
    platform::SetDefaultMessageBoxTitle(appinfo::ProgramTitle());
    platform::InstallDesktopServices();

    platform::Guarded("start-up", [] { CalendarMain::Main(); });
    const int rc = app.exec();
    platform::CloseTopLevelForms();
    return rc;
}
