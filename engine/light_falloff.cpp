#include "engine/light_falloff.h"

#include <algorithm>
#include <cmath>

namespace engine {

float RangeFalloff(float distance, float range) {
    if (!(range > 0) || std::isnan(distance)) return 0;
    float along = std::isinf(range) ? 0.0f : distance / range;
    float share = std::clamp(1.0f - along * along, 0.0f, 1.0f);
    return share * share;
}

const char* const kRangeFalloffGlsl = R"(
float RangeFalloff(float distance, float inverseRange) {
    float along = distance * inverseRange;
    float share = clamp(1.0 - along * along, 0.0, 1.0);
    return share * share;
}
)";

}  // namespace engine
