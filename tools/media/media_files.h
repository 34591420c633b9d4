// Every file the generator makes, by name, with its contents.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace media {

struct MediaFile {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

std::vector<MediaFile> GeneratedMedia();

}  // namespace media
