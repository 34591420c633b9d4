// The 3DS reader: what it takes from a good file (and which faces are then lit from
// within), and how it refuses bad ones.
#include <gtest/gtest.h>

#include "common/runtime_error.h"
#include "engine/mesh_geometry.h"
#include "engine/model_3ds.h"
#include "support/model_3ds_writer.h"

namespace {

using enginetest::Bytes;
using enginetest::Chunk;
using enginetest::Join;

const std::vector<std::array<float, 3>> kTriangle = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};

enginetest::TestObject Triangle(std::string name = "tri") {
    return {std::move(name), kTriangle, {{0, 1, 2}}, {{0, 0}, {1, 0}, {0, 1}}, {1}};
}

engine::Model3ds Parse(const Bytes& bytes) { return engine::Parse3ds(bytes.data(), bytes.size()); }

Bytes FileOfMesh(const Bytes& meshBody) {
    return Chunk(0x4D4D, Chunk(0x3D3D, enginetest::ObjectChunk("o", meshBody)));
}

TEST(Model3dsReader, ReadsVerticesFacesTextureCoordinatesAndSmoothing) {
    engine::Model3ds model = Parse(enginetest::ModelFile({Triangle("a"), Triangle("b")}));
    ASSERT_EQ(model.objects.size(), 2u);
    const auto& object = model.objects[1];
    EXPECT_EQ(object.name, "b");
    ASSERT_EQ(object.vertices.size(), 3u);
    EXPECT_EQ(object.vertices[1], glm::vec3(1, 0, 0));
    ASSERT_EQ(object.faces.size(), 1u);
    EXPECT_EQ(object.faces[0], (std::array<std::uint16_t, 3>{0, 1, 2}));
    EXPECT_EQ(object.texCoords.size(), 3u);
    EXPECT_EQ(object.smoothingGroups, std::vector<std::uint32_t>{1});
}

// The faces the model lights from within are listed under their material, and only they
// are drawn so.
TEST(Model3dsReader, ReadsTheFacesOfEachMaterialAndLightsTheInsideFromWithin) {
    const std::vector<std::array<float, 3>> square = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    engine::Model3ds model = Parse(FileOfMesh(Join(
        {enginetest::VerticesChunk(square),
         enginetest::FacesChunk({{0, 1, 2}, {0, 2, 3}},
                                Join({enginetest::FaceMaterialChunk("skin", {0}),
                                      enginetest::FaceMaterialChunk(engine::kLitFromWithinMaterial, {1})}))})));
    const auto& materials = model.objects.at(0).materials;
    ASSERT_EQ(materials.size(), 2u);
    EXPECT_EQ(materials[1].material, engine::kLitFromWithinMaterial);
    EXPECT_EQ(materials[1].faces, std::vector<std::uint16_t>{1});
    std::vector<engine::MeshVertex> triangles = engine::BuildTriangles(model, {});
    ASSERT_EQ(triangles.size(), 6u);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(triangles[k].litFromWithin, 0.0f);
        EXPECT_EQ(triangles[3 + k].litFromWithin, 1.0f);
    }
}

TEST(Model3dsReader, StepsOverChunksItDoesNotNeed) {
    Bytes unknown = Chunk(0xAFFF, Bytes(10, 0x55));
    Bytes mesh = Join({Chunk(0x4160, Bytes(48, 0)), enginetest::VerticesChunk(kTriangle), enginetest::FacesChunk({{0, 1, 2}})});
    Bytes file = Chunk(0x4D4D, Join({Chunk(0x0002, Bytes(4, 3)),
                                     Chunk(0x3D3D, Join({unknown, enginetest::ObjectChunk("o", mesh)})),
                                     Chunk(0xB000, Bytes(20, 1))}));
    EXPECT_EQ(Parse(file).objects.at(0).faces.size(), 1u);
}

TEST(Model3dsReader, SkipsObjectsWithoutFaces) {
    enginetest::TestObject empty{"empty", kTriangle, {}, {}, {}};
    engine::Model3ds model = Parse(enginetest::ModelFile({empty, Triangle("kept")}));
    ASSERT_EQ(model.objects.size(), 1u);
    EXPECT_EQ(model.objects[0].name, "kept");
}

// Every prefix of a good file is a truncated file.
TEST(Model3dsReader, RefusesEveryTruncation) {
    Bytes file = enginetest::ModelFile({Triangle()});
    for (std::size_t size = 0; size < file.size(); ++size)
        EXPECT_THROW(engine::Parse3ds(file.data(), size), RuntimeError) << "cut at " << size;
}

struct MalformedCase {
    const char* name;
    Bytes file;
    const char* saying;
};

Bytes WithU32At(Bytes bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = (value >> (8 * i)) & 0xFF;
    return bytes;
}

std::vector<std::uint32_t> DistinctMasks(std::uint32_t count) {
    std::vector<std::uint32_t> masks;
    for (std::uint32_t mask = 1; mask <= count; ++mask) masks.push_back(mask);
    return masks;
}

std::vector<MalformedCase> MalformedCases() {
    Bytes good = enginetest::ModelFile({Triangle()});
    // Main chunk header (6), editor header (6), object header (6), "tri\0" (4), mesh
    // header (6): the vertex chunk's header starts at byte 28, its length at 30.
    const std::size_t vertexLength = 30;
    Bytes vertexCountTooBig = enginetest::VerticesChunk(kTriangle);
    vertexCountTooBig[6] = 200;
    Bytes faceCountTooBig = enginetest::FacesChunk({{0, 1, 2}});
    faceCountTooBig[6] = 50;
    Bytes unterminatedName = Chunk(0x4D4D, Chunk(0x3D3D, Chunk(0x4000, Bytes{'a', 'b', 'c'})));
    return {
        {"empty input", {}, "truncated chunk header"},
        {"not a 3DS file", Chunk(0x1234, {}), "not a 3DS file"},
        {"chunk length past the end of the file", WithU32At(good, 2, static_cast<std::uint32_t>(good.size() + 1)),
         "past the end"},
        {"inner chunk length past its parent", WithU32At(good, vertexLength, 0x7FFFFFFF), "past the end"},
        {"chunk length shorter than its header", WithU32At(good, vertexLength, 3), "shorter than its header"},
        {"vertex count past its chunk", FileOfMesh(Join({vertexCountTooBig, enginetest::FacesChunk({{0, 1, 2}})})),
         "vertex list runs past"},
        {"face count past its chunk", FileOfMesh(Join({enginetest::VerticesChunk(kTriangle), faceCountTooBig})),
         "face list runs past"},
        {"face naming a missing vertex",
         FileOfMesh(Join({enginetest::VerticesChunk(kTriangle), enginetest::FacesChunk({{0, 1, 3}})})),
         "refers to vertex 3 of 3"},
        {"faces without vertices", FileOfMesh(enginetest::FacesChunk({{0, 1, 2}})), "refers to vertex 0 of 0"},
        {"smoothing groups for too few faces",
         FileOfMesh(Join({enginetest::VerticesChunk(kTriangle),
                          enginetest::FacesChunk({{0, 1, 2}, {0, 2, 1}}, enginetest::SmoothingChunk({1}))})),
         "smoothing groups do not match"},
        {"texture coordinates for too few vertices",
         FileOfMesh(Join({enginetest::VerticesChunk(kTriangle), enginetest::FacesChunk({{0, 1, 2}}),
                          enginetest::TexCoordsChunk({{0, 0}})})),
         "texture coordinates do not match"},
        {"object name without its end", unterminatedName, "object name runs past"},
        {"material naming a missing face",
         FileOfMesh(Join({enginetest::VerticesChunk(kTriangle),
                          enginetest::FacesChunk({{0, 1, 2}}, enginetest::FaceMaterialChunk("inside", {0, 1}))})),
         "names face 1 of 1"},
        {"more different smoothing groups than a model uses",
         FileOfMesh(Join({enginetest::VerticesChunk(kTriangle),
                          enginetest::FacesChunk(std::vector<std::array<std::uint16_t, 3>>(257, {0, 1, 2}),
                                                 enginetest::SmoothingChunk(DistinctMasks(257)))})),
         "more than 256 different smoothing groups"},
        {"no object has a face", enginetest::ModelFile({{"empty", kTriangle, {}, {}, {}}}), "holds no triangles"},
    };
}

class Model3dsMalformed : public testing::TestWithParam<MalformedCase> {};

TEST_P(Model3dsMalformed, IsRefusedWithAClearMessage) {
    const MalformedCase& c = GetParam();
    try {
        Parse(c.file);
        FAIL() << "accepted";
    } catch (const RuntimeError& failure) {
        EXPECT_EQ(failure.code(), ErrorCode::InvalidArgument);
        EXPECT_NE(std::string(failure.what()).find(c.saying), std::string::npos) << failure.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, Model3dsMalformed, testing::ValuesIn(MalformedCases()),
                         [](const testing::TestParamInfo<MalformedCase>& info) {
                             std::string name = info.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

TEST(Model3dsReader, ALaterFaceListDropsTheSmoothingGroupsOfAnEarlierOne) {
    engine::Model3ds model = Parse(FileOfMesh(
        Join({enginetest::VerticesChunk(kTriangle), enginetest::FacesChunk({{0, 1, 2}}, enginetest::SmoothingChunk({1})),
              enginetest::FacesChunk({{0, 1, 2}, {0, 2, 1}})})));
    EXPECT_EQ(model.objects[0].faces.size(), 2u);
    EXPECT_TRUE(model.objects[0].smoothingGroups.empty());
}

TEST(Model3dsReader, NamesTheFileWhenItCannotBeOpened) {
    try {
        engine::Read3dsFile("/nonexistent/kelvora.3ds");
        FAIL() << "opened";
    } catch (const RuntimeError& failure) {
        EXPECT_NE(std::string(failure.what()).find("/nonexistent/kelvora.3ds"), std::string::npos);
    }
}

}  // namespace
