#include "font_substitutes.h"

#include <QFont>
#include <QStringList>

namespace platform {

void InstallFontSubstitutes()
{
    // Tried in this order; the first one installed is used.
    QFont::insertSubstitutions(QStringLiteral("Monotype Corsiva"),
                               {QStringLiteral("Z003"), QStringLiteral("URW Chancery L"),
                                QStringLiteral("TeX Gyre Chorus"), QStringLiteral("Liberation Serif"),
                                QStringLiteral("DejaVu Serif")});
    // The banner's round display face: a geometric sans serif of the URW base fonts.
    QFont::insertSubstitutions(QStringLiteral("Alba Super"),
                               {QStringLiteral("URW Gothic"), QStringLiteral("DejaVu Sans")});
    // The dialogs' sans serif face.
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"), QStringLiteral("Nimbus Sans")});
}

} // namespace platform
