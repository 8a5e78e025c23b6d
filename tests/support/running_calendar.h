#pragma once
// A calendar window on 10 December 2026 at 10:00 through its full load, in a program
// folder of its own, with British dates and no date files yet.
#include "core/data_folders.h"
#include "support/test_folders.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "system/program_end.h"
#include "tests/support/test_calendar.h"

#include <QLocale>
#include <memory>

namespace testsupport {

class RunningCalendarTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        CopyShippedData({"ini"});
        mduAlmanorvqueLib::SetupDataFolders();
        platform::ResetProgramEnded();
        platform::SetEndProgramHandler([] {});
    }
    void TearDown() override
    {
        w_.reset();
        platform::SetEndProgramHandler(nullptr);
        platform::ResetProgramEnded();
        QLocale::setDefault(QLocale::c());
        ProgramFolderTest::TearDown();
    }
    // A new window through its full load (a window closed before is replaced).
    TestCalendar& Open()
    {
        platform::ResetProgramEnded();
        w_ = std::make_unique<TestCalendar>();
        w_->ShowMe(0, QDate(2026, 12, 10));
        w_->Timer1.Fire();
        return *w_;
    }

    platform::FixedClock clock_{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
    platform::ScriptedMessageBox boxes_;
    std::unique_ptr<TestCalendar> w_;
};

} // namespace testsupport
