#pragma once
// The year tables a window holds and the delayed write of the dates after a change.
#include "core/data_folders.h"
#include "core/settings_store.h"

#include <QtGlobal>
#include <array>
#include <memory>
#include <optional>

namespace calendarform {

struct DayDatesState {
    // The displayed year whose files the three year tables came from (0: none yet), and
    // the run's tables of those years (none before the first load: an empty one instead).
    int TablesYear = 0;
    std::shared_ptr<mduAlmanorvqueLib::SharedYearTable> YearTables[3];
    mduLib::PropertyTable NoYearTable{1};
    std::optional<qint64> ChangedAt;    // when the unsaved change was first seen
    std::array<quint64, 4> Attempted{}; // the tables as the last write left them
    bool AskingAboutDates = false;      // the question of a failed write is open
};

} // namespace calendarform
