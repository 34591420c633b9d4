// The list of generated media: the model and the pictures.
#include "media_files.h"

#include "model_3ds.h"
#include "pictures.h"
#include "pumpkin_model.h"

namespace media {

std::vector<MediaFile> GeneratedMedia() {
    return {
        {"kelvora.3ds", Model3ds(BuildPumpkin(), "pumpkin")},
        {"loading.jpg", LoadingPicture()},
        {"smoke.bmp", SmokeTexture()},
        {"tell_friend.png", TellFriendButton()},
        {"website.png", WebsiteButton()},
        {"kelvora.ico", MonitorIcon()},
        {"kelvora_icon.png", MonitorIconPng()},
    };
}

}  // namespace media
