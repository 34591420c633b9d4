// The model set-up benchmark: reading a 3DS file and working out its smooth normals, for
// the shapes that cost the most among those the reader takes, against the same work on
// our own pumpkin (the peer loop). The models take turns in rounds, so that a machine
// that others share slows all alike. Prints each model's median time and its ratio to
// the pumpkin's. Argument: rounds (default 5).
//   crowd   65,535 faces on the same three vertices, in one smoothing group;
//   masks   65,280 faces in 255 crowds of 256, each face with a different smoothing-group
//           mask, so that every vertex meets the most masks an object may use.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/mesh_geometry.h"
#include "engine/model_3ds.h"
#include "model_3ds_writer.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Model {
    const char* name;
    enginetest::Bytes file;
    std::vector<double> milliseconds;
};

enginetest::Bytes Crowd() {
    enginetest::TestObject object{"crowd", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}},
                                  std::vector<std::array<std::uint16_t, 3>>(65535, {0, 1, 2}), {}, {}};
    return enginetest::ModelFile({object});
}

enginetest::Bytes Masks() {
    enginetest::TestObject object{"masks", {}, {}, {}, {}};
    for (std::uint16_t crowd = 0; crowd < 255; ++crowd) {
        float x = static_cast<float>(crowd);
        object.vertices.insert(object.vertices.end(), {{{x, 0, 0}}, {{x + 1, 0, 0}}, {{x, 1, 0}}});
        std::uint16_t first = static_cast<std::uint16_t>(crowd * 3);
        for (std::uint32_t mask = 1; mask <= engine::kMaxSmoothingMasks; ++mask) {
            object.faces.push_back({first, static_cast<std::uint16_t>(first + 1), static_cast<std::uint16_t>(first + 2)});
            object.smoothingGroups.push_back(mask);
        }
    }
    return enginetest::ModelFile({object});
}

enginetest::Bytes Pumpkin() {
    std::ifstream in(std::string(KELVORA_MEDIA_DIR) + "/kelvora.3ds", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

double SetUpMilliseconds(const enginetest::Bytes& file) {
    Clock::time_point start = Clock::now();
    std::vector<engine::MeshVertex> triangles = engine::BuildTriangles(engine::Parse3ds(file.data(), file.size()), {});
    double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    if (triangles.empty()) std::abort();
    return elapsed;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<Model> models{{"pumpkin", Pumpkin(), {}}, {"crowd", Crowd(), {}}, {"masks", Masks(), {}}};
    for (int round = 0; round < rounds; ++round)
        for (Model& model : models) model.milliseconds.push_back(SetUpMilliseconds(model.file));
    double pumpkin = Median(models[0].milliseconds);
    for (const Model& model : models)
        std::printf("%-8s %9.2f ms  %6.2f x pumpkin\n", model.name, Median(model.milliseconds),
                    Median(model.milliseconds) / pumpkin);
    return 0;
}
