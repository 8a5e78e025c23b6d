#pragma once
// Puts the running program's desktop services in place of the defaults that tests use:
// message boxes, the screen size, and the orderly end on SIGTERM, SIGINT and session end.

namespace platform {

void InstallDesktopServices();

// Closes every loaded form as the desktop would (each saves what it saves when it closes),
// unless the program already ended without saving.
void UnloadAllForms();

} // namespace platform
