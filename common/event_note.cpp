// Appends the product's event lines to the file that KELVORA_EVENT_FILE names.
#include "common/event_note.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

void NoteEvent(const std::string& line) {
    const char* path = std::getenv("KELVORA_EVENT_FILE");
    if (!path || !*path) return;
    // Opened per line in append mode, so that a line never lands on another process's.
    std::FILE* file = std::fopen(path, "ab");
    if (!file) return;
    const std::string whole = line + "\n";
    std::fwrite(whole.data(), 1, whole.size(), file);
    std::fclose(file);
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
