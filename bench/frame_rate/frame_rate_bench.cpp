// The frame-rate benchmark: three loops on one window for the same time, uncapped.
//   bare   clear and present straight to the window: what the system's GL can do at all;
//   empty  a frame through our display path with nothing drawn: what the display costs
//          before the scene (on one monitor it draws straight into the window, so about
//          what bare costs);
//   scene  the saver's whole scene (saver/candle_scene) with the media folder's settings.
// The loops take turns in short rounds, so that a machine that others share slows all
// three alike and the ratios stay fair; the scene first runs untimed until its particle
// systems are full. Prints each loop's rate and frame-time percentiles, the peak resident
// memory, and the ratios scene/bare and scene/empty. The ratios' old goals (0.1 and 0.5)
// were set for a scene drawn at 800 x 600 and stretched; drawn at the window's own size it
// is measured against a peer instead (bench/screen_sizes). Arguments: seconds per loop (default
// 5), then optionally one loop's name to run that loop alone, for a profiler.
#include <glad/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "backends/backends.h"
#include "bench_platform.h"
#include "saver/candle_scene.h"
#include "seams/display.h"

namespace {

constexpr int kRounds = 10;
// Longer than the flame's particles live, so that the timed frames draw a full flame.
constexpr double kSceneWarmUpSeconds = 3.0;

using Clock = std::chrono::steady_clock;

struct Loop {
    Loop(const char* name, std::function<void()> frame) : name(name), frame(std::move(frame)) {}

    const char* name;
    std::function<void()> frame;
    std::vector<double> frameTimes;  // milliseconds
    double seconds = 0;
    // Processor time of the whole process (every rasteriser thread): steadier than the
    // rate on a machine that others share.
    double cpuSeconds = 0;

    double FramesPerSecond() const { return frameTimes.size() / seconds; }
    double CpuPerFrame() const { return cpuSeconds * 1000.0 / frameTimes.size(); }
};

double Percentile(const std::vector<double>& sorted, double share) {
    std::size_t index = static_cast<std::size_t>(share * (sorted.size() - 1) + 0.5);
    return sorted[std::min(index, sorted.size() - 1)];
}

// Runs frames for the given time; with a loop to count into, each frame is timed.
void RunFor(double seconds, const std::function<void()>& frame, Loop* counted = nullptr) {
    Clock::time_point start = Clock::now(), previous = start;
    double cpuStart = bench::ProcessorSeconds();
    while (std::chrono::duration<double>(previous - start).count() < seconds) {
        bench::PumpEvents();
        frame();
        Clock::time_point now = Clock::now();
        if (counted) counted->frameTimes.push_back(std::chrono::duration<double, std::milli>(now - previous).count());
        previous = now;
    }
    if (!counted) return;
    counted->seconds += std::chrono::duration<double>(previous - start).count();
    counted->cpuSeconds += bench::ProcessorSeconds() - cpuStart;
}

}  // namespace

int main(int argc, char** argv) {
    double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    std::string only = argc > 2 ? argv[2] : "";
    if (!(seconds > 0) || !(only.empty() || only == "bare" || only == "empty" || only == "scene")) {
        std::fprintf(stderr, "usage: %s [seconds per loop [bare|empty|scene]]\n", argv[0]);
        return 2;
    }
    auto wanted = [&](const char* name) { return only.empty() || only == name; };
    auto backends = platform::InstallPlatformBackends(argc, argv);
    platform::WindowHandle window = saver::SaverWindows().Create([] {});
    saver::SaverWindows().Show(window);
    std::vector<Loop> loops;
    {
        saver::SaverState scene;
        saver::SetUpCandleScene(scene, KELVORA_MEDIA_DIR, {KELVORA_MEDIA_DIR "/kelvora.ini"}, window);
        // Uncapped: the loops measure drawing, not the display's refresh.
        scene.Engine->SetVSync(0);
        platform::PixelSize size = platform::Screen().DrawableSize(window);
        std::printf("window %d x %d, %.1f s a loop, no vsync\n", size.width, size.height, seconds);

        auto add = [&](const char* name, std::function<void()> frame) {
            if (wanted(name)) loops.emplace_back(name, std::move(frame));
        };
        add("bare", [&] {
            glBindFramebuffer(GL_FRAMEBUFFER, 0);
            glViewport(0, 0, size.width, size.height);
            glClearColor(0, 0, 0, 1);
            glClear(GL_COLOR_BUFFER_BIT);
            platform::Screen().SwapBuffers(window);
        });
        add("empty", [&] {
            scene.Engine->ClearFrame(0);
            scene.Engine->PresentFrame();
        });
        add("scene", [&] {
            saver::DrawCandleFrame(scene);
            scene.Engine->PresentFrame();
        });
        if (wanted("scene")) RunFor(kSceneWarmUpSeconds, loops.back().frame);
        for (int round = 0; round < kRounds; ++round)
            for (Loop& loop : loops) RunFor(seconds / kRounds, loop.frame, &loop);
        saver::ReleaseEngineObjects(scene);
    }
    saver::SaverWindows().Destroy(window);

    std::printf("%-6s %9s %8s %8s %8s %12s\n", "loop", "fps", "p50 ms", "p95 ms", "p99 ms", "cpu ms/frame");
    for (Loop& loop : loops) {
        std::sort(loop.frameTimes.begin(), loop.frameTimes.end());
        std::printf("%-6s %9.1f %8.2f %8.2f %8.2f %12.2f\n", loop.name, loop.FramesPerSecond(),
                    Percentile(loop.frameTimes, 0.50), Percentile(loop.frameTimes, 0.95),
                    Percentile(loop.frameTimes, 0.99), loop.CpuPerFrame());
    }
    std::printf("peak resident memory: %.1f MB\n", bench::PeakResidentBytes() / (1024.0 * 1024.0));
    if (loops.size() < 3) return 0;
    const Loop &bare = loops[0], &empty = loops[1], &scene = loops[2];
    std::printf("scene/bare: %.3f   scene/empty: %.3f\n",
                scene.FramesPerSecond() / bare.FramesPerSecond(), scene.FramesPerSecond() / empty.FramesPerSecond());
    std::printf("by processor time: scene/bare %.3f   scene/empty %.3f\n", bare.CpuPerFrame() / scene.CpuPerFrame(),
                empty.CpuPerFrame() / scene.CpuPerFrame());
    return 0;
}
