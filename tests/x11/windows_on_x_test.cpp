// Windows on a real X display with a window manager that frames them after they are
// mapped: each native window has the size its widget paints, what the screen shows at the
// bottom of each dialog, under the buttons, is what the dialog draws, and a window framed
// while its program is busy still gets its outer size.
#include "editors/dialogs/date_manager.h"
#include "editors/dialogs/folder_picker.h"
#include "editors/dialogs/property_editor.h"
#include "support/running_calendar.h"
#include "ui/form.h"
#include "ui/twips.h"
#include "x11/shown_on_x.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

using testsupport::ShownOnX;
using testsupport::WaitOnX;

namespace {

// The X window's own inner size, as the server has it.
QSize NativeSize(QWidget* w)
{
    QProcess p;
    // The window handle's id: the widget's own may name a native window made before.
    p.start("xdotool", {"getwindowgeometry", "--shell", QString::number(w->windowHandle()->winId())});
    p.waitForFinished();
    const QByteArray out = p.readAllStandardOutput();
    QSize s;
    for (const QByteArray& line : out.split('\n')) {
        if (line.startsWith("WIDTH="))
            s.setWidth(line.mid(6).toInt());
        else if (line.startsWith("HEIGHT="))
            s.setHeight(line.mid(7).toInt());
    }
    if (!s.isValid())
        ADD_FAILURE() << "xdotool: " << out.toStdString() << p.readAllStandardError().toStdString();
    return s;
}

// The X window's corner on the screen, as the server has it.
QPoint NativePosition(QWidget& w)
{
    QProcess p;
    p.start("xdotool", {"getwindowgeometry", "--shell", QString::number(w.windowHandle()->winId())});
    p.waitForFinished();
    QPoint at(-1, -1);
    for (const QByteArray& line : p.readAllStandardOutput().split('\n')) {
        if (line.startsWith("X="))
            at.setX(line.mid(2).toInt());
        else if (line.startsWith("Y="))
            at.setY(line.mid(2).toInt());
    }
    return at;
}

// Pixels of the bottom rows that differ between the screen and the widget's own drawing.
int DifferingBottomPixels(QWidget* w, int rows)
{
    const QImage drawn = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint at = w->mapToGlobal(QPoint(0, 0));
    const QImage shown = QGuiApplication::primaryScreen()
                             ->grabWindow(0, at.x(), at.y(), w->width(), w->height())
                             .toImage()
                             .convertToFormat(QImage::Format_RGB32);
    int differing = 0;
    for (int y = std::max(0, w->height() - rows); y < w->height(); ++y)
        for (int x = 0; x < w->width(); ++x) {
            const QColor a = drawn.pixelColor(x, y), b = shown.pixelColor(x, y);
            if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 24)
                ++differing;
        }
    return differing;
}

// Waits until the form's hold on its outer rectangle has ended: from then on nothing of
// the program moves or resizes the window by itself.
void WaitForTheHoldsEnd(platform::Form& form)
{
    EXPECT_TRUE(WaitOnX([&] { return !form.IsBeingFramed(); })) << "the hold did not end";
}

class DialogsOnX : public testsupport::RunningCalendarTest {
protected:
    // Settles the window manager's framing and the repaint that follows it.
    void Settle(QWidget* w)
    {
        ASSERT_TRUE(ShownOnX(w));
        if (auto* form = dynamic_cast<platform::Form*>(w))
            WaitForTheHoldsEnd(*form);
        QTest::qWait(600);
    }
    void ExpectDrawnToTheBottom(QWidget* w, const char* what)
    {
        Settle(w);
        EXPECT_EQ(NativeSize(w), w->size()) << what;
        const int rows = 40;
        EXPECT_LT(DifferingBottomPixels(w, rows), w->width() * rows / 50) << what << ": an unpainted band";
    }
};

} // namespace

TEST_F(DialogsOnX, EachDialogIsDrawnDownToItsBottomEdge)
{
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    testsupport::TestCalendar& w = Open();
    ASSERT_TRUE(ShownOnX(&w));

    frmDateManager& dates = frmDateManager::Default();
    dates.ShowCalendarDate(&w, w.lblYear.Caption());
    ASSERT_NE(dates.Window(), nullptr);
    ExpectDrawnToTheBottom(dates.Window(), "date manager");
    dates.Unload();

    // The property editor from its first and its second opening.
    for (const char* what : {"property editor", "property editor opened again"}) {
        frmProperties& props = frmProperties::Default();
        props.ShowProperty(&w, w.Caption());
        ASSERT_NE(props.Window(), nullptr);
        ExpectDrawnToTheBottom(props.Window(), what);
        props.Unload();
        QTest::qWait(100);
    }

    const QString pictures = Path("pictures");
    QDir().mkpath(pictures);
    frmFolder& picker = frmFolder::Default();
    picker.GetFile(pictures, &w, "*.jpg");
    ExpectDrawnToTheBottom(&picker, "folder picker");
    picker.Unload();
}

TEST(WindowOnX, AWindowFramedWhileItsProgramIsBusyGetsItsOuterSize)
{
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    for (int busyMs : {0, 400, 2500}) {
        platform::Form form("frmBusy");
        form.Move(1500, 1500, 5400, 7800);
        form.Show();
        // The program is busy (a slow disk, a long load) while the desktop frames the window.
        std::this_thread::sleep_for(std::chrono::milliseconds(busyMs));
        ASSERT_TRUE(ShownOnX(&form)) << "busy " << busyMs << " ms";
        WaitForTheHoldsEnd(form);
        QTest::qWait(300); // the window manager's answer to the last correction
        QWindow* handle = form.windowHandle();
        ASSERT_NE(handle, nullptr);
        ASSERT_FALSE(handle->frameMargins().isNull()) << "no window manager framed the window";
        EXPECT_EQ(handle->frameGeometry().size(), QSize(platform::TwipsToPixelsX(5400), platform::TwipsToPixelsY(7800)))
            << "busy " << busyMs << " ms";
        EXPECT_EQ(NativeSize(&form), form.size()) << "busy " << busyMs << " ms";
    }
}

TEST(WindowOnX, AWindowTheUserMovedWhileItsProgramWasBusyStaysWhereTheUserPutIt)
{
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    platform::Form form("frmMovedWhileBusy");
    form.Move(1500, 1500, 5400, 7800);
    form.Show();
    const QString id = QString::number(form.windowHandle()->winId());
    QTemporaryDir scratch;
    const QString droppedMark = scratch.filePath("dropped");
    // Once the window manager has framed the window (and a moment later) the user drags it
    // (Alt and the left button, the window manager's move) 300 pixels right and 200 down,
    // while the program is still busy.
    QProcess::startDetached("bash", {"-c", "for i in $(seq 300); do xwininfo -id " + id +
                                               " | grep -q IsViewable && xprop -id " + id +
                                               " _NET_FRAME_EXTENTS | grep -q = && break; sleep 0.1; done; sleep 0.5; "
                                               "eval $(xdotool getwindowgeometry --shell " +
                                               id +
                                               "); xdotool mousemove $((X + 60)) $((Y + 60)) keydown alt mousedown 1 "
                                               "sleep 0.2 mousemove $((X + 210)) $((Y + 160)) sleep 0.2 "
                                               "mousemove $((X + 360)) $((Y + 260)) sleep 0.2 mouseup 1 keyup alt; "
                                               "touch '" +
                                               droppedMark + "'"});
    // The program stays busy until the user has let go and the window manager has put the
    // window where it was dropped (it stands still), and past the first moments after the
    // show, in which the program still puts its window back where it asked.
    QElapsedTimer busy;
    busy.start();
    while (!QFileInfo::exists(droppedMark) && busy.elapsed() < testsupport::kOnXTimeoutMs)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(QFileInfo::exists(droppedMark)) << "the drag did not end within " << busy.elapsed() << " ms";
    QPoint dropped = NativePosition(form);
    for (QPoint before(-1, -1); dropped != before && busy.elapsed() < testsupport::kOnXTimeoutMs;) {
        before = dropped;
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        dropped = NativePosition(form);
    }
    while (busy.elapsed() < 3000)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_GT(dropped.x(), 250) << "the drag did not move the window";
    // The program runs again; once its hold has ended nothing of it moves the window.
    WaitForTheHoldsEnd(form);
    QTest::qWait(300);
    const QPoint after = NativePosition(form);
    EXPECT_EQ(after, dropped) << "the user's move was undone: now at " << after.x() << "," << after.y()
                              << ", dropped at " << dropped.x() << "," << dropped.y();
}
