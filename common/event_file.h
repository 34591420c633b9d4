// The event file's one write, given by each platform in backends/<platform>/event_file.cpp
// and linked into the portable core with it.
#pragma once
#include <string>

// Appends the text at the end of the file at the path in one write, never waiting for a
// reader: a named pipe that nobody reads (no reader, or one whose pipe is full) loses the
// text, as does a file that cannot be opened. The file is made when missing.
void AppendEventText(const char* path, const std::string& text);
