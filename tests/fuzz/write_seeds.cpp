// Writes the fuzzer's starting inputs: small good 3DS files for it to bend.
#include <string>

#include "support/model_3ds_writer.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::string folder = argv[1];
    enginetest::TestObject triangle{"tri", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}}, {{0, 0}, {1, 0}, {0, 1}}, {1}};
    enginetest::TestObject square{"sq", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {{0, 1, 2}, {0, 2, 3}}, {}, {}};
    enginetest::WriteFile(folder + "/triangle.3ds", enginetest::ModelFile({triangle}));
    enginetest::WriteFile(folder + "/two_objects.3ds", enginetest::ModelFile({square, triangle}));
    return 0;
}
