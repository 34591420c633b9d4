#include "backends/linux/ini_document.h"

namespace platform::ini {

namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view Utf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view Utf16BigEndianMark = "\xFE\xFF";

IniText<char> NarrowText(std::string_view bytes) {
    return IniText<char>(std::string(bytes), bytes.starts_with(Utf8ByteOrderMark) ? Utf8ByteOrderMark.size() : 0);
}

// The byte-order mark stays the first unit, ahead of the lines.
IniText<char16_t> Utf16Text(std::string_view bytes, bool bigEndian) {
    std::u16string units;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        auto first = static_cast<unsigned char>(bytes[i]);
        auto second = static_cast<unsigned char>(bytes[i + 1]);
        units += static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first);
    }
    return IniText<char16_t>(std::move(units), 1);
}

std::u16string Widened(std::string_view text) {
    std::u16string units;
    for (char c : text) units += static_cast<char16_t>(static_cast<unsigned char>(c));
    return units;
}

std::string Narrowed(std::u16string_view units) {
    std::string text;
    for (char16_t unit : units) text += unit < 0x100 ? static_cast<char>(unit) : '?';
    return text;
}

}  // namespace

Document::Document(std::string_view bytes) : text_(IniText<char>(std::string(), 0)) {
    bigEndian_ = bytes.starts_with(Utf16BigEndianMark);
    if (bigEndian_ || bytes.starts_with(Utf16LittleEndianMark)) {
        text_ = Utf16Text(bytes, bigEndian_);
        if (bytes.size() % 2) oddByte_ = bytes.substr(bytes.size() - 1);
    } else {
        text_ = NarrowText(bytes);
    }
}

std::optional<std::string> Document::Find(std::string_view section, std::string_view key) const {
    if (const auto* narrow = std::get_if<IniText<char>>(&text_)) return narrow->Find(section, key);
    std::optional<std::u16string> value = std::get<IniText<char16_t>>(text_).Find(Widened(section), Widened(key));
    if (!value) return std::nullopt;
    return Narrowed(*value);
}

void Document::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (auto* narrow = std::get_if<IniText<char>>(&text_)) {
        narrow->Set(section, key, value);
    } else {
        std::get<IniText<char16_t>>(text_).Set(Widened(section), Widened(key), Widened(value));
    }
}

std::string Document::Bytes() const {
    if (const auto* narrow = std::get_if<IniText<char>>(&text_)) return narrow->Units();
    std::string bytes;
    for (char16_t unit : std::get<IniText<char16_t>>(text_).Units()) {
        char high = static_cast<char>(unit >> 8);
        char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian_ ? high : low;
        bytes += bigEndian_ ? low : high;
    }
    return bytes + oddByte_;
}

std::string Document::BytesOfAtLeast(std::size_t size, std::string_view section, std::string_view key) const {
    std::size_t length = Bytes().size();
    if (length >= size) return Bytes();
    Document padded = *this;
    if (auto* narrow = std::get_if<IniText<char>>(&padded.text_)) {
        narrow->PadValue(section, key, size - length);
    } else {
        // Two bytes a blank; a shortfall of an odd byte takes one blank more.
        std::get<IniText<char16_t>>(padded.text_).PadValue(Widened(section), Widened(key), (size - length + 1) / 2);
    }
    return padded.Bytes();
}

}  // namespace platform::ini
