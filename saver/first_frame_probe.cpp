#include "saver/first_frame_probe.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace saver {

void NoteScenePresented() {
    static bool noted = false;
    if (noted) return;
    noted = true;
    const char* file = std::getenv("KELVORA_FIRST_FRAME_FILE");
    if (!file || !*file) return;
    // Seconds since the epoch, the clock that the benchmark's shell reads as well.
    auto since = std::chrono::system_clock::now().time_since_epoch();
    double seconds = std::chrono::duration<double>(since).count();
    if (std::FILE* out = std::fopen(file, "w")) {
        std::fprintf(out, "%.6f\n", seconds);
        std::fclose(out);
    }
}

}  // namespace saver
