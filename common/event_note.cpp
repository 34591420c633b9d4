// Appends the product's event lines to the file that KELVORA_EVENT_FILE names.
#include "common/event_note.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "common/event_file.h"

void NoteEvent(const std::string& line) {
    const char* path = std::getenv("KELVORA_EVENT_FILE");
    if (!path || !*path) return;
    AppendEventText(path, line + "\n");
}

void NoteFirstFrame() {
    static bool noted = false;
    if (noted) return;
    noted = true;
    auto since = std::chrono::system_clock::now().time_since_epoch();
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.6f", std::chrono::duration<double>(since).count());
    NoteEvent(std::string("first-frame ") + seconds);
}

std::string QuotedForEvent(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
        case '\\': quoted += "\\\\"; break;
        case '"': quoted += "\\\""; break;
        case '\n': quoted += "\\n"; break;
        case '\r': quoted += "\\r"; break;
        default: quoted += c;
        }
    }
    return quoted + "\"";
}
