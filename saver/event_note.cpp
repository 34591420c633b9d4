// The event file: opened for each line in append mode, so that lines of several
// processes never overwrite one another and nothing stays buffered when a process ends.
#include "saver/event_note.h"

#include <cstdlib>
#include <fstream>

namespace saver {

void NoteEvent(const std::string& line) {
    const char* path = std::getenv("KELVORA_EVENT_FILE");
    if (!path || !*path) return;
    std::ofstream file(path, std::ios::app | std::ios::binary);
    file << line << '\n' << std::flush;
}

}  // namespace saver
