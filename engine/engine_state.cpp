#include "engine/engine_state.h"

namespace engine {

std::string EngineState::ResolvePath(const std::string& file) const {
    bool bare = file.find_first_of("/\\") == std::string::npos;
    if (!bare || searchFolder.empty()) return file;
    char last = searchFolder.back();
    return searchFolder + (last == '/' || last == '\\' ? "" : "/") + file;
}

}  // namespace engine
