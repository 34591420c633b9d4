// The drawing layer of the Linux product: OpenGL 3.3, its one road.
#include "engine/gl_drawing_layer.h"

namespace engine {

std::unique_ptr<DrawingLayer> StartDrawingLayer(platform::WindowHandle window) {
    return std::make_unique<GlDrawingLayer>(window);
}

}  // namespace engine
