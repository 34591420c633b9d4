// Events of note for tests that watch the product from outside: one line each, appended
// to the file that the environment variable KELVORA_EVENT_FILE names.
#pragma once
#include <string>

namespace saver {

// Appends the line and a line feed and flushes it at once, so that a reader sees whole
// lines in the order they happened; does nothing when KELVORA_EVENT_FILE is unset or empty.
void NoteEvent(const std::string& line);

}  // namespace saver
