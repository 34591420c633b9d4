// Smooth normals: the same as summing, for every corner, the angle-weighted normals of
// every face around its vertex that shares a smoothing group, and quick for any model
// the reader takes, however many faces share a vertex.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/mesh_geometry.h"
#include "engine/model_3ds.h"
#include "support/model_3ds_writer.h"
#include "support/temporary_folder.h"

namespace {

// The corner's normal worked out face by face, straight from its definition.
glm::vec3 ReferenceNormal(const engine::Model3dsObject& object, std::size_t f, int k) {
    auto faceNormal = [&](std::size_t g) {
        const auto& face = object.faces[g];
        glm::vec3 n = glm::cross(object.vertices[face[1]] - object.vertices[face[0]],
                                 object.vertices[face[2]] - object.vertices[face[0]]);
        return glm::length(n) > 0 ? glm::normalize(n) : glm::vec3(0);
    };
    std::uint16_t v = object.faces[f][k];
    if (object.smoothingGroups[f] == 0) return faceNormal(f);
    glm::vec3 sum(0);
    for (std::size_t g = 0; g < object.faces.size(); ++g) {
        const auto& face = object.faces[g];
        int at = std::find(face.begin(), face.end(), v) - face.begin();
        if (at == 3 || (object.smoothingGroups[g] & object.smoothingGroups[f]) == 0) continue;
        glm::vec3 a = object.vertices[face[(at + 1) % 3]] - object.vertices[v];
        glm::vec3 b = object.vertices[face[(at + 2) % 3]] - object.vertices[v];
        sum += faceNormal(g) * std::acos(std::clamp(glm::dot(glm::normalize(a), glm::normalize(b)), -1.0f, 1.0f));
    }
    return glm::length(sum) > 0 ? glm::normalize(sum) : faceNormal(f);
}

struct GroupsCase {
    const char* name;
    std::vector<std::uint32_t> groups;
};

class SmoothNormals : public testing::TestWithParam<GroupsCase> {};

// A bumpy fan of eight faces round a centre vertex, with the case's smoothing groups.
TEST_P(SmoothNormals, MatchTheFaceByFaceSum) {
    engine::Model3dsObject object{"fan", {{0, 0, 0.5f}}, {}, {}, GetParam().groups};
    for (int k = 0; k < 8; ++k) {
        float angle = 0.785398f * k;
        object.vertices.push_back({std::cos(angle), std::sin(angle), 0.3f * (k % 3)});
    }
    for (int k = 0; k < 8; ++k)
        object.faces.push_back({0, static_cast<std::uint16_t>(1 + k), static_cast<std::uint16_t>(1 + (k + 1) % 8)});
    auto triangles = engine::BuildTriangles({{object}}, {});
    ASSERT_EQ(triangles.size(), 24u);
    for (std::size_t f = 0; f < 8; ++f)
        for (int k = 0; k < 3; ++k) {
            glm::vec3 expected = ReferenceNormal(object, f, k), got = triangles[f * 3 + k].normal;
            EXPECT_NEAR(glm::distance(got, expected), 0.0f, 1e-5f) << "face " << f << " corner " << k;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Groups, SmoothNormals,
    testing::Values(GroupsCase{"OneGroup", {1, 1, 1, 1, 1, 1, 1, 1}},
                    GroupsCase{"TwoHalves", {1, 1, 1, 1, 2, 2, 2, 2}},
                    GroupsCase{"Overlapping", {1, 3, 2, 6, 4, 4, 12, 8}},
                    GroupsCase{"SomeUngrouped", {0, 1, 1, 0, 5, 4, 0, 1}},
                    GroupsCase{"AllDifferent", {1, 2, 4, 8, 16, 32, 64, 128}}),
    [](const auto& info) { return std::string(info.param.name); });

// 65,535 faces on the same three vertices: summing every face at every corner took
// minutes. ctest holds the test to a deadline.
TEST(SmoothNormals, SetUpOfTheMostSharedVerticesFinishes) {
    fakes::TemporaryFolder folder;
    enginetest::TestObject crowd{"crowd", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}},
                                 std::vector<std::array<std::uint16_t, 3>>(65535, {0, 1, 2}), {}, {}};
    enginetest::WriteFile(folder.File("crowd.3ds"), enginetest::ModelFile({crowd}));
    auto triangles = engine::BuildTriangles(engine::Read3dsFile(folder.File("crowd.3ds")), {});
    ASSERT_EQ(triangles.size(), 3u * 65535);
    EXPECT_NEAR(triangles.back().normal.z, 1.0f, 1e-5f);
}

}  // namespace
