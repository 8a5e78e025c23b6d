#pragma once
// A program folder and registry store in a scratch folder, as the programs would find
// them after an install: used by the tests and the benchmark alike.
#include <QString>
#include <QStringList>

namespace testsupport {

// Points the program folder at scratch/program, the registry store into scratch/config and
// the user's data folder at scratch/data, with a fixed user and country, manual timers and
// a fresh run state.
void UseScratchProgramFolder(const QString& scratch);
// Takes the overrides back.
void ReleaseScratchProgramFolder();
// Copies the build's shipped folders (ini, Dates, ...) into programFolder.
void CopyShippedFolders(const QString& programFolder, const QStringList& folders);

} // namespace testsupport
