// A picture embedded in kelvora.scr as a PNG resource, kept as a bitmap with its
// transparency, ready to draw over whatever ground lies beneath it.
#pragma once
#include <windows.h>

#include <memory>

namespace platform {

class Win32Picture {
public:
    Win32Picture(HBITMAP bitmap, int width, int height);
    ~Win32Picture();
    Win32Picture(const Win32Picture&) = delete;
    Win32Picture& operator=(const Win32Picture&) = delete;

    // Its size on a window of that density: its own pixels at 96 dots an inch.
    SIZE SizeAt(UINT dpi) const;
    void Draw(HDC dc, int x, int y, UINT dpi) const;

private:
    HBITMAP bitmap_;
    int width_;
    int height_;
};

// The RCDATA resource of that name, or nothing when it is missing or not a PNG.
std::unique_ptr<Win32Picture> LoadResourcePicture(const char* name);

}  // namespace platform
