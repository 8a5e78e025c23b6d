#include "settings_templates.h"

#include "app_identity.h"

namespace mduLib {

QString WithIniExtension(const QString& name)
{
    if (name.toLower().contains(QLatin1String(".ini")))
        return name;
    return name + QStringLiteral(".ini");
}

QString DefaultIniPath() { return appinfo::ProgramFolder() + "/" + WithIniExtension(appinfo::ExeName()); }

bool MergeIniFile(const QString&, const QString&, const QString&)
{
    return false; // the merge itself comes with the template work
}

} // namespace mduLib
