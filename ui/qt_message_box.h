#pragma once
// The message boxes of the running programs, on Qt's message box.

namespace platform {

void InstallQtMessageBoxes();

} // namespace platform
