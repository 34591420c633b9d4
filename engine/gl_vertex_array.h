// The vertex arrays the engine draws from: one buffer of interleaved vertices, each of
// their attributes a run of floats, the first at location 0, the next at 1, and so on.
#pragma once
#include <glad/gl.h>

#include <cstddef>
#include <initializer_list>

namespace engine {

struct VertexAttribute {
    GLint floats;
    std::size_t offset;
};

// Makes a vertex array and its buffer, for vertices of stride bytes, and leaves both bound
// for their data.
void MakeVertexArray(GLuint& vertexArray, GLuint& buffer, GLsizei stride,
                     std::initializer_list<VertexAttribute> attributes);

}  // namespace engine
