#include "fakes/fake_settings_view.h"

#include <stdexcept>

#include "dialog/settings_window.h"

namespace fakes {

namespace {
FakeSettingsView* lastView = nullptr;

class FakeSettingsWindowFactory : public dialog::SettingsWindowFactory {
public:
    std::unique_ptr<dialog::SettingsView> Create(dialog::SettingsEvents& events) override {
        auto view = std::make_unique<FakeSettingsView>();
        view->events = &events;
        lastView = view.get();
        return view;
    }
};
}  // namespace

FakeSettingsView::FakeSettingsView() : swatchColor(dialog::DesignCandleColor) {
    for (const auto& control : dialog::SettingsControls) {
        if (control.kind == dialog::ControlKind::ScrollBar) {
            positions[control.id] = control.scroll.value;
        }
    }
}

std::optional<std::int32_t> FakeSettingsView::PickColor(std::optional<std::int32_t> initial) {
    chooserOpenedWith.push_back(initial);
    if (chooserAnswers.empty()) return std::nullopt;
    std::optional<std::int32_t> answer = chooserAnswers.front();
    chooserAnswers.pop_front();
    return answer;
}

dialog::SettingsWindowFactory& FakeSettingsWindows() {
    lastView = nullptr;
    static FakeSettingsWindowFactory windows;
    return windows;
}

FakeSettingsView& LastSettingsView() {
    if (!lastView) throw std::logic_error("no settings window was made");
    return *lastView;
}

}  // namespace fakes
