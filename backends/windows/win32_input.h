// What the saver window's keyboard, mouse and focus messages mean to the input record.
#pragma once
#include <windows.h>

#include "common/input_record.h"

namespace platform {

// Feeds the record the key, button, motion, wheel or focus-lost event that the message
// stands for; any other message leaves the record alone.
void FeedWin32Input(HWND window, UINT message, WPARAM wParam, LPARAM lParam, InputRecord& input);

}  // namespace platform
