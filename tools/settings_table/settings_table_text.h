// The settings table written out for readers outside the C++ build: as JSON for the
// end-to-end tests, as the Markdown table that README.md shows users, and as the
// XScreenSaver settings file kelvora.xml that the packages install.
#pragma once
#include <string>

namespace settings_table {

std::string Json();
std::string Markdown();
std::string XScreenSaver();

}  // namespace settings_table
