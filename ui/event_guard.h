#pragma once
// Every event boundary (timer tick, mouse, key, menu choice) runs the form's handler here,
// so that a failing operation never ends the program.
#include <functional>

namespace platform {

void Guarded(const char* where, const std::function<void()>& handler);

} // namespace platform
