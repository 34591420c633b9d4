// The compositor's globals and outputs, and the reading of its events.
#include "backends/linux/wayland_link.h"

#include <poll.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "backends/linux/wayland_layer_shell.h"
#include "wayland/wlr-output-power-management-unstable-v1-client-protocol.h"
#include "wayland/xdg-output-unstable-v1-client-protocol.h"

namespace platform {

namespace {

// The versions we were written against; a compositor may offer newer ones.
constexpr std::uint32_t kCompositorVersion = 4;
constexpr std::uint32_t kOutputVersion = 3;
constexpr std::uint32_t kPlaceVersion = 3;
// Version 5 brings the wheel's notches as whole steps.
constexpr std::uint32_t kSeatVersion = 5;

template <typename Interface>
Interface* Bind(wl_registry* registry, std::uint32_t name, const wl_interface* interface,
                std::uint32_t offered, std::uint32_t wanted) {
    return static_cast<Interface*>(wl_registry_bind(registry, name, interface, std::min(offered, wanted)));
}

WaylandOutput& OutputOf(void* data) { return *static_cast<WaylandOutput*>(data); }

const wl_output_listener outputListener = {
    [](void*, wl_output*, int32_t, int32_t, int32_t, int32_t, int32_t, const char*, const char*, int32_t) {},
    [](void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t refresh) {
        if (!(flags & WL_OUTPUT_MODE_CURRENT)) return;
        WaylandOutput& output = OutputOf(data);
        output.refreshMilliHz = refresh;
        // Until the output's place arrives its mode is the best guess of its size.
        if (!output.place) {
            output.width = width;
            output.height = height;
        }
    },
    // done: new outputs are announced after each pass over the events instead.
    [](void*, wl_output*) {},
    [](void* data, wl_output*, int32_t factor) { OutputOf(data).scale = std::max(1, factor); },
    [](void*, wl_output*, const char*) {},
    [](void*, wl_output*, const char*) {},
};

const zxdg_output_v1_listener placeListener = {
    [](void* data, zxdg_output_v1*, int32_t x, int32_t y) {
        OutputOf(data).x = x;
        OutputOf(data).y = y;
    },
    [](void* data, zxdg_output_v1*, int32_t width, int32_t height) {
        OutputOf(data).width = width;
        OutputOf(data).height = height;
    },
    [](void*, zxdg_output_v1*) {},
    [](void*, zxdg_output_v1*, const char*) {},
    [](void*, zxdg_output_v1*, const char*) {},
};

const zwlr_output_power_v1_listener powerListener = {
    [](void* data, zwlr_output_power_v1*, uint32_t mode) {
        OutputOf(data).powered = mode == ZWLR_OUTPUT_POWER_V1_MODE_ON;
    },
    // The compositor no longer reports this output's power: count it as on, so that a
    // saver never rests on a guess.
    [](void* data, zwlr_output_power_v1*) { OutputOf(data).powered = true; },
};

}  // namespace

const wl_registry_listener WaylandLink::registryListener_ = {
    [](void* data, wl_registry*, uint32_t name, const char* interface, uint32_t version) {
        static_cast<WaylandLink*>(data)->BindGlobal(name, interface, version);
    },
    [](void* data, wl_registry*, uint32_t name) { static_cast<WaylandLink*>(data)->ForgetGlobal(name); },
};

std::unique_ptr<WaylandLink> WaylandLink::Connect() {
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return nullptr;
    std::unique_ptr<WaylandLink> link(new WaylandLink);
    link->display_ = display;
    link->registry_ = wl_display_get_registry(display);
    wl_registry_add_listener(link->registry_, &registryListener_, link.get());
    // The globals, then what the outputs say of themselves.
    link->Roundtrip();
    for (auto& output : link->outputs_) link->DescribeOutput(*output);
    link->Roundtrip();
    link->started_ = true;
    return link;
}

WaylandLink::~WaylandLink() {
    for (auto& output : outputs_) {
        if (output->power) zwlr_output_power_v1_destroy(output->power);
        if (output->place) zxdg_output_v1_destroy(output->place);
        wl_output_destroy(output->output);
    }
    if (powerManager_) zwlr_output_power_manager_v1_destroy(powerManager_);
    if (placeManager_) zxdg_output_manager_v1_destroy(placeManager_);
    if (layerShell_) zwlr_layer_shell_v1_destroy(layerShell_);
    if (shm_) wl_shm_destroy(shm_);
    if (compositor_) wl_compositor_destroy(compositor_);
    wl_registry_destroy(registry_);
    wl_display_disconnect(display_);
}

void WaylandLink::BindGlobal(std::uint32_t name, const char* interface, std::uint32_t version) {
    auto is = [interface](const wl_interface& known) { return std::strcmp(interface, known.name) == 0; };
    if (is(wl_compositor_interface)) {
        compositor_ = Bind<wl_compositor>(registry_, name, &wl_compositor_interface, version, kCompositorVersion);
    } else if (is(wl_shm_interface)) {
        shm_ = Bind<wl_shm>(registry_, name, &wl_shm_interface, version, 1);
    } else if (is(zwlr_layer_shell_v1_interface)) {
        layerShell_ = Bind<zwlr_layer_shell_v1>(registry_, name, &zwlr_layer_shell_v1_interface, version, 1);
    } else if (is(zxdg_output_manager_v1_interface)) {
        placeManager_ = Bind<zxdg_output_manager_v1>(registry_, name, &zxdg_output_manager_v1_interface, version,
                                                     kPlaceVersion);
    } else if (is(zwlr_output_power_manager_v1_interface)) {
        powerManager_ = Bind<zwlr_output_power_manager_v1>(registry_, name, &zwlr_output_power_manager_v1_interface,
                                                           version, 1);
    } else if (is(wl_seat_interface) && !seatName_) {
        seatName_ = name;
        seatVersion_ = version;
    } else if (is(wl_output_interface)) {
        auto output = std::make_unique<WaylandOutput>();
        output->globalName = name;
        output->output = Bind<wl_output>(registry_, name, &wl_output_interface, version, kOutputVersion);
        wl_output_add_listener(output->output, &outputListener, output.get());
        // Before the first answer the managers may still be unbound; Connect describes
        // those outputs once every global is known.
        if (started_) DescribeOutput(*output);
        outputs_.push_back(std::move(output));
    }
}

void WaylandLink::ForgetGlobal(std::uint32_t name) {
    auto gone = std::find_if(outputs_.begin(), outputs_.end(),
                             [name](const auto& output) { return output->globalName == name; });
    if (gone == outputs_.end()) return;
    std::unique_ptr<WaylandOutput> output = std::move(*gone);
    outputs_.erase(gone);
    if (output->announced && onOutputRemoved) onOutputRemoved(*output);
    if (output->power) zwlr_output_power_v1_destroy(output->power);
    if (output->place) zxdg_output_v1_destroy(output->place);
    wl_output_destroy(output->output);
}

wl_seat* WaylandLink::BindSeat() {
    if (!seatName_) return nullptr;
    return Bind<wl_seat>(registry_, seatName_, &wl_seat_interface, seatVersion_, kSeatVersion);
}

void WaylandLink::DescribeOutput(WaylandOutput& output) {
    if (placeManager_ && !output.place) {
        output.place = zxdg_output_manager_v1_get_xdg_output(placeManager_, output.output);
        zxdg_output_v1_add_listener(output.place, &placeListener, &output);
    }
    if (powerManager_ && !output.power) {
        output.power = zwlr_output_power_manager_v1_get_output_power(powerManager_, output.output);
        zwlr_output_power_v1_add_listener(output.power, &powerListener, &output);
    }
}

std::vector<const WaylandOutput*> WaylandLink::Outputs() const {
    std::vector<const WaylandOutput*> listed;
    for (const auto& output : outputs_)
        if (output->announced) listed.push_back(output.get());
    std::stable_sort(listed.begin(), listed.end(), [](const WaylandOutput* a, const WaylandOutput* b) {
        return a->y != b->y ? a->y < b->y : a->x < b->x;
    });
    return listed;
}

void WaylandLink::AnnounceNewOutputs() {
    for (auto& output : outputs_) {
        if (output->announced || output->width <= 0 || output->height <= 0) continue;
        output->announced = true;
        if (onOutputAdded) onOutputAdded(*output);
    }
}

void WaylandLink::Pump() {
    ReadEvents(0);
    wl_display_dispatch_pending(display_);
    AnnounceNewOutputs();
    wl_display_flush(display_);
}

void WaylandLink::Wait(double seconds) {
    ReadEvents(static_cast<int>(std::lround(std::max(seconds, 0.0) * 1000)));
}

void WaylandLink::Roundtrip() {
    wl_display_roundtrip(display_);
    AnnounceNewOutputs();
}

void WaylandLink::ReadEvents(int timeoutMilliseconds) {
    // Events already queued would not wake the wait.
    if (wl_display_prepare_read(display_) != 0) return;
    wl_display_flush(display_);
    pollfd socket{wl_display_get_fd(display_), POLLIN, 0};
    if (poll(&socket, 1, timeoutMilliseconds) > 0 && (socket.revents & POLLIN))
        wl_display_read_events(display_);
    else
        wl_display_cancel_read(display_);
}

}  // namespace platform
