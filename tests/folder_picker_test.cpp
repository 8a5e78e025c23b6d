// The folder and file picker: its layout figures and what OK hands back.
#include "editors/dialogs/folder_picker.h"
#include "support/dialog_caller.h"
#include "support/test_folders.h"
#include "system/message_box.h"
#include "ui/menu_items.h"
#include "ui/twips.h"

#include <QFile>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

using folderpicker::PickerLayout;

TEST(FolderPickerLayout, TheFiguresOfResizeAndDrop)
{
    PickerLayout l = folderpicker::DesignedLayout();
    l.handle.left = folderpicker::InitialHandleLeft(7710);
    EXPECT_FLOAT_EQ(l.handle.left, 2570);
    EXPECT_FLOAT_EQ(folderpicker::InitialHandleLeft(0), 1);

    // A window 1000 twips high.
    PickerLayout r = folderpicker::Resized(l, 7710, 1000);
    EXPECT_FLOAT_EQ(r.handle.height, 350);
    EXPECT_FLOAT_EQ(r.bar.height, 350);
    EXPECT_FLOAT_EQ(r.file.height, 200);
    EXPECT_FLOAT_EQ(r.folder.height, 300);
    EXPECT_FLOAT_EQ(r.cancel.top, 400);
    EXPECT_FLOAT_EQ(r.ok.top, 400);
    EXPECT_FLOAT_EQ(r.drive.width, 2570 - 120 - 30);
    EXPECT_FLOAT_EQ(r.file.left, 2630);
    EXPECT_FLOAT_EQ(r.file.width, 7710 - 2630 - 200);
    EXPECT_FLOAT_EQ(r.ok.width, (7710 - 2570) * 0.3f);
    EXPECT_FLOAT_EQ(r.ok.left, 2630 + r.file.width - r.ok.width - 300);
    EXPECT_FLOAT_EQ(r.cancel.left, r.ok.left - r.cancel.width - 200);

    // A wide window: the buttons stop at 1695; a narrow one keeps 200.
    r = folderpicker::Resized(l, 30000, 6000);
    EXPECT_FLOAT_EQ(r.ok.width, 1695);
    EXPECT_FLOAT_EQ(r.cancel.width, 1695);
    r = folderpicker::Resized(l, 2600, 6000);
    EXPECT_FLOAT_EQ(r.ok.width, 200);
    EXPECT_FLOAT_EQ(r.file.width, 300);
    EXPECT_FLOAT_EQ(r.ok.left, 2630 + 300 - 200 - 300);
    EXPECT_FLOAT_EQ(r.cancel.left, 2430 - 200 - 200);
    // Buttons pushed past the left edge stop at 300 and 200.
    l.handle.left = 10;
    r = folderpicker::Resized(l, 400, 6000);
    EXPECT_FLOAT_EQ(r.ok.left, 300);
    EXPECT_FLOAT_EQ(r.cancel.left, 200);

    // A splitter dropped 100 twips from the left edge.
    l.bar.left = 100;
    l.bar.top = 120;
    PickerLayout d = folderpicker::Dropped(l, 7710);
    EXPECT_FLOAT_EQ(d.drive.width, 300);
    EXPECT_FLOAT_EQ(d.folder.width, 300);
    EXPECT_FLOAT_EQ(d.file.left, 190);
    EXPECT_FLOAT_EQ(d.file.width, 7710 - 300 - 450);
    EXPECT_FLOAT_EQ(d.handle.left, 100);
}

TEST(FileListPatterns, MatchWithoutCase)
{
    const QString pattern = "*.bmp;*.gif;*.jpg";
    EXPECT_TRUE(platform::FileList::Matches("sea.JPG", pattern));
    EXPECT_TRUE(platform::FileList::Matches("a.gif", pattern));
    EXPECT_FALSE(platform::FileList::Matches("a.png", pattern));
    EXPECT_FALSE(platform::FileList::Matches("a.jpg.txt", pattern));
}

class FolderPicker : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        folder = Path("pictures");
        for (const char* f : {"b.jpg", "a.GIF", "c.bmp", "notes.txt"})
            testsupport::WriteBytes(folder + "/" + f, "x");
        QDir().mkpath(folder + "/sub");
        picker = std::make_unique<frmFolder>();
    }
    void TearDown() override
    {
        picker.reset();
        ProgramFolderTest::TearDown();
    }
    void Press(int index) { QTest::mouseClick(picker->cmdOperation(index).Widget(), Qt::LeftButton); }

    QString folder;
    testsupport::DialogCaller caller;
    std::unique_ptr<frmFolder> picker;
    platform::ScriptedMessageBox boxes;
};

TEST_F(FolderPicker, SeveralFilesGiveOneAddFileEachInListOrder)
{
    EXPECT_EQ(picker->GetFile(folder, &caller, "*.bmp;*.gif;*.jpg"), ""); // no current entry yet
    ASSERT_EQ(picker->File1.ListCount(), 3);
    EXPECT_EQ(picker->File1.List(0), "a.GIF");
    EXPECT_TRUE(picker->File1.Enabled());
    // Without a current entry nothing is passed.
    picker->File1.SetSelected(0, true);
    Press(1);
    EXPECT_TRUE(caller.calls.isEmpty());
    EXPECT_FALSE(picker->IsLoaded());

    picker->GetFile(folder, &caller, "*.bmp;*.gif;*.jpg");
    picker->File1.SetListIndex(1);
    platform::ScriptedMenus menus;
    menus.Pick("Select All");
    QTest::mouseClick(picker->File1.Widget()->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    Press(1);
    const QString p = QDir::cleanPath(folder);
    EXPECT_EQ(caller.calls,
              (QStringList{"AddFile " + p + "|a.GIF", "AddFile " + p + "|b.jpg", "AddFile " + p + "|c.bmp"}));
}

TEST_F(FolderPicker, FolderModeOneFileModeAndCancel)
{
    EXPECT_EQ(picker->GetFolder(folder, &caller, "*.*"), QDir::cleanPath(folder));
    EXPECT_FALSE(picker->File1.Enabled()); // shown, but not for choosing
    EXPECT_EQ(picker->File1.ListCount(), 4);
    // A click in the folder list shows that folder's files.
    picker->Dir1.SetListIndex(picker->Dir1.ListCount() - 1);
    picker->Dir1_Click();
    EXPECT_EQ(picker->File1.Path(), QDir::cleanPath(folder + "/sub"));
    Press(1);
    EXPECT_EQ(caller.calls, QStringList{"RefreshFolder " + QDir::cleanPath(folder + "/sub")});

    caller.calls.clear();
    picker->SetFile("ignored", &caller);
    EXPECT_TRUE(picker->File1.Enabled());
    picker->File1.SetPath(folder);
    picker->File1.SetListIndex(2);
    Press(1);
    EXPECT_EQ(caller.calls, QStringList{"SetFile " + QDir::cleanPath(folder) + "|c.bmp"});

    caller.calls.clear();
    picker->GetFile(folder, &caller, "*.jpg");
    picker->File1.SetListIndex(0);
    Press(0);
    EXPECT_TRUE(caller.calls.isEmpty()); // Cancel never calls the caller
    EXPECT_FALSE(picker->IsLoaded());
}

TEST_F(FolderPicker, TheSplitterDropsWhereTheBarWas)
{
    picker->GetFolder(folder, &caller, "*.*");
    const float handleLeft = picker->Layout().handle.left;
    picker->imgSplitter_MouseDown(1, 0, 10, 10);
    EXPECT_TRUE(picker->picSplitter.Visible());
    EXPECT_FALSE(picker->imgSplitter.Visible());
    picker->imgSplitter_MouseMove(1, 0, 600, 10);
    picker->imgSplitter_MouseUp(1, 0, 600, 10);
    EXPECT_FALSE(picker->picSplitter.Visible());
    EXPECT_TRUE(picker->imgSplitter.Visible());
    EXPECT_FLOAT_EQ(picker->Layout().handle.left, handleLeft + 600);
    EXPECT_FLOAT_EQ(picker->File1.Left(), handleLeft + 690);
}

TEST_F(FolderPicker, TheDraggedBarShowsAboveTheLists)
{
    picker->GetFile(folder, &caller, "*.*");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(picker.get()));
    picker->imgSplitter_MouseDown(1, 0, 10, 10);
    // Dragged well into the file list.
    const float x = picker->File1.Left() + 600 - picker->Layout().handle.left;
    picker->imgSplitter_MouseMove(1, 0, x, 10);
    const QPoint middle(platform::TwipsToPixelsX(picker->Layout().handle.left + x + 30),
                        platform::TwipsToPixelsY(picker->File1.Top() + picker->File1.Height() / 2));
    ASSERT_TRUE(picker->File1.Widget()->geometry().contains(middle));
    EXPECT_EQ(picker->grab().toImage().pixelColor(middle), QColor(0x80, 0x80, 0x80));
    picker->imgSplitter_MouseUp(1, 0, x, 10);
    EXPECT_NE(picker->grab().toImage().pixelColor(middle), QColor(0x80, 0x80, 0x80));
}

namespace {
// The test runs as a user who may not read every folder: without the superuser's power to
// read and search any folder (root's tests would otherwise read a folder of mode 000). The
// permitted set keeps them, so they come back at the end.
class WithoutReadOverride {
public:
    WithoutReadOverride()
    {
        if (syscall(SYS_capget, &header_, saved_) != 0)
            return;
        __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        active_ = syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~WithoutReadOverride()
    {
        if (active_)
            syscall(SYS_capset, &header_, saved_);
    }
    WithoutReadOverride(const WithoutReadOverride&) = delete;
    WithoutReadOverride& operator=(const WithoutReadOverride&) = delete;

private:
    __user_cap_header_struct header_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct saved_[2] = {};
    bool active_ = false;
};
} // namespace

TEST_F(FolderPicker, AFolderItMayNotReadIsSaidToBeUnreadable)
{
    const QString locked = QDir::cleanPath(folder + "/locked");
    testsupport::WriteBytes(locked + "/hidden.jpg", "x");
    ASSERT_TRUE(QFile::setPermissions(locked, {}));
    const WithoutReadOverride user;
    if (QDir(locked).entryList(QDir::Files).contains("hidden.jpg")) {
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "this user reads a folder of mode 000";
    }
    picker->GetFile(folder, &caller, "*.jpg");
    int lockedEntry = -1;
    for (int i = 0; i < picker->Dir1.ListCount(); ++i)
        if (picker->Dir1.List(i) == locked)
            lockedEntry = i;
    ASSERT_GE(lockedEntry, 0);
    const QString said = "The folder cannot be read (permission denied):\r\n" + locked;
    // A click on it, and a double click that would open it.
    picker->Dir1.SetListIndex(lockedEntry);
    picker->Dir1_Click();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].prompt, said);
    EXPECT_EQ(boxes.Shown()[0].title, "Folder");
    EXPECT_EQ(picker->File1.Path(), QDir::cleanPath(folder)); // the files of the folder shown before
    QListWidget* list = picker->Dir1.Widget();
    emit list->itemDoubleClicked(list->item(lockedEntry));
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[1].prompt, said);
    EXPECT_EQ(picker->Dir1.Path(), QDir::cleanPath(folder));
    for (const auto& b : boxes.Shown())
        EXPECT_FALSE(b.prompt.contains("Device")) << b.prompt.toStdString();
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}
