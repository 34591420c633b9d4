// For the start-up benchmark: the wall-clock time at which the first frame of the scene
// was presented, written to the file that KELVORA_FIRST_FRAME_FILE names.
#pragma once

namespace saver {

// Writes the time on the first call only, and only when the variable is set.
void NoteScenePresented();

}  // namespace saver
