// The frame-rate benchmark: three loops on one window for the same time, uncapped.
//   bare   clear and present straight to the window: what the system's GL can do at all;
//   empty  a frame through our display path: clear the 800 x 600 picture, scale, present;
//   scene  the saver's whole scene with the set-up's values.
// Prints each loop's rate and frame-time percentiles, the peak resident memory, and the
// ratios scene/bare and scene/empty. Argument: seconds per loop (default 5).
#include <glad/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "bench_platform.h"
#include "candle_scene.h"
#include "engine/gl_engine_objects.h"
#include "platform/display.h"

namespace {

struct LoopResult {
    const char* name;
    double framesPerSecond;
    double p50, p95, p99;  // milliseconds
    // Processor time of the whole process (every rasteriser thread) per frame: steadier
    // than the rate on a machine that others share.
    double cpuPerFrame;  // milliseconds
};

double Percentile(std::vector<double> sorted, double share) {
    std::size_t index = static_cast<std::size_t>(share * (sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

LoopResult RunLoop(const char* name, double seconds, const std::function<void()>& frame) {
    using Clock = std::chrono::steady_clock;
    std::vector<double> frameTimes;
    Clock::time_point start = Clock::now(), previous = start;
    double cpuStart = bench::ProcessorSeconds();
    while (std::chrono::duration<double>(previous - start).count() < seconds) {
        bench::PumpEvents();
        frame();
        Clock::time_point now = Clock::now();
        frameTimes.push_back(std::chrono::duration<double, std::milli>(now - previous).count());
        previous = now;
    }
    double total = std::chrono::duration<double>(previous - start).count();
    double cpu = bench::ProcessorSeconds() - cpuStart;
    std::sort(frameTimes.begin(), frameTimes.end());
    return {name, frameTimes.size() / total, Percentile(frameTimes, 0.50), Percentile(frameTimes, 0.95),
            Percentile(frameTimes, 0.99), cpu * 1000.0 / frameTimes.size()};
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    if (!(seconds > 0)) {
        std::fprintf(stderr, "usage: %s [seconds per loop]\n", argv[0]);
        return 2;
    }
    platform::display::WindowHandle window = platform::display::CreateSaverWindow([] {});
    platform::display::ShowSaverWindow(window);
    std::vector<LoopResult> results;
    {
        engine::GlEngineObjects engines;
        enginetest::CandleScene scene(engines, window, KELVORA_MEDIA_DIR, false);
        platform::display::Size size = platform::display::DrawableSize(window);
        std::printf("window %d x %d, %.1f s a loop, no vsync\n", size.width, size.height, seconds);

        results.push_back(RunLoop("bare", seconds, [&] {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            glViewport(0, 0, size.width, size.height);
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            platform::display::SwapBuffers(window);
        }));
        results.push_back(RunLoop("empty", seconds, [&] {
            scene.Engine().ClearFrame(0);
            scene.Engine().PresentFrame();
        }));
        results.push_back(RunLoop("scene", seconds, [&] {
            scene.Draw();
            scene.Present();
        }));
    }
    platform::display::DestroySaverWindow(window);

    std::printf("%-6s %9s %8s %8s %8s %12s\n", "loop", "fps", "p50 ms", "p95 ms", "p99 ms", "cpu ms/frame");
    for (const LoopResult& r : results)
        std::printf("%-6s %9.1f %8.2f %8.2f %8.2f %12.2f\n", r.name, r.framesPerSecond, r.p50, r.p95, r.p99,
                    r.cpuPerFrame);
    std::printf("peak resident memory: %.1f MB\n", bench::PeakResidentBytes() / (1024.0 * 1024.0));
    std::printf("scene/bare: %.3f (goal >= 0.1)   scene/empty: %.3f (goal >= 0.5)\n",
                results[2].framesPerSecond / results[0].framesPerSecond,
                results[2].framesPerSecond / results[1].framesPerSecond);
    std::printf("by processor time: scene/bare %.3f   scene/empty %.3f\n",
                results[0].cpuPerFrame / results[2].cpuPerFrame, results[1].cpuPerFrame / results[2].cpuPerFrame);
    return 0;
}
