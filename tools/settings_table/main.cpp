// kelvora_settings_table json|markdown|xscreensaver|man [FILE]: writes the settings table
// as JSON (for the end-to-end tests), as README's Markdown table, as XScreenSaver's
// kelvora.xml or within the manual page kelvora.6, to FILE or else to standard output.
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "manual_page.h"
#include "product.h"
#include "settings_table_text.h"

int main(int argc, char** argv) {
    std::string_view format = argc >= 2 ? argv[1] : "";
    if ((format != "json" && format != "markdown" && format != "xscreensaver" && format != "man") ||
        argc > 3) {
        std::cerr << "usage: kelvora_settings_table json|markdown|xscreensaver|man [FILE]\n";
        return 2;
    }
    std::string text = format == "json"           ? settings_table::Json()
                       : format == "markdown"     ? settings_table::Markdown()
                       : format == "xscreensaver" ? settings_table::XScreenSaver()
                                                  : settings_table::ManualPage(ProductVersion, ProductReleaseDate);
    if (argc < 3) {
        std::cout << text;
        return std::cout.flush() ? 0 : 1;
    }
    std::ofstream file(argv[2], std::ios::binary);
    file << text;
    file.close();
    if (!file) {
        std::cerr << "kelvora_settings_table: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
