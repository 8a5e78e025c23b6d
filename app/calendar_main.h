#pragma once
#include <QString>
// The start of the single-calendar program.

namespace calendarmain {

// Makes the data folders, opens the calendar window on today and records the program
// folder; the program then lives in that window.
void Main();
void StoreProgramPath();
QString GetStoredProgramPath();

} // namespace calendarmain
