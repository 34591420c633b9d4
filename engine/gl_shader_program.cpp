#include "engine/gl_shader_program.h"

#include "common/runtime_error.h"
#include "engine/gl_context.h"

namespace engine {

namespace {

// The shader's and the program's functions have the same types.
using GetValue = PFNGLGETSHADERIVPROC;
using GetLog = PFNGLGETSHADERINFOLOGPROC;
using Delete = PFNGLDELETESHADERPROC;

// A shader that did not compile or a program that did not link is freed, and its log
// told.
void RequireStatus(GLuint object, GLenum status, GetValue getValue, GetLog getLog, Delete free,
                   const char* failure) {
    GLint ok = 0;
    getValue(object, status, &ok);
    if (ok) return;
    char log[1024] = {};
    getLog(object, sizeof log, nullptr, log);
    free(object);
    throw RuntimeError(ErrorCode::InvalidArgument, std::string(failure) + log);
}

GLuint Compile(GLenum kind, const char* source) {
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    RequireStatus(shader, GL_COMPILE_STATUS, glGetShaderiv, glGetShaderInfoLog, glDeleteShader,
                  "shader does not compile: ");
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
    RequireStatus(program_, GL_LINK_STATUS, glGetProgramiv, glGetProgramInfoLog, glDeleteProgram,
                  "shaders do not link: ");
    // Mesa keeps its compiler's built-in functions (megabytes) until told to let them go;
    // the few programs the scene needs are built at the start, so the later ones pay a
    // little time for the memory every frame after them saves.
    glReleaseShaderCompiler();
}

ShaderProgram::~ShaderProgram() {
    if (GlContextAlive()) glDeleteProgram(program_);
}

}  // namespace engine
