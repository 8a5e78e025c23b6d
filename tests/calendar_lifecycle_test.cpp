#include "core/app_identity.h"
#include "core/data_folders.h"
#include "core/program_path.h"
#include "core/settings_store.h"
#include "core/window_placement.h"
#include "support/test_folders.h"
#include "support/utf16_bytes.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "system/program_end.h"
#include "tests/support/test_calendar.h"

#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace mduAlmanorvqueLib;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

namespace {
void MovePointer(QWidget* w, QPoint to)
{
    QMouseEvent e(QEvent::MouseMove, QPointF(to), QPointF(w->mapToGlobal(to)), Qt::NoButton, Qt::NoButton,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

using testsupport::TestCalendar;
} // namespace

class CalendarLifecycle : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        CopyShippedData({"ini"});
        SetupDataFolders();
        platform::ResetProgramEnded();
        platform::SetEndProgramHandler([this] { ++ended_; });
    }
    void TearDown() override
    {
        platform::SetEndProgramHandler(nullptr);
        platform::ResetProgramEnded();
        ProgramFolderTest::TearDown();
    }
    QString Country(const QString& f = {}) const { return Path("tester/United Kingdom/" + f); }
    // A window shown on a fixed date, not yet through its first tick.
    std::unique_ptr<TestCalendar> Open(int style = 0, QDate start = QDate(2026, 3, 15))
    {
        auto w = std::make_unique<TestCalendar>();
        w->ShowMe(style, start);
        return w;
    }

    platform::FixedClock clock_{QDateTime(QDate(2026, 3, 15), QTime(10, 0))};
    platform::ScriptedMessageBox boxes_;
    int ended_ = 0;
};

TEST_F(CalendarLifecycle, AFirstStartCopiesTheTemplateAndLoadsIt)
{
    auto w = Open();
    EXPECT_TRUE(QFileInfo(Country()).isDir());
    EXPECT_EQ(gRegion, "United Kingdom");
    EXPECT_EQ(gIniFile, Country("Almanorvique.ini"));
    EXPECT_EQ(ReadBytes(gIniFile), ReadBytes(Path("ini/Almanorvique.ini")));
    EXPECT_EQ(mduLib::GetProp("Orientation", w->Properties()), "Portrait Top");
    EXPECT_EQ(w->Tag, "0");
    EXPECT_EQ(w->DisplayedDate(), QDate(2026, 3, 15));
    EXPECT_EQ(w->lblYear.Caption(), "2026");
    EXPECT_FALSE(w->IsShown()) << "a window of its own is shown by the full load";
    EXPECT_EQ(w->FormState(), frmAlmanorvique::kFullLoad);
    EXPECT_EQ(w->Timer1.Interval(), 1);
    EXPECT_EQ(w->IniFilePath(), ""); // only a child window keeps its own path
}

TEST_F(CalendarLifecycle, AnExistingSettingsFileIsKeptUnlessTheTemplateIsNewer)
{
    const struct {
        qint64 templateAge, fileAge; // seconds from now
        bool keepUserFile;
    } cases[] = {{-3600, -60, true}, {-60, -60, true}};
    for (const auto& c : cases) {
        WriteBytes(Country("Almanorvique.ini"), "Orientation=Center,Center\r\nMine=1\r\n");
        testsupport::SetFileAge(Path("ini/Almanorvique.ini"), c.templateAge);
        testsupport::SetFileAge(Country("Almanorvique.ini"), c.fileAge);
        auto w = Open();
        EXPECT_EQ(mduLib::GetProp("Orientation", w->Properties()), "Center");
        EXPECT_EQ(ReadBytes(Country("Almanorvique.ini")), QByteArray("Orientation=Center,Center\r\nMine=1\r\n"));
        w->Unload();
    }
}

TEST_F(CalendarLifecycle, WithoutTemplateAndFileTheSettingsStayEmpty)
{
    QFile::remove(Path("ini/Almanorvique.ini"));
    auto w = Open();
    EXPECT_FALSE(QFileInfo::exists(Country("Almanorvique.ini")));
    EXPECT_EQ(mduLib::GetProp("Orientation", w->Properties()), "0");
    EXPECT_EQ(w->Properties().UBound(), 5);

    // A missing template beside an existing file leaves the file as it is.
    WriteBytes(Country("Almanorvique.ini"), "Orientation=Center\r\n");
    auto v = Open();
    EXPECT_EQ(mduLib::GetProp("Orientation", v->Properties()), "Center");
}

TEST_F(CalendarLifecycle, TheTimerRunsTheFullLoadOnceThenRunning)
{
    WriteBytes(Path("tester/PersonalDates"), "Caption:01/04=Fool\r\n");
    auto w = Open();
    EXPECT_EQ(mduLib::GetValue("01/04", gPersonalDates, "Caption"), ""); // not before the first tick
    w->Timer1.Fire();
    EXPECT_EQ(w->FormState(), frmAlmanorvique::kRunning);
    EXPECT_EQ(w->Timer1.Interval(), 100);
    EXPECT_EQ(mduLib::GetValue("01/04", gPersonalDates, "Caption"), "Fool");
    EXPECT_TRUE(gPersonalDatesLoaded);
    EXPECT_EQ(mduLib::GetStoredProgramPath(), ProgramFolder());
    w->Timer1.Fire(); // running ticks leave the state alone
    EXPECT_EQ(w->FormState(), frmAlmanorvique::kRunning);
    EXPECT_EQ(w->Timer1.Interval(), 100);
}

namespace {
// What the window was like each time it was shown, and how often it was hidden after.
struct ShowWatch : QObject {
    std::vector<std::pair<Qt::WindowFlags, Qt::WindowStates>> shows;
    int hidesAfter = 0;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        auto* w = static_cast<QWidget*>(o);
        if (e->type() == QEvent::Show)
            shows.emplace_back(w->windowFlags(), w->windowState());
        else if (e->type() == QEvent::Hide && !shows.empty())
            ++hidesAfter;
        return false;
    }
};
} // namespace

TEST_F(CalendarLifecycle, TheWindowIsFirstShownWithTheFrameAndStateOfItsSettings)
{
    // Frame settings make the native window again: a window shown before them would be
    // hidden and shown again (faster than a desktop answers) and first flash framed.
    const struct {
        const char* settings;
        bool frameless, onTop;
        Qt::WindowState state;
    } cases[] = {
        {"Window States=Maximized\r\n", false, true, Qt::WindowMaximized},
        {"Window Title Bar=No\r\n", true, false, Qt::WindowNoState},
        {"Window Title Bar=No\r\nWindow States=Maximized\r\n", true, true, Qt::WindowMaximized},
    };
    for (const auto& c : cases) {
        WriteBytes(Country("Almanorvique.ini"), c.settings);
        auto w = Open();
        ShowWatch watch;
        w->installEventFilter(&watch);
        EXPECT_FALSE(w->IsShown()) << c.settings;
        w->Timer1.Fire();
        QTest::qWait(20);
        ASSERT_EQ(watch.shows.size(), 1u) << c.settings;
        EXPECT_EQ(watch.hidesAfter, 0) << c.settings;
        const auto [flags, state] = watch.shows.front();
        EXPECT_EQ(!flags.testFlag(Qt::WindowTitleHint), c.frameless) << c.settings;
        EXPECT_EQ(flags.testFlag(Qt::WindowStaysOnTopHint), c.onTop) << c.settings;
        EXPECT_EQ(state, c.state) << c.settings;
        EXPECT_EQ(w->windowFlags(), flags) << c.settings;
        w->removeEventFilter(&watch);
    }
}

TEST_F(CalendarLifecycle, TheStayTimeClosesAWindowStartedWithACommandLine)
{
    const struct {
        const char* commandLine;
        qint64 after;
        bool closes;
    } cases[] = {{"Almanorvique", 60, false}, {"Almanorvique", 61, true}, {"", 3600, false}};
    for (const auto& c : cases) {
        ended_ = 0;
        appinfo::SetCommandLine(c.commandLine);
        auto w = Open();
        w->Timer1.Fire();
        mduLib::SetValue("Stay Time", "60,0,30,60,300", w->Properties());
        clock_.AdvanceSeconds(c.after);
        w->Timer1.Fire();
        EXPECT_EQ(ended_, c.closes ? 1 : 0) << c.commandLine << " " << c.after;
        EXPECT_EQ(w->IsLoaded(), !c.closes);
        clock_.AdvanceSeconds(-c.after);
    }
    appinfo::SetCommandLine(QString());
}

TEST_F(CalendarLifecycle, ABurstOfResizesGivesOneReLayout)
{
    auto w = Open();
    w->Timer1.Fire();
    ASSERT_EQ(w->FormState(), frmAlmanorvique::kRunning);
    w->SetWidth(w->Width() + 300);
    EXPECT_EQ(w->FormState(), frmAlmanorvique::kResizeSettle);
    EXPECT_EQ(w->Timer1.Interval(), 300);
    w->SetWidth(w->Width() + 300); // no new delay within the burst
    w->SetHeight(w->Height() + 300);
    EXPECT_EQ(w->FormState(), frmAlmanorvique::kResizeSettle);
    w->Timer1.Fire(); // the re-layout
    EXPECT_EQ(w->FormState(), frmAlmanorvique::kLaidOut);
    EXPECT_EQ(w->Timer1.Interval(), 100);
    w->Timer1.Fire();
    EXPECT_EQ(w->FormState(), frmAlmanorvique::kRunning);
    // A resize right after the re-layout only returns to running.
    w->SetWidth(w->Width() + 300);
    EXPECT_EQ(w->FormState(), frmAlmanorvique::kResizeSettle);
    w->Timer1.Fire();
    w->SetWidth(w->Width() + 300);
    EXPECT_EQ(w->FormState(), frmAlmanorvique::kRunning);
    // Before the first tick a resize changes nothing.
    auto v = Open();
    v->SetWidth(v->Width() + 300);
    EXPECT_EQ(v->FormState(), frmAlmanorvique::kFullLoad);
    EXPECT_EQ(v->Timer1.Interval(), 1);
}

TEST_F(CalendarLifecycle, TheScreenSaverEndsOnAHorizontalMoveOfMoreThan20Twips)
{
    const struct {
        float second;
        bool ends;
    } cases[] = {{1020, false}, {980, false}, {1021, true}, {979, true}};
    for (const auto& c : cases) {
        ended_ = 0;
        platform::ResetProgramEnded();
        auto w = Open(5);
        w->Timer1.Fire();
        ASSERT_EQ(w->FormState(), frmAlmanorvique::kRunning);
        w->CheckScreenSaverExit(1000);
        w->CheckScreenSaverExit(c.second);
        EXPECT_EQ(ended_, c.ends ? 1 : 0) << c.second;
        w->Unload();
    }
}

TEST_F(CalendarLifecycle, ThePointerEndsTheScreenSaverOnlySidewaysFromImageToImage)
{
    // The picture lies at 100,50 to 300,200 (pixels) over the backdrop, which fills the window.
    const struct {
        QPoint from, to;
        bool ends;
    } cases[] = {
        {{50, 50}, {51, 50}, false},     {{50, 50}, {50, 120}, false},    {{50, 50}, {52, 50}, true},
        {{50, 50}, {48, 80}, true},      {{150, 100}, {150, 300}, false}, // down from the picture
        {{150, 300}, {150, 100}, false}, {{150, 100}, {152, 300}, true},  {{150, 100}, {151, 120}, false},
    };
    for (const auto& c : cases) {
        ended_ = 0;
        platform::ResetProgramEnded();
        auto w = Open(5);
        w->Timer1.Fire();
        QCoreApplication::processEvents(); // the maximised window's resize: one re-layout
        for (int i = 0; i < 3 && w->FormState() != frmAlmanorvique::kRunning; ++i)
            w->Timer1.Fire();
        ASSERT_EQ(w->FormState(), frmAlmanorvique::kRunning);
        platform::Image& backdrop = w->imgCalendar(2);
        backdrop.Move(0, 0, w->ScaleWidth(), w->ScaleHeight());
        backdrop.ZOrder(0);
        ASSERT_TRUE(backdrop.Visible());
        platform::Image& picture = w->imgCalendar(0);
        picture.Move(1500, 750, 3000, 2250);
        picture.SetVisible(true);
        picture.ZOrder(0);
        MovePointer(w.get(), c.from);
        MovePointer(w.get(), c.to);
        EXPECT_EQ(ended_, c.ends ? 1 : 0) << c.from.x() << "," << c.from.y() << " to " << c.to.x() << "," << c.to.y();
        w->Unload();
    }
}

TEST_F(CalendarLifecycle, TheScreenSaverExitNeedsARunningScreenSaver)
{
    auto starting = Open(5);
    starting->CheckScreenSaverExit(1000);
    starting->CheckScreenSaverExit(5000);
    QTest::keyClick(starting.get(), Qt::Key_A);
    EXPECT_EQ(ended_, 0); // still loading

    auto normal = Open(0);
    normal->Timer1.Fire();
    normal->CheckScreenSaverExit(1000);
    normal->CheckScreenSaverExit(5000);
    QTest::keyClick(normal.get(), Qt::Key_A);
    EXPECT_EQ(ended_, 0);
}

TEST_F(CalendarLifecycle, AKeyEndsTheScreenSaverAndNothingIsWritten)
{
    WriteBytes(Path("tester/PersonalDates"), "Caption:01/04=Fool\r\n");
    auto w = Open(5);
    w->Timer1.Fire();
    mduLib::SetValue("02/04", "Changed", gPersonalDates, "Caption");
    const QByteArray settings = ReadBytes(Country("Almanorvique.ini"));
    const QByteArray year = ReadBytes(Country("2026"));
    QTest::keyClick(w.get(), Qt::Key_Space);
    EXPECT_EQ(ended_, 1);
    EXPECT_EQ(w->WindowState(), platform::vbMaximized);
    w->Unload(); // the desktop closing the window afterwards
    EXPECT_EQ(ReadBytes(Path("tester/PersonalDates")), QByteArray("Caption:01/04=Fool\r\n"));
    EXPECT_EQ(ReadBytes(Country("Almanorvique.ini")), settings);
    EXPECT_EQ(ReadBytes(Country("2026")), year);
}

TEST_F(CalendarLifecycle, UnloadWritesThePersonalDatesAndTheThreeYearFiles)
{
    auto w = Open();
    w->Timer1.Fire();
    mduLib::SetValue("05/03", "Mine", gPersonalDates, "Caption");
    mduLib::SetValue("06/03", "Year entry", w->YearDates(), "Caption");
    w->CloseDown_Click();
    EXPECT_EQ(ended_, 1);
    EXPECT_FALSE(w->IsLoaded());
    EXPECT_EQ(ReadBytes(Path("tester/PersonalDates")), QByteArray("Caption:05/03=Mine\r\n"));
    EXPECT_TRUE(ReadBytes(Country("2026")).split('\n').contains("Caption:06/03=Year entry\r"));
    EXPECT_TRUE(QFileInfo::exists(Country("2025")));
    EXPECT_TRUE(QFileInfo::exists(Country("2027")));
}

TEST_F(CalendarLifecycle, AnEarlyCloseKeepsTheDateFiles)
{
    WriteBytes(Path("tester/PersonalDates"), "Caption:01/04=Fool\r\n");
    WriteBytes(Country("2026"), "PCaption:25/12=Christmas Day\r\n");
    auto w = Open();
    w->Unload(platform::vbFormControlMenu); // closed before the first tick
    EXPECT_EQ(ReadBytes(Path("tester/PersonalDates")), QByteArray("Caption:01/04=Fool\r\n"));
    EXPECT_EQ(ReadBytes(Country("2026")), QByteArray("PCaption:25/12=Christmas Day\r\n"));

    // A window created later empties the shared table again: it is not written either.
    auto first = Open();
    first->Timer1.Fire();
    auto second = std::make_unique<TestCalendar>();
    first->Unload();
    EXPECT_EQ(ReadBytes(Path("tester/PersonalDates")), QByteArray("Caption:01/04=Fool\r\n"));
}

TEST_F(CalendarLifecycle, ADateFileReadOnlyInPartIsNotWrittenBack)
{
    // More lines than a table holds: the part that was read must not replace the file.
    QByteArray big;
    for (int i = 0; i < 33000; ++i)
        big += "Activity:" + QByteArray::number(i) + "=x\r\n";
    WriteBytes(Path("tester/PersonalDates"), big);
    WriteBytes(Country("2026"), big);
    auto w = Open();
    w->Timer1.Fire();
    w->Unload();
    EXPECT_EQ(ReadBytes(Path("tester/PersonalDates")), big);
    EXPECT_EQ(ReadBytes(Country("2026")), big);
    EXPECT_TRUE(QFileInfo::exists(Country("2025"))); // the readable ones are written
}

TEST_F(CalendarLifecycle, YearEntriesThatCannotBeWrittenAreSaidAtTheClose)
{
    // A year file too long to read whole, and this run gave that year an entry: the close
    // must not drop it silently, nor cut the file.
    QByteArray big;
    for (int i = 0; i < 33000; ++i)
        big += "Activity:" + QByteArray::number(i) + "=x\r\n";
    WriteBytes(Country("2026"), big);
    auto w = Open();
    w->Timer1.Fire();
    mduLib::SetValue("5", "Changed in this run", w->YearDates(), "Activity"); // the table is full
    boxes_.QueueAnswer(platform::vbNo);
    w->CloseDown_Click();
    ASSERT_EQ(boxes_.Shown().size(), 1u) << "closed without a word";
    EXPECT_TRUE(boxes_.Shown()[0].prompt.contains(Country("2026")));
    EXPECT_TRUE(boxes_.Shown()[0].prompt.contains("could not be saved"));
    EXPECT_FALSE(w->IsLoaded()); // "No" closes anyway
    EXPECT_EQ(ReadBytes(Country("2026")), big);
}

TEST_F(CalendarLifecycle, ARunningWindowWritesTheDatesASecondAfterTheyChanged)
{
    // So that a run that ends without closing its window (the display lost) keeps them.
    auto w = Open();
    w->Timer1.Fire();
    ASSERT_EQ(w->FormState(), frmAlmanorvique::kRunning);
    mduLib::SetValue("05/03", "Mine", gPersonalDates, "Caption");
    mduLib::SetValue("06/03", "A note", w->YearDates(), "Activity");
    w->Timer1.Fire();
    clock_.AdvanceMs(900);
    w->Timer1.Fire();
    EXPECT_FALSE(ReadBytes(Path("tester/PersonalDates")).contains("Mine")) << "written at once";
    clock_.AdvanceMs(200);
    w->Timer1.Fire();
    EXPECT_EQ(ReadBytes(Path("tester/PersonalDates")), QByteArray("Caption:05/03=Mine\r\n"));
    EXPECT_TRUE(ReadBytes(Country("2026")).contains("Activity:06/03=A note\r\n"));
    EXPECT_FALSE(gPersonalDates.Changed());
    EXPECT_FALSE(w->YearDates().Changed());

    // Another program's line, written meanwhile, stays: only the changes go in.
    WriteBytes(Path("tester/PersonalDates"), "Caption:05/03=Mine\r\nCaption:01/01=Theirs\r\n");
    mduLib::SetValue("07/03", "More", gPersonalDates, "Caption");
    w->Timer1.Fire();
    clock_.AdvanceMs(1000);
    w->Timer1.Fire();
    EXPECT_EQ(ReadBytes(Path("tester/PersonalDates")),
              QByteArray("Caption:05/03=Mine\r\nCaption:01/01=Theirs\r\nCaption:07/03=More\r\n"));
    EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(CalendarLifecycle, AWriteSoonAfterAChangeThatFailsIsNotRepeatedAndTheCloseAsks)
{
    QByteArray big;
    for (int i = 0; i < 33000; ++i)
        big += "Activity:" + QByteArray::number(i) + "=x\r\n";
    WriteBytes(Country("2026"), big);
    auto w = Open();
    w->Timer1.Fire();
    mduLib::SetValue("5", "Changed in this run", w->YearDates(), "Activity");
    w->Timer1.Fire();
    clock_.AdvanceMs(1000);
    w->Timer1.Fire(); // refused: the file was not read whole
    EXPECT_EQ(ReadBytes(Country("2026")), big);
    EXPECT_TRUE(boxes_.Shown().empty()) << "a write of its own accord asks nothing";
    // The file becomes readable: a tick does not try again while nothing changed ...
    WriteBytes(Country("2026"), "Activity:1=x\r\n");
    clock_.AdvanceMs(5000);
    w->Timer1.Fire();
    w->Timer1.Fire();
    EXPECT_EQ(ReadBytes(Country("2026")), "Activity:1=x\r\n");
    // ... and the close writes it.
    w->CloseDown_Click();
    EXPECT_TRUE(boxes_.Shown().empty());
    EXPECT_TRUE(ReadBytes(Country("2026")).contains("Activity:5=Changed in this run\r\n"));
}

TEST_F(CalendarLifecycle, AFirstPointerPositionOfZeroCounts)
{
    auto w = Open(5);
    w->Timer1.Fire();
    QCoreApplication::processEvents();
    for (int i = 0; i < 3 && w->FormState() != frmAlmanorvique::kRunning; ++i)
        w->Timer1.Fire();
    w->CheckScreenSaverExit(0);
    w->CheckScreenSaverExit(100);
    EXPECT_EQ(ended_, 1);
}

TEST_F(CalendarLifecycle, TheSingleWindowSavesItsPlacement)
{
    WriteBytes(Country("Almanorvique.ini"), "Window Width=6000\r\nWindow Height=5000\r\nWindow Top=-1\r\n"
                                            "Window Left=300\r\nOrientation=Center\r\n");
    testsupport::SetFileAge(Path("ini/Almanorvique.ini"), -3600);
    auto w = Open();
    EXPECT_EQ(w->Width(), 6000);
    EXPECT_EQ(w->Height(), 5000);
    EXPECT_EQ(w->Left(), 300);
    w->Timer1.Fire();
    mduLib::SetProp("Orientation", "Portrait Top", w->Properties()); // a menu change, not saved
    w->Move(1500, 1200, 7500, 5250);
    w->Unload();
    EXPECT_EQ(ReadBytes(Country("Almanorvique.ini")),
              QByteArray("Window Width=7500\r\nWindow Height=5250\r\nWindow Top=-1\r\nWindow Left=1500\r\n"
                         "Orientation=Center\r\n"));
}

TEST_F(CalendarLifecycle, ASettingsFileWithoutItsSizeGivesAnAutomaticSizeAndKeepsIt)
{
    const float autoWidth = static_cast<float>(mduUILib::ScreenSizeTwips().width() / 4);
    const float autoHeight = static_cast<float>(mduUILib::ScreenSizeTwips().height() / 4);
    for (const QByteArray& file : {QByteArray("Orientation=Center\r\n"),
                                   QByteArray("Window Width=0\r\nWindow Height=0\r\nOrientation=Center\r\n")}) {
        SCOPED_TRACE(file.toStdString());
        WriteBytes(Country("Almanorvique.ini"), file);
        testsupport::SetFileAge(Path("ini/Almanorvique.ini"), -3600);
        for (int run = 0; run < 2; ++run) { // the second start finds what the first one wrote
            auto w = Open();
            EXPECT_EQ(w->Width(), autoWidth);
            EXPECT_EQ(w->Height(), autoHeight);
            w->Timer1.Fire();
            w->SetCalendarSize();
            EXPECT_EQ(w->Width(), autoWidth);
            EXPECT_EQ(w->Height(), autoHeight);
            w->Unload();
            mduLib::PropertyTable saved;
            mduLib::LoadIniFile(Country("Almanorvique.ini"), saved);
            EXPECT_EQ(mduLib::GetProp("Window Width", saved), "0"); // nothing below the minimum written
            EXPECT_EQ(mduLib::GetProp("Window Height", saved), "0");
        }
    }
}

TEST_F(CalendarLifecycle, ChildWindowSizeFollowsItsCellAndItsSettings)
{
    const struct {
        const char* width;
        float cell;
        float expected;
    } cases[] = {{"-1", 6000, 6000}, {"8000", 6000, 8000}, {"4000", 6000, 6000}};
    for (const auto& c : cases) {
        TestCalendar w;
        w.SetMDIChild(true);
        mduLib::SetValue("Window Width", c.width, w.Properties());
        mduLib::SetValue("Window Height", c.width, w.Properties());
        w.SetMDIChildSize(100, 200, c.cell, c.cell);
        w.SetCalendarSize();
        EXPECT_EQ(w.Width(), c.expected) << c.width;
        EXPECT_EQ(w.Height(), c.expected) << c.width;
    }
    TestCalendar single;
    mduLib::SetValue("Window Width", "-1", single.Properties());
    mduLib::SetValue("Window Height", "junk", single.Properties());
    const float h = single.Height();
    single.SetCalendarSize();
    EXPECT_FLOAT_EQ(single.Width(), static_cast<float>(mduUILib::ScreenSizeTwips().width() / 4));
    EXPECT_EQ(single.Height(), h); // a failing step is skipped
}

TEST_F(CalendarLifecycle, AMonthWindowGrowsWithTheFocusAndShrinksBackIntoItsCell)
{
    auto frame = std::make_unique<TestCalendar>();
    auto w = std::make_unique<TestCalendar>();
    w->ShowMeMDIChild(frame.get(), 0, QDate(2026, 3, 1));
    EXPECT_EQ(w->ParentForm(), frame.get());
    EXPECT_EQ(w->IniFilePath(), Country("3.ini"));
    EXPECT_EQ(gIniFile, Country("3.ini"));
    w->Timer1.Fire();
    mduLib::SetValue("Window Width", "8000", w->Properties());
    mduLib::SetValue("Window Height", "7000", w->Properties());
    w->SetMDIChildSize(0, 0, 4000, 3000);
    w->Form_GotFocus();
    EXPECT_EQ(w->Width(), 8000);
    EXPECT_EQ(w->Height(), 7000);
    EXPECT_EQ(w->FormState(), frmAlmanorvique::kResizeSettle); // growing is a resize: the page is laid out again
    w->Timer1.Fire();
    w->Timer1.Fire();
    w->Form_LostFocus();
    EXPECT_EQ(w->Width(), 4000);
    EXPECT_EQ(w->Height(), 3000);
    w->Timer1.Fire();
    w->Timer1.Fire();
    w->Form_GotFocus();
    w->Timer1.Fire();
    w->Timer1.Fire();
    w->txtMsg.SetVisible(true); // an open note keeps the size
    w->Form_LostFocus();
    EXPECT_EQ(w->Width(), 8000);
}

TEST_F(CalendarLifecycle, RefreshReloadAndDefaults)
{
    auto w = Open();
    w->Timer1.Fire();
    EXPECT_EQ(w->DefaultIniFile(), ProgramFolder() + "/Almanorvique.ini");

    gPropertyTable = testsupport::TableOf({"Orientation=Landscape Left,Center", "Window Width=-1"});
    w->RefreshForm("ignored");
    EXPECT_EQ(mduLib::GetProp("Orientation", w->Properties()), "Landscape Left");
    EXPECT_EQ(w->Properties().UBound(), 2);

    // Reloading makes the tables what the files hold now, with the window's own unsaved
    // entries on top: saved entries the file no longer has go, unsaved ones stay.
    WriteBytes(Path("tester/PersonalDates"), "Caption:05/01=old\r\n");
    w->ReloadDates();
    mduLib::SetValue("01/01", "a", gPersonalDates, "Caption");
    mduLib::SetValue("02/01", "b", gPersonalDates, "Caption");
    WriteBytes(Path("tester/PersonalDates"), "Caption:03/01=c\r\n");
    WriteBytes(Country("2026"), "PCaption:04/01=d\r\n");
    w->ReloadDates();
    EXPECT_EQ(mduLib::GetValue("01/01", gPersonalDates, "Caption"), "a");
    EXPECT_EQ(mduLib::GetValue("02/01", gPersonalDates, "Caption"), "b");
    EXPECT_EQ(mduLib::GetValue("03/01", gPersonalDates, "Caption"), "c");
    EXPECT_EQ(mduLib::GetValue("05/01", gPersonalDates, "Caption"), "");
    EXPECT_EQ(mduLib::GetValue("04/01", w->YearDates(), "PCaption"), "d");

    boxes_.QueueAnswer(platform::vbNo);
    EXPECT_EQ(w->ShowMsgbox("Save?", platform::vbYesNo, "Title"), platform::vbNo);
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    EXPECT_EQ(boxes_.Shown()[0].owner, w.get());
    w->SetFormState(frmAlmanorvique::kLaidOut);
    EXPECT_EQ(w->FormState(), frmAlmanorvique::kLaidOut);
}

TEST_F(CalendarLifecycle, AnEmptySettingsFileIsMadeAgainFromTheTemplate)
{
    // What a first start on a full disk left: it would give a 1x1 window for good.
    testsupport::SetFileAge(Path("ini/Almanorvique.ini"), -3600);
    WriteBytes(Country("Almanorvique.ini"), "");
    WriteBytes(Country(".Almanorvique.ini.almanorvique-save-AbCdEf"), "Orientation=half");
    WriteBytes(Country("Almanorvique.ini.MyCopy"), "Orientation=mine");
    auto w = Open();
    EXPECT_EQ(ReadBytes(Country("Almanorvique.ini")), ReadBytes(Path("ini/Almanorvique.ini")));
    EXPECT_EQ(mduLib::GetProp("Orientation", w->Properties()), "Portrait Top");
    EXPECT_FALSE(QFileInfo::exists(Country(".Almanorvique.ini.almanorvique-save-AbCdEf")));
    EXPECT_EQ(ReadBytes(Country("Almanorvique.ini.MyCopy")), "Orientation=mine"); // the user's own copy
}

TEST_F(CalendarLifecycle, AWindowThatChangedNothingWritesNoDateFile)
{
    WriteBytes(Path("tester/PersonalDates"), "Caption:01/04=Fool\r\n");
    auto w = Open();
    w->Timer1.Fire();
    // Another program (or a second running copy) adds lines while the window runs.
    const QByteArray personal = "Caption:01/04=Fool\r\nCaption:02/04=Added meanwhile\r\n";
    const QByteArray year = ReadBytes(Country("2026")) + "Caption:03/04=Added meanwhile\r\n";
    WriteBytes(Path("tester/PersonalDates"), personal);
    WriteBytes(Country("2026"), year);
    for (const QString& f : {Path("tester/PersonalDates"), Country("2025"), Country("2026"), Country("2027")})
        testsupport::SetFileAge(f, -3600);
    const auto times = [&] {
        QList<QDateTime> t;
        for (const QString& f : {Path("tester/PersonalDates"), Country("2025"), Country("2026"), Country("2027")})
            t << QFileInfo(f).lastModified();
        return t;
    };
    const auto before = times();
    w->Unload();
    EXPECT_EQ(ReadBytes(Path("tester/PersonalDates")), personal);
    EXPECT_EQ(ReadBytes(Country("2026")), year);
    EXPECT_EQ(times(), before);
}

TEST_F(CalendarLifecycle, ResettingTheDateFontsIsWrittenBack)
{
    WriteBytes(Path("tester/PersonalDates"), "Caption:01/04=Fool\r\nFormat:01/04=Arial,12,,,255,,\r\n");
    auto w = Open();
    w->Timer1.Fire();
    w->ResetAllDateFonts();
    w->Unload();
    EXPECT_EQ(ReadBytes(Path("tester/PersonalDates")), "Caption:01/04=Fool\r\n");
}

using testsupport::Utf16;

// A settings file the window cannot read whole shows what could be read, is said once the
// window is there, and is never written: not by "Save Current Properties", not by the
// window's place at closing.
TEST_F(CalendarLifecycle, ASettingsFileThatCannotBeReadWholeIsSaidAndLeftAsItIs)
{
    const QByteArray templ = ReadBytes(Path("ini/Almanorvique.ini"));
    QByteArray own;
    for (int i = 1; i <= 40000; ++i)
        own += "My Key " + QByteArray::number(i) + "=" + QByteArray::number(i) + "\r\n";
    const struct {
        const char* what;
        QByteArray file;
        const char* reason;
    } cases[] = {
        {"the user's lines after the template's", templ + own, "too long to read whole"},
        {"the user's lines before the template's", own + templ, "too long to read whole"},
        {"UTF-16 cut in a character", Utf16(QString::fromLatin1(templ), false).chopped(1), "UTF-16"},
        {"UTF-16 with a lone surrogate", Utf16(QString::fromLatin1(templ) + QChar(0xDC00), true), "UTF-16"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteBytes(Country("Almanorvique.ini"), c.file);
        testsupport::SetFileAge(Path("ini/Almanorvique.ini"), -3600);
        boxes_.Clear();
        auto w = Open();
        EXPECT_TRUE(boxes_.Shown().empty()); // said once the window is shown
        w->Timer1.Fire();
        w->Timer1.Fire();
        ASSERT_EQ(boxes_.Shown().size(), 1u);
        EXPECT_TRUE(boxes_.Shown()[0].prompt.contains(Country("Almanorvique.ini")));
        EXPECT_TRUE(boxes_.Shown()[0].prompt.contains(c.reason)) << boxes_.Shown()[0].prompt.toStdString();
        // A menu change, saved.
        mduLib::PropertyTable& t = w->Properties();
        mduLib::SetProp(t.UBound() < mduLib::PropertyTable::kMaxUBound ? QStringLiteral("Clock Colour") : t[1].Key,
                        "Red", t);
        w->SavePropertiesMenu_Click();
        ASSERT_EQ(boxes_.Shown().size(), 2u);
        EXPECT_EQ(boxes_.Shown()[1].title, "Save Current Properties");
        EXPECT_TRUE(boxes_.Shown()[1].prompt.contains(c.reason)) << boxes_.Shown()[1].prompt.toStdString();
        w->Move(1500, 1200, 7500, 5250);
        w->Unload();
        EXPECT_EQ(ReadBytes(Country("Almanorvique.ini")), c.file);
    }
}

// A settings file saved as UTF-16 (either byte order) is read as its text and stays that
// file: a start and a close write only the window's new place into it, in UTF-16.
TEST_F(CalendarLifecycle, AUtf16SettingsFileIsReadAndKeptInItsByteOrder)
{
    const QString lines = QString::fromUtf8("Window Width=6000\r\nWindow Height=5000\r\nWindow Top=900\r\n"
                                            "Window Left=300\r\nOrientation=Center,Portrait Top,Center\r\n"
                                            "Date Caption=F\xc3\xaate,F\xc3\xaate,Birthday\r\n");
    for (const bool big : {false, true}) {
        SCOPED_TRACE(big ? "high byte first" : "low byte first");
        WriteBytes(Country("Almanorvique.ini"), Utf16(lines, big));
        testsupport::SetFileAge(Path("ini/Almanorvique.ini"), -3600);
        boxes_.Clear();
        auto w = Open();
        EXPECT_EQ(w->Width(), 6000);
        EXPECT_EQ(w->Top(), 900);
        w->Timer1.Fire();
        EXPECT_TRUE(boxes_.Shown().empty());
        EXPECT_EQ(mduLib::GetProp("Orientation", w->Properties()), "Center");
        EXPECT_EQ(mduLib::GetProp("Date Caption", w->Properties()), QString::fromUtf8("F\xc3\xaate"));
        w->Unload(); // not moved: nothing to write
        EXPECT_EQ(ReadBytes(Country("Almanorvique.ini")), Utf16(lines, big));
        auto v = Open();
        v->Timer1.Fire();
        v->Move(1500, 1200, 7500, 5250);
        v->Unload();
        QString moved = lines;
        moved.replace("Width=6000", "Width=7500").replace("Height=5000", "Height=5250");
        moved.replace("Top=900", "Top=1200").replace("Left=300", "Left=1500");
        EXPECT_EQ(ReadBytes(Country("Almanorvique.ini")), Utf16(moved, big));
    }
}

// Two copies of the program on one settings file: each save and each close writes only
// what that copy changed into the file as it is then.
TEST_F(CalendarLifecycle, TwoCopiesEachSavingASettingKeepBoth)
{
    WriteBytes(Country("Almanorvique.ini"), "Window Width=6000\r\nWindow Height=5000\r\nWindow Top=900\r\n"
                                            "Window Left=300\r\nClock Colour=Black,Black,Red\r\n"
                                            "Window Background Colours=White,White,Blue\r\nMine=1\r\n");
    testsupport::SetFileAge(Path("ini/Almanorvique.ini"), -3600);
    auto b = Open(); // started first
    b->Timer1.Fire();
    auto a = Open();
    a->Timer1.Fire();
    a->ApplySetting("Clock Colour", "Red", "");
    a->SavePropertiesMenu_Click();
    b->ApplySetting("Window Background Colours", "Blue", "");
    b->SavePropertiesMenu_Click();
    EXPECT_TRUE(boxes_.Shown().empty());
    const QByteArray both = "Clock Colour=Red,Black,Red\r\nWindow Background Colours=Blue,White,Blue\r\nMine=1\r\n";
    EXPECT_EQ(ReadBytes(Country("Almanorvique.ini")),
              "Window Width=6000\r\nWindow Height=5000\r\nWindow Top=900\r\nWindow Left=300\r\n" + both);
    // Meanwhile another program adds a line; each closes where its window stands.
    WriteBytes(Country("Almanorvique.ini"), ReadBytes(Country("Almanorvique.ini")) + "Added=2\r\n");
    a->Move(1500, 1200, 7500, 5250);
    a->Unload();
    b->Move(2000, 1000, 7000, 5500);
    b->Unload();
    EXPECT_EQ(ReadBytes(Country("Almanorvique.ini")),
              "Window Width=7000\r\nWindow Height=5500\r\nWindow Top=1000\r\nWindow Left=2000\r\n" + both +
                  "Added=2\r\n");
}
