#pragma once
// A temporary program folder with the shipped templates, as the programs would find it.
#include "core/app_identity.h"
#include "core/data_folders.h"
#include "system/registry_store.h"
#include "ui/timer.h"
#include "system/user_locale.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
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
    ProgramFolder()
    {
        const QString prog = dir_.path() + "/program";
        for (const QString folder : {"ini", "Dates"}) {
            QDirIterator it(QStringLiteral(ALMANORVIQUE_PROGRAM_DIR) + "/" + folder, QDir::Files,
                            QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString f = it.next();
                const QString dst = prog + "/" + QDir(QStringLiteral(ALMANORVIQUE_PROGRAM_DIR)).relativeFilePath(f);
                QDir().mkpath(QFileInfo(dst).absolutePath());
                QFile::copy(f, dst);
            }
        }
        appinfo::SetProgramFolder(prog);
        platform::registry::SetStorePath(dir_.path() + "/registry.json");
        platform::registry::SetConfigFolder(dir_.path() + "/config");
        platform::SetLoginNameOverride("bench");
        platform::SetLocaleCountryOverride("United Kingdom");
        platform::Timer::SetManualMode(true);
        mduAlmanorvqueLib::SetupDataFolders();
    }
    QString Path(const QString& rel) const { return dir_.path() + "/" + rel; }

private:
    QTemporaryDir dir_;
};

} // namespace bench
