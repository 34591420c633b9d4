// The manual page kelvora.6, in man(7) markup: its options and settings come from the
// hack's option list and the settings table, so that it says what the program does.
#pragma once
#include <string>

namespace settings_table {

// releaseDate as YYYY-MM-DD.
std::string ManualPage(const std::string& version, const std::string& releaseDate);

}  // namespace settings_table
