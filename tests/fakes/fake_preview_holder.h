// A preview holder that records its load and hands out a known device context for Picture1.
#pragma once
#include "host/preview_holder.h"

namespace fakes {

class FakePreviewHolder : public platform::PreviewHolder {
public:
    static constexpr platform::Handle Picture1Dc = 0x91C;

    void Load() override;
    platform::Handle Picture1hDC() override;
};

// The one fake holder the tests hand the host.
FakePreviewHolder& FakePreviewHolderWindow();

}  // namespace fakes
