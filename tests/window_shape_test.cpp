// Window shape, title bar, stacking and the white colour key of a form.
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/text_box.h"
#include "ui/twips.h"
#include "ui/window_shape.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <functional>
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

// What the window shows now, mask or not, as a user's screenshot of it would.
QRegion NotWhiteOfAFreshGrab(QWidget& w) { return mduAPILib::OpaqueRegion(w.grab().toImage()); }

// Pixels where the see-through area and the drawing disagree.
std::string Difference(const QRegion& mask, const QRegion& drawn)
{
    const QRect r = (mask ^ drawn).boundingRect();
    if (r.isEmpty())
        return {};
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

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

TEST(WindowShape, TheSeeThroughAreaFollowsEachRepaintedPart)
{
    ShapedForm f;
    platform::Label text(&f, QStringLiteral("lblText"));
    text.Move(2200, 300, 1500, 400);
    text.SetBackStyle(0);
    text.SetAutoSize(true);
    text.SetFontSize(14);
    text.SetCaption(QStringLiteral("09:30:11"));
    platform::Image icon(&f, QStringLiteral("imgIcon"));
    icon.Move(300, 1800);
    mduAPILib::MakeWhiteTransparent(f);
    ASSERT_EQ(Difference(f.mask(), NotWhiteOfAFreshGrab(f)), "");
    platform::TextBox note(&f, QStringLiteral("txtNote")); // made after the mask
    note.SetVisible(false);
    platform::TextBox line(&f, QStringLiteral("txtLine"), false); // one line
    line.SetVisible(false);

    QImage dot(12, 12, QImage::Format_RGB32);
    dot.fill(Qt::darkGreen);
    const struct {
        const char* what;
        std::function<void()> change;
    } changes[] = {
        {"the text's digits", [&] { text.SetCaption(QStringLiteral("09:30:12")); }},
        {"digits of another width", [&] { text.SetCaption(QStringLiteral("10:41:08")); }},
        {"a wider text", [&] { text.SetCaption(QStringLiteral("Wednesday 10:41:09")); }},
        {"a narrower text", [&] { text.SetCaption(QStringLiteral("1")); }},
        {"a box moved", [&] { f.box.Move(1800, 1500); }},
        {"a box coloured white", [&] { f.box.SetBackColor(0xFFFFFF); }},
        {"a box coloured again", [&] { f.box.SetBackColor(0x00FF00); }},
        {"a picture shown", [&] { icon.SetPicture(platform::Picture::FromImage(dot)); }},
        {"a control hidden", [&] { text.SetVisible(false); }},
        {"a control shown", [&] { text.SetVisible(true); }},
        {"a windowed control shown",
         [&] {
             note.Move(2400, 1400, 1500, 700);
             note.SetBackColor(0xFFFFFF); // only its frame and its text are not see-through
             note.SetVisible(true);
         }},
        {"typed into", [&] { note.SetText(QStringLiteral("Dentist at 9")); }},
        {"moved", [&] { note.Move(2700, 1900, 1500, 700); }},
        {"hidden", [&] { note.SetVisible(false); }},
        {"a one-line box shown",
         [&] {
             line.Move(600, 1500, 2400, 400);
             line.SetBackColor(0xFFFFFF);
             line.SetText(QStringLiteral("Dentist at 9"));
             line.SetVisible(true);
         }},
        {"its text as long again", [&] { line.SetText(QStringLiteral("Meeting at 3")); }},
        {"a character deleted at the cursor",
         [&] {
             line.Widget()->setFocus();
             auto* edit = static_cast<QLineEdit*>(line.Widget());
             edit->setCursorPosition(0);
             QTest::keyClick(edit, Qt::Key_Delete);
         }},
        {"the one-line box hidden", [&] { line.SetVisible(false); }},
        {"the background nearly white", [&] { f.SetBackColor(0xFFFFFD); }},
        {"the background pure white", [&] { f.SetBackColor(0xFFFFFF); }},
        {"nothing but white",
         [&] {
             text.SetVisible(false);
             icon.SetVisible(false);
             f.box.SetBackColor(0xFFFFFF);
         }},
        {"something again", [&] { f.box.SetBackColor(0x0000FF); }},
    };
    for (const auto& c : changes) {
        c.change();
        QCoreApplication::processEvents(); // the mask follows before the window paints
        // A window with nothing to show keeps one pixel: an empty mask would show it whole.
        const QRegion drawn = NotWhiteOfAFreshGrab(f);
        EXPECT_EQ(Difference(f.mask(), drawn.isEmpty() ? QRegion(0, 0, 1, 1) : drawn), "") << c.what;
    }
}

TEST(WindowShape, EveryChangeOfAWindowedControlsTextReportsItsArea)
{
    // The desktop never paints a windowed control's pixels outside the window's shape,
    // so what the control draws anew must be known before it is painted; also a change
    // that leaves the cursor where it was.
    using Step = std::function<void(platform::TextBox&, QWidget * typed)>;
    const Step nothing = [](platform::TextBox&, QWidget*) {};
    const struct {
        const char* what;
        Step before, change; // only what the change draws is looked at
    } changes[] = {
        {"typed", nothing,
         [](platform::TextBox&, QWidget* typed) { QTest::keyClicks(typed, QStringLiteral(" and 10")); }},
        {"a character deleted at the cursor",
         [](platform::TextBox&, QWidget* typed) { QTest::keyClick(typed, Qt::Key_Home); },
         [](platform::TextBox&, QWidget* typed) { QTest::keyClick(typed, Qt::Key_Delete); }},
        {"a text as long set", [](platform::TextBox& box, QWidget*) { box.SetText(QStringLiteral("Dentist at 9")); },
         [](platform::TextBox& box, QWidget*) { box.SetText(QStringLiteral("Meeting at 3")); }},
    };
    ShapedForm f;
    for (bool multiLine : {true, false}) {
        platform::TextBox box(&f, QStringLiteral("txtBox"), multiLine);
        box.Move(600, 1500, 2400, 600);
        box.SetText(QStringLiteral("Dentist at 9"));
        QWidget* w = box.Widget();
        QWidget* typed = multiLine ? static_cast<QWidget*>(box.Editor()) : w;
        QCoreApplication::processEvents();
        std::vector<QRect> reported;
        QObject::connect(&f, &Form::AreaInvalidated, w, [&](const QRect& r) { reported.push_back(r); });
        const QRect area(w->mapTo(&f, QPoint()), w->size());
        for (const auto& c : changes) {
            c.before(box, typed);
            QCoreApplication::processEvents();
            reported.clear();
            c.change(box, typed);
            QCoreApplication::processEvents();
            ASSERT_FALSE(reported.empty()) << c.what << (multiLine ? ", several lines" : ", one line");
            for (const QRect& r : reported)
                EXPECT_TRUE(area.contains(r)) << c.what << (multiLine ? ", several lines" : ", one line");
        }
    }
}

TEST(WindowShape, TheSeeThroughAreaFollowsAResize)
{
    // A control past the window's right edge comes into view when the window grows;
    // nothing about the control changed.
    ShapedForm f;
    f.box.Move(3600, 600, 1800, 900);
    mduAPILib::MakeWhiteTransparent(f);
    ASSERT_FALSE(f.mask().contains(Px(5000, 1000)));
    f.Move(f.Left(), f.Top(), 6500, 3500);
    QTest::qWait(20);
    ASSERT_GT(f.width(), Px(5000, 0).x());
    EXPECT_TRUE(f.mask().contains(Px(5000, 1000)));
    EXPECT_EQ(Difference(f.mask(), NotWhiteOfAFreshGrab(f)), "");
    // Smaller again: the part still in view, and in the shape what the window shows.
    f.Move(f.Left(), f.Top(), 4500, 3000);
    QTest::qWait(20);
    EXPECT_EQ(Difference(f.mask(), NotWhiteOfAFreshGrab(f)), "");
    EXPECT_TRUE(f.mask().contains(Px(3800, 1000)));
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

TEST(WindowShape, FrameChangesWhileTheStateIsHeldReachTheShownWindowOnceAtTheRelease)
{
    // Each flag change hides and shows the window, faster than a desktop may answer: a
    // style's title bar and stacking, replayed with the state held, are given together.
    ShapedForm f;
    f.Move(1500, 1200, 4500, 3000);
    f.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    int hides = 0;
    struct Count : QObject {
        int& n;
        explicit Count(int& c) : n(c) {}
        bool eventFilter(QObject*, QEvent* e) override
        {
            n += e->type() == QEvent::Hide;
            return false;
        }
    } count(hides);
    f.installEventFilter(&count);
    const Qt::WindowFlags before = f.windowFlags();
    f.HoldWindowState(true);
    mduAPILib::SetCaptionStyle(f, true, true);
    mduAPILib::SetTopMostNow(f);
    f.SetWindowState(platform::vbMaximized);
    EXPECT_EQ(f.windowFlags(), before) << "given while held";
    EXPECT_EQ(hides, 0);
    f.HoldWindowState(false);
    EXPECT_FALSE(f.windowFlags().testFlag(Qt::WindowTitleHint));
    EXPECT_TRUE(f.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(hides, 1);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.isMaximized());
    f.removeEventFilter(&count);
}
