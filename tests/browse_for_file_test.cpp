#include "core/data_folders.h"
#include "support/test_folders.h"
#include "system/message_box.h"
#include "ui/browse_for_file.h"
#include "ui/common_dialog.h"
#include "ui/form.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using mduAlmanorvqueLib::BrowseForFile;
using platform::CommonDialog;

namespace {
enum class Answer { Choose, Cancel, ConfirmEmpty, Fail };
struct Seen {
    CommonDialog::Kind kind;
    QString defaultExt, fileName, filter, initDir;
};
} // namespace

class BrowseFile : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        mduAlmanorvqueLib::SetupDataFolders();
        CommonDialog::SetRunner([this](CommonDialog::Kind kind, CommonDialog& d) {
            seen_.push_back({kind, d.DefaultExt, d.FileName, d.Filter, d.InitDir});
            switch (answer_) {
            case Answer::Choose:
                d.FileName = chosen_;
                return true;
            case Answer::ConfirmEmpty:
                d.FileName.clear();
                return true;
            case Answer::Fail:
                throw std::runtime_error("no dialog");
            case Answer::Cancel:
                break;
            }
            return false;
        });
    }
    void TearDown() override
    {
        CommonDialog::SetRunner(nullptr);
        ProgramFolderTest::TearDown();
    }

    platform::Form form_{"frmAlmanorvique"};
    CommonDialog objDialog_{&form_};
    platform::ScriptedMessageBox boxes_;
    Answer answer_ = Answer::Choose;
    QString chosen_ = "/pictures/Lake.jpg";
    std::vector<Seen> seen_;
};

TEST_F(BrowseFile, EachKindSetsUpTheOpenDialog)
{
    using mduAlmanorvqueLib::gImagesFolder;
    using mduAlmanorvqueLib::gStylesFolder;
    ASSERT_FALSE(gImagesFolder.isEmpty());
    ASSERT_FALSE(gStylesFolder.isEmpty());
    const QString images = "*.bmp;*.gif;*.jpg";
    const struct {
        const char* kind;
        QString defaultExt, fileName, filter, initDir;
    } cases[] = {
        {"Calendar Image Files", images, images, "Image (*.bmp;*.gif;*.jpg)", gImagesFolder},
        {"Calendar Background Files", images, images, "Image (*.bmp;*.gif;*.jpg)", gImagesFolder},
        {"Window Background Files", images, images, "Image (*.bmp;*.gif;*.jpg)", gImagesFolder},
        {"Window Styles", "*.ini", "*.ini", "Ini (*.ini)", gStylesFolder},
        // Any other kind shows the dialog as it stands: here, as the last use left it.
        {"Holiday Files", "*.ini", chosen_, "Ini (*.ini)", gStylesFolder},
    };
    for (const auto& c : cases) {
        seen_.clear();
        EXPECT_EQ(BrowseForFile(objDialog_, c.kind, "None"), chosen_) << c.kind;
        ASSERT_EQ(seen_.size(), 1u) << c.kind;
        EXPECT_EQ(seen_[0].kind, CommonDialog::Kind::Open) << c.kind;
        EXPECT_EQ(seen_[0].defaultExt, c.defaultExt) << c.kind;
        EXPECT_EQ(seen_[0].fileName, c.fileName) << c.kind;
        EXPECT_EQ(seen_[0].filter, c.filter) << c.kind;
        EXPECT_EQ(seen_[0].initDir, c.initDir) << c.kind;
    }
    EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(BrowseFile, CancelAndFailureGiveNothingSilently)
{
    const struct {
        Answer answer;
        bool cancelError;
    } cases[] = {{Answer::Cancel, true}, {Answer::Cancel, false}, {Answer::Fail, true}, {Answer::Fail, false}};
    for (const auto& c : cases) {
        answer_ = c.answer;
        objDialog_.CancelError = c.cancelError;
        EXPECT_EQ(BrowseForFile(objDialog_, "Calendar Image Files", "/old/choice.jpg"), "");
    }
    EXPECT_TRUE(boxes_.Shown().empty());
}

TEST_F(BrowseFile, AConfirmedDialogWithoutANameIsReportedByTheWindow)
{
    answer_ = Answer::ConfirmEmpty;
    EXPECT_EQ(BrowseForFile(objDialog_, "Window Styles", ""), "");
    ASSERT_EQ(boxes_.Shown().size(), 1u);
    const platform::MessageBoxRequest& box = boxes_.Shown()[0];
    EXPECT_EQ(box.prompt, "File is not set ");
    EXPECT_EQ(box.title, "Set File Error");
    EXPECT_EQ(box.buttons, platform::vbCritical | platform::vbOKOnly);
    EXPECT_EQ(box.owner, &form_);
}

TEST(CommonFileDialog, APatternPresetStandsInTheNameBox)
{
    // The real dialog: "Save Style As" opens with "*.ini" in its name box.
    const struct {
        QString preset, shown;
    } cases[] = {{"*.ini", "*.ini"}, {"Parchment.ini", "Parchment.ini"}};
    for (const auto& c : cases) {
        platform::Form owner(QStringLiteral("frmOwner"));
        CommonDialog d(&owner);
        d.DialogTitle = "Save Style As";
        d.Filter = "Style Files (*.ini)|*.ini";
        d.FileName = c.preset;
        d.InitDir = QDir::tempPath();
        QString shown = "(no dialog)";
        QString filterAfterEnter;
        bool enterPressed = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            auto* name = dlg->findChild<QLineEdit*>("fileNameEdit");
            if (name)
                shown = name->text();
            if (!enterPressed && name && c.preset.contains('*')) {
                enterPressed = true;
                // Enter on the pattern filters the list; the dialog stays.
                QTest::keyClick(name, Qt::Key_Return);
                if (dlg->isVisible())
                    filterAfterEnter = dlg->selectedNameFilter();
            }
            dlg->reject();
        });
        poll.start(20);
        EXPECT_FALSE(d.ShowSave());
        EXPECT_EQ(shown, c.shown) << c.preset.toStdString();
        if (enterPressed) {
            EXPECT_EQ(filterAfterEnter, c.preset);
        }
        EXPECT_EQ(d.FileName, c.preset); // nothing chosen
    }
}
