// The slot that holds the installed engine implementation.
#include <stdexcept>

#include "scene/engine.h"

namespace scene {
namespace {
EngineObjects* installedEngines = nullptr;
}

EngineObjects& Engines() {
    if (!installedEngines) throw std::logic_error("EngineObjects used before one was installed");
    return *installedEngines;
}

void UseEngineObjects(EngineObjects& engines) { installedEngines = &engines; }

}  // namespace scene
