#include "calendar/calendar_window.h"
#include "central/frame_menus_state.h"
#include "central/frame_toolbar_state.h"
#include "central/frame_window_menu_state.h"
#include "core/app_identity.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/desktop_settings.h"
#include "core/help_about.h"
#include "core/settings_store.h"
#include "core/window_placement.h"
#include "editors/dialogs/property_editor.h"
#include "support/central_fixture.h"
#include "support/full_disk.h"
#include "support/test_folders.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "system/program_end.h"
#include "system/registry_store.h"
#include "tests/support/test_calendar.h"
#include "tests/support/test_frame.h"

#include "ui/common_dialog.h"
#include "ui/menu_items.h"
#include "ui/twips.h"

#include <QDir>
#include <QFileInfo>

#include <QApplication>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace mduAlmanorvqueLib;
using testsupport::ReadBytes;
using testsupport::TestCalendar;
using testsupport::TestFrame;
using testsupport::WriteBytes;

namespace {
void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The visible captions of a menu, separators as "-".
QStringList Shown(const QMenu& menu)
{
    QStringList out;
    for (const QAction* a : menu.actions())
        if (a->isVisible())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}
} // namespace

class CentralFrame : public testsupport::CentralFixture<TestFrame> {
protected:
    QString User(const QString& f = {}) const { return Path("tester/" + f); }
    QString Country(const QString& f = {}) const { return Path("tester/United Kingdom/" + f); }
    // Every month window through its own first tick (its full load).
    void LoadMonths()
    {
        for (int i = 1; i <= 12; ++i)
            if (frmAlmanorvique* cal = frame_->MonthCalendar(i))
                static_cast<TestCalendar*>(cal)->Timer1.Fire();
    }
    std::vector<int> VisibleMonths() const
    {
        std::vector<int> out;
        for (int i = 1; i <= 12; ++i)
            if (frame_->MonthCalendar(i) && frame_->MonthCalendar(i)->Visible())
                out.push_back(i);
        return out;
    }

    platform::FixedClock clock_{QDateTime(QDate(2026, 4, 15), QTime(10, 0))};
    platform::ScriptedMessageBox boxes_;
    platform::ScriptedMenus menus_; // every popup is recorded and cancelled
};

TEST_F(CentralFrame, LoadShowsTheBannerAndStartsTheTimerLast)
{
    TestFrame& f = Start(false);
    EXPECT_EQ(f.FormState(), frmMain::kStartupPending);
    EXPECT_TRUE(f.IsShown());
    EXPECT_TRUE(f.picMain->isVisible());
    EXPECT_FALSE(f.Toolbar().Visible());
    EXPECT_TRUE(f.timerCtrl.Enabled());
    EXPECT_EQ(f.timerCtrl.Interval(), 1);
    EXPECT_EQ(f.MonthCalendar(1), nullptr);
    EXPECT_EQ(gCentralIniFile, User("AlmanorviqueCentral.ini"));
}

TEST_F(CentralFrame, TheFirstTickCreatesTwelveMonthWindowsOnce)
{
    TestFrame& f = Start();
    EXPECT_EQ(f.FormState(), frmMain::kRunning);
    EXPECT_EQ(f.Tag, "12");
    EXPECT_TRUE(f.Toolbar().Visible());
    std::vector<frmAlmanorvique*> first;
    for (int i = 1; i <= 12; ++i) {
        frmAlmanorvique* cal = f.MonthCalendar(i);
        ASSERT_NE(cal, nullptr) << i;
        first.push_back(cal);
        EXPECT_TRUE(cal->MDIChild());
        EXPECT_EQ(cal->ParentForm(), &f);
        EXPECT_EQ(cal->DisplayedDate().month(), i);
        EXPECT_EQ(cal->DisplayedDate().year(), 2026);
        EXPECT_EQ(cal->IniFilePath(), Country(QString::number(i) + ".ini"));
        EXPECT_TRUE(cal->Visible());
        EXPECT_FLOAT_EQ(cal->ChildWidth(), 0); // the frame places no window here
    }
    EXPECT_EQ(f.Children().size(), 12u);
    EXPECT_TRUE(f.picMain->isVisible());
    f.timerCtrl.Fire();
    f.timerCtrl.Fire();
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(f.MonthCalendar(i), first[static_cast<size_t>(i - 1)]);
    EXPECT_EQ(f.Children().size(), 12u);
    EXPECT_EQ(f.timerCtrl.Interval(), 10000);
    EXPECT_EQ(f.MenusArea().BGColour.Count(), 9);
    EXPECT_EQ(f.MenusArea().CalendarColours(10).Caption(), "Custom");
    EXPECT_EQ(f.MenusArea().CalendarColours(9).Tag, "Transparent");
}

TEST_F(CentralFrame, TheFirstTickLeavesEachMonthWindowWhereItsOwnSettingsPutIt)
{
    // A small frame with the toolbar at its left: windows placed by the layout would reach
    // past the window area, whose scroll bar would then run across the banner.
    WriteBytes(Path("ini/AlmanorviqueCentral.ini"), "Window Width=9000\r\nWindow Height=6000\r\n"
                                                    "Tool Bar=Left\r\nToolbar Size=Large Size with Caption\r\n");
    QDir().mkpath(Country());
    WriteBytes(Country("3.ini"), "Window Width=6000\r\nWindow Height=4000\r\nWindow Top=500\r\nWindow Left=700\r\n");
    TestFrame& f = Start();
    f.show(); // the window area lays out its scroll bars
    QCoreApplication::processEvents();
    frmAlmanorvique* march = f.MonthCalendar(3);
    EXPECT_FLOAT_EQ(march->Left(), 700);
    EXPECT_FLOAT_EQ(march->Top(), 500);
    EXPECT_FLOAT_EQ(march->Width(), 6000);
    EXPECT_FLOAT_EQ(march->Height(), 4000);
    EXPECT_LT(f.MonthCalendar(4)->Width(), 1500); // automatic: a child keeps what it had
    EXPECT_FALSE(f.ClientArea().horizontalScrollBar()->isVisible());
    EXPECT_TRUE(f.picMain->isVisible());
}

TEST_F(CentralFrame, EveryDayOfASixRowMonthLiesInsideItsWindowAtTheTwelveLayoutsCellSize)
{
    for (const char* frameSize : {"Window Width=16800\r\nWindow Height=11400\r\n",    // as shipped
                                  "Window Width=23850\r\nWindow Height=14400\r\n"}) { // 1590 x 960 pixels
        SCOPED_TRACE(frameSize);
        WriteBytes(Path("ini/AlmanorviqueCentral.ini"), QByteArray(frameSize) + "Tool Bar=Top\r\n");
        TestFrame& f = Start();
        f.DoToolbarButton(4);
        LoadMonths();
        for (int month : {5, 8}) { // May and August 2026 have six week rows
            SCOPED_TRACE(month);
            auto* cal = static_cast<TestCalendar*>(f.MonthCalendar(month));
            int days = 0;
            for (int i = 8; i <= cal->lblDate.UBound(); ++i) {
                platform::Label& cell = cal->lblDate(i);
                if (!cell.Visible() || cell.Caption().isEmpty())
                    continue;
                ++days;
                EXPECT_LE(cell.Top() + cell.Height(), cal->ScaleHeight()) << cell.Caption().toStdString();
                EXPECT_LE(cell.Left() + cell.Width(), cal->ScaleWidth()) << cell.Caption().toStdString();
                EXPECT_EQ(cal->ControlAt(cell.Left() + cell.Width() / 2, cell.Top() + cell.Height() / 2), &cell);
            }
            EXPECT_EQ(days, 42);
        }
        frame_.reset();
        RunDeferredDeletes();
    }
}

TEST_F(CentralFrame, AMonthWindowMaximisedRestoredOrSizedByHandLaysItsPageOutAgain)
{
    TestFrame& f = Start();
    f.show();
    f.DoToolbarButton(4);
    LoadMonths();
    auto* may = static_cast<TestCalendar*>(f.MonthCalendar(5));
    QMdiSubWindow* sub = may->MDISubWindow();
    // What the page was laid out for: the window's size as its sub-window has it.
    const auto laidOutAt = [&](const char* how) {
        SCOPED_TRACE(how);
        QCoreApplication::processEvents();
        EXPECT_EQ(platform::TwipsToPixelsX(may->Width()), sub->width());
        EXPECT_EQ(platform::TwipsToPixelsY(may->Height()), sub->height());
        may->Timer1.Fire(); // the re-layout after the resize
        may->Timer1.Fire();
        EXPECT_FLOAT_EQ(may->imgCalendar(2).Width(), may->ScaleWidth());
        EXPECT_FLOAT_EQ(may->imgCalendar(2).Height(), may->ScaleHeight());
    };
    const QSize cell = sub->size();
    sub->showMaximized(); // its title bar's maximise button
    ASSERT_EQ(may->WindowState(), platform::vbMaximized);
    ASSERT_GT(sub->width(), cell.width());
    laidOutAt("maximised");
    sub->showNormal();
    ASSERT_EQ(sub->size(), cell);
    laidOutAt("restored");
    sub->resize(cell + QSize(120, 80)); // by its edge
    laidOutAt("sized by hand");

    f.WindowItem_Click(4); // Maximise All, then one window restored by its title bar
    QCoreApplication::processEvents();
    may->Timer1.Fire();
    may->Timer1.Fire();
    sub->showNormal();
    ASSERT_EQ(may->WindowState(), platform::vbNormal);
    laidOutAt("restored after Maximise All");
}

TEST_F(CentralFrame, StartedOnThe31stShortMonthsGetTheirLastDay)
{
    clock_.Set(QDateTime(QDate(2026, 3, 31), QTime(9, 0)));
    TestFrame& f = Start();
    EXPECT_EQ(f.MonthCalendar(2)->DisplayedDate(), QDate(2026, 2, 28));
    EXPECT_EQ(f.MonthCalendar(4)->DisplayedDate(), QDate(2026, 4, 30));
    EXPECT_EQ(f.MonthCalendar(12)->DisplayedDate(), QDate(2026, 12, 31));
}

TEST_F(CentralFrame, LayoutButtonsShowTheMonthsAroundTodayAndHideTheBanner)
{
    TestFrame& f = Start();
    f.DoToolbarButton(2); // "4": February to May in April
    EXPECT_EQ(VisibleMonths(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_FALSE(f.picMain->isVisible());
    frmAlmanorvique* feb = f.MonthCalendar(2);
    EXPECT_FLOAT_EQ(feb->Left(), 130);
    EXPECT_FLOAT_EQ(feb->Top(), 130);
    EXPECT_NEAR(feb->Width(), f.Width() / 2.1, 1);
    EXPECT_FLOAT_EQ(feb->ChildLeft(), feb->Left());
    EXPECT_FLOAT_EQ(feb->ChildWidth(), feb->Width());
    EXPECT_FLOAT_EQ(f.MonthCalendar(3)->Left(), 130); // February stands alone in its row
    EXPECT_GT(f.MonthCalendar(3)->Top(), feb->Top());

    f.DoToolbarButton(4);
    EXPECT_EQ(VisibleMonths().size(), 12u);
    f.DoToolbarButton(1);
    EXPECT_EQ(VisibleMonths(), (std::vector<int>{3, 4}));

    // A maximised frame ignores the buttons.
    f.SetWindowState(platform::vbMaximized);
    f.DoToolbarButton(3);
    EXPECT_EQ(VisibleMonths(), (std::vector<int>{3, 4}));
}

TEST_F(CentralFrame, AClosedMonthWindowStaysClosed)
{
    TestFrame& f = Start();
    ASSERT_TRUE(f.MonthCalendar(3)->Unload());
    RunDeferredDeletes();
    EXPECT_EQ(f.MonthCalendar(3), nullptr);
    f.DoToolbarButton(4);
    f.DoToolbarButton(5);
    f.DoToolbarButton(6);
    EXPECT_EQ(VisibleMonths().size(), 11u);
    EXPECT_EQ(f.Children().size(), 11u);
    EXPECT_EQ(f.MonthCalendar(1)->DisplayedDate().month(), 1);
}

TEST_F(CentralFrame, ClosingTheFrameSavesTheMonthsFirstThenItsOwnFiles)
{
    TestFrame& f = Start();
    LoadMonths();
    f.OpenedList()[1].Key = "March";
    // A size other than the template's, stored by "Save Current Settings", stays stored.
    f.ToolBarSize_Click(4); // "Large Size with Caption"
    f.DoMenuItem(9, 8);
    f.Unload(platform::vbFormControlMenu);
    RunDeferredDeletes();
    EXPECT_EQ(ended_, 1);
    for (int i = 1; i <= 12; ++i)
        EXPECT_EQ(f.MonthCalendar(i), nullptr);
    for (const char* year : {"2025", "2026", "2027"})
        EXPECT_TRUE(QFileInfo::exists(Country(year))) << year;
    EXPECT_TRUE(QFileInfo::exists(User("PersonalDates")));
    EXPECT_EQ(ReadBytes(User("OpenedForms.txt")), "March=\r\n");
    const QByteArray ini = ReadBytes(User("AlmanorviqueCentral.ini"));
    EXPECT_TRUE(ini.contains("Window Width=" + QByteArray::number(qRound(f.Width()))));
    EXPECT_TRUE(ini.contains("Toolbar Size=Large Size with Caption"));
    const auto layout =
        platform::registry::ReadValue("AlmanorviqueCentral\\" + gDataFolder, "AlmanorviqueCentralToolbar");
    ASSERT_TRUE(layout.has_value());
    EXPECT_TRUE(layout->text.startsWith("\"1,1\"|1"));
}

TEST_F(CentralFrame, ADateFileAllMonthWindowsShareThatCannotBeWrittenAtTheExitIsAskedAboutOnce)
{
    TestFrame& f = Start();
    LoadMonths();
    static_cast<TestCalendar*>(f.MonthCalendar(5))
        ->SetDateItem(conv::DateText(QDate(2026, 5, 3)), "Set before closing", "Caption");
    const QByteArray before = ReadBytes(gPersonalDatesFile);
    const int status = testsupport::RunOnAFullDisk(static_cast<rlim_t>(before.size()) + 4, [&] {
        boxes_.QueueAnswer(platform::vbNo);
        f.Unload(platform::vbFormControlMenu);
        int asked = 0, named = 0;
        for (const auto& box : boxes_.Shown()) {
            asked += box.title == "Save Dates";
            named += box.prompt.contains(gPersonalDatesFile) && box.prompt.contains("month window");
        }
        return asked * 10 + named;
    });
    EXPECT_EQ(status, 11); // one question, naming the file
    EXPECT_EQ(ReadBytes(gPersonalDatesFile), before);
}

TEST_F(CentralFrame, TransparentMonthWindowsAreMarkedAndTakeTheFramesNewColour)
{
    TestFrame& f = Start();
    LoadMonths();
    auto* may = static_cast<TestCalendar*>(f.MonthCalendar(5));
    auto* june = static_cast<TestCalendar*>(f.MonthCalendar(6));
    const struct {
        const char* colour;
        int mark;
    } colours[] = {{"Transparent", frmAlmanorvique::kTransparentDrawStyle}, {"Red", 0}, {"Transparent", 1}};
    for (const auto& c : colours) {
        SCOPED_TRACE(c.colour);
        may->ApplySetting("Window Background Colours", c.colour, QString());
        EXPECT_EQ(may->DrawStyle, c.mark);
    }
    EXPECT_EQ(june->DrawStyle, 0);
    const qint32 juneColour = june->BackColor();

    QString blue = "Blue";
    f.SetWindowBackground(blue);
    EXPECT_EQ(may->BackColor(), 0xFF0000); // the frame's colour shows through
    EXPECT_EQ(june->BackColor(), juneColour);
}

TEST_F(CentralFrame, AChosenBackgroundColourShowsAtOnceWithoutAResize)
{
    TestFrame& f = Start();
    f.DoToolbarButton(4); // the banner goes: the window area's background shows
    for (const char* name : {"Red", "cyan", "Transparent", "65280"}) {
        SCOPED_TRACE(name);
        QString colour = name;
        f.SetWindowBackground(colour);
        EXPECT_EQ(f.ClientArea().background().color(), platform::ColorFromValue(f.BackColor()));
    }
    EXPECT_EQ(f.ClientArea().background().color(), QColor(0, 255, 0));
}

TEST_F(CentralFrame, HelpFromTheFrameOpensTheFramesOwnHelp)
{
    QStringList opened;
    mduUILib::SetHelpViewer([&](const QString& path, int, QObject*) { opened << QFileInfo(path).fileName(); });
    TestFrame& f = Start();
    f.DoToolbarButton(8);
    f.DoMenuItem(9, 5); // the main popup's "Help"
    mduUILib::SetHelpViewer(nullptr);
    // The viewer opens Help/almanorviquecentral, not the single calendar's pages.
    EXPECT_EQ(opened, (QStringList{"AlmanorviqueCentral.chm", "AlmanorviqueCentral.chm"}));
}

TEST_F(CentralFrame, TheMainPopupsExitSavesTheMonthsToo)
{
    TestFrame& f = Start();
    LoadMonths();
    QFile::remove(Country("2026"));
    menus_.Pick("Exit");
    f.ShowMainMenu();
    EXPECT_EQ(ended_, 1);
    EXPECT_TRUE(QFileInfo::exists(Country("2026")));
    EXPECT_FALSE(f.IsLoaded());
}

TEST_F(CentralFrame, ChangesNotSavedByTheMenuAreDroppedAtTheExit)
{
    TestFrame& f = Start();
    mduLib::SetProp("Heading Variation", "Random", f.CentralSettings());
    f.ExitProgram();
    const QByteArray ini = ReadBytes(User("AlmanorviqueCentral.ini"));
    EXPECT_TRUE(ini.contains("Heading Variation=Rotation,"));
}

TEST_F(CentralFrame, TheSettingsFileIsCopiedOnceAndMergedWithANewerTemplate)
{
    Start(false);
    EXPECT_EQ(ReadBytes(User("AlmanorviqueCentral.ini")), ReadBytes(Path("ini/AlmanorviqueCentral.ini")));
    frame_.reset();

    // A user file newer than the template stays as it is.
    WriteBytes(User("AlmanorviqueCentral.ini"), "Tool Bar=Left\r\nMine=1\r\n");
    testsupport::SetFileAge(User("AlmanorviqueCentral.ini"), 0);
    testsupport::SetFileAge(Path("ini/AlmanorviqueCentral.ini"), -100);
    Start(false);
    EXPECT_EQ(mduLib::GetProp("Mine", frame_->CentralSettings()), "1");
    EXPECT_EQ(frame_->Toolbar().Align(), platform::vbAlignLeft);
    frame_.reset();

    // A newer template is merged in: the user's values on the template's lines.
    WriteBytes(User("AlmanorviqueCentral.ini"), "Tool Bar=Bottom\r\nMine=1\r\n");
    testsupport::SetFileAge(User("AlmanorviqueCentral.ini"), -200);
    testsupport::SetFileAge(Path("ini/AlmanorviqueCentral.ini"), -100);
    TestFrame& f = Start(false);
    EXPECT_EQ(mduLib::GetProp("Mine", f.CentralSettings()), "0");
    EXPECT_EQ(mduLib::GetProp("Tool Bar", f.CentralSettings()), "Bottom");
    EXPECT_EQ(mduLib::GetProp("Window Height", f.CentralSettings()), "11400");
    EXPECT_EQ(mduLib::GetProp("Tool Bar", gPropertyTable), "Bottom");
}

TEST_F(CentralFrame, PlacementCentresOnMinusOneAndSkipsWhatIsNoNumber)
{
    WriteBytes(Path("ini/AlmanorviqueCentral.ini"),
               "Window Width=6000\r\nWindow Height=4500\r\nWindow Top=abc\r\nWindow Left=-1\r\n");
    TestFrame& f = Start(false);
    const QSizeF screen = mduUILib::ScreenSizeTwips();
    EXPECT_FLOAT_EQ(f.Width(), 6000);
    EXPECT_NEAR(f.Top(), (screen.height() - f.Height()) / 2, 15); // no number: placed automatically
    EXPECT_NEAR(f.Left(), (screen.width() - f.Width()) / 2, 15);
}

TEST_F(CentralFrame, SaveCurrentSettingsStoresWhatTheFrameShows)
{
    TestFrame& f = Start();
    QString colour = "Transparent";
    f.SetWindowBackground(colour);
    f.SetToolbarPosition("Hide:Bottom");
    f.DoMenuItem(9, 8);
    const mduLib::PropertyTable saved = [&] {
        mduLib::PropertyTable t(1);
        mduLib::LoadIniFile(User("AlmanorviqueCentral.ini"), t);
        return t;
    }();
    EXPECT_EQ(mduLib::GetProp("Window Background Colour", saved), "White");
    EXPECT_EQ(mduLib::GetProp("Tool Bar", saved), "Hide:Bottom");
    EXPECT_EQ(mduLib::GetProp("Status Bar", saved), "No");
    EXPECT_EQ(mduLib::GetProp("Window State", saved), "Normal");
}

// Another copy of the program saves its settings while this one runs: "Save Current
// Settings" and the exit write only what this frame changed into the file as it is then.
TEST_F(CentralFrame, SavingKeepsWhatAnotherCopySavedMeanwhile)
{
    TestFrame& f = Start();
    const QByteArray ini = ReadBytes(User("AlmanorviqueCentral.ini"));
    ASSERT_TRUE(ini.contains("Heading Variation=Rotation,"));
    QByteArray other = ini;
    other.replace("Heading Variation=Rotation,", "Heading Variation=Random,");
    WriteBytes(User("AlmanorviqueCentral.ini"), other + "Other Copy=1\r\n");
    f.SetToolbarPosition("Hide:Bottom");
    f.DoMenuItem(9, 8);
    f.Move(900, 600, 9000, 7000);
    f.ExitProgram();
    mduLib::PropertyTable saved(1);
    ASSERT_TRUE(mduLib::LoadIniFile(User("AlmanorviqueCentral.ini"), saved));
    EXPECT_EQ(mduLib::GetProp("Heading Variation", saved), "Random");
    EXPECT_EQ(mduLib::GetProp("Other Copy", saved), "1");
    EXPECT_EQ(mduLib::GetProp("Tool Bar", saved), "Hide:Bottom");
    EXPECT_EQ(mduLib::GetProp("Window Width", saved), "9000");
}

TEST_F(CentralFrame, TheWindowMenuOnHiddenAndClosedWindows)
{
    TestFrame& f = Start();
    f.DoToolbarButton(1); // only March and April shown
    f.MonthCalendar(7)->Unload();
    RunDeferredDeletes();

    f.CheckWindowMenu(&f);
    EXPECT_EQ(Shown(f.WindowMenu()), (QStringList{"Tile", "Cascade", "Arrang Icons", "Maximise All", "Restore All",
                                                  "Minimise All", "-", "Close All", "-", "Exit"}));

    f.WindowItem_Click(6); // Minimise All
    EXPECT_EQ(f.WindowState(), platform::vbNormal);
    EXPECT_EQ(f.MonthCalendar(3)->WindowState(), platform::vbMinimized);
    EXPECT_EQ(VisibleMonths(), (std::vector<int>{3, 4})); // hidden ones stay hidden

    f.WindowItem_Click(5); // Restore All
    EXPECT_EQ(f.MonthCalendar(3)->WindowState(), platform::vbNormal);

    f.WindowItem_Click(2); // Cascade cascades
    const QPoint a = f.MonthCalendar(3)->MDISubWindow()->pos(), b = f.MonthCalendar(4)->MDISubWindow()->pos();
    EXPECT_LT(a.x(), b.x());
    EXPECT_LT(a.y(), b.y());

    f.WindowItem_Click(4); // Maximise All maximises the frame too
    EXPECT_EQ(f.WindowState(), platform::vbMaximized);
    EXPECT_EQ(f.MonthCalendar(4)->WindowState(), platform::vbMaximized);
    EXPECT_EQ(VisibleMonths(), (std::vector<int>{3, 4}));
    f.SetWindowState(platform::vbNormal);

    f.WindowItem_Click(8); // Close All
    RunDeferredDeletes();
    EXPECT_TRUE(f.Children().empty());
    EXPECT_TRUE(f.picMain->isVisible());
    EXPECT_TRUE(f.IsLoaded());
    f.WindowItem_Click(5);
    f.DoToolbarButton(4);
    EXPECT_TRUE(VisibleMonths().empty());
}

TEST_F(CentralFrame, RestoreAllGivesEveryMonthWindowThePlacementOfTheSharedTable)
{
    const QSizeF screen = mduUILib::ScreenSizeTwips();
    const struct {
        const char* what;
        const char* values; // width, height, top, left
        float width, height;
        float top, left; // -1: centred in the window area
    } cases[] = {
        {"as stored", "6000,4000,500,700", 6000, 4000, 500, 700},
        {"size stored, place automatic", "9000,6000,-1,-1", 9000, 6000, -1, -1},
        {"all automatic", "-1,-1,-1,-1", static_cast<float>(screen.width() / 4),
         static_cast<float>(screen.height() / 4), -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestFrame& f = Start();
        f.show();
        f.DoToolbarButton(4);
        LoadMonths();
        f.SetWindowState(platform::vbMaximized);
        QCoreApplication::processEvents();
        const QStringList v = QString::fromLatin1(c.values).split(u',');
        mduLib::SetProp("Window Width", v[0], gPropertyTable);
        mduLib::SetProp("Window Height", v[1], gPropertyTable);
        mduLib::SetProp("Window Top", v[2], gPropertyTable);
        mduLib::SetProp("Window Left", v[3], gPropertyTable);
        f.WindowItem_Click(5);
        QCoreApplication::processEvents();
        for (int i = 1; i <= 12; ++i) {
            SCOPED_TRACE(i);
            const frmAlmanorvique* cal = f.MonthCalendar(i);
            EXPECT_NEAR(cal->Width(), c.width, 1);
            EXPECT_NEAR(cal->Height(), c.height, 1);
            EXPECT_NEAR(cal->Top(), c.top == -1 ? (f.ClientHeight() - c.height) / 2 : c.top, 15);
            EXPECT_NEAR(cal->Left(), c.left == -1 ? (f.ClientWidth() - c.width) / 2 : c.left, 15);
        }
        frame_.reset();
        RunDeferredDeletes();
    }
}

TEST_F(CentralFrame, AMonthWindowGoesBackIntoItsCellOnFocusLossOnlyWhenItHasOne)
{
    for (bool laidOut : {false, true}) {
        SCOPED_TRACE(laidOut ? "laid out" : "never laid out");
        TestFrame& f = Start();
        f.show();
        if (laidOut)
            f.DoToolbarButton(4);
        LoadMonths();
        f.WindowItem_Click(5); // Restore All: the frame's 16800 x 11400
        auto* dec = static_cast<TestCalendar*>(f.MonthCalendar(12));
        for (int i : {3, 12}) {
            auto* cal = static_cast<TestCalendar*>(f.MonthCalendar(i));
            cal->Timer1.Fire(); // the re-layout after the placement, then running again
            cal->Timer1.Fire();
            ASSERT_EQ(cal->FormState(), frmAlmanorvique::kRunning);
        }
        const auto rectOf = [](const frmAlmanorvique* w) {
            return QRectF(w->Left(), w->Top(), w->Width(), w->Height());
        };
        const QRectF restored = rectOf(dec);
        frmAlmanorvique* march = f.MonthCalendar(3);
        const QRectF marchBefore = rectOf(march);
        march->SetFocus(); // another month window takes the focus
        if (laidOut) {
            EXPECT_EQ(rectOf(dec), QRectF(dec->ChildLeft(), dec->ChildTop(), dec->ChildWidth(), dec->ChildHeight()));
            EXPECT_EQ(march->Width(), march->ChildWidth()); // automatic: exactly its cell
        } else {
            EXPECT_EQ(rectOf(dec), restored); // no cell to go back to
            EXPECT_EQ(rectOf(march), marchBefore);
        }
        frame_.reset();
        RunDeferredDeletes();
    }
}

TEST_F(CentralFrame, TheOpenedFormsListKeepsItsFileAndTheMostRecentFirst)
{
    QStringList lines;
    for (int i = 1; i <= 40; ++i)
        lines << (i == 3 ? QString() : QString("Cal%1=").arg(i));
    QDir().mkpath(User());
    WriteBytes(User("OpenedForms.txt"), (lines.join("\r\n") + "\r\n").toLatin1());
    TestFrame& f = Start(false);
    EXPECT_EQ(f.OpenedList().UBound(), 40);
    // 14 names of the first 15 lines, then "All".
    EXPECT_EQ(f.WindowMenuArea().LastOpenedMenu->actions().size(), 15);
    EXPECT_EQ(f.WindowMenuArea().LastOpenedMenu->actions().last()->text(), "All");

    f.AddLastOpened("Almanorvique Central Cal5");
    EXPECT_EQ(f.OpenedList()[1].Key, "Cal5");
    EXPECT_EQ(f.OpenedList()[2].Key, "Cal1");
    EXPECT_EQ(f.OpenedList()[6].Key, "Cal6");
    f.SaveOpenedForms();
    const QByteArray saved = ReadBytes(User("OpenedForms.txt"));
    EXPECT_TRUE(saved.startsWith("Cal5=\r\nCal1=\r\nCal2=\r\n"));
    EXPECT_TRUE(saved.contains("Cal40="));
    EXPECT_EQ(TestFrame::StripCentralCaption("Almanorvique Central "), "Almanorvique Central ");
}

TEST_F(CentralFrame, ToolbarSizesAndSides)
{
    TestFrame& f = Start(false);
    const struct {
        const char* name;
        int thickness, picture;
        bool captions;
    } sizes[] = {{"Small Size", 480, 24, false}, {"Small Size with Caption", 830, 24, true},
                 {"Large Size", 850, 48, false}, {"Large Size with Caption", 1470, 48, true},
                 {"Large", 850, 24, false},      {"large size", 480, 24, false},
                 {"0", 480, 24, false}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(s.name);
        f.SetToolbarSize(s.name);
        EXPECT_EQ(f.Toolbar().Tag, s.name);
        EXPECT_EQ(f.GetToolbarThickness(), s.thickness);
        EXPECT_EQ(f.Toolbar().ImageSize(), s.picture);
        EXPECT_EQ(f.Toolbar().Button(1).Caption, s.captions ? "2 Months" : "");
        EXPECT_EQ(f.Toolbar().Button(9).Caption, s.captions ? "Exit" : "");
    }
    EXPECT_EQ(f.Toolbar().Button(8).Key, "\"9,8\"");
    EXPECT_EQ(f.Toolbar().Button(8).ToolTipText, "Almanorvique Central Help\r\nAlmanorvique Help");

    const struct {
        const char* position;
        int align;
        bool visible, autoHide;
    } sides[] = {{"Left", platform::vbAlignLeft, true, false},          {"Top", platform::vbAlignTop, true, false},
                 {"Hide:Bottom", platform::vbAlignBottom, false, true}, {"Right", platform::vbAlignRight, true, false},
                 {"Hide", platform::vbAlignRight, false, false},        {"0", platform::vbAlignRight, false, false}};
    for (const auto& s : sides) {
        SCOPED_TRACE(s.position);
        f.SetToolbarPosition(s.position);
        EXPECT_EQ(f.Toolbar().Align(), s.align);
        EXPECT_EQ(f.Toolbar().Visible(), s.visible);
        EXPECT_EQ(f.AutoHideArmed(), s.autoHide);
    }
    f.SetToolbarPosition("Left");
    f.SetToolbarSize("Large Size");
    f.SizeToolbar("Left");
    EXPECT_EQ(f.Toolbar().Widget().minimumWidth(), platform::TwipsToPixelsX(850));
}

TEST_F(CentralFrame, DockedAtASideTheToolbarIsAsThickAsItsSizeSaysUnlessACaptionWouldBeCut)
{
    WriteBytes(Path("ini/AlmanorviqueCentral.ini"), "Window Width=16800\r\nWindow Height=11400\r\nTool Bar=Left\r\n"
                                                    "Toolbar Size=Large Size with Caption\r\n");
    TestFrame& f = Start();
    f.show();
    QToolBar& bar = f.Toolbar().Widget();
    const int thickness = platform::TwipsToPixelsX(1470);
    // From captions well inside the thickness to captions wider than it.
    for (int pixels = 6; pixels <= 24; pixels += 2) {
        SCOPED_TRACE(pixels);
        QFont font = bar.font();
        font.setPixelSize(pixels);
        bar.setFont(font);
        f.SizeToolbar("Left");
        QCoreApplication::processEvents();
        int widest = 0;
        for (int n = 1; n <= 9; ++n) {
            if (n == 7)
                continue;
            const QWidget* button = bar.widgetForAction(f.Toolbar().ButtonAction(n));
            const int caption = button->fontMetrics().horizontalAdvance(f.Toolbar().Button(n).Caption);
            widest = std::max(widest, caption);
            EXPECT_GE(button->width(), caption + 4) << n; // shown whole
        }
        if (widest + 16 <= thickness)
            EXPECT_EQ(bar.width(), thickness);
        else
            EXPECT_LE(bar.width(), std::max(thickness, widest + 16)); // no wider than the captions need
    }
}

// The size menu sizes for the docking the settings name; a toolbar docked at a side from
// the menu meanwhile keeps its thickness there rather than growing to Qt's own.
TEST_F(CentralFrame, ASizeChosenWhileDockedAtASideKeepsTheThicknessThere)
{
    WriteBytes(Path("ini/AlmanorviqueCentral.ini"), "Window Width=16800\r\nWindow Height=11400\r\nTool Bar=Top\r\n"
                                                    "Toolbar Size=Large Size with Caption\r\n");
    TestFrame& f = Start();
    f.show();
    QToolBar& bar = f.Toolbar().Widget();
    f.ToolBarPositions_Click(3); // "Left"
    QCoreApplication::processEvents();
    ASSERT_EQ(f.Toolbar().Align(), platform::vbAlignLeft);
    const int docked = bar.width();
    f.ToolBarSize_Click(4); // "Large Size with Caption" again
    QCoreApplication::processEvents();
    EXPECT_EQ(bar.width(), docked);
    EXPECT_EQ(mduLib::GetProp("Tool Bar", f.CentralSettings()), "Top"); // nothing saved
}

TEST_F(CentralFrame, HideColonSideShowsTheToolbarAtThatSideAfterTheFirstTick)
{
    WriteBytes(Path("ini/AlmanorviqueCentral.ini"), "Tool Bar=Hide:Bottom\r\nToolbar Size=Small Size\r\n");
    TestFrame& f = Start(false);
    EXPECT_FALSE(f.Toolbar().Visible());
    EXPECT_TRUE(f.AutoHideArmed());
    f.timerCtrl.Fire();
    EXPECT_TRUE(f.Toolbar().Visible());
    EXPECT_EQ(f.Toolbar().Align(), platform::vbAlignBottom);
}

TEST_F(CentralFrame, AClickThatEndsADragRunsNoCommand)
{
    TestFrame& f = Start();
    f.Toolbar().MouseIcon = 7;
    f.tbToolBar_ButtonClick(1);
    EXPECT_EQ(f.Tag, "12");
    EXPECT_EQ(f.Toolbar().MouseIcon, 4);
    f.Toolbar().ButtonAction(1)->trigger();
    EXPECT_EQ(f.Tag, "2");
}

TEST_F(CentralFrame, TheMainPopupSwitchesAutostartAndTheScreenSaver)
{
    TestFrame& f = Start();
    f.UpdateAutoStartCaption();
    EXPECT_EQ(f.MenusArea().AutoStart->text(), "Enable Auto Start");
    f.AutoStart_Click();
    EXPECT_TRUE(mduAPILib::IsAutoStartSet());
    f.UpdateAutoStartCaption();
    EXPECT_EQ(f.MenusArea().AutoStart->text(), "Disable Auto Start");
    f.AutoStart_Click();
    EXPECT_FALSE(mduAPILib::IsAutoStartSet());

    f.ShowMainMenu();
    EXPECT_EQ(Shown(*f.MenusArea().ScreenSaverTimeMain.Menu()).size(), 12);
    EXPECT_EQ(f.MenusArea().ScreenSaverTimeMain(6).Caption(), "90");
    f.ScreenSaverTimeMain_Click(6);
    EXPECT_EQ(mduAPILib::GetScreenSaver(), f.AppEXEName());
    EXPECT_EQ(platform::registry::ReadValue("Control Panel\\Desktop", "ScreenSaveTimeOut")->text, "90");
    f.ShowMainMenu();
    EXPECT_EQ(Shown(*f.MenusArea().ScreenSaverTimeMain.Menu()), QStringList{"Disabled"});
    f.ScreenSaverTimeMain_Click(1);
    EXPECT_EQ(mduAPILib::GetScreenSaver(), "");
    EXPECT_EQ(Shown(f.MainPopup()), (QStringList{"Disable Auto Start", "Set Screen Saver", "-", "Exit", "-", "Help",
                                                 "About", "-", "Save Current Settings"})
                                        .replaceInStrings("Disable", "Enable"));
}

TEST_F(CentralFrame, RightClicksOpenTheMainPopupOnTheBannerAndTheWindowMenuBeside)
{
    TestFrame& f = Start();
    QTest::mouseClick(f.picMain, Qt::RightButton, {}, QPoint(50, 50));
    ASSERT_EQ(menus_.Offered().size(), 1u);
    EXPECT_TRUE(menus_.Offered()[0].contains("About"));
    EXPECT_TRUE(menus_.Offered()[0].contains("Set Screen Saver/150"));
    f.ShowBanner(false);
    QTest::mouseClick(f.ClientArea().viewport(), Qt::RightButton, {},
                      QPoint(f.ClientArea().viewport()->width() - 2, 300));
    ASSERT_EQ(menus_.Offered().size(), 2u);
    EXPECT_TRUE(menus_.Offered()[1].contains("Arrang Icons"));
    QTest::mouseClick(&f.Toolbar().Widget(), Qt::RightButton, {}, QPoint(f.Toolbar().Widget().width() - 2, 5));
    ASSERT_EQ(menus_.Offered().size(), 3u);
    EXPECT_TRUE(menus_.Offered()[2].contains("Tool Bar Position/Left"));
    EXPECT_FALSE(menus_.Offered()[2].contains("Customize Toolbar"));
}

TEST_F(CentralFrame, TwoMonthWindowsOfOneYearThatEachChangeACaptionBothKeepIt)
{
    TestFrame& f = Start();
    LoadMonths();
    frmAlmanorvique* march = f.MonthCalendar(3);
    frmAlmanorvique* may = f.MonthCalendar(5);
    EXPECT_EQ(&march->YearDates(), &may->YearDates());
    EXPECT_EQ(&march->NextYearDates(), &f.MonthCalendar(12)->NextYearDates());
    mduLib::SetProp("15/03", "Alpha", march->YearDates(), "Caption");
    mduLib::SetProp("20/05", "Beta", may->YearDates(), "Caption");
    march->YearDates().MarkChanged();
    EXPECT_EQ(mduLib::GetValue("15/03", may->YearDates(), "Caption"), "Alpha");
    f.Unload(platform::vbFormControlMenu);
    mduLib::PropertyTable saved(1);
    mduLib::LoadIniFile(Country("2026"), saved);
    EXPECT_EQ(mduLib::GetValue("15/03", saved, "Caption"), "Alpha");
    EXPECT_EQ(mduLib::GetValue("20/05", saved, "Caption"), "Beta");
}

TEST_F(CentralFrame, MovingAllMonthsAcrossTheYearEndKeepsTheNotesOfTheYearLeftBehind)
{
    TestFrame& f = Start();
    LoadMonths();
    frmAlmanorvique* december = f.MonthCalendar(12);
    mduLib::SetProp("24/12", "Presents", december->YearDates(), "Activity");
    december->YearDates().MarkChanged();
    f.DoToolbarButton(6); // a month forward: December's window shows January 2027
    EXPECT_EQ(december->DisplayedDate().year(), 2027);
    EXPECT_EQ(mduLib::GetValue("24/12", december->PrevYearDates(), "Activity"), "Presents");
    EXPECT_EQ(mduLib::GetValue("24/12", f.MonthCalendar(6)->YearDates(), "Activity"), "Presents");
    f.DoToolbarButton(5);
    f.DoToolbarButton(5);
    f.Unload(platform::vbFormControlMenu);
    mduLib::PropertyTable saved(1);
    mduLib::LoadIniFile(Country("2026"), saved);
    EXPECT_EQ(mduLib::GetValue("24/12", saved, "Activity"), "Presents");
}

TEST_F(CentralFrame, ACustomBackgroundAsksForTheColourBeforeTheTimerRuns)
{
    WriteBytes(Path("ini/AlmanorviqueCentral.ini"), "Window Background Colour=Custom\r\n");
    bool timerRanDuringTheDialog = true;
    platform::CommonDialog::SetRunner([&](platform::CommonDialog::Kind kind, platform::CommonDialog& d) {
        EXPECT_EQ(kind, platform::CommonDialog::Kind::Color);
        timerRanDuringTheDialog = frame_->timerCtrl.Enabled();
        d.Color = 0x00FF00;
        return true;
    });
    TestFrame& f = Start(false);
    platform::CommonDialog::SetRunner(nullptr);
    EXPECT_FALSE(timerRanDuringTheDialog);
    EXPECT_EQ(f.BackColor(), 0x00FF00);
    EXPECT_EQ(mduLib::GetProp("Window Background Colour", f.CentralSettings()), QString::number(0x00FF00));

    // Cancelling keeps the colour as it was.
    platform::CommonDialog::SetRunner([](platform::CommonDialog::Kind, platform::CommonDialog&) { return false; });
    QString custom = "Custom";
    f.SetWindowBackground(custom);
    platform::CommonDialog::SetRunner(nullptr);
    EXPECT_EQ(f.BackColor(), 0x00FF00);
}

TEST_F(CentralFrame, TheSizeMenuSizesTheToolbarForTheStoredSide)
{
    TestFrame& f = Start();      // "Tool Bar=Top" is stored
    f.ToolBarPositions_Click(3); // "Left", not saved
    EXPECT_EQ(f.Toolbar().Align(), platform::vbAlignLeft);
    const int asked = platform::TwipsToPixelsX(static_cast<float>(f.GetToolbarThickness()));
    const int docked = f.Toolbar().Widget().minimumWidth();
    f.ToolBarSize_Click(3); // "Large Size"
    EXPECT_EQ(f.Toolbar().Tag, "Large Size");
    EXPECT_EQ(f.Toolbar().Widget().minimumHeight(), platform::TwipsToPixelsY(850));
    // The thickness the left docking asked for stays, fitted to the new buttons: not the
    // width Qt's own buttons would take.
    const QToolBar& bar = f.Toolbar().Widget();
    EXPECT_EQ(bar.minimumWidth(), bar.maximumWidth());
    EXPECT_GE(bar.minimumWidth(), asked);
    EXPECT_LE(bar.minimumWidth(), std::max(asked, docked));
    EXPECT_FALSE(f.ToolbarArea().ToolBarSize[2]->isVisible()); // "Small Size with Caption" is offered by the file only
}

TEST_F(CentralFrame, AChildWindowThatRefusesToCloseKeepsTheFrameOpen)
{
    TestFrame& f = Start();
    LoadMonths();
    // A window that keeps itself open (a dialog whose save failed and the user kept it).
    struct Refusing : platform::Form {
        Refusing() : Form("Refusing") {}
        void Form_QueryUnload(int& cancel, int) override { cancel = 1; }
    };
    auto* child = new Refusing;
    f.AddChild(*child);
    child->Show();
    EXPECT_FALSE(f.Unload(platform::vbFormControlMenu));
    EXPECT_EQ(ended_, 0);
    EXPECT_TRUE(f.IsLoaded());
    EXPECT_FALSE(QFileInfo::exists(User("OpenedForms.txt")));
}

TEST_F(CentralFrame, CascadeKeepsEachMonthWindowsSizeAndStepsDownAndRight)
{
    TestFrame& f = Start();
    f.DoToolbarButton(3); // January to June in April
    std::vector<QSize> before;
    for (int i = 1; i <= 6; ++i)
        before.push_back(f.MonthCalendar(i)->MDISubWindow()->size());
    f.WindowItem_Click(2);
    QPoint last(-1, -1);
    for (int i = 1; i <= 6; ++i) {
        SCOPED_TRACE(i);
        const QMdiSubWindow* sub = f.MonthCalendar(i)->MDISubWindow();
        EXPECT_EQ(sub->size(), before[static_cast<size_t>(i - 1)]); // not a bare title bar
        EXPECT_GT(sub->pos().x(), last.x());
        EXPECT_GT(sub->pos().y(), last.y());
        last = sub->pos();
    }
    EXPECT_EQ(f.MonthCalendar(1)->MDISubWindow()->pos(), QPoint(0, 0));
}

TEST_F(CentralFrame, AfterMaximiseAllTheLayoutButtonsPlaceNormalMonthWindows)
{
    TestFrame& f = Start();
    f.DoToolbarButton(2); // February to May
    f.WindowItem_Click(4);
    ASSERT_EQ(f.MonthCalendar(5)->WindowState(), platform::vbMaximized);
    f.SetWindowState(platform::vbNormal); // the frame restored
    for (int button : {2, 1, 4}) {
        f.DoToolbarButton(button);
        for (int i : VisibleMonths()) {
            SCOPED_TRACE(testing::Message() << "button " << button << " month " << i);
            frmAlmanorvique* cal = f.MonthCalendar(i);
            EXPECT_EQ(cal->WindowState(), platform::vbNormal);
            EXPECT_FALSE(cal->MDISubWindow()->isMaximized());
            EXPECT_EQ(cal->MDISubWindow()->width(), platform::TwipsToPixelsX(cal->ChildWidth()));
        }
    }
    EXPECT_EQ(VisibleMonths().size(), 12u);
}

TEST_F(CentralFrame, TheWindowPopupKeepsItsSeparatorBeforeExitEveryTime)
{
    TestFrame& f = Start();
    const QStringList tail{"Close All", "-", "Exit"};
    for (int popup = 1; popup <= 3; ++popup) {
        SCOPED_TRACE(popup);
        f.ShowWindowMenu();
        EXPECT_EQ(Shown(f.WindowMenu()).mid(7), tail);
    }
    // A hidden item keeps its own enabled state, and a disabled one stays disabled.
    platform::MenuItemArray items(QStringLiteral("Items"));
    platform::MenuItem& item = items.Create(1);
    item.SetVisible(false);
    EXPECT_TRUE(item.Enabled());
    item.SetEnabled(false);
    item.SetVisible(true);
    EXPECT_FALSE(item.Enabled());
}

TEST_F(CentralFrame, CloseAllBringsBackTheWholeBannerAfterADoubleClickHidIt)
{
    TestFrame& f = Start();
    f.picMain->imgMain.Events.DblClick(); // month windows exist: the banner goes
    ASSERT_FALSE(f.picMain->isVisible());
    ASSERT_FALSE(f.picMain->lblMaker.Visible());
    f.CloseAll();
    RunDeferredDeletes();
    EXPECT_TRUE(f.picMain->isVisible());
    EXPECT_TRUE(f.picMain->lblMaker.Visible());
    EXPECT_TRUE(f.picMain->lblVersionLocation.Visible());
    for (int i = 1; i <= f.picMain->lblHeaderChar.UBound(); ++i)
        EXPECT_TRUE(f.picMain->lblHeaderChar(i).Visible()) << i;
}

TEST_F(CentralFrame, AMaximisedStartLaysTheBannerOutAtItsRealWidth)
{
    WriteBytes(Path("ini/AlmanorviqueCentral.ini"), "Window State=Maximized\r\nHeading Variation=None\r\n");
    TestFrame& f = Start(false);
    QCoreApplication::processEvents();
    ASSERT_EQ(f.WindowState(), platform::vbMaximized);
    const QSizeF screen = mduUILib::ScreenSizeTwips();
    ASSERT_GT(f.Width(), screen.width() / 2);
    const BannerBox& box = *f.picMain;
    EXPECT_NEAR(box.lblMaker.Left() + box.lblMaker.Width() / 2, f.Width() / 2, 1);
    EXPECT_DOUBLE_EQ(box.lblHeaderChar(1).Font().Size, std::min(f.Width() / 400.0, 200.0));
}

TEST_F(CentralFrame, SaveCurrentSettingsStoresTheToolbarSizeAndThePlacementReadsEachKey)
{
    WriteBytes(Path("ini/AlmanorviqueCentral.ini"), "Window Width=6000\r\nWindow Height=4500\r\nWindow Top=1000\r\n"
                                                    "Window Left=2000\r\nToolbar Size=Small Size\r\n");
    TestFrame& f = Start();
    EXPECT_FLOAT_EQ(f.Top(), 1000);
    EXPECT_FLOAT_EQ(f.Left(), 2000);
    f.ToolBarSize_Click(4); // "Large Size with Caption"
    f.DoMenuItem(9, 8);
    mduLib::PropertyTable saved(1);
    mduLib::LoadIniFile(User("AlmanorviqueCentral.ini"), saved);
    EXPECT_EQ(mduLib::GetProp("Toolbar Size", saved), "Large Size with Caption");
    EXPECT_EQ(mduLib::GetProp("Window Left", saved), "2000");
    EXPECT_EQ(mduLib::GetProp("Window Top", saved), "1000");
}

TEST_F(CentralFrame, TheCentralPropertiesOpenInThePropertyEditorWithTheFrameAsCaller)
{
    TestFrame& f = Start();
    frmProperties& editor = frmProperties::Default();

    // The frame's own settings: "Apply" hands the edited table back to the frame.
    f.ShowCentralProperties(false);
    ASSERT_NE(editor.Window(), nullptr);
    EntryTableWindow& w = *editor.Window();
    EXPECT_EQ(w.Caption(), "Properties - Property Almanorvique Central");
    ASSERT_NE(w.MDISubWindow(), nullptr);
    EXPECT_EQ(w.MDISubWindow()->mdiArea(), &f.ClientArea());
    EXPECT_EQ(gIniFile, gCentralIniFile);
    EXPECT_EQ(editor.ActionButton().Caption(), "Apply");
    EXPECT_TRUE(editor.ActionButton().Enabled());
    EXPECT_FALSE(f.picMain->isVisible());
    mduLib::SetProp("Heading Variation", "Up Down", gPropertyTable);
    mduLib::SetProp("Tool Bar", "Bottom", gPropertyTable);
    editor.cmdButton_Click(0);
    EXPECT_EQ(mduLib::GetProp("Heading Variation", f.CentralSettings()), "Up Down");
    EXPECT_EQ(f.Toolbar().Align(), platform::vbAlignBottom); // and applied
    EXPECT_EQ(editor.ActionButton().Caption(), "Save");
    editor.Changed = 0;
    editor.Unload();
    RunDeferredDeletes();

    // A new file: the table of the last settings file, to be looked at only.
    gIniFile = Country("4.ini");
    LoadMonths();
    f.ShowCentralProperties(true);
    ASSERT_NE(editor.Window(), nullptr);
    EXPECT_EQ(editor.Window()->Caption(), "Properties -  _");
    EXPECT_NE(editor.Window()->MDISubWindow(), nullptr);
    EXPECT_EQ(editor.ActionButton().Caption(), "Save");
    EXPECT_FALSE(editor.ActionButton().Enabled());
    EXPECT_EQ(editor.NewFileMode, -1);
    mduLib::PropertyTable april(1);
    mduLib::LoadIniFile(Country("4.ini"), april);
    EXPECT_EQ(gPropertyTable.UBound(), april.UBound());
    EXPECT_EQ(gPropertyTable[1].Key, april[1].Key);
    // F5 finds the frame's template.
    EXPECT_EQ(static_cast<CalendarCaller&>(f).DefaultIniFile(), Path("ini/AlmanorviqueCentral.ini"));
    editor.Unload();
    RunDeferredDeletes();
}

TEST_F(CentralFrame, AScreenSaverRunIsAFramelessTopmostMaximisedFrameWithTheToolbarBackAfterTheFirstTick)
{
    appinfo::SetCommandLine("/s");
    WriteBytes(Path("ini/AlmanorviqueCentral.ini"),
               "Window Title Bar=Yes\r\nWindow Border=3D Border\r\nTool Bar=Bottom\r\n");
    TestFrame& f = Start(false);
    const Qt::WindowFlags flags = f.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowTitleHint));
    EXPECT_EQ(f.WindowState(), platform::vbMaximized);
    EXPECT_FALSE(f.Toolbar().Visible());
    EXPECT_FALSE(f.StatusBar().isVisible());
    f.timerCtrl.Fire();
    EXPECT_TRUE(f.Toolbar().Visible());
    EXPECT_EQ(f.Toolbar().Align(), platform::vbAlignBottom);
    EXPECT_FALSE(f.StatusBar().isVisible());
}
