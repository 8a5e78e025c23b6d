#pragma once
// Faces the windows ask for by their desktop names, mapped to faces this system has.

namespace platform {

// "Monotype Corsiva", the script face of the month and year captions, becomes a
// chancery script ("Z003" of the URW base fonts first), else a serif face; "MS Sans
// Serif", the dialogs' face, a plain sans serif face; "Alba Super", the central banner's
// display face, a round geometric one ("URW Gothic").
void InstallFontSubstitutes();

} // namespace platform
