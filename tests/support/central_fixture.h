#pragma once
// A test of the multi-calendar frame: a program folder with the shipped settings
// templates, the central program's identity, a program end that only counts, and a frame
// (of a test's own subclass) through Load and, when asked, its first tick.
#include "core/app_identity.h"
#include "support/test_folders.h"
#include "system/program_end.h"

#include <memory>

namespace testsupport {

template <class FrameT> class CentralFixture : public ProgramFolderTest {
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
        appinfo::SetCommandLine(QString());
        platform::SetEndProgramHandler(nullptr);
        platform::ResetProgramEnded();
        appinfo::SetIdentity("Almanorvique", "Almanorvique");
        ProgramFolderTest::TearDown();
    }
    FrameT& Start(bool firstTick = true)
    {
        frame_ = std::make_unique<FrameT>();
        frame_->EnsureLoaded();
        if (firstTick)
            frame_->TimerCtrl().Fire();
        return *frame_;
    }

    std::unique_ptr<FrameT> frame_;
    int ended_ = 0;
};

} // namespace testsupport
