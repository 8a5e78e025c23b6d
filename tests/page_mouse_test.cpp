// The mouse on the picture, the page and the backdrop of a real calendar window: the
// rubber band, the grid frame, the Ctrl edits, the page-turn corners and the window drag.
#include "calendar/hand_cursors.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/settings_store.h"
#include "support/test_folders.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "tests/support/running_calendar.h"
#include "ui/twips.h"
#include "ui/update_lock.h"

#include <QCursor>
#include <QLocale>
#include <QTest>
#include <gtest/gtest.h>

using testsupport::TestCalendar;

using testsupport::CellOf;

namespace {
constexpr int kLeft = 1, kRight = 2, kCtrl = 2;
constexpr int kPicture = 0, kPage = 1, kBackdrop = 2;

QPoint Pixels(QPointF twips) { return {platform::TwipsToPixelsX(twips.x()), platform::TwipsToPixelsY(twips.y())}; }

QPointF CentreOf(const platform::LightControl& c) { return {c.Left() + c.Width() / 2, c.Top() + c.Height() / 2}; }

// Where a mouse event at that point says it is: on its pixel.
QPointF OnPixel(QPointF twips)
{
    const QPoint px = Pixels(twips);
    return {platform::PixelsToTwipsX(px.x()), platform::PixelsToTwipsY(px.y())};
}

// A point of the page in the area that no caption or cell covers.
QPointF BarePageIn(TestCalendar& w, const QRectF& area)
{
    for (double y = area.top(); y < area.bottom(); y += 15)
        for (double x = area.left(); x < area.right(); x += 15)
            if (w.ControlAt(x, y) == &w.imgCalendar(1))
                return {x, y};
    ADD_FAILURE() << "no bare page in the area";
    return {};
}
// ... at least `margin` inside the control.
QPointF BarePageIn(TestCalendar& w, const platform::LightControl& box, float margin)
{
    return BarePageIn(w, box.RectTwips().adjusted(margin, margin, -margin, -margin));
}
} // namespace

class PageMouse : public testsupport::RunningCalendarTest {
protected:
    void TearDown() override
    {
        w_.reset();
        platform::LockWindowUpdate(nullptr);
        RunningCalendarTest::TearDown();
    }
    // December 2026 (1st on a Tuesday, weeks from Sunday) with the picture left of the
    // page, both at known places, and the grid laid out automatically on the page.
    TestCalendar& Open()
    {
        RunningCalendarTest::Open();
        for (const char* key : {"Calendar Top", "Calendar Left", "Calendar Width", "Calendar Height",
                                "Calendar Font Size", "Week Start Day"})
            mduLib::SetProp(key, key[9] == 'S' ? "1" : "-1", w_->Properties());
        w_->Move(0, 0, 9600, 7800);
        w_->imgCalendar(kBackdrop).Move(0, 0, w_->ScaleWidth(), w_->ScaleHeight());
        w_->imgCalendar(kPicture).Move(300, 300, 3000, 2250);
        w_->imgCalendar(kPage).Move(3600, 300, 4800, 6000);
        for (int i = 0; i <= 2; ++i)
            w_->imgCalendar(i).SetVisible(true);
        w_->LayoutDayGrid();
        return *w_;
    }
    // Real mouse events at window twips.
    void Press(QPointF at, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        QTest::mousePress(w_.get(), b, m, Pixels(at));
    }
    void MoveTo(QPointF at, Qt::KeyboardModifiers m = {})
    {
        // QTest moves carry no modifiers; the event itself does.
        QMouseEvent e(QEvent::MouseMove, Pixels(at), w_->mapToGlobal(QPointF(Pixels(at))), Qt::NoButton,
                      QGuiApplication::mouseButtons() | held_, m);
        QCursor::setPos(w_->mapToGlobal(Pixels(at)));
        QApplication::sendEvent(w_.get(), &e);
    }
    void Release(QPointF at, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        QTest::mouseRelease(w_.get(), b, m, Pixels(at));
        held_ = {};
    }
    void Drag(QPointF from, QPointF to, Qt::KeyboardModifiers m = {})
    {
        MoveTo(from, m);
        Press(from, Qt::LeftButton, m);
        held_ = Qt::LeftButton;
        const QPointF step = (to - from) / 4;
        for (int i = 1; i <= 4; ++i)
            MoveTo(from + step * i, m);
        Release(to, Qt::LeftButton, m);
    }
    std::string Prop(const char* key) { return mduLib::GetProp(key, w_->Properties()).toStdString(); }
    bool CursorIs(int pointer, int icon = 0)
    {
        return w_->MousePointer() == pointer &&
               (icon == 0 ? w_->MouseIcon.isNull() : handcursors::IsPicture(w_->MouseIcon, w_->imgList, icon));
    }

    Qt::MouseButtons held_;
};

TEST_F(PageMouse, ARubberBandSelectsTheDaysWhoseCentresItCovers)
{
    TestCalendar& w = Open();
    const auto& page = w.imgCalendar(kPage);
    const QPointF from(page.Left() + 300, page.Top() + 300); // above and left of the grid
    const QPointF to = CentreOf(w.lblDate(CellOf(w, QDate(2026, 12, 9)))) + QPointF(15, 15);
    Drag(from, to);
    EXPECT_TRUE(w.shpHighlight.Visible());
    EXPECT_EQ(w.shpHighlight.Tag, "29/11,30/11,01/12,02/12,06/12,07/12,08/12,09/12");
    EXPECT_FALSE(w.lblDate(CellOf(w, QDate(2026, 12, 9))).Enabled()) << "selected cells grey";
    EXPECT_TRUE(w.lblDate(CellOf(w, QDate(2026, 12, 10))).Enabled());
    EXPECT_FALSE(w.lblDate(CellOf(w, QDate(2027, 1, 2))).Enabled()) << "the next month stays greyed";
    EXPECT_EQ(platform::LockedWindow(), nullptr);
    EXPECT_TRUE(w.IsHighlightShown());

    // Dragged up and to the left of the press point, the band spans the same cells (a
    // band starts on the page between the cells: a press on a cell ends the selection).
    const QPointF back =
        (CentreOf(w.lblDate(CellOf(w, QDate(2026, 12, 9)))) + CentreOf(w.lblDate(CellOf(w, QDate(2026, 12, 17))))) / 2;
    Drag(back, from);
    EXPECT_EQ(w.shpHighlight.Tag, "29/11,30/11,01/12,02/12,06/12,07/12,08/12,09/12");

    // A band that covers no centre, or a plain click, leaves no frame.
    Drag(from, from + QPointF(150, 150));
    EXPECT_FALSE(w.shpHighlight.Visible());
    EXPECT_TRUE(w.lblDate(CellOf(w, QDate(2026, 12, 9))).Enabled());
}

TEST_F(PageMouse, SelectionSkipsHeadersAndHiddenCells)
{
    TestCalendar& w = Open();
    w.lblDate(CellOf(w, QDate(2026, 12, 1))).SetVisible(false);
    const QString keys = w.SelectDatesInRect(0, 0, 100000, 100000);
    EXPECT_TRUE(keys.startsWith("29/11,30/11,02/12,")) << keys.toStdString();
    EXPECT_EQ(keys.count(',') + 1, 41);
    EXPECT_TRUE(w.lblDate(1).Enabled()) << "the weekday header is never touched";
    EXPECT_EQ(w.SelectDatesInRect(5, 5, 5, 5), "");
}

TEST_F(PageMouse, TheUpdateLockNeverOutlivesTheBand)
{
    TestCalendar& w = Open();
    const auto& page = w.imgCalendar(kPage);
    w.imgCalendar_MouseMove(kPage, 0, 0, 400, 400);
    w.imgCalendar_MouseDown(kPage, kLeft, 0, 400, 400);
    w.imgCalendar_MouseMove(kPage, kLeft, 0, 707, 707); // 4307 is off the redraw step
    ASSERT_EQ(platform::LockedWindow(), &w);
    EXPECT_FLOAT_EQ(w.shpHighlight.Width(), 307);
    EXPECT_FLOAT_EQ(w.shpHighlight.Left(), page.Left() + 400);

    w.imgCalendar_MouseUp(kPage, 4, 0, 707, 707); // a middle release
    EXPECT_EQ(platform::LockedWindow(), nullptr);

    w.imgCalendar_MouseMove(kPage, kLeft, 0, 1007, 1007);
    ASSERT_EQ(platform::LockedWindow(), &w);
    w.imgCalendar_MouseMove(kPage, 0, 0, 1007, 1007); // the release went elsewhere
    EXPECT_EQ(platform::LockedWindow(), nullptr);

    w.imgCalendar_MouseMove(kPage, kLeft, 0, 1307, 1307);
    ASSERT_EQ(platform::LockedWindow(), &w);
    w.Form_LostFocus();
    EXPECT_EQ(platform::LockedWindow(), nullptr);

    // A right release while the band is drawn lists no days and leaves it a band.
    w.imgCalendar_MouseUp(kPage, kRight, 0, 1307, 1307);
    EXPECT_EQ(w.shpHighlight.Tag, "H");
    w.imgCalendar_MouseUp(kPage, kLeft, 0, 1307, 1307);

    // On a surface that does not start on a pixel the band still shows at every pixel
    // of pointer travel.
    w.imgCalendar(kPicture).Move(173, 173, 3000, 2250);
    w.imgCalendar_MouseMove(kPicture, 0, 0, 827, 827);
    w.imgCalendar_MouseDown(kPicture, kLeft, 0, 827, 827);
    for (float x : {847.f, 862.f, 1132.f}) { // 1020, 1035 and 1305 in the window
        w.imgCalendar_MouseMove(kPicture, kLeft, 0, x, 900);
        EXPECT_EQ(platform::LockedWindow(), nullptr) << x;
    }
    w.imgCalendar_MouseUp(kPicture, kLeft, 0, 1132, 900);
}

TEST_F(PageMouse, MovingTheGridFrameStoresItsPlaceAndOnlyAResizeItsSize)
{
    TestCalendar& w = Open();
    const int cell = CellOf(w, QDate(2026, 12, 16));
    w.lblDate_MouseMove(cell, 0, kCtrl, 10, 10); // Ctrl over a day frames the grid
    ASSERT_EQ(w.shpHighlight.Tag, "R");
    const float frameLeft = w.shpHighlight.Left(), frameTop = w.shpHighlight.Top();
    const float frameWidth = w.shpHighlight.Width(), frameHeight = w.shpHighlight.Height();

    const QPointF inside = BarePageIn(w, w.shpHighlight, 400);
    Drag(inside, inside + QPointF(-300, 450), Qt::ControlModifier);
    EXPECT_EQ(Prop("Calendar Left"), conv::NumberText(frameLeft - 300).toStdString());
    EXPECT_EQ(Prop("Calendar Top"), conv::NumberText(frameTop + 450).toStdString());
    EXPECT_EQ(Prop("Calendar Width"), "-1") << "a move keeps the grid's size";
    EXPECT_EQ(Prop("Calendar Height"), "-1");
    EXPECT_FLOAT_EQ(w.lblYear.Top(), frameTop + 450) << "the grid is laid out at the frame";
    EXPECT_TRUE(w.shpHighlight.Visible());
    EXPECT_TRUE(CursorIs(0));

    // Redrawn at its new place the frame has its old size: moving again changes nothing.
    w.shpHighlight.SetVisible(false);
    w.shpHighlight.Tag.clear();
    w.lblDate_MouseMove(cell, 0, kCtrl, 10, 10);
    EXPECT_NEAR(w.shpHighlight.Width(), frameWidth, 1);
    EXPECT_NEAR(w.shpHighlight.Height(), frameHeight, 1);

    // The right band resizes; the grid then fills the resized frame.
    const QRectF frame = w.shpHighlight.RectTwips();
    const QPointF edge = BarePageIn(w, QRectF(frame.right() - 90, frame.top() + 400, 80, frame.height() - 800));
    Drag(edge, edge + QPointF(600, 300), Qt::ControlModifier);
    EXPECT_NE(Prop("Calendar Width"), "-1");
    w.shpHighlight.SetVisible(false);
    w.shpHighlight.Tag.clear();
    w.lblDate_MouseMove(cell, 0, kCtrl, 10, 10);
    EXPECT_NEAR(w.shpHighlight.Width(), frameWidth + 600, 60);
    EXPECT_NEAR(w.shpHighlight.Height(), frameHeight + 300, 60);
}

TEST_F(PageMouse, LettingGoOfCtrlEndsTheGridFrameAndStoresNothing)
{
    TestCalendar& w = Open();
    w.lblDate_MouseMove(CellOf(w, QDate(2026, 12, 16)), 0, kCtrl, 10, 10);
    const QPointF inside = BarePageIn(w, w.shpHighlight, 400);
    MoveTo(inside, Qt::ControlModifier);
    Press(inside, Qt::LeftButton, Qt::ControlModifier);
    held_ = Qt::LeftButton;
    MoveTo(inside + QPointF(300, 300), Qt::ControlModifier);
    MoveTo(inside + QPointF(600, 600)); // Ctrl let go
    Release(inside + QPointF(600, 600));
    EXPECT_FALSE(w.shpHighlight.Visible());
    EXPECT_EQ(Prop("Calendar Top"), "-1");
    EXPECT_EQ(Prop("Calendar Left"), "-1");
}

TEST_F(PageMouse, TheCursorTellsWhatCtrlWouldEdit)
{
    TestCalendar& w = Open();
    w.shpHighlight.Move(4000, 1000, 2000, 1500);
    w.shpHighlight.Tag = "R";
    w.shpHighlight.SetVisible(true);
    const auto& page = w.imgCalendar(kPage);
    const struct {
        float px, py;
        int pointer, icon;
    } frameCases[] = {
        {5950, 1500, 5, 0},  {5000, 2450, 5, 0}, {5950, 5000, 5, 0}, // bands, also past the frame
        {5000, 1500, 99, 5}, {4050, 1500, 0, 0}, {7000, 1500, 0, 0},
    };
    for (const auto& c : frameCases) {
        w.imgCalendar_MouseMove(kPage, 0, kCtrl, c.px - page.Left(), c.py - page.Top());
        EXPECT_TRUE(CursorIs(c.pointer, c.icon)) << c.px << "," << c.py << ": " << w.MousePointer();
    }

    // No frame: Ctrl over the picture (band 300 by 10 % of 3000) edits the picture.
    w.shpHighlight.SetVisible(false);
    const struct {
        float x, y;
        int pointer, icon;
    } pictureCases[] = {{1000, 1000, 99, 5}, {2750, 1000, 5, 0}, {1000, 1000, 5, 0} /* stays */};
    for (const auto& c : pictureCases) {
        w.imgCalendar_MouseMove(kPicture, 0, kCtrl, c.x, c.y);
        EXPECT_TRUE(CursorIs(c.pointer, c.icon)) << c.x << "," << c.y << ": " << w.MousePointer();
    }
    // Without Ctrl, away from the drag band, the default cursor comes back.
    w.imgCalendar_MouseMove(kPicture, 0, 0, 1000, 1000);
    EXPECT_TRUE(CursorIs(0));
    // Ctrl with Shift is no Ctrl.
    w.imgCalendar_MouseMove(kPicture, 0, kCtrl | 1, 1000, 1000);
    EXPECT_TRUE(CursorIs(0));
}

TEST_F(PageMouse, CtrlDragsThePictureAndStoresItsGeometry)
{
    TestCalendar& w = Open();
    const QPointF grab(1300, 1300);
    Drag(grab, grab + QPointF(150, 300), Qt::ControlModifier);
    EXPECT_FLOAT_EQ(w.imgCalendar(kPicture).Left(), 450);
    EXPECT_FLOAT_EQ(w.imgCalendar(kPicture).Top(), 600);
    EXPECT_EQ(Prop("Calendar Image Left"), "450");
    EXPECT_EQ(Prop("Calendar Image Top"), "600");
    EXPECT_EQ(Prop("Calendar Image Width"), "-1") << "untouched by a move";

    // Its right band resizes; the top-left corner stays.
    const QPointF edge(450 + 3000 - 60, 1500);
    Drag(edge, edge + QPointF(-3600, 150), Qt::ControlModifier);
    EXPECT_FLOAT_EQ(w.imgCalendar(kPicture).Left(), 450);
    EXPECT_FLOAT_EQ(w.imgCalendar(kPicture).Width(), 600) << "past the left edge the width mirrors";
    EXPECT_EQ(Prop("Calendar Image Width"), "600");
    EXPECT_EQ(Prop("Calendar Image Height"), "2400");

    // The page stores its own keys; the backdrop never moves. (The size cursor stays
    // while Ctrl is held: a move without it brings the default one back.)
    w.imgCalendar_MouseMove(kPage, 0, 0, 1000, 1000);
    w.imgCalendar_MouseMove(kPage, 0, kCtrl, 1000, 1000);
    w.imgCalendar_MouseDown(kPage, kLeft, kCtrl, 1000, 1000);
    w.imgCalendar_MouseMove(kPage, kLeft, kCtrl, 1100, 900);
    EXPECT_EQ(Prop("Calendar Background Left"), "3700");
    EXPECT_EQ(Prop("Calendar Background Top"), "200");
    w.imgCalendar_MouseUp(kPage, kLeft, kCtrl, 1000, 1000);
    const float backdropLeft = w.imgCalendar(kBackdrop).Left();
    w.imgCalendar_MouseMove(kBackdrop, 0, kCtrl, 9000, 7000);
    w.imgCalendar_MouseDown(kBackdrop, kLeft, kCtrl, 9000, 7000);
    w.imgCalendar_MouseMove(kBackdrop, kLeft, kCtrl, 8000, 6000);
    EXPECT_FLOAT_EQ(w.imgCalendar(kBackdrop).Left(), backdropLeft);
}

TEST_F(PageMouse, ThePageCornersShowInItsBottomCorners)
{
    TestCalendar& w = Open();
    const auto& page = w.imgCalendar(kPage); // 4800 x 6000
    w.imgCalendar_MouseMove(kPage, 0, 0, 4700, 5900);
    ASSERT_TRUE(w.imgPageCorner(1).Visible());
    EXPECT_FLOAT_EQ(w.imgPageCorner(1).Width(), 300);
    EXPECT_FLOAT_EQ(w.imgPageCorner(1).Height(), 600);
    EXPECT_FLOAT_EQ(w.imgPageCorner(1).Left(), page.Left() + 4500);
    EXPECT_FLOAT_EQ(w.imgPageCorner(1).Top(), page.Top() + 5400);
    EXPECT_EQ(w.imgPageCorner(1).Tag, "1");
    EXPECT_FALSE(w.imgPageCorner(0).Visible());

    // With Ctrl nothing changes; back on the page the corner goes.
    w.imgCalendar_MouseMove(kPage, 0, kCtrl, 2400, 3000);
    EXPECT_TRUE(w.imgPageCorner(1).Visible());
    w.imgCalendar_MouseMove(kPage, 0, 0, 2400, 3000);
    EXPECT_FALSE(w.imgPageCorner(1).Visible());

    // The shown corner turns the month with a click.
    w.imgCalendar_MouseMove(kPage, 0, 0, 100, 5900);
    ASSERT_TRUE(w.imgPageCorner(0).Visible());
    const QPointF corner = CentreOf(w.imgPageCorner(0));
    QTest::mouseClick(w_.get(), Qt::LeftButton, {}, Pixels(corner));
    EXPECT_EQ(w.DisplayedDate().month(), 11);
}

TEST_F(PageMouse, TheWindowDragsByItsEdgeBandInTheNormalStateOnly)
{
    TestCalendar& w = Open();
    w.Move(1500, 1200, 9600, 7800);
    // The drag starts from where the window really stands on the screen.
    const auto left = static_cast<float>(platform::PixelsToTwipsX(w.frameGeometry().x()));
    const auto top = static_cast<float>(platform::PixelsToTwipsY(w.frameGeometry().y()));
    const QPointF start = w.mapToGlobal(QPointF(Pixels({100, 3000})));

    w.imgCalendar_MouseMove(kBackdrop, 0, 0, 100, 3000);
    EXPECT_TRUE(CursorIs(99, 3));
    QCursor::setPos((start + QPointF(20, 10)).toPoint());
    w.imgCalendar_MouseMove(kBackdrop, kLeft, 0, 400, 3150);
    EXPECT_TRUE(CursorIs(99, 4));
    EXPECT_FLOAT_EQ(w.Left(), left + 300);
    EXPECT_FLOAT_EQ(w.Top(), top + 150);
    // The window follows the pointer on the screen, also where the event lags behind.
    QCursor::setPos((start + QPointF(40, 20)).toPoint());
    w.imgCalendar_MouseMove(kBackdrop, kLeft, 0, 400, 3150);
    EXPECT_FLOAT_EQ(w.Left(), left + 600);
    EXPECT_FLOAT_EQ(w.Top(), top + 300);
    w.imgCalendar_MouseUp(kBackdrop, kLeft, 0, 400, 3150);
    w.imgCalendar_MouseMove(kBackdrop, 0, 0, 3000, 3000);
    EXPECT_TRUE(CursorIs(0)) << "out of the band";

    // A frame shown, or a modifier held: no drag cursor.
    w.imgCalendar_MouseMove(kBackdrop, 0, 1, 100, 3000);
    EXPECT_TRUE(CursorIs(0));

    w.SetWindowState(platform::vbMaximized);
    QApplication::processEvents();
    ASSERT_EQ(w.WindowState(), platform::vbMaximized);
    w.imgCalendar_MouseMove(kBackdrop, 0, 0, 3000, 3000);
    w.imgCalendar_MouseMove(kBackdrop, 0, 0, 100, 3000);
    EXPECT_TRUE(CursorIs(0)) << "maximised: no drag";
    const float maximisedTop = w.Top();
    w.imgCalendar_MouseMove(kBackdrop, kLeft, 0, 400, 3300);
    EXPECT_FLOAT_EQ(w.Top(), maximisedTop);
}

TEST_F(PageMouse, ADoubleClickOnThePageClosesTheNoteEditorAndKeepsTheNote)
{
    TestCalendar& w = Open();
    const QDate day(2026, 12, 14);
    w.lblDate_DblClick(CellOf(w, day));
    ASSERT_TRUE(w.txtMsg.Visible());
    w.txtMsg.SetText("half a note");
    w.imgCalendar_DblClick(kPage);
    EXPECT_FALSE(w.txtMsg.Visible());
    EXPECT_EQ(w.GetActivity(conv::DateText(day)), "half a note");
}
TEST_F(PageMouse, ACtrlDragMovesTheFrameItIsPressedInElseWhatItsRowSays)
{
    enum class Moves { GridFrame, Page, Nothing };
    const QDate lastRow(2026, 12, 30), upperRow(2026, 12, 16), lowerRow(2026, 12, 23);
    TestCalendar& probe = Open();
    const platform::Label& last = probe.lblDate(CellOf(probe, lastRow));
    const platform::Label& shadow = probe.lblDateShadow(CellOf(probe, lastRow));
    const platform::Label& upper = probe.lblDate(CellOf(probe, upperRow));
    const platform::Label& lower = probe.lblDate(CellOf(probe, lowerRow));
    const float x = last.Left() + last.Width() / 2;
    // Points of the page, in window twips, below the grid's last row and between two rows.
    const QPointF belowLastRow = OnPixel(BarePageIn(probe, QRectF(x, shadow.Top() + shadow.Height() + 15, 15, 300)));
    const QPointF betweenRows =
        OnPixel(BarePageIn(probe, QRectF(x, upper.Top() + upper.Height() + 60, 15, lower.Top())));
    // The strip of a day's shadow below the day itself.
    const QPointF onShadow = OnPixel({x, last.Top() + last.Height() + 15});
    ASSERT_TRUE(shadow.RectTwips().contains(onShadow));
    ASSERT_FALSE(last.RectTwips().contains(onShadow));
    const QPointF onDay = OnPixel(CentreOf(last));
    const QPointF pageOutside = OnPixel(BarePageIn(probe, QRectF(3700, 6000, 300, 250))); // below the frame
    const struct Case {
        const char* where;
        QPointF press;
        bool frameShown, ctrl;
        bool hoverFirst; // the pointer rested at the press point before the press
        Moves moves;
    } cases[] = {
        {"between two rows", betweenRows, true, true, true, Moves::GridFrame},
        {"below the last row", belowLastRow, true, true, true, Moves::GridFrame},
        {"below the last row, pressed as the pointer arrives", belowLastRow, true, true, false, Moves::GridFrame},
        {"on a day's shadow", onShadow, true, true, true, Moves::GridFrame},
        {"on a day", onDay, true, true, true, Moves::Nothing}, // a press on a day ends the frame
        {"on the page beside the frame", pageOutside, true, true, true, Moves::Nothing},
        {"below the last row without Ctrl", belowLastRow, true, false, true, Moves::Nothing},
        {"on the page, no frame", belowLastRow, false, true, true, Moves::Page},
        {"on the page, no frame, pressed as the pointer arrives", belowLastRow, false, true, false, Moves::Page},
    };
    w_.reset();
    for (const Case& c : cases) {
        TestCalendar& w = Open();
        const Qt::KeyboardModifiers m = c.ctrl ? Qt::ControlModifier : Qt::NoModifier;
        const QPointF day = CentreOf(w.lblDate(CellOf(w, QDate(2026, 12, 28))));
        MoveTo(day);
        if (c.frameShown) {
            MoveTo(day + QPointF(15, 0), Qt::ControlModifier); // Ctrl over a day frames the grid
            ASSERT_EQ(w.shpHighlight.Tag, "R") << c.where;
        }
        if (c.hoverFirst)
            MoveTo(c.press, m);
        Press(c.press, Qt::LeftButton, m);
        held_ = Qt::LeftButton;
        for (int i = 1; i <= 4; ++i)
            MoveTo(c.press + QPointF(0, 75 * i), m);
        Release(c.press + QPointF(0, 300), Qt::LeftButton, m);
        MoveTo(c.press + QPointF(0, 300)); // Ctrl let go
        const bool grid = Prop("Calendar Top") != "-1" || Prop("Calendar Left") != "-1";
        const bool page = Prop("Calendar Background Top") != "-1" || Prop("Calendar Background Left") != "-1";
        EXPECT_EQ(grid, c.moves == Moves::GridFrame) << c.where;
        EXPECT_EQ(page, c.moves == Moves::Page) << c.where;
        EXPECT_EQ(Prop("Calendar Width"), "-1") << c.where;
    }
}
