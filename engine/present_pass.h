// Scales the finished off-screen picture onto a rectangle of the window with one
// textured triangle, encoding its linear light as sRGB and applying the display's gamma.
#pragma once
#include <glad/gl.h>

#include "engine/shader_program.h"

namespace engine {

class PresentPass {
public:
    PresentPass();
    ~PresentPass();
    PresentPass(const PresentPass&) = delete;
    PresentPass& operator=(const PresentPass&) = delete;

    void Draw(GLuint picture, float gamma) const;

private:
    ShaderProgram program_;
    GLuint vertexArray_ = 0;
};

}  // namespace engine
