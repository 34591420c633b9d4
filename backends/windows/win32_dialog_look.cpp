// How the settings window on Windows looks: the designed places in pixels at the window's
// density, the labels' alignment, the dialog's font, the lines, and the owner-drawn
// picture buttons and colour swatch.
#include "backends/windows/win32_dialog_look.h"

#include <algorithm>
#include <utility>

namespace platform {

using dialog::ToPixels;

RECT PixelRect(const dialog::TwipsRect& place, UINT dpi) {
    const int d = static_cast<int>(dpi);
    return {ToPixels(place.left, d), ToPixels(place.top, d), ToPixels(place.left + place.width, d),
            ToPixels(place.top + place.height, d)};
}

DWORD LabelAlignStyle(dialog::TextAlign align) {
    switch (align) {
    case dialog::TextAlign::Center: return SS_CENTER;
    case dialog::TextAlign::Right: return SS_RIGHT;
    case dialog::TextAlign::Left: break;
    }
    return SS_LEFT;
}

HFONT CreateDialogFont(UINT dpi) {
    HDC screen = GetDC(nullptr);
    HFONT chosen = nullptr;
    for (const char* face : {"MS Sans Serif", "DejaVu Sans Condensed", "Tahoma"}) {
        HFONT font = CreateFontA(-MulDiv(8, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
        HGDIOBJ old = SelectObject(screen, font);
        char found[LF_FACESIZE] = {};
        GetTextFaceA(screen, sizeof found, found);
        SelectObject(screen, old);
        if (lstrcmpiA(found, face) == 0) {
            chosen = font;
            break;
        }
        DeleteObject(font);
    }
    ReleaseDC(nullptr, screen);
    return chosen ? chosen : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void DrawPictureButton(const DRAWITEMSTRUCT& item, const Win32Picture* picture, const char* caption,
                       HFONT font, UINT dpi) {
    RECT area = item.rcItem;
    bool pressed = item.itemState & ODS_SELECTED;
    DrawFrameControl(item.hDC, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    int shift = pressed ? 1 : 0;
    if (picture) {
        SIZE size = picture->SizeAt(dpi);
        int x = (area.right - area.left - size.cx) / 2 + shift;
        int y = (area.bottom - area.top - size.cy) / 2 + shift;
        picture->Draw(item.hDC, x, y, dpi);
    } else {
        // The picture is missing: the caption keeps the link usable.
        RECT text = area;
        OffsetRect(&text, shift, shift);
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, GetSysColor(COLOR_BTNTEXT));
        HGDIOBJ oldFont = SelectObject(item.hDC, font);
        DrawTextA(item.hDC, caption, -1, &text, DT_CENTER | DT_WORDBREAK);
        SelectObject(item.hDC, oldFont);
    }
    if (item.itemState & ODS_FOCUS) {
        RECT focus = area;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(item.hDC, &focus);
    }
}

void UseIconsForDpi(HWND window, const char* name, UINT dpi) {
    const int d = static_cast<int>(dpi);
    for (auto [which, side] : {std::pair{ICON_SMALL, 16}, std::pair{ICON_BIG, 32}}) {
        const int size = MulDiv(side, d, USER_DEFAULT_SCREEN_DPI);
        HANDLE icon = LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_ICON, size, size, 0);
        if (!icon) continue;
        // The icon it replaces was made here as well: nothing else holds it.
        auto replaced = SendMessageA(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
        if (replaced) DestroyIcon(reinterpret_cast<HICON>(replaced));
    }
}

void DrawLine(HDC dc, const dialog::LineLayout& line, UINT dpi) {
    const int d = static_cast<int>(dpi);
    const int thickness = MulDiv(1, d, USER_DEFAULT_SCREEN_DPI);
    RECT area{ToPixels(std::min(line.x1, line.x2), d), ToPixels(std::min(line.y1, line.y2), d),
              ToPixels(std::max(line.x1, line.x2), d) + thickness,
              ToPixels(std::max(line.y1, line.y2), d) + thickness};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void DrawSwatch(const DRAWITEMSTRUCT& item, COLORREF color) {
    RECT area = item.rcItem;
    DrawEdge(item.hDC, &area, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    HBRUSH fill = CreateSolidBrush(color);
    FillRect(item.hDC, &area, fill);
    DeleteObject(fill);
}

}  // namespace platform
