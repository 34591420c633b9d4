// The list of generated media: the model, the pictures and the desktop's icons.
#include "media_files.h"

#include "app_icon.h"
#include "model_3ds.h"
#include "pictures.h"
#include "pumpkin_model.h"

namespace media {

std::vector<MediaFile> GeneratedMedia() {
    std::vector<MediaFile> files = {
        {"kelvora.3ds", Model3ds(BuildPumpkin(), "pumpkin")},
        {"loading.jpg", LoadingPicture()},
        {"smoke.bmp", SmokeTexture()},
        {"tell_friend.png", TellFriendButton()},
        {"website.png", WebsiteButton()},
        {"kelvora.ico", MonitorIcon()},
        {"kelvora_icon.png", MonitorIconPng()},
    };
    // The desktop's icons, which the package installs into the icon theme rather than the
    // media folder.
    for (int size : AppIconSizes)
        files.push_back({"icons/kelvora_" + std::to_string(size) + ".png", AppIconPng(size)});
    files.push_back({"icons/kelvora.svg", AppIconSvg()});
    return files;
}

}  // namespace media
