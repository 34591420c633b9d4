#include "engine/shader_program.h"

#include "common/runtime_error.h"
#include "engine/gl_context.h"

namespace engine {

namespace {

GLuint Compile(GLenum kind, const char* source) {
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        glDeleteShader(shader);
        throw RuntimeError(ErrorCode::InvalidArgument, std::string("shader does not compile: ") + log);
    }
    return shader;
}

}  // namespace

ShaderProgram::ShaderProgram(const char* vertexSource, const char* fragmentSource) {
    GLuint vertex = Compile(GL_VERTEX_SHADER, vertexSource);
    GLuint fragment = Compile(GL_FRAGMENT_SHADER, fragmentSource);
    program_ = glCreateProgram();
    glAttachShader(program_, vertex);
    glAttachShader(program_, fragment);
    glLinkProgram(program_);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = 0;
    glGetProgramiv(program_, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[1024] = {};
        glGetProgramInfoLog(program_, sizeof log, nullptr, log);
        glDeleteProgram(program_);
        throw RuntimeError(ErrorCode::InvalidArgument, std::string("shaders do not link: ") + log);
    }
    // Mesa keeps its compiler's built-in functions (megabytes) until told to let them go;
    // the few programs the scene needs are built at the start, so the later ones pay a
    // little time for the memory every frame after them saves.
    glReleaseShaderCompiler();
}

ShaderProgram::~ShaderProgram() {
    if (GlContextAlive()) glDeleteProgram(program_);
}

}  // namespace engine
