// How the settings window on Windows looks, apart from what it does.
#pragma once
#include <windows.h>

#include "backends/windows/win32_picture.h"
#include "dialog/settings_layout.h"

namespace platform {

// A designed place in pixels at the window's density.
RECT PixelRect(const dialog::TwipsRect& place, UINT dpi);
DWORD LabelAlignStyle(dialog::TextAlign align);
// The classic dialog face at 8 points, made for the window's density so that its text is
// sharp at any scale, and narrow enough for the captions' designed places; where the
// system lacks it (Wine without its own fonts), a narrow face it does have.
HFONT CreateDialogFont(UINT dpi);
// A graphical button: a raised button face with its picture (or, without one, its caption)
// in the middle, sinking by a pixel while pressed; the picture grows with the density.
void DrawPictureButton(const DRAWITEMSTRUCT& item, const Win32Picture* picture, const char* caption,
                       HFONT font, UINT dpi);
// The window's icons in the title bar and the task bar, taken from the icon resource
// `name` at the sizes of that density, so that Windows need not stretch a smaller one.
void UseIconsForDpi(HWND window, const char* name, UINT dpi);
// A designed white line across or down, its end points included: a pixel thick at 96 dots
// an inch, thicker at higher densities.
void DrawLine(HDC dc, const dialog::LineLayout& line, UINT dpi);
// The colour swatch: a sunken edge around the colour.
void DrawSwatch(const DRAWITEMSTRUCT& item, COLORREF color);

}  // namespace platform
