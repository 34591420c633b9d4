#include "saver/exit_detector.h"

#include <limits>
#include <string>

#include "common/event_note.h"
#include "common/numeric_text.h"
#include "seams/toolkit.h"

namespace mScreenSaver {

namespace {
constexpr double SecondMoveWindow = 2.0;
}

bool ExitDetector::CountMouseMove() {
    if (MoveCount < std::numeric_limits<std::int16_t>::max()) ++MoveCount;
    if (MoveCount == 3) {
        NoteEvent("mouse-move-counted 3");
        return true;
    }
    if (MoveStartTime == 0) {
        MoveStartTime = RoundToInt32(platform::App().TimeOfDay());
    } else if (platform::App().TimeOfDay() - MoveStartTime > SecondMoveWindow) {
        // After midnight the difference is negative and never resets the count.
        MoveCount = 0;
        MoveStartTime = 0;
    }
    NoteEvent("mouse-move-counted " + std::to_string(MoveCount));
    return false;
}

}  // namespace mScreenSaver
