// The Direct3D 11 layer's textures: a picture with its chain of smaller copies where asked,
// kept to be made again on a new device.
#pragma once
#include <memory>

#include "engine/d3d11_device.h"
#include "engine/drawing_layer.h"
#include "engine/picture.h"

namespace engine {

class D3d11Texture : public LayerTexture {
public:
    D3d11Texture(std::shared_ptr<D3d11Device> device, const Picture& picture, bool smooth, bool chain);

    // The view to read it through, made again where it was made on an earlier device.
    ID3D11ShaderResourceView* View() const;
    bool Smooth() const { return smooth_; }
    bool Chain() const { return chain_; }

private:
    std::shared_ptr<D3d11Device> device_;
    Picture picture_;
    bool smooth_, chain_;
    mutable int generation_ = 0;
    mutable ComPtr<ID3D11ShaderResourceView> view_;
};

}  // namespace engine
