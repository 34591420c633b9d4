#include "engine/gl_vertex_array.h"

namespace engine {

void MakeVertexArray(GLuint& vertexArray, GLuint& buffer, GLsizei stride,
                     std::initializer_list<VertexAttribute> attributes) {
    glGenVertexArrays(1, &vertexArray);
    glGenBuffers(1, &buffer);
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    GLuint location = 0;
    for (const VertexAttribute& attribute : attributes) {
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location++, attribute.floats, GL_FLOAT, GL_FALSE, stride,
                              reinterpret_cast<void*>(attribute.offset));
    }
}

}  // namespace engine
