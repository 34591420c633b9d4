// The textures the engine has loaded, as GL textures known by id and by name.
#pragma once
#include <glad/gl.h>

#include <cstdint>
#include <map>
#include <string>

namespace engine {

struct TextureRequest {
    std::string path;
    std::string name;
    // -1 keeps the picture's own size.
    int width = -1;
    int height = -1;
    // 0 keys out nothing.
    std::uint32_t colorKey = 0;
    bool smoothFilter = true;
    bool mipmaps = true;
};

class Textures {
public:
    Textures() = default;
    ~Textures();
    Textures(const Textures&) = delete;
    Textures& operator=(const Textures&) = delete;

    // A name already in use gets the new picture under a new id.
    std::int32_t Load(const TextureRequest& request);
    std::int32_t IdOf(const std::string& name) const;
    GLuint Handle(std::int32_t id) const;
    // A sampler that reads one picture of the texture's chain of smaller copies, the
    // nearest in size, with the texture's own filter: a software rasteriser reads one
    // picture far faster than it blends two, and soft particles show no seam between
    // the sizes.
    GLuint OneSizeSampler(std::int32_t id);
    // A single white texel, for drawing colour alone.
    GLuint White();
    // Frees every GL texture; the context is about to go.
    void Clear();

private:
    struct Texture {
        GLuint handle;
        bool smoothFilter;
        bool mipmaps;
    };
    const Texture& Find(std::int32_t id) const;

    std::map<std::int32_t, Texture> textures_;
    std::map<std::string, std::int32_t> ids_;
    std::int32_t nextId_ = 1;
    GLuint white_ = 0;
    // One sampler for each mix of filter and chain, made when first asked for.
    std::map<std::pair<bool, bool>, GLuint> oneSizeSamplers_;
};

}  // namespace engine
