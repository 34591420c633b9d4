// What the profile probe needs of the side it runs on: the two profile functions and a
// way to make a file read-only.
#pragma once
#include <cstdint>

std::uint32_t ProbeGetProfileString(const char* section, const char* key, const char* defaultText,
                                    char* buffer, std::uint32_t size, const char* file);
bool ProbeWriteProfileString(const char* section, const char* key, const char* value,
                             const char* file);
void ProbeMakeReadOnly(const char* file);
