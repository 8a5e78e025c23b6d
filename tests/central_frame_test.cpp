#include "tests/support/test_frame.h"
#include "calendar/calendar_window.h"
#include "core/app_identity.h"
#include "core/data_folders.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "system/program_end.h"
#include "support/test_folders.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QTest>
#include <gtest/gtest.h>

using namespace mduAlmanorvqueLib;
using testsupport::TestFrame;

class CentralFrame : public testsupport::ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        CopyShippedData({"ini"});
        appinfo::SetIdentity("Almanorvique Central", "AlmanorviqueCentral");
        platform::ResetProgramEnded();
        platform::SetEndProgramHandler([this] { ++ended_; });
    }
    void TearDown() override
    {
        frame_.reset();
        platform::SetEndProgramHandler(nullptr);
        platform::ResetProgramEnded();
        appinfo::SetIdentity("Almanorvique", "Almanorvique");
        ProgramFolderTest::TearDown();
    }
    // A frame through Load and, when asked, its first tick.
    TestFrame& Start(bool firstTick = true)
    {
        frame_ = std::make_unique<TestFrame>();
        frame_->EnsureLoaded();
        if (firstTick)
            frame_->timerCtrl.Fire();
        return *frame_;
    }
    QString User(const QString& f = {}) const { return Path("tester/" + f); }
    QString Country(const QString& f = {}) const { return Path("tester/United Kingdom/" + f); }

    platform::FixedClock clock_{QDateTime(QDate(2026, 4, 15), QTime(10, 0))};
    platform::ScriptedMessageBox boxes_;
    std::unique_ptr<TestFrame> frame_;
    int ended_ = 0;
};

TEST_F(CentralFrame, Debug0)
{
    auto f = std::make_unique<TestFrame>();
    qDebug() << "ctor" << f->MainWindow().isHidden() << f->MainWindow().testAttribute(Qt::WA_WState_ExplicitShowHide) << f->ClientArea().testAttribute(Qt::WA_WState_ExplicitShowHide);
    f->EnsureLoaded();
    qDebug() << "load" << f->MainWindow().isHidden();
}
TEST_F(CentralFrame, Debug)
{
    TestFrame& f = Start();
    QApplication::processEvents();
    qDebug() << f.isVisible() << f.MainWindow().isHidden() << f.MainWindow().isVisible() << f.layout();
    qDebug() << f.geometry() << f.MainWindow().geometry() << f.ClientArea().geometry() << f.picMain->geometry()
             << f.picMain->isVisible() << f.Toolbar().Widget().isVisible() << f.Toolbar().Widget().geometry();
    for (int i = 1; i <= 12; ++i)
        qDebug() << i << f.MonthCalendar(i) << (f.MonthCalendar(i) ? f.MonthCalendar(i)->MDISubWindow()->geometry() : QRect());
}
