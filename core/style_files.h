#pragma once
// Style files: settings files in the "Styles" folder that carry a whole look.
#include "settings_store.h"

#include <QString>
#include <optional>

namespace mduLib {

// Whether a style is loaded from path: it holds ".ini", in lower case ("Winter.INI" is
// not loaded), and is longer than those four characters.
bool IsStylePath(const QString& path);
// The style's name as "Window Styles" holds it: the file name before its first ".".
QString StyleNameOf(const QString& path);
// Loads the style into table by key: each line sets the first entry with its key and
// section (as the getters read it), or is appended when the table has none. Entries the
// style does not name keep their values. False, with nothing changed, when the file
// cannot be read.
bool LoadStyleFile(const QString& path, PropertyTable& table);
// The file "Save Style As" writes for the chosen path: ".ini" added when the name has
// no extension, a name that is only ".ini" becomes "unknown.ini". std::nullopt for a name
// with wildcards or path separators.
std::optional<QString> StyleSavePath(const QString& chosen);

} // namespace mduLib
