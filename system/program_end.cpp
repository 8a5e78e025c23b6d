#include "program_end.h"

#include <QCoreApplication>

namespace platform {
namespace {
bool gEnded = false;
std::function<void()>& Handler()
{
    static std::function<void()> h;
    return h;
}
} // namespace

void EndProgram()
{
    gEnded = true;
    if (Handler())
        Handler()();
    else
        QCoreApplication::exit(0);
}

bool ProgramEnded() { return gEnded; }
void SetEndProgramHandler(std::function<void()> handler) { Handler() = std::move(handler); }
void ResetProgramEnded() { gEnded = false; }

} // namespace platform
