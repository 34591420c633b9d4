// The event file on Windows: opened for each line with append access only, which the
// system turns into one write at the end of the file, whoever else appends to it. The
// write is overlapped so that a pipe with no room for the line (a reader that does not
// read) gives it up instead of holding the process.
#include "common/event_file.h"

#include <windows.h>

void AppendEventText(const char* path, const std::string& text) {
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    OVERLAPPED atEnd{};
    atEnd.Offset = atEnd.OffsetHigh = 0xFFFFFFFF;
    if (!WriteFile(file, text.data(), static_cast<DWORD>(text.size()), nullptr, &atEnd) &&
        GetLastError() == ERROR_IO_PENDING) {
        // A file on a disk finishes its write; a pipe without room gives it up.
        if (GetFileType(file) == FILE_TYPE_PIPE) CancelIo(file);
        DWORD written = 0;
        GetOverlappedResult(file, &atEnd, &written, TRUE);
    }
    CloseHandle(file);
}
