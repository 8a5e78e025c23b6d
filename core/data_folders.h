#pragma once
// The data folders and shared path values of a run, and the tables shared by all windows.
// Folder values end in "/"; gDataFolder does not.
#include "settings_store.h"

#include <QString>

namespace mduAlmanorvqueLib {

extern QString gImagesFolder;
extern QString gStylesFolder;
extern QString gDatesFolder;
extern QString gIniTemplateFolder;
extern QString gDataFolder;
extern QString gPersonalDatesFile;
extern QString gRegion;            // set by each calendar window's set-up
extern QString gUserRegionFolder;  // gDataFolder/gRegion/
extern QString gIniFile;           // the settings file set up or switched to last
extern QString gCentralIniFile;    // the central window's own settings file

// The personal dates of the run, shared by every calendar window.
extern mduLib::PropertyTable gPersonalDates;
// Whether gPersonalDates holds what its file held (loaded since it was last emptied):
// only then may a window write it back, so that an early close never empties the file.
extern bool gPersonalDatesLoaded;
// The copy of a settings table handed to the property editor.
extern mduLib::PropertyTable gPropertyTable;

// Sets the folder values under the program folder and creates the missing folders;
// a failing step is skipped.
void SetupDataFolders();

} // namespace mduAlmanorvqueLib
