// AlmanorviqueCentral: a frame with twelve month windows.
#include "program_start.h"

#include "central/frame_window.h"

int main(int argc, char* argv[])
{
    // The frame starts the program: it loads, and shows itself, when it is first needed.
    return programstart::Run(argc, argv, QStringLiteral("Almanorvique Central"), QStringLiteral("AlmanorviqueCentral"),
                             [] { frmMain::Default().EnsureLoaded(); });
}
