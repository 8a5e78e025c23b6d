// The control model on its own: drawing order, hit-testing, the mouse event order of
// light controls, twips at the form's edges, control arrays and the event guard.
#include "ui/control_array.h"
#include "ui/controls.h"
#include "ui/event_guard.h"
#include "ui/form.h"
#include "ui/text_box.h"
#include "ui/twips.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <stdexcept>

using platform::Form;
using platform::Label;

namespace {

// A form that records its own and its controls' mouse events.
class RecordingForm : public Form {
public:
    RecordingForm() : Form(QStringLiteral("frmTest"))
    {
        SetBackColor(0xFFFFFF);
        Move(0, 0, 3000, 3000);
        back.Move(0, 0, 1500, 1500);
        back.SetBackColor(0x0000FF); // red
        front.Move(750, 750, 1500, 1500);
        front.SetBackColor(0xFF0000); // blue
        for (Label* l : {&back, &front}) {
            const QString n = l == &back ? "back" : "front";
            l->Events.MouseDown = [this, n](int b, int, float x, float y) {
                Log(n + " down " + QString::number(b) + " " + QString::number(x) + "," + QString::number(y));
            };
            l->Events.MouseUp = [this, n](int, int, float, float) { Log(n + " up"); };
            l->Events.Click = [this, n] { Log(n + " click"); };
            l->Events.DblClick = [this, n] { Log(n + " dblclick"); };
        }
        Show();
    }
    void Log(const QString& s) { events << s; }

    Label back{this, QStringLiteral("back")};
    Label front{this, QStringLiteral("front")};
    QStringList events;

protected:
    void Form_MouseDown(int, int, float, float) override { Log("form down"); }
    void Form_MouseUp(int, int, float, float) override { Log("form up"); }
    void Form_Click() override { Log("form click"); }
    void Form_DblClick() override { Log("form dblclick"); }
};

// The pixel of a twips position in the client area.
QPoint Px(float x, float y) { return {platform::TwipsToPixelsX(x), platform::TwipsToPixelsY(y)}; }

void Send(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

} // namespace

TEST(FormDrawing, ControlsPaintBackToFrontAndZOrderChangesIt)
{
    RecordingForm f;
    const QPoint overlap = Px(1000, 1000);
    EXPECT_EQ(f.grab().toImage().pixelColor(overlap), QColor(Qt::blue));
    f.front.ZOrder(1); // to the back
    EXPECT_EQ(f.grab().toImage().pixelColor(overlap), QColor(Qt::red));
    EXPECT_EQ(f.grab().toImage().pixelColor(Px(2000, 2000)), QColor(Qt::blue)); // only it covers here
}

TEST(FormHitTest, TheTopmostVisibleControlAnswers)
{
    RecordingForm f;
    platform::Shape frame(&f, QStringLiteral("shp"));
    frame.Move(0, 0, 3000, 3000);
    frame.ZOrder(0);
    struct Case {
        float x, y;
        const char* expected;
    } cases[] = {{100, 100, "back"}, {1000, 1000, "front"}, {2000, 2000, "front"}, {2500, 100, ""}};
    for (const Case& c : cases) {
        platform::LightControl* hit = f.ControlAt(c.x, c.y);
        EXPECT_EQ(hit ? hit->Name() : QString(), QString::fromLatin1(c.expected)) << c.x << "," << c.y;
    }
    f.front.SetVisible(false);
    EXPECT_EQ(f.ControlAt(1000, 1000), &f.back);
    f.back.SetEnabled(false); // a disabled label still gets the mouse
    EXPECT_EQ(f.ControlAt(1000, 1000), &f.back);
}

TEST(FormMouse, AClickAndADoubleClickArriveInOrder)
{
    RecordingForm f;
    const QPoint on = Px(300, 300);
    QTest::mouseClick(&f, Qt::LeftButton, Qt::NoModifier, on);
    EXPECT_EQ(f.events, QStringList({"back down 1 300,300", "back up", "back click"}));

    f.events.clear();
    // What the desktop delivers for a double click: press, release, press, double click, release.
    Send(&f, QEvent::MouseButtonPress, on, Qt::LeftButton, Qt::LeftButton);
    Send(&f, QEvent::MouseButtonRelease, on, Qt::LeftButton, Qt::NoButton);
    Send(&f, QEvent::MouseButtonDblClick, on, Qt::LeftButton, Qt::LeftButton);
    Send(&f, QEvent::MouseButtonRelease, on, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(f.events, QStringList({"back down 1 300,300", "back up", "back click", "back dblclick", "back up"}));
}

TEST(FormMouse, NoClickWhenTheReleaseIsOutsideThePressedControl)
{
    RecordingForm f;
    Send(&f, QEvent::MouseButtonPress, Px(300, 300), Qt::LeftButton, Qt::LeftButton);
    Send(&f, QEvent::MouseButtonRelease, Px(2800, 200), Qt::LeftButton, Qt::NoButton);
    // The pressed control keeps the mouse until the release, but gets no click.
    EXPECT_EQ(f.events, QStringList({"back down 1 300,300", "back up"}));

    f.events.clear();
    QTest::mouseClick(&f, Qt::LeftButton, Qt::NoModifier, Px(2800, 200));
    EXPECT_EQ(f.events, QStringList({"form down", "form up", "form click"}));
}

TEST(FormTwips, PositionsAtTheEdgesOfTheClientArea)
{
    RecordingForm f;
    const double tpp = platform::TwipsPerPixelX();
    const QPoint last(f.width() - 1, f.height() - 1);
    f.back.Move(0, 0, f.ScaleWidth(), f.ScaleHeight());
    f.front.SetVisible(false);
    // (QTest takes the point 0,0 for "the middle": send the corner ourselves.)
    Send(&f, QEvent::MouseButtonPress, QPoint(0, 0), Qt::RightButton, Qt::RightButton);
    Send(&f, QEvent::MouseButtonRelease, QPoint(0, 0), Qt::RightButton, Qt::NoButton);
    QTest::mouseClick(&f, Qt::LeftButton, Qt::NoModifier, last);
    EXPECT_EQ(f.events.value(0).toStdString(), "back down 2 0,0");
    EXPECT_EQ(f.events.value(3),
              QString("back down 1 %1,%2").arg(last.x() * tpp).arg(last.y() * platform::TwipsPerPixelY()));
    for (int px : {0, 1, f.width() - 1, f.width()})
        EXPECT_EQ(platform::TwipsToPixelsX(platform::PixelsToTwipsX(px)), px);
    EXPECT_FLOAT_EQ(f.ScaleWidth(), static_cast<float>(f.width() * tpp));
}

TEST(ControlArrays, LoadCopiesTheLowestElementAndAMissingOneRaises)
{
    Form f(QStringLiteral("frmTest"));
    platform::ControlArray<Label> cells(&f, QStringLiteral("lblDate"));
    Label& first = cells.Create(1);
    first.SetCaption("1");
    first.SetForeColor(0x00FF00);
    first.Move(100, 200, 300, 400);
    first.Tag = "tag";
    Label& copy = cells.Load(5);
    EXPECT_EQ(copy.Caption(), "1");
    EXPECT_EQ(copy.ForeColor(), 0x00FF00);
    EXPECT_EQ(copy.RectTwips(), QRectF(100, 200, 300, 400));
    EXPECT_FALSE(copy.Visible());
    EXPECT_EQ(copy.Index(), 5);
    EXPECT_EQ(f.ZOrderList().back(), &copy); // loaded in front
    EXPECT_EQ(cells.UBound(), 5);
    EXPECT_THROW(cells(3), mduLib::SubscriptError);
    EXPECT_THROW(cells.Load(5), mduLib::SubscriptError);
}

TEST(EventGuard, AFailingHandlerDoesNotEndTheProgram)
{
    RecordingForm f;
    int failures = 0;
    f.back.Events.Click = [&] {
        ++failures;
        throw std::runtime_error("boom");
    };
    QTest::mouseClick(&f, Qt::LeftButton, Qt::NoModifier, Px(300, 300));
    QTest::mouseClick(&f, Qt::LeftButton, Qt::NoModifier, Px(300, 300));
    EXPECT_EQ(failures, 2);
    EXPECT_NO_THROW(platform::Guarded("test", [] { throw 42; }));
}

TEST(FormPaint, ARepaintDrawsOnlyTheControlsItTouches)
{
    struct CountingLabel : Label {
        using Label::Label;
        void Paint(QPainter& p) const override
        {
            ++paints;
            Label::Paint(p);
        }
        mutable int paints = 0;
    };
    Form f(QStringLiteral("frmPaint"));
    f.Move(0, 0, 6000, 6000);
    CountingLabel near(&f, QStringLiteral("near")), far(&f, QStringLiteral("far"));
    near.Move(150, 150, 600, 300);
    far.Move(3000, 3000, 600, 300);
    f.Show();
    QApplication::processEvents();
    near.paints = far.paints = 0;
    // A strip that ends a pixel short of the far label, and another that overlaps it.
    f.repaint(QRect(0, 0, 200, platform::TwipsToPixelsY(3000) - 5));
    EXPECT_EQ(near.paints, 1);
    EXPECT_EQ(far.paints, 0);
    f.repaint(QRect(platform::TwipsToPixelsX(3500), platform::TwipsToPixelsY(3100), 3, 3));
    EXPECT_EQ(far.paints, 1);
    EXPECT_EQ(near.paints, 1);
}

TEST(TextBoxWidget, IsMadeWhenFirstNeededAndKeepsWhatWasSetBefore)
{
    Form f(QStringLiteral("frmBoxes"));
    platform::TextBox hidden(&f, QStringLiteral("hidden"));
    platform::TextBox shown(&f, QStringLiteral("shown"));
    hidden.SetVisible(false);
    hidden.SetText(QStringLiteral("one\r\ntwo"));
    hidden.Move(100, 100, 2000, 900);
    QApplication::processEvents();
    EXPECT_EQ(f.findChildren<QPlainTextEdit*>().size(), 1); // the visible one only
    EXPECT_EQ(hidden.Text(), "one\r\ntwo");
    hidden.SetVisible(true);
    ASSERT_NE(hidden.Editor(), nullptr);
    EXPECT_EQ(hidden.Editor()->toPlainText(), "one\ntwo");
    EXPECT_EQ(hidden.Editor()->geometry(), QRect(platform::TwipsToPixelsX(100), platform::TwipsToPixelsY(100),
                                                 platform::TwipsToPixelsX(2000), platform::TwipsToPixelsY(900)));
    EXPECT_EQ(shown.Text(), "");
}

// "Normal" after "Maximized" or "Minimized" gives back the rectangle the window had
// before, and that is the one saved; a placement reaches a shown window whole.
TEST(FormWindowState, NormalAfterAnotherStateGivesBackTheNormalRectangle)
{
    Form f(QStringLiteral("frmStates"));
    f.Move(1500, 1200, 4500, 3000);
    f.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    const QRectF normal(f.Left(), f.Top(), f.Width(), f.Height());
    const int steps[][2] = {{platform::vbMaximized, platform::vbNormal},
                            {platform::vbMinimized, platform::vbNormal},
                            {platform::vbMaximized, platform::vbMinimized}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step[0] * 10 + step[1]);
        f.SetWindowState(step[0]);
        QTest::qWait(50);
        if (step[0] == platform::vbMaximized) {
            ASSERT_GT(f.width(), platform::TwipsToPixelsX(4500)); // the offscreen desktop maximises
        }
        f.SetWindowState(step[1]);
        f.SetWindowState(platform::vbNormal);
        QTest::qWait(50);
        EXPECT_EQ(QRectF(f.Left(), f.Top(), f.Width(), f.Height()), normal);
        EXPECT_EQ(f.frameGeometry().size(), QSize(platform::TwipsToPixelsX(4500), platform::TwipsToPixelsY(3000)));
    }
    // One request for the whole rectangle.
    f.SetOuterRect(3000, 1500, 6000, 4500);
    QTest::qWait(50);
    EXPECT_EQ(f.frameGeometry(), QRect(platform::TwipsToPixelsX(3000), platform::TwipsToPixelsY(1500),
                                       platform::TwipsToPixelsX(6000), platform::TwipsToPixelsY(4500)));
    EXPECT_EQ(QRectF(f.Left(), f.Top(), f.Width(), f.Height()), QRectF(3000, 1500, 6000, 4500));
}

TEST(FormWindowState, AHeldStateReachesTheWindowOnlyAfterTheFrameChanges)
{
    // Settings replayed at start change the frame (flags make the native window again)
    // around the state; the state is given once, after them.
    Form f(QStringLiteral("frmHeld"));
    f.Move(1500, 1200, 4500, 3000);
    f.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    f.HoldWindowState(true);
    f.SetWindowState(platform::vbMaximized);
    EXPECT_EQ(f.WindowState(), platform::vbMaximized);
    EXPECT_FALSE(f.isMaximized()) << "given while held";
    f.setWindowFlags(f.windowFlags() | Qt::WindowStaysOnTopHint);
    f.show();
    f.HoldWindowState(false);
    EXPECT_TRUE(f.isMaximized());
    QTest::qWait(600); // the check after the desktop answered leaves a shown window alone
    EXPECT_TRUE(f.isMaximized());
    EXPECT_TRUE(f.isVisible());
}
