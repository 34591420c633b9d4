// The committed pumpkin model as the saver's scene uses it: a well-formed 3DS mesh, posed
// at (0, 3, 300) turned (25, 243, 10) degrees about x, y, z before a camera at the origin
// looking along +z, with the candle at (0, 0, 300) inside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "engine/model_3ds.h"

namespace {
using engine::Model3dsObject;

const glm::vec3 Candle{0, 0, 300};

// The file read as the saver reads it, which refuses a malformed one.
const engine::Model3ds& Model() {
    static const engine::Model3ds model = engine::Read3dsFile(KELVORA_MEDIA_FOLDER "/kelvora.3ds");
    return model;
}

const Model3dsObject& Pumpkin() { return Model().objects.at(0); }

glm::vec3 InWorld(glm::vec3 model) {
    glm::mat4 pose = glm::translate(glm::mat4(1), glm::vec3(0, 3, 300));
    pose = glm::rotate(pose, glm::radians(10.0f), {0, 0, 1});
    pose = glm::rotate(pose, glm::radians(243.0f), {0, 1, 0});
    pose = glm::rotate(pose, glm::radians(25.0f), {1, 0, 0});
    return glm::vec3(pose * glm::vec4(model, 1));
}

struct Hit {
    float distance;
    glm::vec3 front;  // cross(b - a, c - a): the side a front face shows
};

std::vector<Hit> HitsAlong(glm::vec3 origin, glm::vec3 direction) {
    const Model3dsObject& model = Pumpkin();
    std::vector<Hit> hits;
    for (const auto& face : model.faces) {
        const glm::vec3 a = InWorld(model.vertices[face[0]]);
        const glm::vec3 b = InWorld(model.vertices[face[1]]);
        const glm::vec3 c = InWorld(model.vertices[face[2]]);
        const glm::vec3 ab = b - a, ac = c - a, p = glm::cross(direction, ac);
        const float det = glm::dot(ab, p);
        if (std::abs(det) < 1e-9f) continue;
        const glm::vec3 t = origin - a;
        const float u = glm::dot(t, p) / det;
        const glm::vec3 q = glm::cross(t, ab);
        const float v = glm::dot(direction, q) / det;
        const float distance = glm::dot(ac, q) / det;
        if (u >= 0 && v >= 0 && u + v <= 1 && distance > 0) hits.push_back({distance, glm::cross(ab, ac)});
    }
    std::sort(hits.begin(), hits.end(), [](const Hit& l, const Hit& r) { return l.distance < r.distance; });
    return hits;
}

TEST(PumpkinModel, IsOneWellFormedTriangleMesh) {
    ASSERT_EQ(Model().objects.size(), 1u);
    const Model3dsObject& model = Pumpkin();
    EXPECT_FALSE(model.name.empty());
    EXPECT_EQ(model.texCoords.size(), model.vertices.size());
    EXPECT_EQ(model.smoothingGroups.size(), model.faces.size());
    for (const auto& face : model.faces)
        EXPECT_TRUE(std::all_of(face.begin(), face.end(), [&](std::uint16_t c) { return c < model.vertices.size(); }));
    EXPECT_TRUE(std::all_of(model.smoothingGroups.begin(), model.smoothingGroups.end(),
                            [](std::uint32_t g) { return g != 0; }));
}

TEST(PumpkinModel, StaysModestInTriangles) {
    const std::size_t faces = Pumpkin().faces.size();
    EXPECT_GT(faces, 1000u);
    EXPECT_LT(faces, 8000u);
}

TEST(PumpkinModel, FillsAboutHalfTheScreenHeightInThePose) {
    float top = -1e9f, bottom = 1e9f;
    for (glm::vec3 v : Pumpkin().vertices) {
        const glm::vec3 w = InWorld(v);
        top = std::max(top, w.y / w.z);
        bottom = std::min(bottom, w.y / w.z);
    }
    // Whatever vertical field of view the engine settles on between 40 and 60 degrees.
    for (float fieldOfView : {40.0f, 60.0f}) {
        const float share = (top - bottom) / (2 * std::tan(glm::radians(fieldOfView) / 2));
        EXPECT_GT(share, 0.33f) << fieldOfView;
        EXPECT_LT(share, 0.65f) << fieldOfView;
    }
}

TEST(PumpkinModel, CandleShinesThroughTheFaceStraightAtTheCamera) {
    EXPECT_TRUE(HitsAlong(Candle, glm::normalize(-Candle)).empty());
}

// Away from the face the shell encloses the candle: the ray meets the inner surface first,
// facing the candle, and leaves through the outer surface, facing away.
struct Direction {
    const char* name;
    glm::vec3 towards;
};

class ClosedShell : public ::testing::TestWithParam<Direction> {};

TEST_P(ClosedShell, EnclosesTheCandleWithFacesTurnedOutwards) {
    const glm::vec3 direction = glm::normalize(GetParam().towards);
    const std::vector<Hit> hits = HitsAlong(Candle, direction);
    ASSERT_GE(hits.size(), 2u);
    EXPECT_LT(glm::dot(hits.front().front, direction), 0) << "the inner surface faces away from the candle";
    EXPECT_GT(glm::dot(hits.back().front, direction), 0) << "the outer surface faces inwards";
}

INSTANTIATE_TEST_SUITE_P(Directions, ClosedShell,
                         ::testing::Values(Direction{"Up", {0, 1, 0}}, Direction{"Down", {0, -1, 0}},
                                           Direction{"Away", {0, 0, 1}}, Direction{"Right", {1, 0, 0}},
                                           Direction{"Left", {-1, 0, 0}}, Direction{"UpRightAway", {1, 1, 1}},
                                           Direction{"DownLeftAway", {-1, -1, 1}},
                                           Direction{"DownRightNear", {1, -1, -0.3f}}),
                         [](const auto& info) { return std::string(info.param.name); });
}  // namespace
