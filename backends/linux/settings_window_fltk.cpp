// The settings window on Linux, built with FLTK from the designed layout: black
// window, white texts, pictures from the media folder, fl_color_chooser for colours.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Color_Chooser.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_PNG_Image.H>
#include <FL/Fl_Scrollbar.H>
#include <FL/Fl_Tooltip.H>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/color_bytes.h"
#include "dialog/settings_layout.h"
#include "dialog/settings_view.h"
#include "backends/linux/ini_file.h"
#include "backends/linux/linux_backends.h"
#include "backends/linux/x_display_needed.h"
#include "backends/linux/x_error_handlers.h"
#include "common/runtime_error.h"
#include "settings/settings.h"

namespace platform {

namespace {

using dialog::ControlId;
using dialog::ControlKind;
using dialog::ToPixels;

// A narrow face at about the size of the classic 8-point dialog font, so that captions
// fit the places the layout gives them.
constexpr int TextSize = 11;
constexpr Fl_Font TextFont = FL_FREE_FONT;
constexpr const char* TextFace = " DejaVu Sans Condensed";

Fl_Color ToFlColor(std::int32_t bbggrr) {
    ColorBytes color = UnpackColor(static_cast<std::uint32_t>(bbggrr), ColorLayout::RedLow);
    return fl_rgb_color(color.red, color.green, color.blue);
}

// The dialog's pictures are a banner and two small buttons; anything much larger is
// damaged, and decoding what its header declares could exhaust memory.
constexpr std::size_t kMaxPictureBytes = 4u << 20;
constexpr std::uint32_t kMaxPictureSide = 2048;

std::uint32_t BigEndian32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// A PNG whose header (the first chunk, IHDR) declares a size we can draw in the dialog.
bool DeclaresSaneSize(const std::string& png) {
    static const char kSignature[] = "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR";
    if (png.size() < 24 || png.compare(0, 16, kSignature, 16) != 0) return false;
    std::uint32_t width = BigEndian32(png, 16), height = BigEndian32(png, 20);
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

// A picture from the media folder, or nothing when the file is missing or damaged. Read
// as the settings file is, so that a named pipe or device in its place cannot block.
std::unique_ptr<Fl_PNG_Image> LoadPicture(const char* name) {
    std::string path = mScreenSaver::MediaFolderPath() + name + ".png";
    ini::FileContents file = ini::ReadWholeFile(path, kMaxPictureBytes);
    if (file.outcome != ini::FileContents::Read || !DeclaresSaneSize(file.bytes)) return nullptr;
    auto picture = std::make_unique<Fl_PNG_Image>(
        path.c_str(), reinterpret_cast<const unsigned char*>(file.bytes.data()), static_cast<int>(file.bytes.size()));
    if (picture->fail() || picture->w() == 0) return nullptr;
    return picture;
}

// Labels tall enough for two lines wrap; one-line labels keep their text whole.
Fl_Align AlignOf(const dialog::ControlLayout& label) {
    Fl_Align side = label.align == dialog::TextAlign::Center  ? FL_ALIGN_CENTER
                    : label.align == dialog::TextAlign::Right ? FL_ALIGN_RIGHT
                                                              : FL_ALIGN_LEFT;
    Fl_Align wrap = ToPixels(label.place.height) > 2 * TextSize ? FL_ALIGN_WRAP : 0;
    return side | FL_ALIGN_TOP | FL_ALIGN_INSIDE | wrap;
}

class FltkSettingsWindow : public dialog::SettingsView {
public:
    explicit FltkSettingsWindow(dialog::SettingsEvents& events);
    ~FltkSettingsWindow() override;

    void Show() override;
    void Close() override { window_->hide(); }
    std::int16_t ScrollPosition(ControlId bar) override {
        return static_cast<std::int16_t>(Bar(bar).value());
    }
    void SetScrollPosition(ControlId bar, std::int16_t position) override {
        Bar(bar).value(position);
    }
    bool Ticked(ControlId box) override { return Widget<Fl_Check_Button>(box).value() != 0; }
    void SetTicked(ControlId box, bool ticked) override {
        Widget<Fl_Check_Button>(box).value(ticked ? 1 : 0);
    }
    std::int32_t BackColor(ControlId picture) override { return swatchColors_.at(picture); }
    void SetBackColor(ControlId picture, std::int32_t color) override;
    std::optional<std::int32_t> PickColor(std::optional<std::int32_t> initial) override;

private:
    struct ClickTarget {
        FltkSettingsWindow* window;
        ControlId id;
    };

    void Build();
    Fl_Widget* MakeControl(const dialog::ControlLayout& control);
    Fl_Button* MakePictureButton(const dialog::ControlLayout& control, int x, int y, int w, int h);
    void MakeLines();
    void MakeBanner();
    template <typename WidgetType>
    WidgetType& Widget(ControlId id) {
        return *static_cast<WidgetType*>(widgets_.at(id));
    }
    Fl_Scrollbar& Bar(ControlId id) { return Widget<Fl_Scrollbar>(id); }

    static void Clicked(Fl_Widget*, void* target);
    static void CloseRequested(Fl_Widget*, void* window);

    dialog::SettingsEvents& events_;
    std::unique_ptr<Fl_Double_Window> window_;
    std::map<ControlId, Fl_Widget*> widgets_;
    std::map<ControlId, std::int32_t> swatchColors_;
    std::vector<std::unique_ptr<ClickTarget>> clickTargets_;
    std::vector<std::unique_ptr<Fl_PNG_Image>> pictures_;
};

FltkSettingsWindow::FltkSettingsWindow(dialog::SettingsEvents& events) : events_(events) {
    Build();
}

FltkSettingsWindow::~FltkSettingsWindow() = default;

void FltkSettingsWindow::Build() {
    int w = ToPixels(dialog::ClientWidthTwips);
    int h = ToPixels(dialog::ClientHeightTwips);
    // Centred on the monitor that holds the cursor: where the user is looking.
    int mouseX = 0, mouseY = 0, areaX = 0, areaY = 0, areaW = 0, areaH = 0;
    Fl::get_mouse(mouseX, mouseY);
    Fl::screen_work_area(areaX, areaY, areaW, areaH, mouseX, mouseY);
    window_ = std::make_unique<Fl_Double_Window>(areaX + (areaW - w) / 2, areaY + (areaH - h) / 2,
                                                 w, h, dialog::SettingsCaption);
    Fl::set_font(TextFont, TextFace);
    window_->color(FL_BLACK);
    window_->size_range(w, h, w, h);
    window_->callback(CloseRequested, this);
    // The banner and the lines first: they take no focus, so the tab order stays that
    // of the controls that follow.
    MakeBanner();
    MakeLines();
    for (const dialog::ControlLayout& control : dialog::SettingsControls) {
        widgets_[control.id] = MakeControl(control);
    }
    window_->end();
    if (auto icon = LoadPicture(dialog::IconPicture)) {
        window_->icon(icon.get());
        pictures_.push_back(std::move(icon));
    }
}

Fl_Widget* FltkSettingsWindow::MakeControl(const dialog::ControlLayout& control) {
    int x = ToPixels(control.place.left);
    int y = ToPixels(control.place.top);
    int w = ToPixels(control.place.width);
    int h = ToPixels(control.place.height);
    Fl_Widget* widget = nullptr;
    switch (control.kind) {
    case ControlKind::PictureButton:
        widget = MakePictureButton(control, x, y, w, h);
        break;
    case ControlKind::Button:
        widget = new Fl_Button(x, y, w, h, control.caption);
        break;
    case ControlKind::ScrollBar: {
        auto* bar = new Fl_Scrollbar(x, y, w, h);
        const dialog::ScrollDesign& design = control.scroll;
        bar->type(FL_HORIZONTAL);
        bar->bounds(design.min, design.max);
        bar->step(1);
        bar->linesize(design.smallChange);
        // A click beside the thumb moves by the large change.
        bar->slider_size(static_cast<double>(design.largeChange) /
                         (design.max - design.min + design.largeChange));
        bar->value(design.value);
        widget = bar;
        break;
    }
    case ControlKind::ColorSwatch: {
        auto* swatch = new Fl_Box(FL_DOWN_BOX, x, y, w, h, nullptr);
        swatchColors_[control.id] = dialog::DesignCandleColor;
        swatch->color(ToFlColor(dialog::DesignCandleColor));
        widget = swatch;
        break;
    }
    case ControlKind::Label: {
        auto* label = new Fl_Box(x, y, w, h, control.caption);
        label->align(AlignOf(control));
        widget = label;
        break;
    }
    case ControlKind::CheckBox: {
        auto* box = new Fl_Check_Button(x, y, w, h, control.caption);
        box->value(0);
        widget = box;
        break;
    }
    }
    widget->labelfont(TextFont);
    widget->labelsize(TextSize);
    if (control.kind == ControlKind::Label || control.kind == ControlKind::CheckBox) {
        widget->labelcolor(FL_WHITE);
    }
    if (control.toolTip) widget->tooltip(control.toolTip);
    if (control.kind == ControlKind::Button || control.kind == ControlKind::PictureButton) {
        clickTargets_.push_back(std::make_unique<ClickTarget>(ClickTarget{this, control.id}));
        widget->callback(Clicked, clickTargets_.back().get());
    }
    return widget;
}

// A graphical button: the button face with the picture in the middle.
Fl_Button* FltkSettingsWindow::MakePictureButton(const dialog::ControlLayout& control, int x,
                                                 int y, int w, int h) {
    auto* button = new Fl_Button(x, y, w, h);
    // The caption names the link; it shows only when the picture is missing from the
    // media folder, so that the link can still be found.
    button->copy_label(control.caption);
    button->align(FL_ALIGN_INSIDE | FL_ALIGN_CENTER | FL_ALIGN_WRAP);
    if (auto picture = LoadPicture(control.picture)) {
        button->image(picture.get());
        button->label(nullptr);
        pictures_.push_back(std::move(picture));
    }
    return button;
}

void FltkSettingsWindow::MakeLines() {
    for (const dialog::LineLayout& line : dialog::SettingsLines) {
        int x1 = ToPixels(line.x1), y1 = ToPixels(line.y1);
        int x2 = ToPixels(line.x2), y2 = ToPixels(line.y2);
        auto* box = new Fl_Box(FL_FLAT_BOX, x1, y1, x2 - x1 + 1, y2 - y1 + 1, nullptr);
        box->color(FL_WHITE);
    }
}

void FltkSettingsWindow::MakeBanner() {
    const dialog::TwipsRect& place = dialog::BannerPlace;
    auto* banner = new Fl_Box(ToPixels(place.left), ToPixels(place.top), ToPixels(place.width),
                              ToPixels(place.height));
    if (auto picture = LoadPicture(dialog::BannerPicture)) {
        banner->image(picture.get());
        banner->align(FL_ALIGN_INSIDE | FL_ALIGN_TOP_LEFT);
        pictures_.push_back(std::move(picture));
    }
}

void FltkSettingsWindow::Show() {
    Fl_Tooltip::enable(1);
    Fl_Tooltip::font(TextFont);
    Fl_Tooltip::size(TextSize);
    window_->show();
    // FLTK set its own when it opened the display, which tells a lost server only as
    // "X I/O error".
    InstallXConnectionLossHandler();
}

void FltkSettingsWindow::SetBackColor(ControlId picture, std::int32_t color) {
    swatchColors_.at(picture) = color;
    Fl_Widget& swatch = Widget<Fl_Box>(picture);
    swatch.color(ToFlColor(color));
    swatch.redraw();
}

std::optional<std::int32_t> FltkSettingsWindow::PickColor(std::optional<std::int32_t> initial) {
    ColorBytes color = UnpackColor(static_cast<std::uint32_t>(initial.value_or(0)), ColorLayout::RedLow);
    if (!fl_color_chooser("Candle Color", color.red, color.green, color.blue, 1)) return std::nullopt;
    return static_cast<std::int32_t>(PackColor(color, ColorLayout::RedLow));
}

void FltkSettingsWindow::Clicked(Fl_Widget*, void* target) {
    auto* click = static_cast<ClickTarget*>(target);
    click->window->events_.Click(click->id);
}

// The window manager's close: the settings are written, then the window goes; with no
// window left the process ends.
void FltkSettingsWindow::CloseRequested(Fl_Widget*, void* window) {
    auto* self = static_cast<FltkSettingsWindow*>(window);
    // FLTK also sends Escape here; only the window manager's close closes the dialog.
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
    self->events_.Form_Unload();
    self->window_->hide();
}

class FltkSettingsWindows : public dialog::SettingsWindowFactory {
public:
    explicit FltkSettingsWindows(std::shared_ptr<XConnection> x) : x_(std::move(x)) {}

    std::unique_ptr<dialog::SettingsView> Create(dialog::SettingsEvents& events) override {
        // FLTK would end the process itself, with a line that does not say why.
        if (!x_->Get()) throw RuntimeError(ErrorCode::InvalidArgument, XDisplayFailure("the settings dialog"));
        return std::make_unique<FltkSettingsWindow>(events);
    }

private:
    std::shared_ptr<XConnection> x_;
};

}  // namespace

std::unique_ptr<dialog::SettingsWindowFactory> NewFltkSettingsWindows(std::shared_ptr<XConnection> x) {
    return std::make_unique<FltkSettingsWindows>(std::move(x));
}

}  // namespace platform
