// The settings window moved to a monitor of another density (WM_DPICHANGED, which Windows
// sends and Wine never does): its controls go to their designed places at that density,
// in fonts made for it, its icons take that density's sizes, and the window goes to the
// place Windows suggests, large enough for the layout there.
#include <windows.h>

#include <gtest/gtest.h>

#include "backends/windows/windows_backends.h"
#include "dialog/settings_layout.h"

namespace {

class NoEvents : public dialog::SettingsEvents {
public:
    void Click(dialog::ControlId) override {}
    void Form_Unload() override {}
};

RECT PlaceInParent(HWND control) {
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
    return place;
}

LONG FontHeight(HWND control) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font.lfHeight;
}

// The width of the window's icon of that kind, 0 when it has none.
int IconWidth(HWND window, WPARAM which) {
    auto icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, which, 0));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

class SettingsWindowDpi : public ::testing::TestWithParam<int> {};

TEST_P(SettingsWindowDpi, LaysItselfOutAgainOnWmDpiChanged) {
    const int dpi = GetParam();
    NoEvents events;
    auto view = platform::NewWin32SettingsWindows()->Create(events);
    HWND window = FindWindowA("KelvoraSettings", dialog::SettingsCaption);
    ASSERT_NE(window, nullptr);

    RECT suggested{40, 30, 50, 40};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));

    for (const dialog::ControlLayout& control : dialog::SettingsControls) {
        SCOPED_TRACE(control.caption);
        HWND child = GetDlgItem(window, 100 + static_cast<int>(control.id));
        ASSERT_NE(child, nullptr);
        RECT place = PlaceInParent(child);
        EXPECT_EQ(place.left, dialog::ToPixels(control.place.left, dpi));
        EXPECT_EQ(place.top, dialog::ToPixels(control.place.top, dpi));
        EXPECT_EQ(place.right, dialog::ToPixels(control.place.left + control.place.width, dpi));
        EXPECT_EQ(place.bottom, dialog::ToPixels(control.place.top + control.place.height, dpi));
        // Text in 8 points at this density; scroll bars and the swatch show none.
        if (*control.caption) {
            EXPECT_EQ(FontHeight(child), -MulDiv(8, dpi, 72));
        }
    }
    // Icons drawn for this density, not stretched from another.
    EXPECT_EQ(IconWidth(window, ICON_SMALL), MulDiv(16, dpi, 96));
    EXPECT_EQ(IconWidth(window, ICON_BIG), MulDiv(32, dpi, 96));
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, suggested.left);
    EXPECT_EQ(frame.top, suggested.top);
    EXPECT_GT(frame.right - frame.left, dialog::ToPixels(dialog::ClientWidthTwips, dpi));
    EXPECT_GT(frame.bottom - frame.top, dialog::ToPixels(dialog::ClientHeightTwips, dpi));
    view->Close();
}

// 100 %, 125 %, 150 % and 200 %: as large as the test display takes the window.
INSTANTIATE_TEST_SUITE_P(Densities, SettingsWindowDpi, ::testing::Values(96, 120, 144, 192));

}  // namespace
