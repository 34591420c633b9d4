// What SDL's keyboard, mouse and focus events mean to the input record.
#pragma once
#include "common/input_record.h"

union SDL_Event;

namespace platform {

// Feeds the record the key, button, motion, wheel or focus-lost event that the SDL event
// stands for; any other event leaves the record alone.
void FeedSdlInput(const SDL_Event& event, InputRecord& input);

}  // namespace platform
