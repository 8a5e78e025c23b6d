#pragma once
// The set-up routines run their steps one after the other and skip a step that fails:
// a folder that cannot be made or a value a window cannot take leaves things as the
// earlier steps made them, and the next step runs. What failed is said on stderr, so a
// skipped step is never silent.
#include <cstdio>
#include <exception>

namespace mduLib {

template <typename F> void Step(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "Almanorvique: set-up step skipped: %s\n", e.what());
    }
}

} // namespace mduLib
