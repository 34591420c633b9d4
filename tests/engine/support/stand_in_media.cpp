#include "stand_in_media.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cmath>
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <stdexcept>
#include <vector>

#include "model_3ds_writer.h"

namespace enginetest {

namespace {

constexpr float kPi = 3.14159265f;

// The model direction that the scene's pose (rotation 25, 243, 10 degrees about x, then
// y, then z) turns towards the camera.
glm::vec3 FaceDirection() {
    glm::mat4 r(1);
    r = glm::rotate(r, glm::radians(10.0f), {0, 0, 1});
    r = glm::rotate(r, glm::radians(243.0f), {0, 1, 0});
    r = glm::rotate(r, glm::radians(25.0f), {1, 0, 0});
    return glm::normalize(glm::vec3(glm::transpose(r) * glm::vec4(0, 0, -1, 0)));
}

bool Carved(const glm::vec3& direction, const glm::vec3& forward, const glm::vec3& up,
            const glm::vec3& right) {
    if (direction.y > 0.93f) return true;  // the lid's opening, for the smoke
    if (glm::dot(direction, forward) < 0.3f) return false;
    float a = glm::dot(direction, right), b = glm::dot(direction, up);
    auto inEye = [&](float cx) {
        float dx = a - cx, dy = b - 0.22f;
        return dy > -0.12f && dy < 0.12f - std::abs(dx) * 1.1f;
    };
    bool mouth = b < -0.12f && b > -0.42f + a * a * 0.8f && std::abs(a) < 0.5f && b < -0.12f - a * a * 0.3f;
    return inEye(-0.33f) || inEye(0.33f) || mouth;
}

TestObject Pumpkin() {
    glm::vec3 forward = FaceDirection();
    glm::vec3 right = glm::normalize(glm::cross(glm::vec3(0, 1, 0), forward));
    glm::vec3 up = glm::cross(forward, right);
    const int stacks = 28, slices = 56;
    TestObject pumpkin{"pumpkin", {}, {}, {}, {}};
    for (int i = 0; i <= stacks; ++i) {
        float theta = kPi * i / stacks;
        for (int j = 0; j <= slices; ++j) {
            float phi = 2 * kPi * j / slices;
            float rib = 1.0f + 0.06f * std::cos(10 * phi) * std::sin(theta);
            pumpkin.vertices.push_back({72 * rib * std::sin(theta) * std::cos(phi), 55 * std::cos(theta),
                                        72 * rib * std::sin(theta) * std::sin(phi)});
        }
    }
    for (int i = 0; i < stacks; ++i)
        for (int j = 0; j < slices; ++j) {
            auto at = [&](int s, int t) { return static_cast<std::uint16_t>(s * (slices + 1) + t); };
            float theta = kPi * (i + 0.5f) / stacks, phi = 2 * kPi * (j + 0.5f) / slices;
            glm::vec3 direction(std::sin(theta) * std::cos(phi), std::cos(theta), std::sin(theta) * std::sin(phi));
            if (Carved(direction, forward, up, right)) continue;
            pumpkin.faces.push_back({at(i, j), at(i + 1, j), at(i + 1, j + 1)});
            pumpkin.faces.push_back({at(i, j), at(i + 1, j + 1), at(i, j + 1)});
        }
    pumpkin.smoothingGroups.assign(pumpkin.faces.size(), 1);
    return pumpkin;
}

void WriteSmoke(const std::string& path) {
    const int size = 32;
    std::vector<unsigned char> pixels(size * size * 3);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float r = std::hypot(x - 15.5f, y - 15.5f) / 15.5f;
            float v = r >= 1 ? 0.0f : std::pow(1 - r, 1.5f);
            for (int c = 0; c < 3; ++c) pixels[(y * size + x) * 3 + c] = static_cast<unsigned char>(255 * v);
        }
    if (!stbi_write_bmp(path.c_str(), size, size, 3, pixels.data()))
        throw std::runtime_error("cannot write " + path);
}

}  // namespace

void WriteStandInMedia(const std::string& folder) {
    WriteFile(folder + "/kelvora.3ds", ModelFile({Pumpkin()}));
    WriteSmoke(folder + "/smoke.bmp");
}

}  // namespace enginetest
