// Almanorvique: one decorated calendar window on the desktop.
#include "calendar_main.h"
#include "display_check.h"

#include "core/app_identity.h"
#include "ui/desktop_services.h"
#include "ui/event_guard.h"
#include "ui/form_owner.h"
#include "system/message_box.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    // Placing and shaping our own window needs X11; under Wayland ask for XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // Before Qt starts and before any file is touched: without a display Qt would abort.
    startcheck::DisplayCheck display(argc, argv);
    if (display.ReportProblem(QStringLiteral("Almanorvique")))
        return 1;

    QApplication app(argc, argv);
    display.Release();
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
