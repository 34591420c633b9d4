// Walks a JPEG file's marker segments and refuses any table or header the decoder would
// read past its bounds.
#include "engine/jpeg_segments.h"

#include <string>
#include <utility>
#include <vector>

#include "common/runtime_error.h"
#include "engine/byte_reader.h"

namespace engine {

namespace {

constexpr std::uint8_t kStartOfImage = 0xD8, kEndOfImage = 0xD9, kStartOfScan = 0xDA;
constexpr std::uint8_t kProgressiveFrame = 0xC2, kHuffmanTables = 0xC4, kQuantisationTables = 0xDB, kRestartInterval = 0xDD;
// A Huffman code has at most 16 bits and its table holds at most 256 symbols; a DC
// symbol is the bit count of the difference that follows, at most 15.
constexpr int kMaxCodeLength = 16;
constexpr int kMaxSymbols = 256;
constexpr int kMaxDcCategory = 15;

RuntimeError Damaged(const std::string& what, std::size_t offset) {
    return RuntimeError(ErrorCode::InvalidArgument,
                        "damaged JPEG picture: " + what + " at byte " + std::to_string(offset));
}

bool IsFrameHeader(std::uint8_t marker) {
    return marker >= 0xC0 && marker <= 0xCF && marker != kHuffmanTables && marker != 0xC8 && marker != 0xCC;
}

// One segment's body, read with bounds checks.
class Segment {
public:
    Segment(const std::uint8_t* data, std::size_t begin, std::size_t end)
        : reader_(data, begin, end, Damaged, " runs past its segment") {}
    bool AtEnd() const { return reader_.AtEnd(); }
    std::size_t Offset() const { return reader_.Position(); }
    std::uint8_t Byte(const char* what) { return reader_.U8(what); }
    int Word(const char* what) { return reader_.U16BigEndian(what); }
    void Skip(std::size_t bytes, const char* what) { reader_.Skip(bytes, what); }

private:
    ByteReader reader_;
};

// What the segments so far have defined: stb_image reads a table slot that no segment
// filled as it finds it in memory it never set.
struct Defined {
    bool dcTable[4] = {};
    bool acTable[4] = {};
    bool quantisationTable[4] = {};
    bool frame = false;
    bool progressive = false;
    // Each frame component's id and quantisation table slot.
    std::vector<std::pair<int, int>> components;
};

void CheckHuffmanTables(Segment segment, Defined& defined) {
    while (!segment.AtEnd()) {
        std::size_t offset = segment.Offset();
        int kind = segment.Byte("Huffman table");
        int tableClass = kind >> 4, slot = kind & 15;
        if (tableClass > 1 || slot > 3) throw Damaged("Huffman table class or slot out of range", offset);
        int counts[kMaxCodeLength + 1] = {};
        int symbols = 0;
        for (int length = 1; length <= kMaxCodeLength; ++length) {
            counts[length] = segment.Byte("Huffman code counts");
            symbols += counts[length];
        }
        if (symbols > kMaxSymbols) throw Damaged("Huffman table of more than 256 codes", offset);
        // Canonical codes of each length must fit in that many bits.
        long long code = 0;
        for (int length = 1; length <= kMaxCodeLength; ++length) {
            code += counts[length];
            if (code > (1LL << length)) throw Damaged("Huffman code lengths that form no code", offset);
            code <<= 1;
        }
        for (int i = 0; i < symbols; ++i) {
            int symbol = segment.Byte("Huffman symbols");
            if (tableClass == 0 && symbol > kMaxDcCategory) throw Damaged("DC difference of more than 15 bits", offset);
        }
        (tableClass == 0 ? defined.dcTable : defined.acTable)[slot] = true;
    }
}

void CheckQuantisationTables(Segment segment, Defined& defined) {
    while (!segment.AtEnd()) {
        std::size_t offset = segment.Offset();
        int kind = segment.Byte("quantisation table");
        int precision = kind >> 4, slot = kind & 15;
        if (precision > 1 || slot > 3) throw Damaged("quantisation table precision or slot out of range", offset);
        segment.Skip(precision ? 128 : 64, "quantisation table");
        defined.quantisationTable[slot] = true;
    }
}

void CheckFrameHeader(Segment segment, std::size_t offset, bool progressive, Defined& defined) {
    if (defined.frame) throw Damaged("second frame header", offset);
    defined.frame = true;
    defined.progressive = progressive;
    if (segment.Byte("frame header") != 8) throw Damaged("sample precision other than 8 bits", offset);
    int height = segment.Word("frame header"), width = segment.Word("frame header");
    if (height == 0 || width == 0) throw Damaged("picture without size", offset);
    int components = segment.Byte("frame header");
    if (components != 1 && components != 3 && components != 4) throw Damaged("unsupported component count", offset);
    for (int c = 0; c < components; ++c) {
        int id = segment.Byte("component id");
        int sampling = segment.Byte("component sampling");
        int horizontal = sampling >> 4, vertical = sampling & 15;
        if (horizontal < 1 || horizontal > 4 || vertical < 1 || vertical > 4) throw Damaged("sampling factor out of range", offset);
        int table = segment.Byte("component table");
        if (table > 3) throw Damaged("quantisation table slot out of range", offset);
        defined.components.push_back({id, table});
    }
    if (!segment.AtEnd()) throw Damaged("frame header longer than its components", offset);
}

// A scan reads the DC table of each of its components in a baseline frame and in the
// first DC scan of a progressive one, and the AC table in a baseline frame and in every
// AC scan of a progressive one; every scan needs the frame and its quantisation tables.
void CheckScanHeader(Segment segment, std::size_t offset, const Defined& defined) {
    if (!defined.frame) throw Damaged("scan before the frame header", offset);
    for (const auto& [id, table] : defined.components)
        if (!defined.quantisationTable[table]) throw Damaged("quantisation table used before it is defined", offset);
    int components = segment.Byte("scan header");
    if (components < 1 || components > 4) throw Damaged("scan component count out of range", offset);
    int tables[4];
    for (int c = 0; c < components; ++c) {
        segment.Byte("scan component");
        tables[c] = segment.Byte("scan tables");
        if ((tables[c] >> 4) > 3 || (tables[c] & 15) > 3) throw Damaged("Huffman table slot out of range", offset);
    }
    int spectralStart = segment.Byte("scan header"), spectralEnd = segment.Byte("scan header");
    int approximation = segment.Byte("scan header");
    if (spectralStart > 63 || spectralEnd > 63 || spectralStart > spectralEnd || (approximation >> 4) > 13 ||
        (approximation & 15) > 13)
        throw Damaged("scan band out of range", offset);
    if (!segment.AtEnd()) throw Damaged("scan header longer than its components", offset);
    bool readsDc = !defined.progressive || (spectralStart == 0 && (approximation >> 4) == 0);
    bool readsAc = !defined.progressive || spectralStart > 0;
    for (int c = 0; c < components; ++c)
        if ((readsDc && !defined.dcTable[tables[c] >> 4]) || (readsAc && !defined.acTable[tables[c] & 15]))
            throw Damaged("Huffman table used before it is defined", offset);
}

// The first byte after the entropy-coded data that starts at `at`: the 0xFF of the next
// marker other than a restart, or the end of the file.
std::size_t SkipEntropyCodedData(const std::uint8_t* data, std::size_t size, std::size_t at) {
    while (at + 1 < size) {
        if (data[at] == 0xFF && data[at + 1] != 0x00 && data[at + 1] != 0xFF &&
            !(data[at + 1] >= 0xD0 && data[at + 1] <= 0xD7))
            return at;
        ++at;
    }
    return size;
}

}  // namespace

void CheckJpegSegments(const std::uint8_t* data, std::size_t size) {
    // stb_image, like the standard, lets fill bytes of 0xFF stand before any marker.
    Defined defined;
    std::size_t at = 0;
    while (at < size && data[at] == 0xFF) ++at;
    if (at == 0 || at >= size || data[at] != kStartOfImage) throw Damaged("no start-of-image marker", 0);
    ++at;
    while (at < size) {
        std::size_t offset = at;
        if (data[at] != 0xFF) throw Damaged("bytes where a marker belongs", offset);
        while (at < size && data[at] == 0xFF) ++at;
        if (at >= size) return;
        std::uint8_t marker = data[at++];
        if (marker == kEndOfImage) return;
        // Markers without a segment.
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
        if (size - at < 2) throw Damaged("segment length runs past the end", offset);
        std::size_t length = static_cast<std::size_t>(data[at] << 8 | data[at + 1]);
        if (length < 2 || length > size - at) throw Damaged("segment length out of range", offset);
        Segment body(data, at + 2, at + length);
        at += length;
        if (marker == kHuffmanTables) CheckHuffmanTables(body, defined);
        else if (marker == kQuantisationTables) CheckQuantisationTables(body, defined);
        else if (IsFrameHeader(marker)) CheckFrameHeader(body, offset, marker == kProgressiveFrame, defined);
        else if (marker == kRestartInterval && length != 4) throw Damaged("restart interval of the wrong length", offset);
        else if (marker == kStartOfScan) {
            CheckScanHeader(body, offset, defined);
            at = SkipEntropyCodedData(data, size, at);
        }
    }
}

}  // namespace engine
