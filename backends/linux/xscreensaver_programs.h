// XScreenSaver's list of hacks, the "programs" resource, in the text of its resource files
// (the user's ~/.xscreensaver and the system's app-defaults), and that text with
// Kelvora's entry added.
#pragma once
#include <string>
#include <string_view>

namespace platform::xscreensaver {

// What the list gets: a GL hack drawing into the daemon's window.
inline constexpr std::string_view KelvoraEntry = "GL: kelvora --root";

struct ListedText {
    // False when the list named kelvora already (also as a disabled entry).
    bool added;
    // The user's file as it is to be written.
    std::string userFile;
};

// True when the text holds a programs resource.
bool HasProgramsList(std::string_view resources);

// The user's file with Kelvora's entry at the end of its programs list. When the user's
// file has no list (or no file: empty text), the list starts as the system's, or empty
// when that has none either. Every other
// line stays as it was; the entry goes last, so that the "selected" index of every entry
// before it still names the same hack.
ListedText WithKelvoraListed(std::string_view userFile, std::string_view systemFile);

}  // namespace platform::xscreensaver
