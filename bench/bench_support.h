#pragma once
// A temporary program folder with the shipped templates, as the programs would find it.
#include "core/data_folders.h"
#include "system/user_locale.h"
#include "tests/support/scratch_program_folder.h"

#include <QTemporaryDir>
#include <fstream>
#include <string>

namespace bench {

inline long PeakRssKb()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

class ProgramFolder {
public:
    // With pictures the shipped ones come along, and a first start names them.
    explicit ProgramFolder(bool pictures = false)
    {
        testsupport::UseScratchProgramFolder(dir_.path());
        platform::SetLoginNameOverride("bench");
        QStringList folders = {"ini", "Dates"};
        if (pictures)
            folders << "Images";
        testsupport::CopyShippedFolders(dir_.path() + "/program", folders);
        mduAlmanorvqueLib::SetupDataFolders();
    }
    ~ProgramFolder() { testsupport::ReleaseScratchProgramFolder(); }
    QString Path(const QString& rel) const { return dir_.path() + "/" + rel; }

private:
    QTemporaryDir dir_;
};

} // namespace bench
