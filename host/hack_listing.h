// Where a screen-saver daemon lists the hacks a user may choose from (XScreenSaver's
// programs list on Linux). Only platforms with such daemons install it.
#pragma once
#include <string>

namespace platform {

class HackListing {
public:
    virtual ~HackListing() = default;

    // Adds this program to the user's list, keeping every other entry and setting, unless
    // it is listed already; returns one line for the user saying which, and where. Fails
    // with a RuntimeError naming the file it could not read or write.
    virtual std::string AddToUserList() = 0;
};

}  // namespace platform
