// A linked GLSL 3.30 program built from a vertex and a fragment shader's source.
#pragma once
#include <glad/gl.h>

#include <string>

namespace engine {

class ShaderProgram {
public:
    ShaderProgram(const char* vertexSource, const char* fragmentSource);
    ~ShaderProgram();
    ShaderProgram(const ShaderProgram&) = delete;
    ShaderProgram& operator=(const ShaderProgram&) = delete;

    void Use() const { glUseProgram(program_); }
    GLint Uniform(const char* name) const { return glGetUniformLocation(program_, name); }

private:
    GLuint program_ = 0;
};

}  // namespace engine
