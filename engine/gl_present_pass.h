// Scales the finished off-screen picture onto a rectangle of the window with one
// textured triangle, applying the display's gamma on the way. A picture shown larger
// than it was drawn is scaled so that its edges stay crisp (see the fragment shader).
#pragma once
#include <glad/gl.h>
#include <glm/glm.hpp>

#include "engine/gl_shader_program.h"

namespace engine {

class PresentPass {
public:
    explicit PresentPass(float gamma);
    ~PresentPass();
    PresentPass(const PresentPass&) = delete;
    PresentPass& operator=(const PresentPass&) = delete;

    // Draws PICTURE, of PICTURE_SIZE pixels, over the current viewport of SHOWN_SIZE.
    void Draw(GLuint picture, glm::ivec2 pictureSize, glm::ivec2 shownSize) const;

private:
    ShaderProgram program_;
    GLuint vertexArray_ = 0;
};

}  // namespace engine
