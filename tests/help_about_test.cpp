#include "core/app_identity.h"
#include "core/help_about.h"
#include "support/test_folders.h"
#include "system/message_box.h"
#include "ui/form.h"
#include "ui/help_viewer.h"

#include <QAction>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace mduUILib;

class Help : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        appinfo::SetIdentity("Almanorvique", "Almanorvique");
        SetHelpViewer([this](const QString& path, int context, QObject* owner) {
            opened_.push_back({path, context, owner});
        });
    }
    void TearDown() override
    {
        SetHelpViewer(nullptr);
        SetActiveHelpWindow(nullptr);
        delete platform::HelpWindow();
        appinfo::SetIdentity("Almanorvique", "Almanorvique");
        ProgramFolderTest::TearDown();
    }
    void ActiveWindow(platform::Form* form)
    {
        SetActiveHelpWindow([form] { return HelpWindowRef{form, &form->HelpContextID}; });
    }
    QString PageOf(const QString& file, int context) const
    {
        return platform::HelpPagePath(Path("Help/" + file), context);
    }

    struct Opened {
        QString path;
        int context;
        QObject* owner;
    };
    std::vector<Opened> opened_;
};

TEST_F(Help, AnEmptyNameIsTheProgramsOwnHelpAtTheWindowsContext)
{
    platform::Form form("frmAlmanorvique");
    ActiveWindow(&form);
    QString file;
    OpenHelpTopic(file);
    EXPECT_EQ(file, "Almanorvique.chm");
    EXPECT_EQ(form.HelpContextID, 100); // a window without a context keeps the default
    ASSERT_EQ(opened_.size(), 1u);
    EXPECT_EQ(opened_[0].path, Path("Help/Almanorvique.chm"));
    EXPECT_EQ(opened_[0].context, 100);
    EXPECT_EQ(opened_[0].owner, &form);

    appinfo::SetIdentity("Almanorvique Central", "AlmanorviqueCentral");
    form.HelpContextID = 400;
    QString other;
    OpenHelpTopic(other);
    EXPECT_EQ(other, "AlmanorviqueCentral.chm");
    EXPECT_EQ(opened_.back().context, 400);

    QString named = "almanorvique.chm";
    OpenHelpTopic(named);
    EXPECT_EQ(named, "almanorvique.chm");
    EXPECT_EQ(opened_.back().path, Path("Help/almanorvique.chm"));
}

TEST_F(Help, WithoutAnActiveWindowTheDefaultPageOpensWithoutOwner)
{
    QString file;
    OpenHelpTopic(file); // no active-window provider at all
    SetActiveHelpWindow([] { return HelpWindowRef{}; });
    OpenHelpTopic(file);
    ASSERT_EQ(opened_.size(), 2u);
    for (const Opened& o : opened_) {
        EXPECT_EQ(o.path, Path("Help/Almanorvique.chm"));
        EXPECT_EQ(o.context, 100);
        EXPECT_EQ(o.owner, nullptr);
    }
}

TEST_F(Help, HelpFileAndContextMapToAPageOfTheHelpFolder)
{
    CopyShippedData({"Help"});
    testsupport::WriteBytes(Path("Help/small/100.html"), "<html><body>only page</body></html>");
    const struct {
        const char* file;
        int context;
        const char* page; // under the program folder; "" for none
    } cases[] = {
        {"almanorvique.chm", 100, "Help/almanorvique/100.html"},
        {"Almanorvique.chm", 400, "Help/almanorvique/400.html"},
        {"AlmanorviqueCentral.chm", 100, "Help/almanorviquecentral/100.html"},
        {"ALMANORVIQUECENTRAL.CHM", 400, "Help/almanorviquecentral/400.html"},
        {"almanorvique.chm", 555, "Help/almanorvique/index.html"}, // unknown context: contents
        {"almanorvique.chm", 0, "Help/almanorvique/index.html"},
        {"small.chm", 100, "Help/small/100.html"},
        {"small.chm", 400, ""}, // no page and no contents
        {"Missing.chm", 100, ""},
    };
    for (const auto& c : cases) {
        const QString expected = *c.page ? Path(c.page) : QString();
        EXPECT_EQ(PageOf(c.file, c.context), expected) << c.file << " " << c.context;
    }
}

TEST_F(Help, OneHelpWindowShowsThePagesAndGoesBackForwardAndToTheContents)
{
    CopyShippedData({"Help"});
    EXPECT_FALSE(platform::ShowHelp(Path("Help/Missing.chm"), 100, nullptr));
    EXPECT_EQ(platform::HelpWindow(), nullptr);

    ASSERT_TRUE(platform::ShowHelp(Path("Help/Almanorvique.chm"), 100, nullptr));
    QWidget* window = platform::HelpWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->parentWidget(), nullptr);
    QTextBrowser* browser = platform::HelpBrowser();
    EXPECT_EQ(browser->source().toLocalFile(), Path("Help/almanorvique/100.html"));
    EXPECT_EQ(window->windowTitle(), "Almanorvique - The calendar window");

    ASSERT_TRUE(platform::ShowHelp(Path("Help/Almanorvique.chm"), 400, nullptr));
    EXPECT_EQ(platform::HelpWindow(), window); // reused
    EXPECT_EQ(browser->source().toLocalFile(), Path("Help/almanorvique/400.html"));

    browser->backward();
    EXPECT_EQ(browser->source().toLocalFile(), Path("Help/almanorvique/100.html"));
    browser->forward();
    EXPECT_EQ(browser->source().toLocalFile(), Path("Help/almanorvique/400.html"));

    QAction* contents = nullptr;
    for (QAction* a : window->findChildren<QAction*>())
        if (a->text() == "Contents")
            contents = a;
    ASSERT_NE(contents, nullptr);
    contents->trigger();
    EXPECT_EQ(browser->source().toLocalFile(), Path("Help/almanorvique/index.html"));

    EXPECT_TRUE(browser->toPlainText().contains("Almanorvique Help"));
}

TEST_F(Help, F1OnAWindowWithoutContextOpensItsDefaultPageOwnedByIt)
{
    CopyShippedData({"Help"});
    platform::InstallHelpViewer();
    auto form = std::make_unique<platform::Form>("frmAlmanorvique");
    ActiveWindow(form.get());
    QString file;
    OpenHelpTopic(file);
    EXPECT_EQ(form->HelpContextID, 100);
    ASSERT_NE(platform::HelpWindow(), nullptr);
    EXPECT_EQ(platform::HelpWindow()->parentWidget(), form.get());
    EXPECT_EQ(platform::HelpBrowser()->source().toLocalFile(), Path("Help/almanorvique/100.html"));

    // The window goes with its owner; the next request opens a new one.
    form.reset();
    EXPECT_EQ(platform::HelpWindow(), nullptr);
    SetActiveHelpWindow(nullptr);
    appinfo::SetIdentity("Almanorvique Central", "AlmanorviqueCentral");
    QString central;
    OpenHelpTopic(central);
    ASSERT_NE(platform::HelpWindow(), nullptr);
    EXPECT_EQ(platform::HelpWindow()->parentWidget(), nullptr);
    EXPECT_EQ(platform::HelpBrowser()->source().toLocalFile(), Path("Help/almanorviquecentral/100.html"));
}

TEST_F(Help, TheActiveFormIsTheWindowOrItsActiveChildWindow)
{
    EXPECT_EQ(platform::HelpFormOf(nullptr), nullptr);
    QWidget plain;
    EXPECT_EQ(platform::HelpFormOf(&plain), nullptr);
    platform::Form single("frmAlmanorvique");
    EXPECT_EQ(platform::HelpFormOf(&single), &single);

    QMainWindow frame;
    auto* area = new QMdiArea(&frame);
    frame.setCentralWidget(area);
    auto* child = new platform::Form("frmAlmanorvique");
    QMdiSubWindow* sub = area->addSubWindow(child);
    frame.show();
    sub->show();
    area->setActiveSubWindow(sub);
    ASSERT_EQ(area->activeSubWindow(), sub);
    EXPECT_EQ(platform::HelpFormOf(&frame), child);
}

TEST_F(Help, AboutShowsTitleVersionAndNoticeInAnOkBox)
{
    appinfo::SetIdentity("Almanorvique Central", "AlmanorviqueCentral");
    const QString text = AboutText();
    EXPECT_TRUE(text.startsWith("Almanorvique Central version " + appinfo::Version() + " - ")) << text.toStdString();
    EXPECT_GE(text.split("\r\n").size(), 3);
    platform::ScriptedMessageBox boxes;
    ShowAbout();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].prompt, text);
    EXPECT_EQ(boxes.Shown()[0].buttons, platform::vbOKOnly);
    EXPECT_EQ(boxes.Shown()[0].title, "About");
}
