// Window shape, title bar, stacking and the white colour key of a form.
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/twips.h"
#include "ui/window_shape.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

using platform::Form;

namespace {

class ShapedForm : public Form {
public:
    ShapedForm() : Form(QStringLiteral("frmShape"))
    {
        SetBackColor(0xFFFFFF); // pure white: the colour key
        Move(1500, 1500, 4500, 3000);
        box.Move(300, 300, 1200, 900);
        box.SetBackStyle(1);
        box.SetBackColor(0x0000FF);
        Show();
    }
    platform::Label box{this, QStringLiteral("lblBox")};
};

QPoint Px(float x, float y) { return {platform::TwipsToPixelsX(x), platform::TwipsToPixelsY(y)}; }

QRectF Outer(const Form& f) { return {f.Left(), f.Top(), f.Width(), f.Height()}; }

} // namespace

TEST(WindowShape, OpaqueRegionLeavesOutOnlyPureWhite)
{
    QImage img(6, 4, QImage::Format_RGB32);
    img.fill(Qt::white);
    img.setPixel(1, 1, qRgb(255, 255, 253)); // "White" is not the key
    img.setPixel(2, 1, qRgb(0, 0, 0));
    img.setPixel(4, 1, qRgb(10, 20, 30));
    img.setPixel(4, 2, qRgb(10, 20, 30));
    const QRegion r = mduAPILib::OpaqueRegion(img);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(r.contains(QPoint(x, y)), img.pixel(x, y) != qRgb(255, 255, 255)) << x << "," << y;
    QImage white(8, 8, QImage::Format_ARGB32);
    white.fill(Qt::white);
    EXPECT_TRUE(mduAPILib::OpaqueRegion(white).isEmpty());
}

TEST(WindowShape, TheTransparentWindowsWhitePixelsAreOutsideItsMask)
{
    ShapedForm f;
    EXPECT_FALSE(mduAPILib::IsWhiteTransparent(f));
    mduAPILib::MakeWhiteTransparent(f);
    EXPECT_TRUE(mduAPILib::IsWhiteTransparent(f));
    const QRegion mask = f.mask();
    EXPECT_TRUE(mask.contains(Px(900, 700)));  // the red box
    EXPECT_FALSE(mask.contains(Px(100, 100))); // white background
    EXPECT_FALSE(mask.contains(Px(3000, 2000)));

    // What the window shows changed: the mask follows when asked, and the key stays on
    // after another background colour ("White" is nearly white).
    f.box.Move(2400, 1200, 600, 600);
    mduAPILib::RefreshTransparentMask(f);
    EXPECT_FALSE(f.mask().contains(Px(900, 700)));
    EXPECT_TRUE(f.mask().contains(Px(2700, 1500)));
    f.SetBackColor(0xFFFFFD);
    mduAPILib::RefreshTransparentMask(f);
    EXPECT_EQ(f.mask(), QRegion(f.rect()));
    EXPECT_TRUE(mduAPILib::IsWhiteTransparent(f));
}

TEST(WindowShape, BorderStylesTurnTheFrameOffAndOnKeepingTheWindowsPlace)
{
    ShapedForm f;
    const QRectF before = Outer(f);
    struct Step {
        QString style;
        bool frameless;
    };
    const Step steps[] = {
        {"No Border", true}, {"no border", true}, {"", true},
        {"Classic", false},  {"No Border", true}, {"3D Border", false},
    };
    for (const Step& s : steps) {
        mduAPILib::ApplyBorderStyle(f, s.style);
        QTest::qWait(400); // the desktop frames the window anew
        EXPECT_EQ(f.windowFlags().testFlag(Qt::FramelessWindowHint), s.frameless) << s.style.toStdString();
        EXPECT_TRUE(f.isVisible());
        EXPECT_EQ(Outer(f), before) << s.style.toStdString();
    }
}

TEST(WindowShape, CaptionStyleAndTopmostBecomeWindowFlags)
{
    ShapedForm f;
    mduAPILib::SetCaptionStyle(f, true, false);
    EXPECT_FALSE(f.windowFlags().testFlag(Qt::WindowTitleHint));
    EXPECT_FALSE(f.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    mduAPILib::SetCaptionStyle(f, false, true); // title and system menu only
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowSystemMenuHint));
    EXPECT_FALSE(f.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    mduAPILib::SetCaptionStyle(f, false, false);
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));

    bool onTop = true;
    mduUILib::SetTopMost(f, onTop);
    EXPECT_TRUE(onTop);
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowTitleHint)); // the caption stays as it was
    onTop = false;
    mduUILib::SetTopMost(f, onTop);
    EXPECT_FALSE(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    mduAPILib::SetTopMostNow(f);
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(f.isVisible());
}
