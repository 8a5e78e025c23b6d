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

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

#if ALMANORVIQUE_HAVE_XCB
#include <xcb/xcb.h>
#endif

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

// A top-level window destroyed from outside (its X window is gone, no close was asked):
// the form unloads as at the end of the session, saving what it saves; when that leaves
// the program without a window, it ends as at a system close.
void WindowDestroyed(Form& form)
{
    if (ProgramEnded() || !form.IsLoaded())
        return;
    form.Unload(vbAppWindows);
    for (const Form* f : Form::AllForms())
        if (f->isWindow() && f->IsLoaded() && f->isVisible() && f != &form)
            return;
    UnloadAllForms();
    QCoreApplication::exit(0);
}

#if ALMANORVIQUE_HAVE_XCB
class DestroyedWindowWatch : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(message);
        if ((e->response_type & 0x7F) != XCB_DESTROY_NOTIFY)
            return false;
        const auto* d = static_cast<const xcb_destroy_notify_event_t*>(message);
        if (d->event != d->window)
            return false; // a window inside one of ours
        for (Form* f : Form::AllForms())
            if (IsWindowOf(f, d->window)) {
                // After the event: the form's handlers may open message boxes.
                QTimer::singleShot(0, f, [form = QPointer<Form>(f), id = d->window] {
                    if (form && IsWindowOf(form, id))
                        WindowDestroyed(*form);
                });
                break;
            }
        return false;
    }

private:
    // The form's native window now. A flag change makes Qt put a new one in place of the
    // old, whose end is then no end of ours; the widget's own id may still name the old.
    static bool IsWindowOf(const Form* f, xcb_window_t id)
    {
        const QWindow* handle = f->isWindow() ? f->windowHandle() : nullptr;
        return handle && handle->handle() && handle->winId() == id;
    }
};
#endif

void WatchDestroyedWindows()
{
#if ALMANORVIQUE_HAVE_XCB
    static DestroyedWindowWatch watch;
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        qApp->installNativeEventFilter(&watch);
#endif
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
    WatchDestroyedWindows();
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [] { UnloadAllForms(); });
}

} // namespace platform
