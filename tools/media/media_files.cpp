// The list of generated media: the model and the pictures.
#include "media_files.h"

#include "model_3ds.h"
#include "pumpkin_model.h"

namespace media {

std::vector<MediaFile> GeneratedMedia() {
    return {
        {"kelvora.3ds", Model3ds(BuildPumpkin(), "pumpkin")},
    };
}

}  // namespace media
