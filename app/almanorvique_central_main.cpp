// AlmanorviqueCentral: a frame with twelve month windows.
#include "display_check.h"

#include "central/frame_window.h"
#include "core/app_identity.h"
#include "system/message_box.h"
#include "ui/desktop_services.h"
#include "ui/event_guard.h"
#include "ui/form_owner.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    // Placing our own windows needs X11; under Wayland ask for XWayland.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    // Before Qt starts and before any file is touched: without a display Qt would abort.
    startcheck::DisplayCheck display(argc, argv);
    if (display.ReportProblem(QStringLiteral("AlmanorviqueCentral")))
        return 1;

    QApplication app(argc, argv);
    display.Release();
    QApplication::setApplicationName(QStringLiteral("AlmanorviqueCentral"));
    appinfo::SetIdentity(QStringLiteral("Almanorvique Central"), QStringLiteral("AlmanorviqueCentral"));
    appinfo::SetCommandLine(QCoreApplication::arguments().mid(1).join(u' '));
    platform::SetDefaultMessageBoxTitle(appinfo::ProgramTitle());
    platform::InstallDesktopServices();

    // The frame starts the program: it loads (and shows itself) when it is first needed.
    platform::Guarded("start-up", [] { frmMain::Default().EnsureLoaded(); });
    const int rc = app.exec();
    platform::CloseTopLevelForms();
    return rc;
}
