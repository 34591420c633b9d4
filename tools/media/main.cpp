// kelvora_media FOLDER: writes every generated media file into FOLDER (the build's `media`
// target passes the source tree's media/).
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "media_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const media::MediaFile& file : media::GeneratedMedia()) {
        std::filesystem::create_directories((folder / file.name).parent_path());
        std::ofstream out(folder / file.name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.bytes.data()),
                  static_cast<std::streamsize>(file.bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", (folder / file.name).c_str());
            return 1;
        }
    }
    return 0;
}
