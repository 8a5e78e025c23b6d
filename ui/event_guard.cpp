#include "event_guard.h"

#include <cstdio>
#include <exception>

namespace platform {

void Guarded(const char* where, const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Almanorvique: %s: %s\n", where, e.what());
    } catch (...) {
        std::fprintf(stderr, "Almanorvique: %s: unexpected failure\n", where);
    }
}

} // namespace platform
