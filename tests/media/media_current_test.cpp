// The committed media must be exactly what tools/media makes today: regenerate into a
// fresh folder and compare byte for byte. The preview still and the dialog banner are not
// among them: tools/stills renders them through the engine and the GL driver, which needs a
// display, and whose pixels change with the driver and with any change to the engine's
// drawing, so stills_test.cpp checks them for form and content instead.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/media_file.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> Bytes(const fs::path& file) {
    return engine::ReadMediaFile(file.string(), engine::kMaxModelBytes, "media file");
}

class GeneratedMedia : public ::testing::TestWithParam<const char*> {
protected:
    static void SetUpTestSuite() {
        std::string pattern = (fs::temp_directory_path() / "kelvora-media-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        const std::string command = std::string(KELVORA_MEDIA_GENERATOR) + " '" + folder_.string() + "'";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    static fs::path folder_;
};
fs::path GeneratedMedia::folder_;

TEST_P(GeneratedMedia, CommittedFileIsWhatTheGeneratorMakes) {
    const fs::path generated = folder_ / GetParam();
    const fs::path committed = fs::path(KELVORA_MEDIA_FOLDER) / GetParam();
    ASSERT_TRUE(fs::exists(generated)) << "the generator no longer makes " << GetParam();
    ASSERT_TRUE(fs::exists(committed)) << GetParam() << " is not committed";
    EXPECT_TRUE(Bytes(generated) == Bytes(committed))
        << GetParam() << " differs from the generator's output: run the `media` build target";
}

INSTANTIATE_TEST_SUITE_P(EveryFile, GeneratedMedia, ::testing::Values("kelvora.3ds", "loading.jpg", "smoke.bmp",
                                                                    "tell_friend.png",
                                                                    "website.png", "kelvora.ico",
                                                                    "kelvora_icon.png", "icons/kelvora_16.png",
                                                                    "icons/kelvora_32.png", "icons/kelvora_48.png",
                                                                    "icons/kelvora_64.png", "icons/kelvora_128.png",
                                                                    "icons/kelvora_256.png", "icons/kelvora.svg"),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });
}  // namespace
