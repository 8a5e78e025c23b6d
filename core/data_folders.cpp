#include "data_folders.h"
#include "set_up_step.h"

#include "app_identity.h"
#include "conversions.h"
#include "file_helpers.h"
#include "system_info.h"
#include "system/whole_file_write.h"

using mduLib::Step;

namespace mduAlmanorvqueLib {

QString gImagesFolder;
QString gStylesFolder;
QString gDatesFolder;
QString gIniTemplateFolder;
QString gDataFolder;
QString gPersonalDatesFile;
QString gRegion;
QString gUserRegionFolder;
QString gIniFile;
QString gCentralIniFile;
mduLib::PropertyTable gPersonalDates;
bool gPersonalDatesLoaded = false;
mduLib::PropertyTable gPropertyTable;

namespace {
} // namespace

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
        gDataFolder = pf + "/" + conv::Trim(mduAPILib::GetWindowsUserName());
        mduLib::MakeFolderIfMissing(gDataFolder);
    });
    gPersonalDatesFile = gDataFolder + "/PersonalDates";
    Step([&] { platform::RemoveLeftoverTemporaries(gPersonalDatesFile); });
    Step([&] { mduLib::MakeFolderIfMissing(pf + "/Update/"); });
    Step([&] {
        const QString dat = gDataFolder + "/Almanorvique.dat";
        if (!mduLib::FileExists(dat))
            mduLib::CopyFileFso(QStringLiteral("Almanorvique.dat"), dat, false);
    });
}

} // namespace mduAlmanorvqueLib
