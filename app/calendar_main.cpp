#include "calendar_main.h"

#include "calendar/calendar_window.h"
#include "core/data_folders.h"
#include "core/file_helpers.h"
#include "core/program_path.h"
#include "system/clock.h"

namespace calendarmain {

void Main()
{
    mduAlmanorvqueLib::SetupDataFolders();
    const int style = mduLib::IsScreenSaverRun() ? frmAlmanorvique::kScreenSaverStyle : frmAlmanorvique::kNormalStyle;
    frmAlmanorvique::Default().ShowMe(style, platform::Today());
    StoreProgramPath();
}

void StoreProgramPath() { mduLib::StoreProgramPath(); }
QString GetStoredProgramPath() { return mduLib::GetStoredProgramPath(); }

} // namespace calendarmain
