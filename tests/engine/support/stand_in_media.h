// A stand-in for the media the scene loads, for the engine's own tests: a ribbed carved
// pumpkin written as 3DS, its face turned so that the scene's pose shows it to the
// camera, and a soft round smoke texture on keyed-out black.
#pragma once
#include <string>

namespace enginetest {

// Writes kelvora.3ds and smoke.bmp into the folder, which must exist.
void WriteStandInMedia(const std::string& folder);

}  // namespace enginetest
