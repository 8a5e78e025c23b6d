#include "data_folders.h"
#include "set_up_step.h"

#include "app_identity.h"
#include "file_helpers.h"
#include "system/registry_store.h"
#include "system/user_locale.h"
#include "system/whole_file_write.h"
#include "system_info.h"

using mduLib::Step;

namespace mduAlmanorvqueLib {

RunState gRun;

void ResetRunState() { gRun = RunState(); }

void SetupDataFolders()
{
    const QString pf = appinfo::ProgramFolder();
    Step([&] {
        gImagesFolder = pf + "/Images/";
        mduLib::MakeFolderIfMissing(gImagesFolder);
    });
    Step([&] { mduLib::MakeFolderIfMissing(pf + "/Images/AlmanorviqueCentral/"); });
    Step([&] { mduLib::MakeFolderIfMissing(gImagesFolder + "Wallpaper/"); });
    Step([&] {
        gStylesFolder = pf + "/Styles/";
        mduLib::MakeFolderIfMissing(gStylesFolder);
    });
    Step([&] {
        gDatesFolder = pf + "/Dates/";
        mduLib::MakeFolderIfMissing(gDatesFolder);
    });
    Step([&] {
        gIniTemplateFolder = pf + "/ini/";
        mduLib::MakeFolderIfMissing(gIniTemplateFolder);
    });
    Step([&] {
        gDataFolder = pf + "/" + platform::UserFolderName(pf);
        mduLib::MakeFolderIfMissing(gDataFolder);
    });
    // Without a home the registry store would land in "/.config".
    platform::registry::SetHomelessConfigFolder(gDataFolder + "/.config");
    gPersonalDatesFile = gDataFolder + "/PersonalDates";
    // What killed writes left in the folders the programs write into (never a user's file).
    for (const QString& folder : {pf, gStylesFolder, gDataFolder})
        Step([&] { platform::RemoveLeftoverTemporariesIn(folder); });
    Step([&] { mduLib::MakeFolderIfMissing(pf + "/Update/"); });
    Step([&] {
        const QString dat = gDataFolder + "/Almanorvique.dat";
        // A start folder without the file is the usual case, not a failed step.
        const QString source = QStringLiteral("Almanorvique.dat");
        if (!mduLib::FileExists(dat) && mduLib::FileExists(source))
            mduLib::CopyFileFso(source, dat, false);
    });
}

} // namespace mduAlmanorvqueLib
