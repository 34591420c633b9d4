// Scales the finished off-screen picture onto a rectangle of the window with one
// textured triangle, applying the display's gamma on the way.
#pragma once
#include <glad/gl.h>

#include "engine/shader_program.h"

namespace engine {

class PresentPass {
public:
    explicit PresentPass(float gamma);
    ~PresentPass();
    PresentPass(const PresentPass&) = delete;
    PresentPass& operator=(const PresentPass&) = delete;

    void Draw(GLuint picture) const;

private:
    ShaderProgram program_;
    GLuint vertexArray_ = 0;
};

}  // namespace engine
