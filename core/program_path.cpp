#include "program_path.h"

#include "app_identity.h"
#include "system/registry_store.h"

namespace mduLib {

QString GetStoredProgramPath()
{
    return platform::registry::GetSetting(appinfo::ProgramTitle(), QStringLiteral("Setting"), QStringLiteral("Path"),
                                          QString());
}

void StoreProgramPath()
{
    const QString folder = appinfo::ProgramFolder();
    QString stored = GetStoredProgramPath();
    if (!stored.isEmpty() && stored != folder) {
        platform::registry::DeleteSetting(appinfo::ProgramTitle(), QStringLiteral("Setting"));
        stored = GetStoredProgramPath();
    }
    if (stored.isEmpty())
        platform::registry::SaveSetting(appinfo::ProgramTitle(), QStringLiteral("Setting"), QStringLiteral("Path"),
                                        folder);
}

} // namespace mduLib
