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
    // The dialogs' sans serif face.
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                                QStringLiteral("Nimbus Sans")});
}

} // namespace platform
