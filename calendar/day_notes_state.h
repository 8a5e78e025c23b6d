#pragma once
// The day notes' state: which cell's note editor opened last.

namespace calendarform {

struct DayNotesState {
    int OpenActivityIndex = 0;
};

} // namespace calendarform
