#pragma once
// Who the running program is: its folder, title, executable name and command line.
#include <QString>

namespace appinfo {

// The folder of the running executable, without a trailing separator.
QString ProgramFolder();
void SetProgramFolder(const QString& folder); // tests; empty restores the default

// "Almanorvique" or "Almanorvique Central"; the executable's name without extension.
QString ProgramTitle();
QString ExeName();
void SetIdentity(const QString& title, const QString& exeName);

// The arguments after the program name joined by blanks ("" without any).
QString CommandLine();
void SetCommandLine(const QString& commandLine);

QString Version();

} // namespace appinfo
