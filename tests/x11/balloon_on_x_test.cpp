// A day's balloon on a real X display without a compositing manager: the clicks under it
// reach the calendar, its close box takes its own, and the window is cut to its outline.
#include "calendar/balloons_state.h"
#include "core/settings_store.h"
#include "support/running_calendar.h"
#include "ui/menu_items.h"
#include "ui/tooltip_window.h"
#include "ui/twips.h"
#include "x11/shown_on_x.h"

#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

using testsupport::CellOf;
using testsupport::TestCalendar;

namespace {

// Moves the real pointer and clicks as a user would; the events come from the X server.
void Pointer(QPoint at, int button = 0)
{
    QStringList args{"mousemove", "--sync", QString::number(at.x()), QString::number(at.y())};
    if (button)
        args << "click" << QString::number(button);
    ASSERT_EQ(QProcess::execute("xdotool", args), 0);
}

template <typename Done> bool WaitFor(Done done) { return testsupport::WaitOnX(done); }

QRgb ScreenPixel(QPoint at)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage().pixel(0, 0);
}

class BalloonOnX : public testsupport::RunningCalendarTest {};

} // namespace

TEST_F(BalloonOnX, ARightClickUnderADaysBalloonOpensTheDateMenu)
{
    ASSERT_EQ(QGuiApplication::platformName(), "xcb");
    TestCalendar& w = Open();
    mduLib::SetProp("Auto Show Balloon Tips", "Yes", w.Properties());
    mduLib::SetValue("10/12", "Dentist\r\nat ten", mduAlmanorvqueLib::gPersonalDates, "Caption");
    ASSERT_TRUE(testsupport::ShownOnX(&w));
    const int cell = CellOf(w, QDate(2026, 12, 10));
    const platform::LightControl& day = w.lblDate(cell);
    const QPoint centre = w.mapToGlobal(QPoint(platform::TwipsToPixelsX(day.Left() + day.Width() / 2),
                                               platform::TwipsToPixelsY(day.Top() + day.Height() / 2)));
    const QPoint below = centre + QPoint(0, 18); // under the balloon's body, same day

    Pointer(centre); // the calendar shows the day's balloon under the pointer
    ASSERT_TRUE(WaitFor([&] { return w.BalloonTip().Window() && w.BalloonTip().Window()->isVisible(); }));
    QPointer<platform::TooltipWindow> balloon = w.BalloonTip().Window();
    ASSERT_TRUE(testsupport::ShownOnX(balloon));
    ASSERT_TRUE(balloon->geometry().contains(below));

    // Xvfb runs no compositing manager: the window is cut, nothing black around the tail.
    EXPECT_FALSE(platform::TooltipWindow::Compositing());
    EXPECT_TRUE(balloon->CutToOutline());
    const QPoint corner = balloon->mapToGlobal(QPoint(balloon->width() - 1, 0));
    QTest::qWait(200);
    EXPECT_NE(ScreenPixel(corner), qRgb(0, 0, 0)) << "the corner beside the tail shows black";

    // Its close box takes its own click and hides it.
    ASSERT_NE(balloon->CloseBoxWindow(), nullptr);
    Pointer(balloon->CloseBoxWindow()->geometry().center(), 1);
    EXPECT_TRUE(WaitFor([&] { return !balloon || !balloon->isVisible(); }));

    // Back on the day, then a right click under the balloon's body: the day takes it (and
    // the press puts the balloon away, as any press on the page does).
    Pointer(centre + QPoint(0, -40));
    Pointer(centre);
    ASSERT_TRUE(WaitFor([&] { return w.BalloonTip().Window() && w.BalloonTip().Window()->isVisible(); }));
    ASSERT_TRUE(testsupport::ShownOnX(w.BalloonTip().Window()));
    ASSERT_TRUE(w.BalloonTip().Window()->geometry().contains(below));
    platform::ScriptedMenus menus;
    menus.Pick("");
    Pointer(below, 3);
    ASSERT_TRUE(WaitFor([&] { return !menus.Offered().empty(); })) << "the right click never reached the day";
    const QStringList& offered = menus.Offered().back();
    EXPECT_TRUE(std::any_of(offered.begin(), offered.end(), [](const QString& e) {
        return e.startsWith("Set Date Image");
    })) << offered.join(" | ").toStdString();
}
