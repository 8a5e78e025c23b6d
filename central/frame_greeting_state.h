#pragma once
// The spoken greeting's state: the frame's voice, made the first time something is said.
#include "ui/voice.h"

#include <memory>

namespace centralframe {

struct GreetingState {
    std::unique_ptr<platform::Voice> Voice;
    bool VoiceMade = false;
};

} // namespace centralframe
