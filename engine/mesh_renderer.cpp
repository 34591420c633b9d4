#include "engine/mesh_renderer.h"

#include <algorithm>
#include <cstddef>
#include <glm/gtc/type_ptr.hpp>
#include <string>

#include "engine/engine_state.h"
#include "engine/gl_context.h"

namespace engine {

namespace {

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
uniform mat4 model;
uniform mat3 normalMatrix;
uniform mat4 projection;
out vec3 worldPosition;
out vec3 worldNormal;
void main() {
    vec4 p = model * vec4(position, 1.0);
    worldPosition = p.xyz;
    worldNormal = normalMatrix * normal;
    gl_Position = projection * p;
}
)";

// The camera sits at the origin, so the direction to the eye is -position. Both sides
// of a surface are lit: a carved shell shows its inside through the openings. The side
// in view is the inside of a shell when it faces the mesh's centre.
const char* const kFragmentShader = R"(#version 330 core
const int kMaxLights = 8;
uniform vec4 ambient;
uniform vec4 diffuse;
uniform vec4 specular;
uniform vec4 emissive;
uniform float power;
uniform bool lit;
uniform int pointCount;
uniform vec3 pointPosition[kMaxLights];
uniform vec3 pointColour[kMaxLights];
uniform float pointRange[kMaxLights];
uniform bool pointInside[kMaxLights];
uniform vec3 meshCentre;
uniform int directionalCount;
uniform vec3 directionalTowardLight[kMaxLights];
uniform vec3 directionalColour[kMaxLights];
in vec3 worldPosition;
in vec3 worldNormal;
out vec4 colour;

vec3 Shade(vec3 n, vec3 toEye, vec3 toLight, vec3 light) {
    float facing = max(dot(n, toLight), 0.0);
    float shine = 0.0;
    if (power > 0.0 && facing > 0.0) shine = pow(max(dot(n, normalize(toLight + toEye)), 0.0), power);
    return light * (diffuse.rgb * facing + specular.rgb * shine);
}

void main() {
    if (!lit) {
        colour = vec4(diffuse.rgb + emissive.rgb, diffuse.a);
        return;
    }
    vec3 toEye = normalize(-worldPosition);
    vec3 n = normalize(worldNormal);
    if (dot(n, toEye) < 0.0) n = -n;
    bool insideShell = dot(n, worldPosition - meshCentre) < 0.0;
    vec3 c = emissive.rgb + ambient.rgb;
    for (int i = 0; i < pointCount; ++i) {
        if (pointRange[i] <= 0.0 || (insideShell && !pointInside[i])) continue;
        vec3 toLight = pointPosition[i] - worldPosition;
        float distance = length(toLight);
        float reach = clamp(1.0 - distance / pointRange[i], 0.0, 1.0);
        if (reach > 0.0) c += reach * Shade(n, toEye, toLight / distance, pointColour[i]);
    }
    for (int i = 0; i < directionalCount && !insideShell; ++i)
        c += Shade(n, toEye, directionalTowardLight[i], directionalColour[i]);
    colour = vec4(c, diffuse.a);
}
)";

void SetVec3(const ShaderProgram& program, const std::string& name, const glm::vec3& v) {
    glUniform3fv(program.Uniform(name.c_str()), 1, glm::value_ptr(v));
}

}  // namespace

GpuMesh::GpuMesh(const std::vector<MeshVertex>& triangles) : count_(static_cast<GLsizei>(triangles.size())) {
    if (!triangles.empty()) {
        glm::vec3 low = triangles[0].position, high = low;
        for (const auto& vertex : triangles) {
            low = glm::min(low, vertex.position);
            high = glm::max(high, vertex.position);
        }
        centre_ = (low + high) * 0.5f;
        for (const auto& vertex : triangles) radius_ = std::max(radius_, glm::length(vertex.position - centre_));
    }
    glGenVertexArrays(1, &vertexArray_);
    glGenBuffers(1, &buffer_);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(triangles.size() * sizeof(MeshVertex)),
                 triangles.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                          reinterpret_cast<void*>(offsetof(MeshVertex, position)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                          reinterpret_cast<void*>(offsetof(MeshVertex, normal)));
}

GpuMesh::~GpuMesh() {
    if (!GlContextAlive()) return;
    glDeleteBuffers(1, &buffer_);
    glDeleteVertexArrays(1, &vertexArray_);
}

void GpuMesh::Draw() const {
    glBindVertexArray(vertexArray_);
    glDrawArrays(GL_TRIANGLES, 0, count_);
}

MeshRenderer::MeshRenderer() : program_(kVertexShader, kFragmentShader) {}

void MeshRenderer::Draw(const GpuMesh& mesh, const glm::mat4& model, const Material& material,
                        const Lighting& lighting, const glm::mat4& projection) const {
    program_.Use();
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(model)));
    glUniformMatrix4fv(program_.Uniform("model"), 1, GL_FALSE, glm::value_ptr(model));
    glUniformMatrix3fv(program_.Uniform("normalMatrix"), 1, GL_FALSE, glm::value_ptr(normalMatrix));
    glUniformMatrix4fv(program_.Uniform("projection"), 1, GL_FALSE, glm::value_ptr(projection));
    glUniform4fv(program_.Uniform("ambient"), 1, glm::value_ptr(material.ambient));
    glUniform4fv(program_.Uniform("diffuse"), 1, glm::value_ptr(material.diffuse));
    glUniform4fv(program_.Uniform("specular"), 1, glm::value_ptr(material.specular));
    glUniform4fv(program_.Uniform("emissive"), 1, glm::value_ptr(material.emissive));
    glUniform1f(program_.Uniform("power"), material.power);
    glUniform1i(program_.Uniform("lit"), lighting.enabled ? 1 : 0);
    glm::vec3 centre(model * glm::vec4(mesh.Centre(), 1));
    float radius = mesh.Radius() * std::max({glm::length(glm::vec3(model[0])), glm::length(glm::vec3(model[1])),
                                             glm::length(glm::vec3(model[2]))});
    SetVec3(program_, "meshCentre", centre);
    int points = 0;
    auto setPoint = [&](const PointLight& light) {
        if (points == kMaxLights) return;
        std::string index = "[" + std::to_string(points++) + "]";
        glUniform1i(program_.Uniform(("pointInside" + index).c_str()), glm::length(light.position - centre) < radius);
        SetVec3(program_, "pointPosition" + index, light.position);
        SetVec3(program_, "pointColour" + index, light.colour);
        glUniform1f(program_.Uniform(("pointRange" + index).c_str()), light.range);
    };
    for (const auto& [id, light] : *lighting.pointLights) setPoint(light);
    for (const auto& [system, light] : *lighting.particleGlows) setPoint(light);
    glUniform1i(program_.Uniform("pointCount"), points);
    int directionals = 0;
    for (const auto& [id, light] : *lighting.directionalLights) {
        if (directionals == kMaxLights) break;
        std::string index = "[" + std::to_string(directionals++) + "]";
        glm::vec3 toward = glm::length(light.direction) > 0 ? -glm::normalize(light.direction) : glm::vec3(0);
        SetVec3(program_, "directionalTowardLight" + index, toward);
        SetVec3(program_, "directionalColour" + index, light.colour);
    }
    glUniform1i(program_.Uniform("directionalCount"), directionals);
    mesh.Draw();
}

}  // namespace engine
