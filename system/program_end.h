#pragma once
// Ending the program at once, without unloading windows (the screen-saver exit and the
// end after the last calendar closed).
#include <functional>

namespace platform {

void EndProgram();
// True once EndProgram ran: nothing may be saved any more on the way out.
bool ProgramEnded();
// Tests replace the default (leave the event loop) and reset the flag.
void SetEndProgramHandler(std::function<void()> handler);
void ResetProgramEnded();

} // namespace platform
