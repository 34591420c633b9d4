// KELVORA_FRAME_RATE_FILE=PATH has the running saver write its frame rate to PATH once a
// second, a line each, as frames shown a second: a benchmark's or a test's count of what
// the saver shows, where the GL driver's own count (Mesa's HUD counts whole-buffer swaps
// only) misses frames shown a part at a time.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace platform {

class FrameRateFile {
public:
    FrameRateFile() {
        const char* path = std::getenv("KELVORA_FRAME_RATE_FILE");
        if (path && *path) file_.reset(std::fopen(path, "w"));
    }

    // A frame was shown at NOW (seconds).
    void Shown(double now) {
        if (!file_) return;
        if (start_ < 0) start_ = now;
        ++frames_;
        if (now - start_ < 1.0) return;
        std::fprintf(file_.get(), "%f\n", frames_ / (now - start_));
        std::fflush(file_.get());
        start_ = now;
        frames_ = 0;
    }

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    double start_ = -1;
    int frames_ = 0;
};

}  // namespace platform
