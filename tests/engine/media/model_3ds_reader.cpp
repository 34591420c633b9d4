// Chunk walking for the model tests.
#include "model_3ds_reader.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace media_test {

namespace {
class Reader {
public:
    Reader(const std::vector<std::uint8_t>& bytes, Model3ds& model) : bytes_(bytes), model_(model) {}

    void Chunks(std::size_t from, std::size_t to) {
        while (from < to) {
            if (to - from < 6) throw std::runtime_error("truncated chunk header");
            const std::uint16_t id = U16(from);
            const std::uint32_t length = U32(from + 2);
            if (length < 6 || length > to - from) throw std::runtime_error("chunk overruns its parent");
            model_.chunkPath.push_back(id);
            Contents(id, from + 6, from + length);
            from += length;
        }
    }

private:
    void Contents(std::uint16_t id, std::size_t at, std::size_t end) {
        switch (id) {
        case 0x4D4D: case 0x3D3D: case 0x4100:
            Chunks(at, end);
            break;
        case 0x4000: {
            const auto* text = reinterpret_cast<const char*>(&bytes_[at]);
            const std::size_t length = strnlen(text, end - at);
            if (length == end - at) throw std::runtime_error("object name not terminated");
            model_.objectName.assign(text, length);
            Chunks(at + length + 1, end);
            break;
        }
        case 0x4110: {
            const std::uint16_t count = Count(at, end, 12);
            for (std::size_t i = 0; i < count; ++i)
                model_.vertices.push_back({F32(at + 2 + 12 * i), F32(at + 6 + 12 * i), F32(at + 10 + 12 * i)});
            break;
        }
        case 0x4140: {
            const std::uint16_t count = Count(at, end, 8);
            for (std::size_t i = 0; i < count; ++i)
                model_.textureCoords.push_back({F32(at + 2 + 8 * i), F32(at + 6 + 8 * i)});
            break;
        }
        case 0x4120: {
            const std::uint16_t count = U16(at);
            const std::size_t facesEnd = at + 2 + 8 * std::size_t(count);
            if (facesEnd > end) throw std::runtime_error("faces overrun their chunk");
            for (std::size_t i = 0; i < count; ++i) {
                for (int k = 0; k < 3; ++k) model_.corners.push_back(U16(at + 2 + 8 * i + 2 * k));
                model_.faceFlags.push_back(U16(at + 8 + 8 * i));
            }
            Chunks(facesEnd, end);
            break;
        }
        case 0x4150:
            if ((end - at) % 4 != 0) throw std::runtime_error("ragged smoothing groups");
            for (std::size_t p = at; p < end; p += 4) model_.smoothingGroups.push_back(U32(p));
            break;
        default:
            break;
        }
    }

    std::uint16_t Count(std::size_t at, std::size_t end, std::size_t itemSize) {
        const std::uint16_t count = U16(at);
        if (2 + itemSize * count != end - at) throw std::runtime_error("array length disagrees with its chunk");
        return count;
    }

    std::uint16_t U16(std::size_t at) const { return std::uint16_t(bytes_.at(at) | bytes_.at(at + 1) << 8); }
    std::uint32_t U32(std::size_t at) const { return U16(at) | std::uint32_t(U16(at + 2)) << 16; }
    float F32(std::size_t at) const {
        const std::uint32_t bits = U32(at);
        float value;
        std::memcpy(&value, &bits, 4);
        return value;
    }

    const std::vector<std::uint8_t>& bytes_;
    Model3ds& model_;
};
}  // namespace

Model3ds ReadModel3ds(const std::vector<std::uint8_t>& bytes) {
    Model3ds model;
    Reader(bytes, model).Chunks(0, bytes.size());
    return model;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + path);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace media_test
