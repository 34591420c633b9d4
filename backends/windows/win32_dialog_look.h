// How the settings window on Windows looks, apart from what it does.
#pragma once
#include <windows.h>

#include "backends/windows/win32_picture.h"
#include "dialog/settings_layout.h"

namespace platform {

RECT PixelRect(const dialog::TwipsRect& place);
DWORD LabelAlignStyle(dialog::TextAlign align);
// The classic dialog face at 8 points, narrow enough for the captions' designed places;
// where the system lacks it (Wine without its own fonts), a narrow face it does have.
HFONT CreateDialogFont();
// A graphical button: a raised button face with its picture (or, without one, its caption)
// in the middle, sinking by a pixel while pressed.
void DrawPictureButton(const DRAWITEMSTRUCT& item, const Win32Picture* picture, const char* caption,
                       HFONT font);
// The colour swatch: a sunken edge around the colour.
void DrawSwatch(const DRAWITEMSTRUCT& item, COLORREF color);

}  // namespace platform
