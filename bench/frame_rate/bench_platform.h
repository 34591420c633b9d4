// The two things the benchmark needs of the operating system beyond the display seam.
#pragma once
#include <cstdint>

namespace bench {

// Handles the window system's pending events once, as the saver's frame loop does.
void PumpEvents();
// The most memory the process has held resident so far, in bytes.
std::uint64_t PeakResidentBytes();
// Processor time the process has used so far, every thread's, in seconds.
double ProcessorSeconds();

}  // namespace bench
