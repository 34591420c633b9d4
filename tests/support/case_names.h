// Names for the cases of a parameterised test, made from words and values, so that a case
// reads in the test list and can be run by its name (--gtest_filter, ctest -R).
#pragma once
#include <cctype>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>

namespace support {

// The parts joined by '_', each kept to letters and digits: a sentence becomes CamelCase,
// '-' reads "Minus", '.' reads "Point", and an empty part "Empty".
inline std::string CaseName(std::initializer_list<std::string_view> parts) {
    std::string name;
    for (std::string_view part : parts) {
        if (!name.empty()) name += '_';
        if (part.empty()) name += "Empty";
        bool wordStart = true;
        for (char c : part) {
            if (std::isalnum(static_cast<unsigned char>(c))) {
                name += wordStart ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
                wordStart = false;
            } else {
                name += c == '-' ? "Minus" : c == '.' ? "Point" : "";
                wordStart = true;
            }
        }
    }
    return name;
}

inline std::string CaseName(std::string_view part) { return CaseName({part}); }

// A number as a name's part: the shortest form that tells it from its neighbours.
inline std::string CaseValue(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

}  // namespace support
