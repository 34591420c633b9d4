// Writes the picture fuzzer's starting inputs: small good JPEG (colour and grey, two
// qualities), BMP and PNG files for it to bend, and JPEGs of one-code Huffman tables whose
// scan data runs out, which lead it to where the entropy decoder meets the data's end.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void PutSegment(Bytes& jpeg, std::uint8_t marker, const Bytes& body) {
    std::size_t length = body.size() + 2;
    jpeg.insert(jpeg.end(), {0xFF, marker, static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)});
    jpeg.insert(jpeg.end(), body.begin(), body.end());
}

// A 64 x 64 grey JPEG: a one-bit DC code for dcCategory, a two-bit AC code for acSymbol,
// then dataBytes zero bytes of scan data, fewer than its blocks take.
Bytes OneCodeJpeg(std::uint8_t dcCategory, std::uint8_t acSymbol, std::size_t dataBytes) {
    Bytes jpeg{0xFF, 0xD8};
    Bytes quantisation(65, 1);
    quantisation[0] = 0;
    PutSegment(jpeg, 0xDB, quantisation);
    PutSegment(jpeg, 0xC0, {8, 0, 64, 0, 64, 1, 1, 0x11, 0});
    PutSegment(jpeg, 0xC4, {0x00, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, dcCategory});
    PutSegment(jpeg, 0xC4, {0x10, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, acSymbol});
    PutSegment(jpeg, 0xDA, {1, 1, 0x00, 0, 63, 0});
    jpeg.insert(jpeg.end(), dataBytes, 0);
    jpeg.insert(jpeg.end(), {0xFF, 0xD9});
    return jpeg;
}

bool Write(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::string folder = argv[1];
    const int width = 19, height = 13;
    std::vector<std::uint8_t> rgba, grey;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t r = static_cast<std::uint8_t>(x * 13), g = static_cast<std::uint8_t>(y * 19);
            rgba.insert(rgba.end(), {r, g, static_cast<std::uint8_t>(r ^ g), static_cast<std::uint8_t>(x * y)});
            grey.push_back(static_cast<std::uint8_t>(r + g));
        }
    bool ok = stbi_write_jpg((folder + "/colour.jpg").c_str(), width, height, 4, rgba.data(), 95) &&
              stbi_write_jpg((folder + "/colour_low.jpg").c_str(), width, height, 4, rgba.data(), 30) &&
              stbi_write_jpg((folder + "/grey.jpg").c_str(), width, height, 1, grey.data(), 80) &&
              stbi_write_bmp((folder + "/colour.bmp").c_str(), width, height, 3, rgba.data()) &&
              stbi_write_png((folder + "/colour.png").c_str(), width, height, 4, rgba.data(), width * 4) &&
              stbi_write_png((folder + "/grey.png").c_str(), width, height, 1, grey.data(), width) &&
              Write(folder + "/scan_cut_short.jpg", OneCodeJpeg(0, 0x07, 10)) &&
              Write(folder + "/long_dc_run.jpg", OneCodeJpeg(11, 0x07, 40));
    return ok ? 0 : 1;
}
