// Child windows in a frame: their twips geometry is their sub-window's in the frame's
// client area, the user's moves come back, closing unloads them, and the frame arranges
// only what is shown; its background reports mouse buttons as every form does.
#include "ui/mdi_frame.h"
#include "ui/twips.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <vector>

namespace {
struct Child : platform::Form {
    Child() : Form(QStringLiteral("frmChild")) {}
    int unloads = 0;
    int resizes = 0;
    bool refuse = false;

protected:
    void Form_Unload(int& cancel) override
    {
        ++unloads;
        cancel = refuse ? 1 : 0;
    }
    void Form_Resize() override { ++resizes; }
};

struct Frame : platform::MDIForm {
    Frame() : MDIForm(QStringLiteral("frmFrame"))
    {
        Move(0, 0, 12000, 9000);
        Show();
    }
};

void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
} // namespace

TEST(MdiFrame, AChildsGeometryIsItsSubWindowsInTheClientArea)
{
    Frame frame;
    auto* child = new Child;
    frame.AddChild(*child);
    EXPECT_TRUE(child->MDIChild());
    child->EnsureLoaded();
    child->Move(1500, 750, 6000, 4500);
    child->Show();
    QMdiSubWindow* sub = child->MDISubWindow();
    EXPECT_EQ(sub->geometry(), QRect(100, 50, 400, 300));
    EXPECT_TRUE(child->Visible());
    // The client area is what the sub-window's frame leaves.
    const QMargins m = sub->contentsMargins();
    EXPECT_NEAR(child->ScaleWidth(), 6000 - platform::PixelsToTwipsX(m.left() + m.right()), 1);

    // The user moves and sizes the sub-window.
    sub->setGeometry(200, 100, 500, 350);
    EXPECT_FLOAT_EQ(child->Left(), 3000);
    EXPECT_FLOAT_EQ(child->Top(), 1500);
    EXPECT_FLOAT_EQ(child->Width(), 7500);
    EXPECT_GT(child->resizes, 0);

    child->Hide();
    EXPECT_FALSE(child->Visible());
    child->SetWindowState(platform::vbMinimized); // taken when it is shown again
    EXPECT_FALSE(sub->isVisible());
    child->Show();
    EXPECT_TRUE(sub->isMinimized());
}

TEST(MdiFrame, ClosingASubWindowUnloadsAndDeletesItsChild)
{
    Frame frame;
    QPointer<Child> a = new Child, b = new Child;
    for (Child* c : {a.data(), b.data()}) {
        frame.AddChild(*c);
        c->Show();
    }
    EXPECT_EQ(frame.Children().size(), 2u);

    b->refuse = true;
    b->MDISubWindow()->close();
    EXPECT_EQ(b->unloads, 1);
    RunDeferredDeletes();
    ASSERT_FALSE(b.isNull()); // it refused
    b->refuse = false;
    b->MDISubWindow()->close();
    RunDeferredDeletes();
    EXPECT_TRUE(b.isNull());

    ASSERT_TRUE(a->Unload());
    EXPECT_TRUE(frame.Children().empty());
    RunDeferredDeletes();
    EXPECT_TRUE(a.isNull());
}

TEST(MdiFrame, TilingArrangesOnlyTheShownWindows)
{
    Frame frame;
    std::vector<Child*> kids;
    for (int i = 0; i < 3; ++i) {
        kids.push_back(new Child);
        frame.AddChild(*kids.back());
        kids.back()->Move(0, 0, 3000, 3000);
        kids.back()->Show();
    }
    kids[1]->Hide();
    frame.Arrange(platform::vbTileHorizontal);
    const QSize area = frame.ClientArea().viewport()->size();
    EXPECT_EQ(kids[0]->MDISubWindow()->geometry(), QRect(0, 0, area.width(), area.height() / 2));
    EXPECT_EQ(kids[2]->MDISubWindow()->geometry(), QRect(0, area.height() / 2, area.width(), area.height() / 2));
    EXPECT_FALSE(kids[1]->Visible());
    frame.Arrange(platform::vbTileVertical);
    EXPECT_EQ(kids[2]->MDISubWindow()->geometry().left(), area.width() / 2);
}

TEST(MdiFrame, TheBackgroundReportsButtonsAsEveryFormDoes)
{
    struct Recording : Frame {
        std::vector<int> downs, moves;
        void MDIForm_MouseDown(int button, int, float, float) override { downs.push_back(button); }
        void MDIForm_MouseMove(int button, int, float, float) override { moves.push_back(button); }
    } frame;
    QWidget* viewport = frame.ClientArea().viewport();
    const QPointF at(10, 10);
    const struct {
        Qt::MouseButton button;
        int code; // as platform::ButtonOf and ButtonMask give it
    } cases[] = {{Qt::LeftButton, 1}, {Qt::RightButton, 2}, {Qt::MiddleButton, 4}, {Qt::BackButton, 0}};
    for (const auto& c : cases) {
        frame.downs.clear();
        frame.moves.clear();
        QMouseEvent press(QEvent::MouseButtonPress, at, viewport->mapToGlobal(at), c.button, c.button, Qt::NoModifier);
        QApplication::sendEvent(viewport, &press);
        QMouseEvent move(QEvent::MouseMove, at, viewport->mapToGlobal(at), Qt::NoButton, c.button, Qt::NoModifier);
        QApplication::sendEvent(viewport, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, at, viewport->mapToGlobal(at), c.button, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(viewport, &release);
        EXPECT_EQ(frame.downs, std::vector<int>{c.code}) << c.code;
        EXPECT_EQ(frame.moves, std::vector<int>{c.code}) << c.code;
    }
}
