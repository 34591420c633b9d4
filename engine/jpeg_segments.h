// A check of a JPEG file's marker segments before the decoder sees them: stb_image
// trusts the counts in its tables, so a damaged table would make it write or shift past
// its bounds.
#pragma once
#include <cstddef>
#include <cstdint>

namespace engine {

// Any input that starts with 0xFF is one stb_image may take for a JPEG, and is to be
// checked. Throws a RuntimeError naming the first damaged segment. Checks the Huffman tables (at
// most 256 codes, within their segment, lengths that form a code, DC categories the
// decoder can read), the quantisation tables, the frame header and each scan header, and
// that every table a scan reads has been defined before it.
void CheckJpegSegments(const std::uint8_t* data, std::size_t size);

}  // namespace engine
