// A bounded view of a file's bytes for the parsers that must never read past what they
// were given (3DS chunks, JPEG segments, PNG chunks): every read checks that it stays
// inside its part of the file and otherwise throws the parser's own complaint.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>

#include "common/runtime_error.h"

namespace engine {

class ByteReader {
public:
    // The parser's failure for what went wrong at byte offset of the file.
    using Complaint = RuntimeError (*)(const std::string& what, std::size_t offset);

    // Bytes begin up to end of data. A read past end fails with what was read followed by
    // pastEnd (" runs past its segment", say).
    ByteReader(const std::uint8_t* data, std::size_t begin, std::size_t end, Complaint complaint,
               const char* pastEnd)
        : data_(data), position_(begin), end_(end), complaint_(complaint), pastEnd_(pastEnd) {}

    // Another part of the same file, read with the same complaint.
    ByteReader Part(std::size_t begin, std::size_t end) const {
        return ByteReader(data_, begin, end, complaint_, pastEnd_);
    }

    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return end_ - position_; }
    bool AtEnd() const { return position_ >= end_; }

    void Need(std::size_t bytes, const char* what) const {
        if (Remaining() < bytes) throw complaint_(std::string(what) + pastEnd_, position_);
    }
    void Skip(std::size_t bytes, const char* what) {
        Need(bytes, what);
        position_ += bytes;
    }
    std::uint8_t U8(const char* what) {
        Need(1, what);
        return data_[position_++];
    }
    std::uint16_t U16BigEndian(const char* what) {
        std::uint16_t high = U8(what);
        return static_cast<std::uint16_t>(high << 8 | U8(what));
    }
    std::uint16_t U16(const char* what) {
        Need(2, what);
        auto value = static_cast<std::uint16_t>(data_[position_] | data_[position_ + 1] << 8);
        position_ += 2;
        return value;
    }
    std::uint32_t U32(const char* what) {
        Need(4, what);
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | data_[position_ + i];
        position_ += 4;
        return value;
    }
    std::uint32_t U32BigEndian(const char* what) {
        Need(4, what);
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = value << 8 | data_[position_ + i];
        position_ += 4;
        return value;
    }
    float Float(const char* what) {
        std::uint32_t bits = U32(what);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    // Text up to a zero byte, which is read but not kept.
    std::string Text(const char* what) {
        std::string text;
        for (char c; (c = static_cast<char>(U8(what))) != '\0';) text += c;
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t position_;
    std::size_t end_;
    Complaint complaint_;
    const char* pastEnd_;
};

}  // namespace engine
