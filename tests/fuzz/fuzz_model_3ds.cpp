// libFuzzer target: the 3DS reader must refuse any input it cannot read with its one
// failure type, and never read outside the input or crash; whatever it accepts, the
// model set-up turns into triangles without fault.
#include <cstddef>
#include <cstdint>

#include "common/runtime_error.h"
#include "engine/mesh_geometry.h"
#include "engine/model_3ds.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        engine::BuildTriangles(engine::Parse3ds(data, size), {});
    } catch (const RuntimeError&) {
    }
    return 0;
}
