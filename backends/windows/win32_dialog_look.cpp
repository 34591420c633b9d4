// How the settings window on Windows looks: the designed places in pixels, the labels'
// alignment, the dialog's font and the owner-drawn picture buttons and colour swatch.
#include "backends/windows/win32_dialog_look.h"

namespace platform {

using dialog::ToPixels;

RECT PixelRect(const dialog::TwipsRect& place) {
    return {ToPixels(place.left), ToPixels(place.top), ToPixels(place.left + place.width),
            ToPixels(place.top + place.height)};
}

DWORD LabelAlignStyle(dialog::TextAlign align) {
    switch (align) {
    case dialog::TextAlign::Center: return SS_CENTER;
    case dialog::TextAlign::Right: return SS_RIGHT;
    case dialog::TextAlign::Left: break;
    }
    return SS_LEFT;
}

HFONT CreateDialogFont() {
    HDC screen = GetDC(nullptr);
    HFONT chosen = nullptr;
    for (const char* face : {"MS Sans Serif", "DejaVu Sans Condensed", "Tahoma"}) {
        HFONT font = CreateFontA(-MulDiv(8, 96, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
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
                       HFONT font) {
    RECT area = item.rcItem;
    bool pressed = item.itemState & ODS_SELECTED;
    DrawFrameControl(item.hDC, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    int shift = pressed ? 1 : 0;
    if (picture) {
        int x = (area.right - area.left - picture->Width()) / 2 + shift;
        int y = (area.bottom - area.top - picture->Height()) / 2 + shift;
        picture->Draw(item.hDC, x, y);
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

void DrawSwatch(const DRAWITEMSTRUCT& item, COLORREF color) {
    RECT area = item.rcItem;
    DrawEdge(item.hDC, &area, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    HBRUSH fill = CreateSolidBrush(color);
    FillRect(item.hDC, &area, fill);
    DeleteObject(fill);
}

}  // namespace platform
