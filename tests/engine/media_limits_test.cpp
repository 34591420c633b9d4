// The media readers take only regular files of bounded size, and a picture only when its
// declared size and (for a JPEG) its tables are sound; everything else is refused with a
// message before anything blocks or is allocated.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>

#include "common/runtime_error.h"
#include "engine/media_file.h"
#include "engine/model_3ds.h"
#include "engine/picture.h"
#include "support/temporary_folder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct FileCase {
    const char* name;
    // Puts the file in place at the path given.
    std::function<void(const std::string&)> make;
    const char* saying;
};

void ExpectRefused(const std::function<void()>& read, const std::string& saying) {
    try {
        read();
        ADD_FAILURE() << "accepted";
    } catch (const RuntimeError& failure) {
        EXPECT_NE(std::string(failure.what()).find(saying), std::string::npos) << failure.what();
    }
}

class MediaFile : public testing::TestWithParam<FileCase> {};

// A blocking read of a pipe would hang the test; ctest's deadline catches that.
TEST_P(MediaFile, IsRefusedByTheModelAndThePictureReader) {
    fakes::TemporaryFolder folder;
    std::string path = folder.File("medium");
    GetParam().make(path);
    ExpectRefused([&] { engine::Read3dsFile(path); }, GetParam().saying);
    ExpectRefused([&] { engine::ReadPictureFile(path, 4096); }, GetParam().saying);
    ExpectRefused([&] { engine::Read3dsFile(path); }, path);
}

INSTANTIATE_TEST_SUITE_P(
    Files, MediaFile,
    testing::Values(
        FileCase{"Missing", [](const std::string&) {}, "missing"},
        FileCase{"NamedPipe", [](const std::string& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); },
                 "not a regular file"},
        FileCase{"EndlessDevice",
                 [](const std::string& path) { std::filesystem::create_symlink("/dev/zero", path); },
                 "not a regular file"},
        FileCase{"Folder", [](const std::string& path) { std::filesystem::create_directory(path); },
                 "not a regular file"},
        // Sparse: no disk is spent on it.
        FileCase{"LargerThanAnyMedium",
                 [](const std::string& path) {
                     std::ofstream(path).close();
                     std::filesystem::resize_file(path, engine::kMaxModelBytes + 1);
                 },
                 "larger than"}),
    [](const auto& info) { return std::string(info.param.name); });

void PutBig32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back((value >> shift) & 0xFF);
}

Bytes PngDeclaring(std::uint32_t width, std::uint32_t height) {
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    PutBig32(png, width);
    PutBig32(png, height);
    for (std::uint8_t b : {8, 6, 0, 0, 0, 0, 0, 0, 0}) png.push_back(b);
    return png;
}

Bytes BmpDeclaring(std::int32_t width, std::int32_t height) {
    Bytes bmp{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0};
    for (std::int32_t value : {width, height})
        for (int shift = 0; shift < 32; shift += 8) bmp.push_back((value >> shift) & 0xFF);
    for (std::uint8_t b : {1, 0, 24, 0}) bmp.push_back(b);
    bmp.resize(64, 0);
    return bmp;
}

// A 19 x 13 PNG header, then one chunk declaring `length` and holding `held` bytes.
Bytes PngWithChunk(const char* type, std::uint32_t length, std::size_t held) {
    Bytes png = PngDeclaring(19, 13);
    PutBig32(png, length);
    png.insert(png.end(), type, type + 4);
    png.resize(png.size() + held + 4, 0);
    return png;
}

// Start of image, the segments (marker and body), end of image.
Bytes JpegOf(const std::vector<std::pair<std::uint8_t, Bytes>>& segments) {
    Bytes jpeg{0xFF, 0xD8};
    for (const auto& [marker, body] : segments) {
        for (std::uint8_t b : {std::uint8_t{0xFF}, marker, static_cast<std::uint8_t>((body.size() + 2) >> 8),
                               static_cast<std::uint8_t>(body.size() + 2)})
            jpeg.push_back(b);
        jpeg.insert(jpeg.end(), body.begin(), body.end());
    }
    for (std::uint8_t b : {0xFF, 0xD9}) jpeg.push_back(b);
    return jpeg;
}

Bytes JpegWith(std::uint8_t marker, const Bytes& body) { return JpegOf({{marker, body}}); }

// A one-component 8 x 8 frame with its quantisation table and one baseline scan, whose
// Huffman tables no segment defines.
Bytes ScanWithoutHuffmanTables() {
    Bytes quantisation(65, 1);
    quantisation[0] = 0;
    return JpegOf({{0xDB, quantisation}, {0xC0, {8, 0, 8, 0, 8, 1, 1, 0x11, 0}}, {0xDA, {1, 1, 0x00, 0, 63, 0}}});
}

Bytes HuffmanTable(std::uint8_t kind, const std::array<std::uint8_t, 16>& counts, std::uint8_t symbol) {
    Bytes body(1, kind);
    int total = 0;
    for (std::uint8_t count : counts) {
        body.push_back(count);
        total += count;
    }
    body.resize(body.size() + total, symbol);
    return body;
}

Bytes FrameDeclaring(std::uint16_t width, std::uint16_t height) {
    return JpegWith(0xC0, {8, static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
                           static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width), 1, 1, 0x11, 0});
}

// A grey JPEG whose two Huffman tables hold one code each: a one-bit DC code for
// `dcCategory` and an AC code of `acLength` bits for `acSymbol`; its scan data is
// `dataBytes` zero bytes, and every quantiser is `quantiser`.
Bytes OneCodeJpeg(std::uint16_t width, std::uint16_t height, std::uint8_t quantiser, std::uint8_t dcCategory,
                  int acLength, std::uint8_t acSymbol, std::size_t dataBytes) {
    Bytes quantisation(65, quantiser);
    quantisation[0] = 0;
    std::array<std::uint8_t, 16> dcCounts{1}, acCounts{};
    acCounts[acLength - 1] = 1;
    Bytes jpeg = JpegOf({{0xDB, quantisation},
                         {0xC0, {8, static_cast<std::uint8_t>(height >> 8), static_cast<std::uint8_t>(height),
                                 static_cast<std::uint8_t>(width >> 8), static_cast<std::uint8_t>(width), 1, 1, 0x11, 0}},
                         {0xC4, HuffmanTable(0x00, dcCounts, dcCategory)},
                         {0xC4, HuffmanTable(0x10, acCounts, acSymbol)},
                         {0xDA, {1, 1, 0x00, 0, 63, 0}}});
    // The scan data goes between the scan header and the end of image.
    jpeg.insert(jpeg.end() - 2, dataBytes, 0);
    return jpeg;
}

struct PictureCase {
    const char* name;
    Bytes bytes;
    const char* saying;
};

class DamagedPicture : public testing::TestWithParam<PictureCase> {};

TEST_P(DamagedPicture, IsRefusedBeforeDecoding) {
    const PictureCase& c = GetParam();
    ExpectRefused([&] { engine::DecodePicture(c.bytes.data(), c.bytes.size(), 8192); }, c.saying);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, DamagedPicture,
    testing::Values(
        PictureCase{"PngOf30000Squared", PngDeclaring(30000, 30000), "cannot read the picture"},
        PictureCase{"PngOfTooManyPixels", PngDeclaring(5000, 5000), "out of range"},
        PictureCase{"PngWiderThanATexture", PngDeclaring(9000, 1), "out of range"},
        PictureCase{"BmpOf20000Squared", BmpDeclaring(20000, 20000), "out of range"},
        PictureCase{"JpegOf20000Squared", FrameDeclaring(20000, 20000), "out of range"},
        PictureCase{"JpegOfTooManyPixels", FrameDeclaring(5000, 5000), "out of range"},
        PictureCase{"HuffmanTableOfMoreThan256Codes",
                    JpegWith(0xC4, HuffmanTable(0x10, {0, 0, 0, 0, 0, 0, 0, 150, 150}, 1)), "more than 256 codes"},
        PictureCase{"HuffmanCodesThatDoNotFit", JpegWith(0xC4, HuffmanTable(0x00, {3}, 1)), "form no code"},
        PictureCase{"DcCategoryBeyond15", JpegWith(0xC4, HuffmanTable(0x00, {1}, 200)), "more than 15 bits"},
        PictureCase{"HuffmanTableCutShort", JpegWith(0xC4, Bytes{0x00, 0, 4}), "runs past its segment"},
        PictureCase{"SegmentPastTheEnd", Bytes{0xFF, 0xD8, 0xFF, 0xE0, 0x40, 0, 0, 0}, "segment length"},
        PictureCase{"QuantisationTableCutShort", JpegWith(0xDB, Bytes(40, 0)), "runs past its segment"},
        PictureCase{"JpegScanWithUndefinedHuffmanTables", ScanWithoutHuffmanTables(), "used before it is defined"},
        PictureCase{"PngChunkPastTheEnd", PngWithChunk("IDAT", 0x7FFFFFF0, 4), "runs past the end"},
        PictureCase{"PngEmptyFirstImageData", PngWithChunk("IDAT", 0, 0), "empty first image data"},
        PictureCase{"EmptyFile", Bytes{}, "too short"}),
    [](const auto& info) { return std::string(info.param.name); });

class DamagedJpegScan : public testing::TestWithParam<PictureCase> {};

// The tables are sound, so only the decoder itself can tell; before it did, it counted
// the bits it held below zero (shifting by 32 bits or more further on) and let the DC
// sum overflow an int, then returned a picture.
TEST_P(DamagedJpegScan, IsRefusedWhileDecoding) {
    const PictureCase& c = GetParam();
    ExpectRefused([&] { engine::DecodePicture(c.bytes.data(), c.bytes.size(), 8192); }, c.saying);
}

INSTANTIATE_TEST_SUITE_P(
    Scans, DamagedJpegScan,
    testing::Values(
        // A DC code of one bit, then AC coefficients of nine bits each (a two-bit code, seven
        // of magnitude): the 80 bits of data end seven bits into the ninth coefficient.
        PictureCase{"ScanDataEndingInsideACoefficient", OneCodeJpeg(8, 8, 1, 0, 2, 0x07, 10),
                    "scan data cut short"},
        // Every block's DC difference reads -32767 from the zero bits past the data's end;
        // over a thousand blocks their sum times 255 would leave an int.
        PictureCase{"DcDifferencesAddingUpPastAShort", OneCodeJpeg(256, 256, 255, 15, 1, 0x00, 0),
                    "DC out of range"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Picture, OurOwnPicturesDecode) {
    for (const char* name : {"loading.jpg", "smoke.bmp", "dialog_banner.png"}) {
        engine::Picture picture = engine::ReadPictureFile(std::string(KELVORA_MEDIA_DIR) + "/" + name, 4096);
        EXPECT_GT(picture.width, 0) << name;
        EXPECT_EQ(picture.rgba.size(), static_cast<std::size_t>(picture.width) * picture.height * 4) << name;
    }
}

}  // namespace
