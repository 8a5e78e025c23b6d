#include "scratch_program_folder.h"

#include "core/app_identity.h"
#include "core/data_folders.h"
#include "system/registry_store.h"
#include "system/user_locale.h"
#include "ui/timer.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#ifndef ALMANORVIQUE_PROGRAM_DIR
#error "the scratch program folder needs the build's program folder"
#endif

namespace testsupport {

void UseScratchProgramFolder(const QString& scratch)
{
    const QString program = scratch + "/program";
    QDir().mkpath(program);
    appinfo::SetProgramFolder(program);
    appinfo::SetCommandLine(QString());
    platform::registry::SetConfigFolder(scratch + "/config");
    platform::registry::SetStorePath(scratch + "/config/registry.json");
    platform::SetLoginNameOverride(QStringLiteral("tester"));
    platform::SetLocaleCountryOverride(QStringLiteral("United Kingdom"));
    platform::SetUserDataHomeOverride(scratch + "/data");
    platform::Timer::SetManualMode(true);
    mduAlmanorvqueLib::ResetRunState();
}

void ReleaseScratchProgramFolder()
{
    appinfo::SetProgramFolder(QString());
    platform::registry::SetConfigFolder(QString());
    platform::registry::SetStorePath(QString());
    platform::SetLoginNameOverride(QString());
    platform::SetLocaleCountryOverride(QString());
    platform::SetUserDataHomeOverride(QString());
}

void CopyShippedFolders(const QString& programFolder, const QStringList& folders)
{
    const QDir build(QStringLiteral(ALMANORVIQUE_PROGRAM_DIR));
    for (const QString& folder : folders) {
        QDirIterator it(build.filePath(folder), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString f = it.next();
            const QString dst = programFolder + "/" + build.relativeFilePath(f);
            QDir().mkpath(QFileInfo(dst).absolutePath());
            QFile::remove(dst);
            QFile::copy(f, dst);
        }
    }
}

} // namespace testsupport
