// kelvora_stills MEDIA_FOLDER: renders the saver's scene from the folder's media and
// settings file and writes preview_still.png and dialog_banner.png into it (the build's
// `stills` target passes the source tree's media/). The engine's window needs DISPLAY.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

#include "backends/backends.h"
#include "scene_render.h"
#include "stills.h"

namespace {
// Long enough for the flame to fill the pumpkin and the first smoke to have faded.
constexpr double FlameSeconds = 2.5;

bool WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (out) return true;
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s MEDIA_FOLDER\n", argv[0]);
        return 2;
    }
    auto backends = platform::InstallPlatformBackends(argc, argv);
    const std::filesystem::path folder = argv[1];
    try {
        const media::Picture render = stills::RenderCandleScene(backends->engines, folder.string(), FlameSeconds);
        const bool written = WriteFile(folder / "preview_still.png", stills::PreviewStill(render)) &&
                             WriteFile(folder / "dialog_banner.png", stills::DialogBanner(render));
        return written ? 0 : 1;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "%s\n", failure.what());
        return 1;
    }
}
