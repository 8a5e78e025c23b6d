#include "editors/dialogs/date_setup_dialog.h"
#include "support/test_folders.h"
#include "ui/timer.h"
#include "ui/twips.h"

#include <QCursor>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
enum class Close { Set, Cancel, DoubleClick, CloseBox };

// Runs the closing action once the dialog is up, after typing the texts.
void CloseWith(Close how, const QString& caption, const QString& message)
{
    QTimer::singleShot(0, [=] {
        frmDateSetup& d = frmDateSetup::Default();
        d.txtCaption.SetText(caption);
        d.txtMsg.SetText(message);
        switch (how) {
        case Close::Set:
            QTest::mouseClick(d.cmdButton(0).Widget(), Qt::LeftButton);
            break;
        case Close::Cancel:
            QTest::mouseClick(d.cmdButton(1).Widget(), Qt::LeftButton);
            break;
        case Close::DoubleClick:
            QTest::mouseDClick(&d, Qt::LeftButton, Qt::NoModifier, QPoint(3, 100)); // background
            break;
        case Close::CloseBox:
            d.close();
            break;
        }
    });
}
} // namespace

class DateSetupDialog : public testsupport::ProgramFolderTest {};

TEST_F(DateSetupDialog, TheDialogStandsNearThePointerOnItsScreen)
{
    const QSizeF dialog(3700, 3400);
    const QRectF screen(0, 0, 28800, 16200);
    const QRectF right(28800, 0, 28800, 16200);
    const struct {
        QPointF pointer;
        QRectF screen;
        QPointF expected;
    } cases[] = {
        {{5000, 4000}, screen, {2200, 2500}},
        {{1510, 1510}, screen, {10, 10}},
        {{2810, 1400}, screen, {10, 10}},
        {{2811, 1511}, screen, {11, 11}},
        {{28700, 16100}, screen, {28800 - 3700, 16200 - 3400}}, // kept inside the far edges
        {{29000, 500}, right, {28810, 10}},                     // a second screen's own margin
        {{40000, 8000}, right, {37200, 6500}},
        {{2000, 2000}, QRectF(0, 0, 3000, 3000), {10, 10}}, // a screen smaller than the dialog
    };
    for (const auto& c : cases) {
        const QPointF at = frmDateSetup::PlaceNearPointer(c.pointer, dialog, c.screen);
        EXPECT_EQ(at, c.expected) << c.pointer.x() << "," << c.pointer.y();
    }
}

TEST_F(DateSetupDialog, OnlySetReturnsTheTexts)
{
    const struct {
        Close how;
        const char *caption, *message;
        bool result;
    } cases[] = {
        {Close::Set, "New caption", "New\r\nmessage", true},
        {Close::DoubleClick, "Edited", "Edited", false}, // right after a "Set"
        {Close::Set, "", "", true},
        {Close::CloseBox, "Edited", "Edited", false},
        {Close::Cancel, "Edited", "Edited", false},
    };
    frmDateSetup& dialog = frmDateSetup::Default();
    EXPECT_EQ(&dialog, &frmDateSetup::Default());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        QString caption = "Old caption", message = "Old message";
        CloseWith(c.how, c.caption, c.message);
        const bool result = dialog.ShowMe(caption, message, 0);
        EXPECT_EQ(result, c.result);
        if (result) {
            EXPECT_EQ(caption, c.caption);
            EXPECT_EQ(message, c.message);
        }
        EXPECT_FALSE(dialog.IsShown());
        EXPECT_FALSE(dialog.IsLoaded()); // it unloads itself
    }
}

TEST_F(DateSetupDialog, OpensAtThePointerAndIgnoresEnterAndEsc)
{
    frmDateSetup& dialog = frmDateSetup::Default();
    QCursor::setPos(400, 300);
    const double tx = platform::TwipsPerPixelX(), ty = platform::TwipsPerPixelY();
    float left = 0, top = 0;
    bool stillShown = false, captionFocused = false;
    QString typed;
    QTimer::singleShot(0, [&] {
        left = dialog.Left();
        top = dialog.Top();
        captionFocused = dialog.focusWidget() == dialog.txtCaption.Widget();
        QTest::keyClick(dialog.txtCaption.Widget(), Qt::Key_Return);
        QTest::keyClick(dialog.txtCaption.Widget(), Qt::Key_Escape);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        dialog.txtMsg.SetFocus();
        QTest::keyClicks(dialog.txtMsg.Widget(), "one");
        QTest::keyClick(dialog.txtMsg.Widget(), Qt::Key_Return);
        QTest::keyClicks(dialog.txtMsg.Widget(), "two");
        stillShown = dialog.IsShown();
        typed = dialog.txtMsg.Text();
        QTest::mouseClick(dialog.cmdButton(0).Widget(), Qt::LeftButton);
    });
    QString caption = "Day", message;
    dialog.SetCaption("Set 2026-03-15");
    EXPECT_TRUE(dialog.ShowMe(caption, message, 1));
    EXPECT_FLOAT_EQ(left, static_cast<float>(400 * tx - 2800));
    EXPECT_FLOAT_EQ(top, static_cast<float>(300 * ty - 1500));
    EXPECT_TRUE(captionFocused);
    EXPECT_TRUE(stillShown);
    EXPECT_EQ(typed, "one\r\ntwo");
    EXPECT_EQ(message, "one\r\ntwo");
    EXPECT_EQ(caption, "Day");
    EXPECT_EQ(dialog.Caption(), "Set 2026-03-15");
}

// Opened over a window kept on top, the dialog is kept on top too, or it opens behind it;
// over an ordinary window it is an ordinary one again.
TEST_F(DateSetupDialog, OverAWindowKeptOnTopTheDialogIsKeptOnTop)
{
    frmDateSetup& dialog = frmDateSetup::Default();
    for (const bool topmost : {true, false}) {
        QWidget calendar;
        calendar.setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
        calendar.show();
        calendar.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&calendar));
        bool onTop = !topmost;
        QTimer::singleShot(0, [&] {
            onTop = dialog.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            QTest::mouseClick(dialog.cmdButton(1).Widget(), Qt::LeftButton);
        });
        QString caption, message;
        dialog.ShowMe(caption, message, 0);
        EXPECT_EQ(onTop, topmost);
    }
}

TEST_F(DateSetupDialog, TimersKeepRunningWhileTheDialogWaits)
{
    platform::Timer::SetManualMode(false);
    frmDateSetup& dialog = frmDateSetup::Default();
    int ticks = 0;
    platform::Timer timer(nullptr, 1, true);
    timer.OnTimer = [&] {
        if (++ticks == 3)
            QTest::mouseClick(dialog.cmdButton(0).Widget(), Qt::LeftButton);
    };
    // Should the timer never tick, the dialog is cancelled rather than left waiting.
    QTimer fallback;
    fallback.setSingleShot(true);
    QObject::connect(&fallback, &QTimer::timeout, &dialog, [&] { dialog.close(); });
    fallback.start(20000);
    QString caption = "c", message = "m";
    EXPECT_TRUE(dialog.ShowMe(caption, message, 0));
    EXPECT_GE(ticks, 3);
    timer.SetEnabled(false);
    platform::Timer::SetManualMode(true);
}

TEST_F(DateSetupDialog, TheLabelsAreNeverNarrowerThanTheirText)
{
    // The designed 975 twips cut "Date Caption:" in wider fonts.
    frmDateSetup& dialog = frmDateSetup::Default();
    for (int i : {0, 1}) {
        const platform::Label& label = dialog.Label1(i);
        SCOPED_TRACE(label.Caption().toStdString());
        EXPECT_GE(label.Width() + 0.5f, label.FittedWidth(label.Caption()));
    }
}
