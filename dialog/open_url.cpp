#include "dialog/open_url.h"

namespace mScreenSaver {

platform::Handle OpenUrl(const std::string& url) {
    return platform::Windows().ShellExecuteA(0, nullptr, url.c_str(), nullptr, nullptr,
                                             platform::SwShowNormal);
}

}  // namespace mScreenSaver
