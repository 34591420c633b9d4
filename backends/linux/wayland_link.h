// The connection to a Wayland compositor: the globals the saver speaks to (compositor,
// shared memory, layer shell, output places and power, seat), every output as the
// compositor reports it, added and removed while the saver runs, and reading the
// connection's events with or without waiting.
#pragma once
#include <wayland-client.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

struct zwlr_layer_shell_v1;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;
struct zwlr_output_power_manager_v1;
struct zwlr_output_power_v1;

namespace platform {

// One output, its place and size in the compositor's layout (logical pixels) and whether
// the compositor reports it powered.
struct WaylandOutput {
    std::uint32_t globalName = 0;
    wl_output* output = nullptr;
    zxdg_output_v1* place = nullptr;
    zwlr_output_power_v1* power = nullptr;
    int x = 0, y = 0, width = 0, height = 0;
    int scale = 1;
    // Millihertz, 0 when unknown.
    int refreshMilliHz = 0;
    bool powered = true;
    // Told to the saver once its place is known.
    bool announced = false;
};

class WaylandLink {
public:
    // A link to the compositor WAYLAND_DISPLAY names, its globals bound and its outputs
    // described; null when there is none to reach.
    static std::unique_ptr<WaylandLink> Connect();
    ~WaylandLink();
    WaylandLink(const WaylandLink&) = delete;
    WaylandLink& operator=(const WaylandLink&) = delete;

    wl_display* Display() const { return display_; }
    wl_compositor* Compositor() const { return compositor_; }
    wl_shm* Shm() const { return shm_; }
    zwlr_layer_shell_v1* LayerShell() const { return layerShell_; }
    // The user's seat, bound now so that its first events reach the listener its taker
    // adds at once; null when the compositor has none. The taker destroys it.
    wl_seat* BindSeat();

    // Every output, the one at the layout's top left first.
    std::vector<const WaylandOutput*> Outputs() const;
    // Run from inside the event handling when an output comes or goes; removed runs
    // before the output is released.
    std::function<void(const WaylandOutput&)> onOutputAdded;
    std::function<void(const WaylandOutput&)> onOutputRemoved;

    // Sends what is queued and handles every event that has arrived, without waiting.
    void Pump();
    // Waits until an event arrives or this long has passed; the events are left for Pump.
    void Wait(double seconds);
    // Waits for the compositor to have answered every request so far, handling events.
    void Roundtrip();
    // True once the connection has broken: the compositor ended, or closed it over an
    // error of ours.
    bool Lost() const { return wl_display_get_error(display_) != 0; }

private:
    WaylandLink() = default;
    void BindGlobal(std::uint32_t name, const char* interface, std::uint32_t version);
    void ForgetGlobal(std::uint32_t name);
    void DescribeOutput(WaylandOutput& output);
    // Tells of the outputs that came while the saver ran, once their size is known.
    void AnnounceNewOutputs();
    // Reads what the socket holds, waiting at most this long for something to arrive.
    void ReadEvents(int timeoutMilliseconds);

    static const wl_registry_listener registryListener_;

    wl_display* display_ = nullptr;
    wl_registry* registry_ = nullptr;
    wl_compositor* compositor_ = nullptr;
    wl_shm* shm_ = nullptr;
    zwlr_layer_shell_v1* layerShell_ = nullptr;
    zxdg_output_manager_v1* placeManager_ = nullptr;
    zwlr_output_power_manager_v1* powerManager_ = nullptr;
    // The first seat is the user's; a second one (a remote desktop's) would only add
    // another keyboard, which the first already ends the saver with.
    std::uint32_t seatName_ = 0;
    std::uint32_t seatVersion_ = 0;
    // Heap cells, so that the listeners' pointers stay put as outputs come and go.
    std::vector<std::unique_ptr<WaylandOutput>> outputs_;
    // Outputs found while connecting are there from the start, not announced as new.
    bool started_ = false;
};

}  // namespace platform
