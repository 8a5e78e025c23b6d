#pragma once
// What the command dispatcher keeps between commands.
#include <QString>

namespace calendarform {

struct CommandsState {
    bool Replaying = false;       // the settings table is being replayed
    QString AutoStartTag;         // the auto-start entry's Tag: "1" when auto start is set
    QString ItemMenuFirstCaption; // the caption of the item menu's first entry
};

} // namespace calendarform
