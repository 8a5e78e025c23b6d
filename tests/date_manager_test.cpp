// The date manager on a test caller and on a real calendar window.
#include "core/conversions.h"
#include "core/data_folders.h"
#include "editors/dialogs/date_manager.h"
#include "editors/dialogs/property_editor.h"
#include "support/entry_table_fixture.h"
#include "support/test_calendar.h"
#include "system/clock.h"
#include "ui/menu_items.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace mduAlmanorvqueLib;
using testsupport::ReadBytes;
using testsupport::WriteBytes;

class DateManager : public testsupport::EntryTableTest<frmDateManager> {
protected:
    void SetUp() override
    {
        EntryTableTest::SetUp();
        gUserRegionFolder = Path("tester/United Kingdom/");
        gPersonalDatesFile = Path("tester/PersonalDates");
        gDatesFolder = Path("Dates/");
        QDir().mkpath(gUserRegionFolder);
    }
    void Open(const QString& year = "2024")
    {
        dialog->ShowCalendarDate(caller.get(), year);
        Activate();
    }
    QString Year(const QString& y) { return gUserRegionFolder + y; }
    // The captions the right-click menu offers, after picking pick (none: cancel).
    QStringList Menu(const QString& pick = {})
    {
        platform::ScriptedMenus menus;
        menus.Pick(pick);
        QTest::mouseClick(grid().ctlGrid.viewport(), Qt::RightButton, {}, testsupport::CellPoint(grid(), 1, 0));
        return menus.Offered().empty() ? QStringList() : menus.Offered()[0];
    }
    bool SaveEnabled() { return dialog->ActionButton().Enabled(); }
};

TEST_F(DateManager, ListsTheYearFileWithKeyAndSection)
{
    dialog->EnsureWindow();
    EXPECT_EQ(grid().ColWidth(0), 1539);
    EXPECT_EQ(grid().ColWidth(1), 3488);
    WriteBytes(Year("2024"), "PCaption:25/12=Christmas Day\r\nPMessage:25/12=Merry Christmas\r\n01/01=No section\r\n");
    Open();
    EXPECT_EQ(dialog->Window()->Caption(), "Date Manager for - 2024");
    EXPECT_EQ(grid().ColWidth(1), 2526);
    EXPECT_EQ(Cell(0, 0), "CalendarDate");
    EXPECT_EQ(Cell(1, 0), "25/12:PCaption");
    EXPECT_EQ(Cell(2, 1), "Merry Christmas");
    EXPECT_EQ(Cell(3, 0), "01/01:");
    EXPECT_FALSE(SaveEnabled());
    EXPECT_FALSE(dialog->Window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(DateManager, TheDisabledSaveCaptionStandsOutFromItsPicture)
{
    // Greyed text on a greyed picture could not be read: the picture of a disabled button
    // is washed out well away from the disabled caption's grey.
    WriteBytes(Year("2024"), "PCaption:25/12=Christmas Day\r\n");
    Open();
    ASSERT_FALSE(SaveEnabled());
    QWidget* button = dialog->ActionButton().Widget();
    const QImage shot = button->grab().toImage();
    const QRect inner = shot.rect().adjusted(4, 4, -4, -4);
    double sum = 0;
    int count = 0, ink = 255;
    for (int y = inner.top(); y <= inner.bottom(); ++y)
        for (int x = inner.left(); x <= inner.right(); ++x, ++count) {
            const int g = qGray(shot.pixel(x, y));
            sum += g;
            ink = std::min(ink, g);
        }
    const double face = sum / count; // mostly picture
    EXPECT_GE(face - ink, 70) << "caption " << ink << " on " << face;
}

TEST_F(DateManager, AnEditChangesOneEntryAndSaveHasTheCallerReload)
{
    WriteBytes(Year("2024"), "PCaption:25/12=Christmas Day\r\nPMessage:25/12=Merry Christmas\r\n");
    Open();
    Type(2, "Happy Christmas");
    EXPECT_TRUE(SaveEnabled()); // the key press
    Press(0);
    EXPECT_EQ(ReadBytes(Year("2024")), "PCaption:25/12=Christmas Day\r\nPMessage:25/12=Happy Christmas\r\n");
    EXPECT_EQ(caller->calls, QStringList{"ReloadDates"});
    EXPECT_FALSE(SaveEnabled());
    EXPECT_EQ(dialog->Changed, 0);
}

TEST_F(DateManager, AValueWithCommasIsRestoredAndStoredWhole)
{
    WriteBytes(Year("2024"), "PFormat:25/12=Arial,12,True,False,255,False,False\r\nPCaption:25/12=X\r\n");
    Open();
    Click(1, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Cell(1, 1), "Arial,12,True,False,255,False,False");
    EXPECT_EQ(dialog->DateTable[1].Value, "Arial,12,True,False,255,False,False");
    Type(1, " Times,9,,,,, ");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(dialog->DateTable[1].Value, "Times,9,,,,,");
}

TEST_F(DateManager, TheLoadItemsFollowTheShownYear)
{
    WriteBytes(Year("2025"), "PCaption:02/01=Next\r\nPCaption:01/01=First\r\n");
    WriteBytes(gPersonalDatesFile, "Caption:05/03=Mine\r\n");
    Open();
    QStringList offered = Menu("Load 2025 Dates");
    EXPECT_TRUE(offered.contains("Load 2023 Dates"));
    EXPECT_TRUE(offered.contains("Load 2024 Dates"));
    EXPECT_TRUE(offered.contains("Reset 2024 Dates"));
    EXPECT_EQ(dialog->Window()->Caption(), "Date Manager for - 2025");
    EXPECT_EQ(Cell(1, 0), "01/01:PCaption"); // sorted by key
    offered = Menu("Load 2025 Dates");
    EXPECT_TRUE(offered.contains("Load 2025 Dates")); // still the neighbours of 2024
    EXPECT_TRUE(offered.contains("Reset 2025 Dates"));
    EXPECT_EQ(dialog->DateKey, "2025");
    Menu("Load Personal Dates");
    EXPECT_EQ(Cell(1, 0), "05/03:Caption");
    EXPECT_TRUE(Menu().contains("Clear Personal Dates"));
    EXPECT_FALSE(QFile::exists(Year("2023")));
    Menu("Load 2023 Dates");
    EXPECT_EQ(Cell(1, 0), "");
    EXPECT_FALSE(QFile::exists(Year("2023"))); // loading creates nothing
}

TEST_F(DateManager, LoadingAnotherFileOffersToSaveTheEditsFirst)
{
    WriteBytes(Year("2024"), "PCaption:25/12=Christmas Day\r\n");
    WriteBytes(gPersonalDatesFile, "Caption:05/03=Mine\r\n");
    Open();
    Type(1, "Christmas");
    boxes.QueueAnswer(platform::vbYes);
    Menu("Load Personal Dates");
    EXPECT_EQ(ReadBytes(Year("2024")), "PCaption:25/12=Christmas\r\n");
    EXPECT_EQ(Cell(1, 0), "05/03:Caption");

    Type(1, "Not mine"); // answered No: dropped, as the user chose
    boxes.QueueAnswer(platform::vbNo);
    Menu("Load 2024 Dates");
    EXPECT_EQ(ReadBytes(gPersonalDatesFile), "Caption:05/03=Mine\r\n");
    EXPECT_EQ(Cell(1, 1), "Christmas");
    EXPECT_EQ(boxes.Shown().size(), 2u);
}

TEST_F(DateManager, AfterTheLoadQuestionTheNextKeyReachesTheEditor)
{
    WriteBytes(Year("2024"), "PCaption:25/12=Christmas Day\r\n");
    WriteBytes(Year("2025"), "PCaption:01/01=New Year's Day\r\n");
    caller->Show();
    Open();
    Click(1, 1); // a press marks the dates changed
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    ASSERT_FALSE(grid().EditOpen());
    // The question takes the activation; as it closes, the desktop hands it to the calendar.
    QStringList asked;
    platform::SetMessageBoxHandler([&](const platform::MessageBoxRequest& r) {
        asked << r.prompt;
        QApplication::processEvents(); // what was asked for before the box
        caller->activateWindow();
        EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == caller.get(); }));
        return static_cast<int>(platform::vbNo);
    });
    platform::ScriptedMenus menus;
    menus.Pick("Load 2025 Dates");
    // The menu takes the release; only the press reaches the grid.
    QTest::mousePress(grid().ctlGrid.viewport(), Qt::RightButton, {}, testsupport::CellPoint(grid(), 1, 1));
    EXPECT_EQ(asked, QStringList{"Do you want to save the Date Manager for - 2024?"});
    EXPECT_EQ(dialog->Window()->Caption(), "Date Manager for - 2025");
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog->Window(); }));
    ASSERT_TRUE(grid().EditOpen()); // the press opened the editor on the new file's row
    QWidget* focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    QTest::keyClicks(focused, "Q");
    EXPECT_EQ(grid().ctlText.Text(), "Q");
    QTest::mouseRelease(grid().ctlGrid.viewport(), Qt::RightButton, {}, testsupport::CellPoint(grid(), 1, 1));
}

TEST_F(DateManager, TheOpenEditorStaysOverItsCellAfterEveryResize)
{
    QByteArray lines;
    for (int d = 1; d <= 20; ++d)
        lines += QStringLiteral("PCaption:%1/01=Day %1\r\n").arg(d, 2, 10, QLatin1Char('0')).toLatin1();
    WriteBytes(Year("2024"), lines);
    Open();
    const qint32 row = 14;
    grid().ctlGrid.ShowCell(row, 1);
    Click(row, 1);
    QTest::keyClicks(QApplication::focusWidget(), "typed");
    ASSERT_TRUE(grid().EditOpen());
    EntryTableWindow& w = *dialog->Window();
    const struct {
        const char* name;
        float width, height;
    } sizes[] = {{"shrunk", 4755, 3000}, {"grown", 9500, 9000}, {"shrunk again", 4000, 2500}};
    for (const auto& s : sizes) {
        SCOPED_TRACE(s.name);
        w.Move(w.Left(), w.Top(), s.width, s.height);
        ASSERT_TRUE(grid().EditOpen());
        const platform::TextBox& box = grid().ctlText;
        EXPECT_TRUE(box.Visible());
        EXPECT_EQ(grid().Row(), row);
        EXPECT_TRUE(grid().RowIsVisible(row));
        EXPECT_FLOAT_EQ(box.Top(), grid().ctlGrid.CellTop() - 10);
        EXPECT_FLOAT_EQ(box.Left(), grid().ctlGrid.CellLeft() - 10);
        EXPECT_FLOAT_EQ(box.Width(), grid().ctlGrid.CellWidth() + 20);
        EXPECT_LE(box.Top() + box.Height(), grid().ctlGrid.Height());
        EXPECT_EQ(box.Text(), "typed");
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Cell(row, 1), "typed");
}

TEST_F(DateManager, ANewlyLoadedFileShowsFromItsFirstRow)
{
    auto file = [](const char* caption) {
        QByteArray lines;
        for (int d = 1; d <= 28; ++d)
            lines += QStringLiteral("PCaption:%1/02=%2 %1\r\n").arg(d, 2, 10, QLatin1Char('0')).arg(caption).toUtf8();
        return lines;
    };
    WriteBytes(Year("2024"), file("This"));
    WriteBytes(Year("2025"), file("Next"));
    WriteBytes(gPersonalDatesFile, file("Mine"));
    const struct {
        const char* name;
        std::function<void()> load;
        const char* first; // the first row's value afterwards
    } loads[] = {
        {"Load 2025 Dates", [this] { Menu("Load 2025 Dates"); }, "Next 01"},
        {"Load Personal Dates", [this] { Menu("Load Personal Dates"); }, "Mine 01"},
        {"shown for another year", [this] { dialog->ShowCalendarDate(caller.get(), "2025"); }, "Next 01"},
        {"Reset 2024 Dates", [this] { Menu("Reset 2024 Dates"); }, ""},
    };
    for (const auto& l : loads) {
        SCOPED_TRACE(l.name);
        Open();
        grid().LetTopRow(20);
        Click(25, 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        ASSERT_GT(grid().TopRow(), 1);
        dialog->Changed = 0;
        l.load();
        EXPECT_EQ(grid().TopRow(), 1);
        EXPECT_TRUE(grid().RowIsVisible(1));
        EXPECT_EQ(grid().Row(), 1);
        if (*l.first) {
            EXPECT_EQ(Cell(1, 1), l.first);
        }
        dialog->Changed = 0;
        dialog->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

TEST_F(DateManager, ResetRebuildsTheFileAtOnceAndTheCallerReloads)
{
    WriteBytes(gDatesFolder + "DefaultSpecialDates", "PCaption:25/12=Christmas Day\r\n");
    WriteBytes(Year("2024"), "PCaption:25/12=Changed\r\nCaption:01/05=Mine\r\n");
    Open();
    Menu("Reset 2024 Dates");
    const QByteArray rebuilt = ReadBytes(Year("2024"));
    EXPECT_TRUE(rebuilt.startsWith("PCaption:25/12=Christmas Day\r\n"));
    EXPECT_TRUE(rebuilt.contains("Easter Sunday"));
    EXPECT_FALSE(rebuilt.contains("Mine"));
    EXPECT_EQ(Cell(1, 1), "Christmas Day");
    EXPECT_EQ(caller->calls, QStringList{"ReloadDates"});
    EXPECT_TRUE(SaveEnabled());
    // The personal dates are cleared.
    WriteBytes(gPersonalDatesFile, "Caption:05/03=Mine\r\n");
    Menu("Load Personal Dates");
    Menu("Clear Personal Dates");
    EXPECT_FALSE(QFile::exists(gPersonalDatesFile));
    EXPECT_EQ(Cell(1, 0), "");
}

TEST_F(DateManager, AClickEnablesSaveAndTheSaveAtClosingReloadsToo)
{
    WriteBytes(Year("2024"), "PCaption:25/12=Christmas Day\r\n");
    Open();
    Click(1, 0);
    EXPECT_TRUE(SaveEnabled());
    Type(1, "Xmas");
    boxes.QueueAnswer(platform::vbYes);
    CloseWindow();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].title, "Save Calendar Dates");
    EXPECT_EQ(boxes.Shown()[0].prompt, "Do you want to save the Date Manager for - 2024?");
    EXPECT_EQ(ReadBytes(Year("2024")), "PCaption:25/12=Xmas\r\n");
    EXPECT_EQ(caller->calls, QStringList{"ReloadDates"});
    // Shown again: the fields stayed, the window is new.
    Open("2025");
    EXPECT_EQ(dialog->LastRow, 0);
    EXPECT_EQ(Cell(1, 0), "");
    EXPECT_EQ(dialog->Changed, 0);
}

TEST_F(DateManager, ARightClickAndAMenuChoiceAreNoEdit)
{
    WriteBytes(Year("2024"), "PCaption:25/12=Christmas Day\r\nPMessage:25/12=Merry Christmas\r\n");
    Open();
    // The right press moves to row 2 and opens an edit there; nothing is typed.
    platform::ScriptedMenus menus;
    menus.Pick("Load 2024 Dates");
    QTest::mouseClick(grid().ctlGrid.viewport(), Qt::RightButton, {}, testsupport::CellPoint(grid(), 2, 1));
    ASSERT_EQ(menus.Offered().size(), 1u);
    EXPECT_TRUE(grid().EditOpen());
    EXPECT_EQ(dialog->Changed, 0);
    EXPECT_FALSE(SaveEnabled());
    CloseWindow();
    EXPECT_TRUE(boxes.Shown().empty()); // no question about saving
    EXPECT_EQ(ReadBytes(Year("2024")), "PCaption:25/12=Christmas Day\r\nPMessage:25/12=Merry Christmas\r\n");

    // Typed after a right press, the edit counts.
    Open();
    QTest::mouseClick(grid().ctlGrid.viewport(), Qt::RightButton, {}, testsupport::CellPoint(grid(), 2, 1));
    QTest::keyClicks(QApplication::focusWidget(), "Happy");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_NE(dialog->Changed, 0);
    boxes.QueueAnswer(platform::vbNo);
    CloseWindow();
    EXPECT_EQ(boxes.Shown().size(), 1u);
}

TEST_F(DateManager, AFailedSaveKeepsSaveOnAndReloadsNothing)
{
    WriteBytes(Year("2024"), "PCaption:25/12=Christmas Day\r\n");
    Open();
    dialog->DateFilePath = Path("no/such/folder/2024");
    QFile(Path("no")).open(QIODevice::WriteOnly);
    Type(1, "Xmas");
    Press(0);
    EXPECT_TRUE(SaveEnabled());
    EXPECT_NE(dialog->Changed, 0);
    EXPECT_TRUE(caller->calls.isEmpty());
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].prompt.contains("could not be written"));
}

// The calendar window itself: what the manager saves shows in the month at once.
class DateManagerOnCalendar : public testsupport::ProgramFolderTest {
protected:
    platform::FixedClock clock_{QDateTime(QDate(2026, 3, 15), QTime(10, 0))};
    platform::ScriptedMessageBox boxes_;
};

TEST_F(DateManagerOnCalendar, ASavedCaptionShowsInTheMonthAndSurvivesTheWindowsClose)
{
    CopyShippedData({"ini"});
    SetupDataFolders();
    WriteBytes(Path("tester/United Kingdom/2026"), "PCaption:25/03=Old caption\r\n");
    auto w = std::make_unique<testsupport::TestCalendar>();
    w->ShowMe(0, QDate(2026, 3, 15));
    w->Timer1.Fire();
    auto cellOf = [&](int day) -> platform::Label& {
        for (int i = 8; i <= w->lblDate.UBound(); ++i)
            if (w->lblDate.Exists(i) && w->lblDate(i).Tag == conv::DateText(QDate(2026, 3, day)))
                return w->lblDate(i);
        throw std::runtime_error("no cell");
    };
    EXPECT_EQ(cellOf(25).ToolTipText, "Old caption");
    w->SaveCalendarData();
    frmDateManager manager;
    manager.ShowCalendarDate(w.get(), "2026");
    ASSERT_EQ(manager.grid().TextMatrix(1, 0), "25/03:PCaption");
    manager.grid().LetTextMatrix(1, 1, "New caption");
    manager.cmdButton_Click(0);
    EXPECT_EQ(cellOf(25).ToolTipText, "New caption");
    w->CloseDown_Click();
    EXPECT_TRUE(ReadBytes(Path("tester/United Kingdom/2026")).contains("PCaption:25/03=New caption\r\n"));
}

TEST_F(DateManagerOnCalendar, TheCommandsOpenBothDialogsOnTheWindow)
{
    CopyShippedData({"ini"});
    SetupDataFolders();
    auto w = std::make_unique<testsupport::TestCalendar>();
    w->ShowMe(0, QDate(2026, 3, 15));
    w->Timer1.Fire();

    // "Properties": the editor lists a copy of the window's settings; "Apply" hands it back.
    w->PropertiesMenu_Click();
    frmProperties& editor = frmProperties::Default();
    ASSERT_TRUE(editor.IsLoaded());
    EXPECT_EQ(editor.Window()->Caption(), "Properties - " + w->Caption());
    EXPECT_EQ(editor.grid().TextMatrix(1, 0), "Window Width");
    editor.grid().LetTextMatrix(1, 1, "6000");
    editor.CommitRow(1);
    EXPECT_NE(mduLib::GetValue("Window Width", w->Properties()), "6000"); // not before "Apply"
    editor.cmdButton_Click(0);
    EXPECT_EQ(mduLib::GetValue("Window Width", w->Properties()), "6000");
    editor.cmdButton_Click(0); // "Save"
    EXPECT_TRUE(ReadBytes(gIniFile).startsWith("Window Width=6000\r\n"));
    editor.Unload();

    // "Date Manager": the displayed year's file.
    w->ApplySetting("Date Manager", "", "");
    frmDateManager& manager = frmDateManager::Default();
    ASSERT_TRUE(manager.IsLoaded());
    EXPECT_EQ(manager.Window()->Caption(), "Date Manager for - 2026");
    EXPECT_EQ(manager.DateFilePath, gUserRegionFolder + "2026");
    manager.Unload();
    w->CloseDown_Click();
}

TEST_F(DateManager, AnEditOfTheSecondRowOfARepeatedKeyIsSaved)
{
    WriteBytes(Year("2024"), "PCaption:25/12=First\r\nPCaption:25/12=Second\r\n");
    Open();
    int row = 0;
    for (int r = 1; r <= 2; ++r)
        if (Cell(r, 1) == "Second")
            row = r;
    ASSERT_NE(row, 0);
    Type(row, "Edited second");
    Press(0);
    EXPECT_EQ(ReadBytes(Year("2024")), "PCaption:25/12=First\r\nPCaption:25/12=Edited second\r\n");
}
