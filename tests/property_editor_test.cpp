// The property editor on a test caller, driven through its grid, buttons and menu.
#include "core/data_folders.h"
#include "editors/dialogs/date_manager.h"
#include "editors/dialogs/entry_table_math.h"
#include "editors/dialogs/property_editor.h"
#include "support/central_fixture.h"
#include "support/entry_table_fixture.h"
#include "support/test_calendar.h"
#include "support/test_frame.h"
#include "system/clock.h"
#include "ui/mdi_frame.h"
#include "ui/menu_items.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

using mduAlmanorvqueLib::gIniFile;
using mduAlmanorvqueLib::gPropertyTable;
using testsupport::ReadBytes;
using testsupport::TableOf;

class PropertyEditor : public testsupport::EntryTableTest<frmProperties> {
protected:
    void Open(const QStringList& lines)
    {
        gPropertyTable = TableOf(lines);
        gIniFile = Path("Almanorvique.ini");
        dialog->ShowProperty(caller.get(), "Almanorvique");
        Activate();
    }
    QString Value(int i) { return gPropertyTable[i].Value; }
    QString Action() { return dialog->ActionButton().Caption(); }
};

TEST(EntryTableMath, TheFrameFollowsTheWindowSize)
{
    // After a show at 4755 x 6165 with the key column of the load.
    entrytable::FrameLayout f = entrytable::LayOutFrame(4755, 6165, 120, 120, 2975, 1695, 1695);
    EXPECT_FLOAT_EQ(f.gridWidth, 4405);
    EXPECT_EQ(f.valueColWidth, 1090);
    EXPECT_FLOAT_EQ(f.gridHeight, 4865);
    EXPECT_FLOAT_EQ(f.buttonTop, 120 + 4865 + 200);
    EXPECT_FLOAT_EQ(f.closeLeft, 120 + 4405 - 1695 - 170);
    EXPECT_FLOAT_EQ(f.actionLeft, 120 + 4405 - 1695 - 170 - 1695 - 600);
    // A window made very small.
    f = entrytable::LayOutFrame(100, 100, 120, 120, 2975, 1695, 1695);
    EXPECT_FLOAT_EQ(f.gridWidth, 0);
    EXPECT_EQ(f.valueColWidth, 0);
    EXPECT_FLOAT_EQ(f.gridHeight, 10);
    EXPECT_FLOAT_EQ(f.closeLeft, 1695);
    EXPECT_FLOAT_EQ(f.actionLeft, 200);
}

TEST(EntryTableMath, OptionValuesKeepTheirChoicesAndFontFormatsStayWhole)
{
    const struct {
        const char *key, *value, *typed, *shown, *stored;
        int choices;
    } cases[] = {
        {"Colour", "a,b,c", "c", "a", "c,b,c", 2},
        {"Colour", "x,y", "z", "x", "z,y", 1},
        {"Width", "5400", " 6000 ", "5400", "6000", 0},
        {"Odd", ",b", "q", "", "q", 1}, // a comma first is no option value
        {"Default Date Format", "Arial,10,True,False,0,False,False", "Times,12,False,True,255,False,False",
         "Arial,10,True,False,0,False,False", "Times,12,False,True,255,False,False", 0},
        {"Default Date Format", "", "Arial,9,,,,,", "", "Arial,9,,,,,", 0},
        {"PFormat", "Verdana,,true,,,,", "Verdana,8,,,,,", "Verdana,,true,,,,", "Verdana,8,,,,,", 0},
        {"Stay Time", "0,0,30,60,300,600,900", "30", "0", "30,0,30,60,300,600,900", 6}, // numbers are choices
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        mduLib::PropertyItem e{QString(), c.key, c.value};
        EXPECT_EQ(entrytable::SettingValueText(e), c.shown);
        EXPECT_EQ(entrytable::OfferedChoices(e).size(), c.choices);
        entrytable::StoreSettingText(e, c.typed);
        EXPECT_EQ(e.Value, c.stored);
    }
    EXPECT_TRUE(entrytable::IsFileLabel("Calendar Image File"));
    EXPECT_TRUE(entrytable::IsFileLabel("Window Background Files"));
    EXPECT_FALSE(entrytable::IsFileLabel("Window Styles"));
    EXPECT_TRUE(entrytable::RestoresEmptyValue("Calendar image file"));
    EXPECT_FALSE(entrytable::RestoresEmptyValue("Calendar Image Files"));
}

TEST_F(PropertyEditor, OpensBesideTheCallerWithTheTableInItsOrder)
{
    dialog->EnsureWindow();
    EXPECT_EQ(grid().ColWidth(0), 2975); // the design's inner width at load
    EXPECT_EQ(grid().ColWidth(1), 1539);
    Open({"Window Width=5400", "Week Start Day=1,1,2,3", "=orphan", "Show Clock=Yes,Yes,No"});
    EntryTableWindow& w = *dialog->Window();
    EXPECT_EQ(w.Caption(), "Properties - Almanorvique");
    EXPECT_FLOAT_EQ(w.Top(), caller->Top());
    EXPECT_FLOAT_EQ(w.Left(), caller->Left() + caller->Width() / 2);
    EXPECT_EQ(grid().ColWidth(1), 1090);
    EXPECT_EQ(Action(), "Apply");
    EXPECT_EQ(Cell(0, 0), "Property");
    EXPECT_EQ(Cell(0, 1), "Value");
    EXPECT_EQ(Cell(1, 0), "Window Width");
    EXPECT_EQ(Cell(2, 1), "1");
    EXPECT_EQ(Cell(3, 0), "Show Clock"); // the entry without key is not listed
    EXPECT_EQ(Cell(4, 0), "");
    EXPECT_EQ(grid().Rows(), 25);
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(dialog->Changed, 0);
}

TEST_F(PropertyEditor, ARowChangeMarksChangedAndClosingAsksThroughTheCaller)
{
    Open({"Window Width=5400", "Window Height=7800"});
    Click(1, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(&grid().ctlGrid, Qt::Key_Down); // no typing: still a commit
    EXPECT_NE(dialog->Changed, 0);
    caller->answers = {platform::vbYes};
    CloseWindow();
    EXPECT_EQ(caller->boxes, QStringList{"Save Property: Do you want to save the Properties - Almanorvique?"});
    EXPECT_FALSE(dialog->IsLoaded());
    EXPECT_EQ(ReadBytes(gIniFile), "Window Width=5400\r\nWindow Height=7800\r\n");
    EXPECT_EQ(dialog->Changed, 0);
}

TEST_F(PropertyEditor, TheCallersQuestionIsOwnedByTheTopmostEditor)
{
    // The caller lies below the topmost editor: a box it owns would open under the editor.
    caller->realBoxes = true;
    Open({"Window Width=5400"});
    Type(1, "6000");
    const QObject* editor = dialog->Window();
    boxes.QueueAnswer(platform::vbNo);
    CloseWindow();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].title, "Save Property");
    EXPECT_EQ(boxes.Shown()[0].owner, editor);
    // Outside the editor's question the caller owns its own boxes again.
    caller->ShowMsgbox("Later", platform::vbOKOnly, "Caller");
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[1].owner, static_cast<QObject*>(caller.get()));
}

TEST_F(PropertyEditor, AnEmptiedValueComesBackUnlessTheKeyNamesAFile)
{
    Open({"Window Width=5400", "Calendar Image Files=/pics/a.jpg", "Show Clock=Yes,Yes,No"});
    Click(1, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); // Enter commits and moves down
    EXPECT_EQ(Cell(1, 1), "5400");
    EXPECT_EQ(Value(1), "5400");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Cell(2, 1), "");
    EXPECT_EQ(Value(2), "");
}

TEST_F(PropertyEditor, ApplyThenSaveInTurn)
{
    Open({"Window Width=5400", "Window Height=7800"});
    Type(1, "6000");
    Press(0);
    EXPECT_EQ(Value(1), "6000");
    EXPECT_EQ(caller->calls, QStringList{"RefreshForm " + gIniFile});
    EXPECT_EQ(Action(), "Save");
    EXPECT_FALSE(QFile::exists(gIniFile)); // applying writes nothing
    Press(0);
    EXPECT_EQ(ReadBytes(gIniFile), "Window Width=6000\r\nWindow Height=7800\r\n");
    EXPECT_EQ(Action(), "Apply");
    EXPECT_EQ(dialog->Changed, 0);
    // Closing right after the save asks nothing.
    CloseWindow();
    EXPECT_TRUE(caller->boxes.isEmpty());
}

TEST_F(PropertyEditor, APickListChangesTheChoiceAndKeepsTheOffer)
{
    Open({"Colour=a,b,c", "Tint=x,y", "Width=1"});
    Click(1, 1);
    platform::ComboBox& list = *grid().GetComboCtl(1);
    ASSERT_TRUE(list.Visible());
    ASSERT_EQ(list.ListCount(), 2);
    EXPECT_EQ(list.List(0), "b");
    list.SetListIndex(1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Value(1), "c,b,c");
    // One offered choice: typed.
    ASSERT_EQ(grid().Row(), 2);
    EXPECT_FALSE(list.Visible());
    EXPECT_TRUE(grid().ctlText.Visible());
    QTest::keyClicks(QApplication::focusWidget(), "z");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Value(2), "z,y");
}

TEST_F(PropertyEditor, AFontFormatIsEditedAsOneText)
{
    Open({"Default Date Format=Arial,10,True,False,0,False,False", "Width=1"});
    EXPECT_EQ(Cell(1, 1), "Arial,10,True,False,0,False,False");
    Click(1, 1);
    EXPECT_FALSE(grid().GetComboCtl(1)->Visible());
    ASSERT_TRUE(grid().ctlText.Visible());
    QTest::keyClicks(QApplication::focusWidget(), "Times,12,False,True,255,False,False");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Value(1), "Times,12,False,True,255,False,False");
}

TEST_F(PropertyEditor, AKeyWithBlanksIsWrittenIntoItsOwnEntry)
{
    Open({" Width =5400", "Height=7800"});
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(&grid().ctlGrid, Qt::Key_Down);
        QTest::keyClick(&grid().ctlGrid, Qt::Key_Up);
    }
    EXPECT_EQ(gPropertyTable.UBound(), 2); // nothing appended
    Type(1, "6000");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(gPropertyTable[1].Key, " Width ");
    EXPECT_EQ(Value(1), "6000");
}

TEST_F(PropertyEditor, DefaultsReplaceTheFileLengthAndKeepTheTail)
{
    caller->defaultIniFile = Path("default.ini");
    testsupport::WriteBytes(caller->defaultIniFile, "A=1\r\nB=2\r\n");
    Open({"A=9", "X=8", "Tail=7"});
    QTest::keyClick(dialog->Window(), Qt::Key_F5);
    EXPECT_EQ(Cell(1, 0), "A");
    EXPECT_EQ(Cell(1, 1), "1");
    EXPECT_EQ(Cell(2, 0), "B");
    EXPECT_EQ(Cell(3, 0), "Tail");
    EXPECT_NE(dialog->Changed, 0);
    EXPECT_EQ(Action(), "Apply");
    // The same through the menu.
    platform::ScriptedMenus menus;
    menus.Pick("Refresh By Default  (F5)");
    testsupport::WriteBytes(caller->defaultIniFile, "C=3\r\n");
    QTest::mouseClick(grid().ctlGrid.viewport(), Qt::RightButton, {}, testsupport::CellPoint(grid(), 2, 0));
    EXPECT_EQ(Cell(1, 0), "C");
    ASSERT_EQ(menus.Offered().size(), 1u);
    EXPECT_TRUE(menus.Offered()[0].contains("Sort Name/Ascending "));
    EXPECT_TRUE(menus.Offered()[0].contains("Reload Properties"));
}

TEST_F(PropertyEditor, TypingAfterDefaultsDuringAnEditReachesTheCell)
{
    caller->defaultIniFile = Path("default.ini");
    testsupport::WriteBytes(caller->defaultIniFile, "Window Width=5400\r\nWindow Height=3000\r\n");
    Open({"Window Width=5000", "Window Height=3000"});
    Click(1, 1);
    QTest::keyClicks(QApplication::focusWidget(), "123");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    EXPECT_EQ(Cell(1, 1), "5400");
    // No emptied editor stays over the refilled cell.
    EXPECT_FALSE(grid().ctlText.Visible());
    for (char ch : QByteArray("6000")) // the first key opens the editor, the rest go into it
        QTest::keyClick(QApplication::focusWidget(), ch);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Cell(1, 1), "6000");
    EXPECT_EQ(Value(1), "6000");
}

TEST_F(PropertyEditor, SortsListByNameValueOrSectionAndRestoresTheShownEntry)
{
    Open({"b=2", "S:a=3", "c=1"});
    platform::ScriptedMenus menus;
    const struct {
        const char* pick;
        const char* tag;
        const char *first, *last;
    } cases[] = {
        {"Sort Name/Ascending ", "2,1", "a", "c"},
        {"Sort Value/Descending", "3,2", "a", "c"},
        {"Sort Categorized/Descending", "1,2", "a", "c"},
        {"Sort by Default", "2,0", "b", "c"},
    };
    for (const auto& c : cases) {
        menus.Pick(c.pick);
        QTest::mouseClick(grid().ctlGrid.viewport(), Qt::RightButton, {}, testsupport::CellPoint(grid(), 1, 0));
        EXPECT_EQ(grid().Tag, c.tag) << c.pick;
        EXPECT_EQ(Cell(1, 0), c.first) << c.pick;
        EXPECT_EQ(Cell(3, 0), c.last) << c.pick;
    }
    Open({"b=2", "a=3"});
    menus.Pick("Sort Name/Ascending ");
    QTest::mouseClick(grid().ctlGrid.viewport(), Qt::RightButton, {}, testsupport::CellPoint(grid(), 1, 0));
    Click(1, 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Cell(1, 1), "3"); // the value of "a", which the row shows
}

TEST_F(PropertyEditor, ADoubleClickChoosesAFileAndCountsAsAnEdit)
{
    QDir().mkpath(Path("Images"));
    Open({"Calendar Image Files=None", "Width=1"});
    {
        testsupport::ScriptedFileDialog files("");
        DoubleClick(1, 1);
        EXPECT_EQ(files.shown, 1);
        EXPECT_EQ(files.filter, "Image (*.bmp;*.gif;*.jpg)");
    }
    EXPECT_EQ(Cell(1, 1), "None"); // a cancel changes nothing
    EXPECT_EQ(dialog->Changed, 0);
    {
        testsupport::ScriptedFileDialog files("/pics/sea.jpg");
        DoubleClick(1, 1);
    }
    EXPECT_EQ(Cell(1, 1), "/pics/sea.jpg");
    EXPECT_NE(dialog->Changed, 0);
    {
        // The second click lands in the editor the first one opened.
        testsupport::ScriptedFileDialog files("/pics/moon.jpg");
        Click(1, 1);
        ASSERT_TRUE(grid().EditOpen());
        QTest::mouseDClick(grid().ctlText.Widget(), Qt::LeftButton);
        EXPECT_EQ(files.shown, 1);
    }
    EXPECT_EQ(Cell(1, 1), "/pics/moon.jpg");
    EXPECT_FALSE(grid().EditOpen());
    EXPECT_EQ(dialog->Loaded, 1);
    QTest::keyClick(&grid().ctlGrid, Qt::Key_Down);
    EXPECT_EQ(Value(1), "/pics/moon.jpg");
    // Later edits still count.
    Press(0);
    Press(0);
    EXPECT_EQ(dialog->Changed, 0);
    Type(2, "2");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_NE(dialog->Changed, 0);
}

TEST_F(PropertyEditor, ClosingWithTheEditorOpenKeepsWhatWasTyped)
{
    Open({"Window Width=5400"});
    Type(1, "7000");
    ASSERT_TRUE(grid().EditOpen());
    caller->answers = {platform::vbYes};
    CloseWindow();
    EXPECT_EQ(caller->boxes.size(), 1);
    EXPECT_EQ(ReadBytes(gIniFile), "Window Width=7000\r\n");
}

TEST_F(PropertyEditor, AFailedSaveKeepsTheEditsAndSaysSo)
{
    Open({"Window Width=5400"});
    gIniFile = Path("missing/folder/Almanorvique.ini");
    QFile(Path("missing")).open(QIODevice::WriteOnly); // a file where the folder should be
    Type(1, "6000");
    Press(0);
    Press(0);
    EXPECT_EQ(Action(), "Save");
    EXPECT_NE(dialog->Changed, 0);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].prompt.contains("could not be written"));
    // Closing: save? yes; it fails again; close anyway? no: the editor stays open.
    caller->answers = {platform::vbYes};
    boxes.QueueAnswer(platform::vbNo);
    CloseWindow();
    EXPECT_TRUE(dialog->IsLoaded());
    caller->answers = {platform::vbYes};
    boxes.QueueAnswer(platform::vbYes);
    CloseWindow();
    EXPECT_FALSE(dialog->IsLoaded());
}

TEST_F(PropertyEditor, AClosedCallerGetsNoCallsAndThePlainBoxAsks)
{
    Open({"Window Width=5400"});
    Type(1, "6000");
    caller->Unload();
    Press(0); // apply: nobody to apply to
    EXPECT_TRUE(caller->calls.isEmpty());
    boxes.QueueAnswer(platform::vbNo);
    CloseWindow();
    EXPECT_TRUE(caller->boxes.isEmpty());
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].title, "Save Property");
}

TEST_F(PropertyEditor, TheGridTakesTheDesignedLayoutUnlessOneIsStored)
{
    dialog->EnsureWindow();
    EXPECT_EQ(grid().BackColor(), static_cast<qint32>(0x8000000E));
    EXPECT_EQ(grid().RowHeightMin(), 285);
    EXPECT_EQ(grid().Font().Name, "MS Sans Serif");
    dialog->Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    platform::StoredLayout("frmProperties").Bag("grdProperty").WriteProperty("RowHeightMin", 100, 0);
    dialog->EnsureWindow();
    EXPECT_EQ(grid().RowHeightMin(), 100);
    const platform::PropertyBag bag = entrytable::DesignedGridBag(8493);
    EXPECT_EQ(bag.ReadProperty("_extentx").toInt(), 8493);
    EXPECT_EQ(bag.ReadProperty("backcolorfixed").toInt(), static_cast<qint32>(0x8000000F));
}

TEST_F(PropertyEditor, AsAChildWindowItTakesWidePositionsAndTheNewFileModeOnlyShows)
{
    gPropertyTable = TableOf({"A=1"});
    dialog->ShowPropertyMDIChild(caller.get(), 40000, 36000, "Property Almanorvique Central", 0);
    EntryTableWindow& w = *dialog->Window();
    EXPECT_FLOAT_EQ(w.Left(), 40000 + caller->Width() / 2); // past 16 bits
    EXPECT_FLOAT_EQ(w.Top(), 36000);
    EXPECT_EQ(w.Caption(), "Properties - Property Almanorvique Central");
    EXPECT_TRUE(grid().Enabled());
    dialog->ShowPropertyMDIChild(caller.get(), 0, 0, "", -1);
    EXPECT_EQ(w.Caption(), "Properties -  _");
    EXPECT_EQ(dialog->ActionButton().Caption(), "Save");
    EXPECT_FALSE(dialog->ActionButton().Enabled());
    EXPECT_FALSE(grid().Enabled());
    EXPECT_NE(dialog->NewFileMode, 0);
}

TEST_F(PropertyEditor, SpareRowsStayBlankAndReachNoEntry)
{
    Open({"A=1", "B=2"});
    Type(3, "typed");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(gPropertyTable.UBound(), 2);
    EXPECT_EQ(Value(2), "2");
    Click(3, 1);
    EXPECT_EQ(Cell(3, 1), ""); // blanked as it became current again
    EXPECT_EQ(Cell(3, 0), "");
}

TEST_F(PropertyEditor, AChangeMadeElsewhereIsOfferedWhenTheGridGetsTheFocus)
{
    Open({"A=1"});
    gPropertyTable[1].Value = "9";
    dialog->SetPropertyChanged(-1);
    caller->answers = {platform::vbYes};
    dialog->Grid_GotFocus();
    EXPECT_EQ(caller->boxes,
              QStringList{"Property Changed: Property has been changed, do you want to refresh with the new values?"});
    EXPECT_EQ(Cell(1, 1), "9");
    EXPECT_NE(dialog->Changed, 0);
    EXPECT_EQ(dialog->ChangedElsewhere, 0);
    dialog->Grid_GotFocus(); // asked once only
    EXPECT_EQ(caller->boxes.size(), 1);
}

TEST_F(PropertyEditor, OpenedFromAMonthWindowItIsAChildOfTheFrameAndSavesAStyle)
{
    platform::MDIForm frame("frmMain");
    frame.Move(0, 0, 15000, 12000);
    frame.Show();
    auto child = std::make_unique<testsupport::DialogCaller>();
    frame.AddChild(*child);
    child->frame = &frame;
    child->Show();
    mduAlmanorvqueLib::gStylesFolder = Path("Styles/");
    QDir().mkpath(mduAlmanorvqueLib::gStylesFolder);
    gPropertyTable = TableOf({"Window Width=5400"});
    dialog->ShowPropertyMDIChild(child.get(), 100, 200, "March", 0);
    EntryTableWindow& w = *dialog->Window();
    ASSERT_NE(w.MDISubWindow(), nullptr);
    EXPECT_EQ(w.MDISubWindow()->mdiArea(), &frame.ClientArea());
    EXPECT_EQ(dialog->GetPropertyFile(), Path("Styles/March.ini"));
    dialog->cmdButton_Click(0);
    dialog->cmdButton_Click(0);
    EXPECT_EQ(ReadBytes(Path("Styles/March.ini")), "Window Width=5400\r\n");
    dialog->Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(dialog->IsLoaded());
}

namespace {
QByteArray TooLongFile()
{
    QByteArray bytes = "Window Width=5400\r\n";
    for (int i = 0; i < mduLib::PropertyTable::kMaxUBound + 10; ++i)
        bytes += "My Key " + QByteArray::number(i) + "=v\r\n";
    return bytes;
}
} // namespace

// The window's own settings file takes only what the editor changed, into the file as it
// is when "Save" is pressed: what another copy of the program saved meanwhile stays.
TEST_F(PropertyEditor, SaveWritesTheEditsIntoTheFileAsItIsNow)
{
    gIniFile = Path("Almanorvique.ini");
    testsupport::WriteBytes(gIniFile, "Window Width=5400\r\nClock Colour=Black,Black,Red\r\n");
    gPropertyTable.Create(1);
    ASSERT_TRUE(mduLib::LoadIniFile(gIniFile, gPropertyTable));
    dialog->ShowProperty(caller.get(), "Almanorvique");
    Activate();
    testsupport::WriteBytes(gIniFile, "Window Width=5400\r\nClock Colour=Red,Black,Red\r\nAdded=1\r\n");
    Type(1, "6000");
    Press(0);
    Press(0);
    EXPECT_EQ(ReadBytes(gIniFile), "Window Width=6000\r\nClock Colour=Red,Black,Red\r\nAdded=1\r\n");
    // The defaults are edits of the window's file as well: saved, they reach it.
    caller->defaultIniFile = Path("default.ini");
    testsupport::WriteBytes(caller->defaultIniFile, "Window Width=4000\r\nClock Colour=Blue,Black,Red\r\n");
    QTest::keyClick(dialog->Window(), Qt::Key_F5);
    Press(0);
    Press(0);
    EXPECT_EQ(ReadBytes(gIniFile), "Window Width=4000\r\nClock Colour=Blue,Black,Red\r\nAdded=1\r\n");
    EXPECT_TRUE(boxes.Shown().empty());
}

// A file the store cannot read whole is never cut short by "Save": it stays, the edits stay
// marked, and the user is told why.
TEST_F(PropertyEditor, SaveLeavesAFileItCannotReadWholeAndSaysWhy)
{
    const struct {
        const char* what;
        QByteArray file;
        const char* reason;
    } cases[] = {
        {"over the line limit", TooLongFile(), "too long to read whole"},
        {"UTF-16 cut in a character", QByteArray("\xff\xfeW\0=\0", 6) + "5", "UTF-16"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        boxes.Clear();
        Open({"Window Width=5400"});
        testsupport::WriteBytes(gIniFile, c.file);
        Type(1, "6000");
        Press(0);
        Press(0);
        EXPECT_EQ(ReadBytes(gIniFile), c.file);
        EXPECT_EQ(Action(), "Save");
        EXPECT_NE(dialog->Changed, 0);
        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_TRUE(boxes.Shown()[0].prompt.contains(c.reason)) << boxes.Shown()[0].prompt.toStdString();
        dialog->Changed = 0;
        dialog->Unload();
    }
}

TEST_F(PropertyEditor, AMonthWindowsStyleThatCannotBeReadWholeIsNotReplaced)
{
    platform::MDIForm frame("frmMain");
    frame.Move(0, 0, 15000, 12000);
    frame.Show();
    auto child = std::make_unique<testsupport::DialogCaller>();
    frame.AddChild(*child);
    child->frame = &frame;
    child->Show();
    mduAlmanorvqueLib::gStylesFolder = Path("Styles/");
    QDir().mkpath(mduAlmanorvqueLib::gStylesFolder);
    testsupport::WriteBytes(Path("Styles/March.ini"), TooLongFile());
    gPropertyTable = TableOf({"Window Width=5400"});
    dialog->ShowPropertyMDIChild(child.get(), 100, 200, "March", 0);
    dialog->cmdButton_Click(0);
    dialog->cmdButton_Click(0);
    EXPECT_EQ(ReadBytes(Path("Styles/March.ini")), TooLongFile());
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_TRUE(boxes.Shown()[0].prompt.contains("too long to read whole"));
    dialog->Changed = 0;
    dialog->Unload();
}

// "Apply" on a real calendar window: every setting of the table is applied.
class PropertyEditorOnCalendar : public testsupport::ProgramFolderTest {
protected:
    platform::FixedClock clock_{QDateTime(QDate(2026, 3, 15), QTime(10, 0))};
    platform::ScriptedMessageBox boxes_;
};

TEST_F(PropertyEditorOnCalendar, ApplyShowsAChosenPictureWhateverEditCameWithIt)
{
    CopyShippedData({"ini"});
    mduAlmanorvqueLib::SetupDataFolders();
    const QString picture = Path("My pictures/harbour.jpg");
    QDir().mkpath(Path("My pictures"));
    QImage shot(64, 48, QImage::Format_RGB32);
    shot.fill(Qt::darkCyan);
    ASSERT_TRUE(shot.save(picture));
    const struct {
        const char* name;
        QStringList order; // the rows edited, in this order
    } cases[] = {
        {"picture, then width", {"Calendar Image Files", "Window Width"}},
        {"width, then picture", {"Window Width", "Calendar Image Files"}},
        {"picture alone", {"Calendar Image Files"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto w = std::make_unique<testsupport::TestCalendar>();
        w->ShowMe(0, QDate(2026, 3, 15));
        w->Timer1.Fire();
        ASSERT_EQ(w->FormState(), frmAlmanorvique::kRunning);
        ASSERT_NE(w->imgCalendar(0).Tag, picture);
        const float width = w->Width();
        w->PropertiesMenu_Click();
        frmProperties& editor = frmProperties::Default();
        ctlEditGrid& g = editor.grid();
        for (const QString& key : c.order) {
            qint32 row = 0;
            for (qint32 r = 1; r < g.Rows() && row == 0; ++r)
                if (g.TextMatrix(r, 0) == key)
                    row = r;
            ASSERT_GT(row, 0) << key.toStdString();
            g.LetTextMatrix(row, 1, key == "Window Width" ? QString::number(width + 1500) : picture);
            editor.CommitRow(row);
        }
        editor.cmdButton_Click(0); // "Apply"
        EXPECT_EQ(w->imgCalendar(0).Tag, picture);
        EXPECT_FALSE(w->imgCalendar(0).GetPicture().IsEmpty());
        if (c.order.contains("Window Width")) {
            EXPECT_FLOAT_EQ(w->Width(), width + 1500);
        }
        editor.Changed = 0;
        editor.Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        w->CloseDown_Click();
    }
}

TEST_F(PropertyEditor, ANewFileAsksBeforeItOverwritesAndNoKeepsTheFile)
{
    const struct {
        const char* name;
        bool exists;
        int answer;
        const char* written;
        bool asked;
    } cases[] = {
        {"exists, No", true, platform::vbNo, "Old=1\r\n", true},
        {"exists, Yes", true, platform::vbYes, "New=2\r\n", true},
        {"new", false, platform::vbNo, "New=2\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString target = Path(QStringLiteral("settings %1.ini").arg(c.name));
        gIniFile = target;
        if (c.exists)
            testsupport::WriteBytes(target, "Old=1\r\n");
        gPropertyTable = TableOf({"New=2"});
        dialog->ShowPropertyMDIChild(caller.get(), 0, 0, "", -1);
        ASSERT_NE(dialog->NewFileMode, 0);
        ASSERT_EQ(dialog->GetPropertyFile(), target);
        caller->boxes.clear();
        caller->answers = {c.answer};
        dialog->cmdButton_Click(0);
        EXPECT_EQ(ReadBytes(target), c.written);
        EXPECT_EQ(caller->boxes, c.asked ? QStringList{"Property File Exists: " + target +
                                                       "\r\nexists, do you want to over write this file?"}
                                         : QStringList());
        const bool saved = c.written == QByteArray("New=2\r\n");
        EXPECT_EQ(dialog->ActionButton().Caption(), saved ? "Launch" : "Save");
        EXPECT_EQ(dialog->NewFileMode, saved ? 0 : -1);
        dialog->Changed = 0;
        dialog->Unload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Opened from a month window of the frame, over other month windows.
class PropertyEditorInTheFrame : public testsupport::CentralFixture<testsupport::TestFrame> {
protected:
    platform::FixedClock clock_{QDateTime(QDate(2026, 4, 15), QTime(10, 0))};
    platform::ScriptedMessageBox boxes_;
    platform::ScriptedMenus menus_;
};

TEST_F(PropertyEditorInTheFrame, ItStaysUsableAboveTheMonthWindowsUntilItCloses)
{
    testsupport::TestFrame& f = Start();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.DoToolbarButton(4); // 12 months
    for (int i = 1; i <= 12; ++i)
        static_cast<testsupport::TestCalendar*>(f.MonthCalendar(i))->Timer1.Fire();
    frmAlmanorvique* feb = f.MonthCalendar(2);
    static_cast<testsupport::TestCalendar*>(feb)->PropertiesMenu_Click();
    frmProperties& editor = frmProperties::Default();
    ASSERT_NE(editor.Window(), nullptr);
    EntryTableWindow& w = *editor.Window();
    QMdiSubWindow* sub = w.MDISubWindow();
    ASSERT_NE(sub, nullptr);
    QMdiArea& area = f.ClientArea();
    auto onTop = [&] { return area.subWindowList(QMdiArea::StackingOrder).last() == sub; };
    // A month window that the editor covers in part.
    frmAlmanorvique* beneath = nullptr;
    for (int i = 1; i <= 12 && !beneath; ++i) {
        frmAlmanorvique* m = f.MonthCalendar(i);
        if (m != feb && m->MDISubWindow() && m->MDISubWindow()->geometry().intersects(sub->geometry()) &&
            !sub->geometry().contains(m->MDISubWindow()->geometry()))
            beneath = m;
    }
    ASSERT_NE(beneath, nullptr);
    EXPECT_TRUE(onTop());

    // The Orientation value, then its arrow: one press drops the list.
    ctlEditGrid& g = editor.grid();
    qint32 row = 0;
    for (qint32 r = 1; r < g.Rows() && row == 0; ++r)
        if (g.TextMatrix(r, 0) == "Orientation")
            row = r;
    ASSERT_GT(row, 0);
    g.ctlGrid.ShowCell(row, 1);
    QTest::mouseClick(g.ctlGrid.viewport(), Qt::LeftButton, {}, testsupport::CellPoint(g, row, 1));
    ASSERT_TRUE(g.ctlCombo(1).Visible());
    EXPECT_TRUE(onTop());
    // No window of its own: on X a native child window would take the pointer's events
    // from the month windows' share of the frame and the month windows from it.
    EXPECT_FALSE(w.testAttribute(Qt::WA_NativeWindow));
    EXPECT_FALSE(sub->testAttribute(Qt::WA_NativeWindow));
    QComboBox* combo = g.ctlCombo(1).Widget();
    QTest::mousePress(combo, Qt::LeftButton, {}, QPoint(combo->width() - 5, combo->height() / 2));
    EXPECT_TRUE(combo->view()->isVisible());
    EXPECT_TRUE(onTop());
    QTest::keyClick(combo->view(), Qt::Key_Escape);
    // The offscreen desktop leaves the closed list the active window: the frame takes it back
    // as a real desktop gives it back.
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &f; }));

    // The pointer over a month window's own part gives that window the focus; the editor
    // stays above it.
    QWidget* monthForm = beneath;
    const QRect shared = monthForm->rect();
    QTest::mouseMove(monthForm, shared.topLeft() + QPoint(5, 5));
    QApplication::processEvents();
    EXPECT_EQ(area.activeSubWindow(), beneath->MDISubWindow());
    EXPECT_TRUE(onTop());
    // And a click on the editor still edits there.
    QTest::mouseClick(g.ctlGrid.viewport(), Qt::LeftButton, {}, testsupport::CellPoint(g, 1, 1));
    EXPECT_EQ(area.activeSubWindow(), sub);
    EXPECT_TRUE(g.EditOpen());
    editor.Changed = 0;
    editor.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The date manager opened from the month window stays above the month windows too.
    static_cast<testsupport::TestCalendar*>(feb)->ApplySetting("Date Manager", "", "");
    frmDateManager& manager = frmDateManager::Default();
    ASSERT_NE(manager.Window(), nullptr);
    QMdiSubWindow* managerSub = manager.Window()->MDISubWindow();
    ASSERT_NE(managerSub, nullptr);
    for (int i = 1; i <= 12; ++i) {
        QTest::mouseMove(f.MonthCalendar(i), QPoint(5, 5));
        QApplication::processEvents();
        EXPECT_EQ(area.subWindowList(QMdiArea::StackingOrder).last(), managerSub) << i;
    }
    manager.Changed = 0;
    manager.Unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
