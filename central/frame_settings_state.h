#pragma once
// The frame's settings: the table its settings file is loaded into, which the menus change
// and "Save Current Settings" and the exit write back.
#include "core/settings_store.h"

namespace centralframe {

struct SettingsState {
    mduLib::PropertyTable CentralSettings;
};

} // namespace centralframe
