#pragma once
// A temporary program folder with the shipped templates, as the programs would find it.
#include "core/data_folders.h"
#include "system/user_locale.h"
#include "tests/support/scratch_program_folder.h"

#include <QTemporaryDir>
#include <fstream>
#include <string>

namespace bench {

// A "Vm...:" field of the process status in kB (VmHWM the peak, VmRSS the present size).
inline long StatusKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stol(line.substr(field.size() + 1));
    return 0;
}
inline long PeakRssKb() { return StatusKb("VmHWM"); }
inline long CurrentRssKb() { return StatusKb("VmRSS"); }

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
