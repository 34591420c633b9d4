// The settings table written out for readers outside the C++ build: as JSON for the
// end-to-end tests and as the Markdown table that README.md shows users.
#pragma once
#include <string>

namespace settings_table {

std::string Json();
std::string Markdown();

}  // namespace settings_table
