#pragma once
// Small display routines shared by the windows. The ones that work on controls (fitting
// a picture, animating and colouring labels) live with the controls, in
// platform/display_effects.h.
#include "settings_store.h"

#include <QDateTime>
#include <QString>

namespace mduUILib {

// With a command line, whether more than "Stay Time" seconds (0 or less: never) passed
// since start, counting the seconds boundaries crossed.
bool IsStayTimeOver(const QDateTime& start, const mduLib::PropertyTable& table);
// "maximized" 2, "minimized" 1 (any case, not trimmed), anything else 0.
qint16 WindowStateFromName(const QString& name);
// "2" "Maximized", "1" "Minimized", anything else "Normal".
QString WindowStateName(const QString& state);
// Exactly "Custom", case and all.
bool IsCustom(const QString& text);

} // namespace mduUILib
