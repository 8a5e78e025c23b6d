#include "ui/balloon_tooltip.h"
#include "ui/tooltip_window.h"
#include "ui/twips.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

using platform::TooltipWindow;

namespace {

struct Balloon : ::testing::Test {
    Balloon()
    {
        parent.setGeometry(100, 100, 400, 300);
        parent.show();
    }
    QWidget parent;
    CBalloonToolTip tip;
};

} // namespace

TEST_F(Balloon, StartsWithNoWindowAndTheDefaultTimes)
{
    EXPECT_EQ(tip.VisibleTime(), 5000);
    EXPECT_EQ(tip.DelayTime(), 100);
    EXPECT_FALSE(tip.PopupOnDemand());
    EXPECT_FALSE(tip.Shown());
    EXPECT_EQ(tip.Window(), nullptr);
    // Showing without a window only records it; destroying without one only clears it.
    tip.Show(10, 10);
    EXPECT_TRUE(tip.Shown());
    EXPECT_EQ(tip.Window(), nullptr);
    tip.Destroy();
    EXPECT_FALSE(tip.Shown());
}

TEST_F(Balloon, ColoursOfZeroKeepTheDesktopsUntilTheWindowExists)
{
    tip.CreateToolTip(&parent);
    ASSERT_NE(tip.Window(), nullptr);
    EXPECT_FALSE(tip.Window()->Look().TextColor.has_value());
    EXPECT_FALSE(tip.Window()->Look().BackColor.has_value());
    tip.SetBackColor(0); // sent as it is once the window exists: black
    EXPECT_EQ(tip.Window()->Look().BackColor, QColor(Qt::black));
    tip.SetForeColor(0x0000FF);
    EXPECT_EQ(tip.Window()->Look().TextColor, QColor(Qt::red));
}

TEST_F(Balloon, ATitleIsSentOnlyWhenComplete)
{
    tip.CreateToolTip(&parent);
    tip.SetIcon(2); // no title yet: nothing sent
    EXPECT_EQ(tip.Window()->Look().Icon, 0);
    tip.SetTitle("Careful");
    EXPECT_EQ(tip.Window()->Look().Icon, 2);
    EXPECT_EQ(tip.Window()->Look().Title, "Careful");

    // Creating sends the title when either part is there.
    CBalloonToolTip iconOnly;
    iconOnly.SetIcon(1);
    iconOnly.CreateToolTip(&parent);
    EXPECT_EQ(iconOnly.Window()->Look().Icon, 1);
}

TEST_F(Balloon, CreatingAgainReplacesTheWindow)
{
    tip.CreateToolTip(&parent);
    QPointer<TooltipWindow> first = tip.Window();
    tip.SetPopupOnDemand(true);
    tip.CreateToolTip(&parent);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(tip.Window()->Tracking());
}

TEST_F(Balloon, MoveConvertsTwipsWithTheHorizontalFactorOnBothAxes)
{
    const double tpp = platform::TwipsPerPixelX();
    tip.SetPopupOnDemand(true);
    tip.CreateToolTip(&parent);
    // 10.5 - 1 and 1.5 - 1: halves go to the even neighbour.
    tip.Move(10.5 * tpp, 1.5 * tpp);
    EXPECT_EQ(tip.Window()->TrackedPoint(), parent.mapToGlobal(QPoint(10, 0)));
    EXPECT_TRUE(tip.Window()->isVisible());
    EXPECT_TRUE(tip.Shown());
}

TEST_F(Balloon, PresetsSetTheirPropertiesOnly)
{
    tip.SetCentered(true);
    tip.SetDelayTime(42);
    const QString longText = "one two three four five six seven eight nine ten";

    tip.ShowBalloonInfo(&parent, "Info", longText, 300, 300, 10);
    EXPECT_TRUE(tip.Window()->Tracking());
    EXPECT_TRUE(tip.Window()->Look().Balloon);
    EXPECT_EQ(tip.Window()->Look().Icon, 1);
    EXPECT_EQ(tip.Window()->Look().BackColor, platform::ColorFromValue(0xC0FFC0));
    EXPECT_NE(tip.TipText(), longText); // wrapped
    EXPECT_EQ(tip.DelayTime(), 500);
    EXPECT_EQ(tip.VisibleTime(), 10000);
    EXPECT_FALSE(tip.Centered());
    EXPECT_TRUE(tip.CloseBox());
    EXPECT_TRUE(tip.Shown());

    tip.ReloadBalloonInfo(longText, 300, 300); // not wrapped
    EXPECT_EQ(tip.TipText(), longText);
    EXPECT_EQ(tip.Window()->Look().Text, longText);

    tip.SetCentered(true);
    tip.ShowBalloonError(&parent, "Error", "bad", 0, 0);
    EXPECT_EQ(tip.Window()->Look().Icon, 3);
    EXPECT_EQ(tip.ForeColor(), 255);
    EXPECT_EQ(tip.BackColor(), 0xFFFFC0);
    EXPECT_TRUE(tip.Centered()); // kept from before
    EXPECT_EQ(tip.DelayTime(), 500);

    tip.BalloonWarningSetup(&parent, "Warning", "careful");
    EXPECT_FALSE(tip.Window()->Tracking()); // a hover tip over the parent
    EXPECT_EQ(tip.Window()->Look().Icon, 2);
    EXPECT_EQ(tip.Window()->Look().TextColor, platform::ColorFromValue(0xC00000));
    tip.ShowBalloonWarning(&parent, "Warning", "careful", 150, 150);
    EXPECT_TRUE(tip.Window()->Tracking());
    EXPECT_TRUE(tip.Window()->isVisible());
}

TEST_F(Balloon, TheCloseBoxHidesTheBalloon)
{
    tip.ShowBalloonInfo(&parent, "Info", "text", 300, 300, 30);
    TooltipWindow* w = tip.Window();
    ASSERT_TRUE(w->HasCloseBox());
    ASSERT_TRUE(w->isVisible());
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(8, w->height() - 4)); // the text: stays
    EXPECT_TRUE(w->isVisible());
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, w->CloseBoxRect().center());
    EXPECT_FALSE(w->isVisible());
}

TEST_F(Balloon, TheMousePassesThroughAllButTheCloseBoxAndNoCompositorCutsTheOutline)
{
    // Decided at show time: with a compositing manager the balloon is drawn on a
    // see-through window; without one the window is cut to the balloon's outline, as the
    // see-through pixels would show black.
    for (const bool compositing : {true, false, true}) {
        TooltipWindow::ForceCompositing(compositing);
        tip.ShowBalloonInfo(&parent, "Info", "a day's captions\r\nsecond line", 300, 300, 30);
        TooltipWindow* w = tip.Window();
        ASSERT_TRUE(w->isVisible());
        EXPECT_TRUE(w->windowFlags() & Qt::WindowTransparentForInput) << "the balloon takes no mouse";
        EXPECT_EQ(w->CutToOutline(), !compositing);
        EXPECT_EQ(w->testAttribute(Qt::WA_TranslucentBackground), compositing);
        const QPoint beside(w->width() - 2, 2); // beside the tail, above the rounded body
        const QPoint inside(w->width() / 2, w->height() / 2);
        if (compositing) {
            EXPECT_TRUE(w->mask().isEmpty());
        } else {
            EXPECT_FALSE(w->mask().contains(beside));
            EXPECT_FALSE(w->mask().contains(QPoint(0, w->height() - 1))); // a rounded corner
            EXPECT_TRUE(w->mask().contains(inside));
        }
        // Only the close box takes the mouse: a window of its own over it.
        QWidget* box = w->CloseBoxWindow();
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->windowFlags() & Qt::WindowTransparentForInput);
        EXPECT_TRUE(box->geometry().contains(w->mapToGlobal(w->CloseBoxRect().center())));
        EXPECT_LE(box->width() * box->height(), 16 * 16);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, box->rect().center());
        EXPECT_FALSE(w->isVisible());
        EXPECT_EQ(w->CloseBoxWindow(), nullptr);
    }
    TooltipWindow::ForceCompositing(std::nullopt);
}

TEST_F(Balloon, ItsWindowGoesWithItAndSurvivesItsParent)
{
    QPointer<TooltipWindow> window;
    {
        CBalloonToolTip scoped;
        scoped.ShowBalloonInfo(&parent, "t", "m", 0, 0, 20);
        window = scoped.Window();
        ASSERT_FALSE(window.isNull());
    }
    EXPECT_TRUE(window.isNull());

    auto* owner = new QWidget;
    tip.CreateToolTip(owner);
    delete owner;
    tip.SetTipText("still fine");
    tip.Show(1, 1);
    tip.Destroy();
    EXPECT_EQ(tip.Window(), nullptr);
}

TEST_F(Balloon, AHoverTipShowsWhileThePointerMovesAndStaysItsVisibleTime)
{
    // A hover tip (not tracking): it comes after the initial delay even while the pointer
    // keeps moving over its window, then stays the visible time, not the initial delay.
    TooltipWindow hover(&parent, false);
    hover.SetText("Hover");
    hover.SetDelays(1500, 100);
    parent.setMouseTracking(true);
    parent.setAttribute(Qt::WA_UnderMouse, true);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(&parent, &enter);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 400 && !hover.isVisible()) {
        QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), parent.mapToGlobal(QPointF(20, 20)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(&parent, &move);
        QTest::qWait(10);
    }
    ASSERT_TRUE(hover.isVisible()) << "never shown while moving";
    QTest::qWait(400); // well past the initial delay
    EXPECT_TRUE(hover.isVisible());
    while (hover.isVisible() && clock.elapsed() < 6000)
        QTest::qWait(20);
    EXPECT_FALSE(hover.isVisible());
    EXPECT_GE(clock.elapsed(), 1500);
    parent.setAttribute(Qt::WA_UnderMouse, false);
}
