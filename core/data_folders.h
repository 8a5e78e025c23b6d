#pragma once
// The data folders and shared path values of a run, and the tables shared by all windows.
#include "settings_store.h"

#include <QString>
#include <map>
#include <memory>
#include <set>

namespace mduAlmanorvqueLib {

// The one table of a year file in a run, shared by every window that shows that year, so
// that what one window writes into it the others see and nothing is lost when they save.
struct SharedYearTable {
    mduLib::PropertyTable Table;
    bool Safe = false; // read whole: writing it back loses nothing of its file
};

// Everything a run shares between its windows. Folder values end in "/"; DataFolder does
// not.
struct RunState {
    QString ImagesFolder;
    QString StylesFolder;
    QString DatesFolder;
    QString IniTemplateFolder;
    QString DataFolder;
    QString PersonalDatesFile;
    QString Region;           // set by each calendar window's set-up
    QString UserRegionFolder; // DataFolder/Region/
    // The settings file set up or switched to last, by whichever window did so last:
    // window code reads its own path instead.
    QString IniFile;
    QString CentralIniFile; // the central window's own settings file

    // The personal dates of the run, shared by every calendar window.
    mduLib::PropertyTable PersonalDates;
    // Whether PersonalDates holds what its file held (loaded since it was last emptied):
    // only then may a window write it back, so that an early close never empties the file.
    bool PersonalDatesLoaded = false;
    // The copy of a settings table handed to the property editor.
    mduLib::PropertyTable PropertyTable;
    // The year tables the windows hold, by year file; one goes when no window holds it.
    std::map<QString, std::weak_ptr<SharedYearTable>> YearTables;
    // The picture files (in the state they had) that could not be shown and were said so:
    // each is said once a run, not by every window at every load.
    std::set<QString> ToldPictureFailures;
};

extern RunState gRun;
// Back to the state of a new run (tests and the benchmark start each case from it).
void ResetRunState();

// The shared values under the names the code uses.
inline QString& gImagesFolder = gRun.ImagesFolder;
inline QString& gStylesFolder = gRun.StylesFolder;
inline QString& gDatesFolder = gRun.DatesFolder;
inline QString& gIniTemplateFolder = gRun.IniTemplateFolder;
inline QString& gDataFolder = gRun.DataFolder;
inline QString& gPersonalDatesFile = gRun.PersonalDatesFile;
inline QString& gRegion = gRun.Region;
inline QString& gUserRegionFolder = gRun.UserRegionFolder;
inline QString& gIniFile = gRun.IniFile;
inline QString& gCentralIniFile = gRun.CentralIniFile;
inline mduLib::PropertyTable& gPersonalDates = gRun.PersonalDates;
inline bool& gPersonalDatesLoaded = gRun.PersonalDatesLoaded;
inline mduLib::PropertyTable& gPropertyTable = gRun.PropertyTable;

// Sets the folder values under the program folder and creates the missing folders;
// a failing step is skipped.
void SetupDataFolders();

} // namespace mduAlmanorvqueLib
