// Almanorvique: one decorated calendar window on the desktop.
#include "calendar_main.h"
#include "program_start.h"

int main(int argc, char* argv[])
{
    return programstart::Run(argc, argv, QStringLiteral("Almanorvique"), QStringLiteral("Almanorvique"),
                             [] { calendarmain::Main(); });
}
