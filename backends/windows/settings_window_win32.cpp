// The settings window on Windows, built from the designed layout with plain Win32
// controls: black window, white texts, owner-drawn pictures, comctl32 tool tips, and the
// system's colour chooser. It is laid out at its monitor's density, and again whenever
// it moves to a monitor of another density.
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "dialog/settings_layout.h"
#include "dialog/settings_view.h"
#include "backends/windows/win32_dialog_look.h"
#include "backends/windows/win32_dpi.h"
#include "backends/windows/win32_picture.h"
#include "backends/windows/windows_backends.h"
#include "backends/windows/window_failure.h"

namespace platform {

namespace {

using dialog::ControlId;
using dialog::ControlKind;
using dialog::ToPixels;

constexpr const char* WindowClassName = "KelvoraSettings";
constexpr int FirstControlId = 100;
constexpr DWORD WindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

int ControlNumber(ControlId id) { return FirstControlId + static_cast<int>(id); }

class Win32SettingsWindow : public dialog::SettingsView {
public:
    explicit Win32SettingsWindow(dialog::SettingsEvents& events);
    ~Win32SettingsWindow() override;

    void Show() override;
    void Close() override;
    std::int16_t ScrollPosition(ControlId bar) override {
        return static_cast<std::int16_t>(GetScrollPos(Control(bar), SB_CTL));
    }
    void SetScrollPosition(ControlId bar, std::int16_t position) override {
        SetScrollPos(Control(bar), SB_CTL, position, TRUE);
    }
    bool Ticked(ControlId box) override {
        return SendMessageA(Control(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    void SetTicked(ControlId box, bool ticked) override {
        SendMessageA(Control(box), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    std::int32_t BackColor(ControlId picture) override { return swatchColors_.at(picture); }
    void SetBackColor(ControlId picture, std::int32_t color) override;
    std::optional<std::int32_t> PickColor(std::optional<std::int32_t> initial) override;

private:
    static void RegisterWindowClass(HINSTANCE instance);
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);

    void CreateControls();
    void CreateControl(const dialog::ControlLayout& control);
    void LayOut(UINT dpi);
    SIZE FrameSize() const;
    void CentreOnMonitor();
    void AddToolTip(HWND control, const char* text);
    void Scroll(HWND bar, int code);
    void Paint();
    void DrawItem(const DRAWITEMSTRUCT& item);
    HWND Control(ControlId id) const { return GetDlgItem(window_, ControlNumber(id)); }
    const dialog::ControlLayout* LayoutOfWindow(HWND control) const;

    dialog::SettingsEvents& events_;
    HWND window_ = nullptr;
    HWND banner_ = nullptr;
    HWND toolTips_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT font_ = nullptr;
    HBRUSH blackBrush_ = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    std::map<ControlId, std::int32_t> swatchColors_;
    std::map<std::string, std::unique_ptr<Win32Picture>> pictures_;
    std::array<COLORREF, 16> customColors_{};
};

void Win32SettingsWindow::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(instance, WindowClassName, &windowClass)) return;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, dialog::IconPicture);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = WindowClassName;
    RegisterClassExA(&windowClass);
}

Win32SettingsWindow::Win32SettingsWindow(dialog::SettingsEvents& events) : events_(events) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&commonControls);
    RegisterWindowClass(instance);

    // Made on the monitor that holds the cursor, where the user is looking, so that it
    // takes that monitor's density; its size and place follow once the density is known.
    POINT cursor{};
    GetCursorPos(&cursor);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY), &monitor);
    window_ = CreateWindowExA(0, WindowClassName, dialog::SettingsCaption, WindowStyle,
                              monitor.rcWork.left, monitor.rcWork.top, 0, 0, nullptr, nullptr,
                              instance, nullptr);
    // Messages before this one (creation, sizing) need nothing of ours.
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    CreateControls();
    LayOut(WindowDpi(window_));
    CentreOnMonitor();
}

Win32SettingsWindow::~Win32SettingsWindow() {
    Close();
    if (font_) DeleteObject(font_);
}

void Win32SettingsWindow::CreateControls() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    toolTips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                instance, nullptr);
    for (const char* name : {dialog::BannerPicture, dialog::SettingsControls[0].picture,
                             dialog::SettingsControls[1].picture}) {
        pictures_[name] = LoadResourcePicture(name);
    }
    // The banner first: it takes no focus, and the controls that follow keep their
    // creation order as their tab order.
    banner_ = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 0, 0, 0, 0,
                              window_, nullptr, instance, nullptr);
    for (const dialog::ControlLayout& control : dialog::SettingsControls) CreateControl(control);
}

// Every control to its designed place at `dpi`, with a font made for that density.
void Win32SettingsWindow::LayOut(UINT dpi) {
    dpi_ = dpi;
    HFONT oldFont = font_;
    font_ = CreateDialogFont(dpi);
    auto place = [this](HWND child, const dialog::TwipsRect& designed) {
        RECT pixels = PixelRect(designed, dpi_);
        SetWindowPos(child, nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
                     pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(banner_, dialog::BannerPlace);
    for (const dialog::ControlLayout& control : dialog::SettingsControls) {
        HWND child = Control(control.id);
        place(child, control.place);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    }
    UseIconsForDpi(window_, dialog::IconPicture, dpi);
    // The old font goes only once no control uses it.
    if (oldFont) DeleteObject(oldFont);
    InvalidateRect(window_, nullptr, TRUE);
}

SIZE Win32SettingsWindow::FrameSize() const {
    RECT client{0, 0, ToPixels(dialog::ClientWidthTwips, static_cast<int>(dpi_)),
                ToPixels(dialog::ClientHeightTwips, static_cast<int>(dpi_))};
    RECT frame = FrameAround(client, WindowStyle, dpi_);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

void Win32SettingsWindow::CentreOnMonitor() {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    SIZE size = FrameSize();
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - size.cx) / 2,
                 work.top + (work.bottom - work.top - size.cy) / 2, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32SettingsWindow::CreateControl(const dialog::ControlLayout& control) {
    const char* className = "STATIC";
    DWORD style = WS_CHILD | WS_VISIBLE;
    switch (control.kind) {
    case ControlKind::PictureButton:
        className = "BUTTON";
        style |= WS_TABSTOP | BS_OWNERDRAW;
        break;
    case ControlKind::Button:
        className = "BUTTON";
        style |= WS_TABSTOP | BS_PUSHBUTTON;
        break;
    case ControlKind::ScrollBar:
        className = "SCROLLBAR";
        style |= WS_TABSTOP | SBS_HORZ;
        break;
    case ControlKind::ColorSwatch:
        // SS_NOTIFY lets the mouse reach the swatch, so that its tool tip shows.
        style |= SS_OWNERDRAW | SS_NOTIFY;
        swatchColors_[control.id] = dialog::DesignCandleColor;
        break;
    case ControlKind::Label:
        style |= LabelAlignStyle(control.align);
        break;
    case ControlKind::CheckBox:
        className = "BUTTON";
        style |= WS_TABSTOP | BS_AUTOCHECKBOX;
        break;
    }
    HWND child = CreateWindowExA(
        0, className, control.caption, style, 0, 0, 0, 0, window_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlNumber(control.id))),
        GetModuleHandleA(nullptr), nullptr);
    if (control.kind == ControlKind::ScrollBar) {
        SetScrollRange(child, SB_CTL, control.scroll.min, control.scroll.max, FALSE);
        SetScrollPos(child, SB_CTL, control.scroll.value, TRUE);
    }
    // A themed check box ignores the text colour; the classic one draws white on black.
    if (control.kind == ControlKind::CheckBox) SetWindowTheme(child, L"", L"");
    if (control.toolTip) AddToolTip(child, control.toolTip);
}

void Win32SettingsWindow::AddToolTip(HWND control, const char* text) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<char*>(text);
    SendMessageA(toolTips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32SettingsWindow::Show() {
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetFocus(GetNextDlgTabItem(window_, nullptr, FALSE));
}

void Win32SettingsWindow::Close() {
    if (!window_) return;
    HWND closing = window_;
    window_ = nullptr;
    SetWindowLongPtrA(closing, GWLP_USERDATA, 0);
    DestroyWindow(closing);
}

void Win32SettingsWindow::SetBackColor(ControlId picture, std::int32_t color) {
    swatchColors_.at(picture) = color;
    InvalidateRect(Control(picture), nullptr, TRUE);
}

std::optional<std::int32_t> Win32SettingsWindow::PickColor(
    std::optional<std::int32_t> initial) {
    CHOOSECOLORA chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = window_;
    chooser.rgbResult = static_cast<COLORREF>(initial.value_or(0));
    chooser.lpCustColors = customColors_.data();
    chooser.Flags = initial ? CC_RGBINIT : 0;
    if (!ChooseColorA(&chooser)) return std::nullopt;
    return static_cast<std::int32_t>(chooser.rgbResult & 0xFFFFFF);
}

const dialog::ControlLayout* Win32SettingsWindow::LayoutOfWindow(HWND control) const {
    int number = GetDlgCtrlID(control) - FirstControlId;
    if (number < 0 || number >= static_cast<int>(dialog::SettingsControls.size())) return nullptr;
    return &dialog::SettingsControls[static_cast<std::size_t>(number)];
}

void Win32SettingsWindow::Scroll(HWND bar, int code) {
    const dialog::ControlLayout* control = LayoutOfWindow(bar);
    if (!control || control->kind != ControlKind::ScrollBar) return;
    const dialog::ScrollDesign& design = control->scroll;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS | SIF_TRACKPOS;
    GetScrollInfo(bar, SB_CTL, &info);
    int position = info.nPos;
    switch (code) {
    case SB_LINELEFT: position -= design.smallChange; break;
    case SB_LINERIGHT: position += design.smallChange; break;
    case SB_PAGELEFT: position -= design.largeChange; break;
    case SB_PAGERIGHT: position += design.largeChange; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_LEFT: position = design.min; break;
    case SB_RIGHT: position = design.max; break;
    default: return;
    }
    position = std::max<int>(design.min, std::min<int>(design.max, position));
    SetScrollPos(bar, SB_CTL, position, TRUE);
}

void Win32SettingsWindow::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    for (const dialog::LineLayout& line : dialog::SettingsLines) DrawLine(dc, line, dpi_);
    EndPaint(window_, &paint);
}

void Win32SettingsWindow::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem == banner_) {
        FillRect(item.hDC, &item.rcItem, blackBrush_);
        if (const auto& banner = pictures_.at(dialog::BannerPicture)) {
            banner->Draw(item.hDC, item.rcItem.left, item.rcItem.top, dpi_);
        }
        return;
    }
    const dialog::ControlLayout* control = LayoutOfWindow(item.hwndItem);
    if (!control) return;
    if (control->kind == ControlKind::PictureButton)
        DrawPictureButton(item, pictures_.at(control->picture).get(), control->caption, font_, dpi_);
    if (control->kind == ControlKind::ColorSwatch)
        DrawSwatch(item, static_cast<COLORREF>(swatchColors_.at(control->id)));
}

LRESULT Win32SettingsWindow::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
    case WM_CTLCOLORSTATIC: {
        // Labels and the check box: white on black.
        HDC dc = reinterpret_cast<HDC>(w);
        SetTextColor(dc, White);
        SetBkColor(dc, Black);
        return reinterpret_cast<LRESULT>(blackBrush_);
    }
    case WM_CTLCOLORBTN:
        // Only the corners around a push button; its face and text stay the system's.
        return reinterpret_cast<LRESULT>(blackBrush_);
    case WM_COMMAND: {
        const dialog::ControlLayout* control = LayoutOfWindow(reinterpret_cast<HWND>(l));
        if (control && HIWORD(w) == BN_CLICKED &&
            (control->kind == ControlKind::Button || control->kind == ControlKind::PictureButton)) {
            events_.Click(control->id);
        }
        return 0;
    }
    case WM_HSCROLL:
        Scroll(reinterpret_cast<HWND>(l), LOWORD(w));
        return 0;
    case WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(l));
        return TRUE;
    case WM_PAINT:
        Paint();
        return 0;
    case WM_DPICHANGED: {
        // Moved to a monitor of another density: laid out anew, where Windows suggests.
        LayOut(HIWORD(w));
        const RECT& suggested = *reinterpret_cast<const RECT*>(l);
        SIZE size = FrameSize();
        SetWindowPos(window_, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_CLOSE:
        // The close box: the settings are written, then the window goes. With no window
        // left the message loop ends, and with it the process.
        events_.Form_Unload();
        Close();
        return 0;
    }
    return DefWindowProcA(window_, message, w, l);
}

LRESULT CALLBACK Win32SettingsWindow::WindowProcedure(HWND window, UINT message, WPARAM w,
                                                      LPARAM l) {
    auto* self = reinterpret_cast<Win32SettingsWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_DESTROY) PostQuitMessage(0);
    if (!self) return DefWindowProcA(window, message, w, l);
    try {
        return self->Handle(message, w, l);
    } catch (...) {
        KeepWindowFailure(std::current_exception());
        return 0;
    }
}

class Win32SettingsWindows : public dialog::SettingsWindowFactory {
public:
    std::unique_ptr<dialog::SettingsView> Create(dialog::SettingsEvents& events) override {
        return std::make_unique<Win32SettingsWindow>(events);
    }
};

}  // namespace

std::unique_ptr<dialog::SettingsWindowFactory> NewWin32SettingsWindows() {
    return std::make_unique<Win32SettingsWindows>();
}

}  // namespace platform
