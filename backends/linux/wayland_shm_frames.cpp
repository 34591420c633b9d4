// The layer surface's pictures in shared-memory buffers: copied from GL, damaged, committed.
#include "backends/linux/wayland_shm_frames.h"

#include <EGL/egl.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "common/runtime_error.h"

namespace platform {

namespace {

// Three suffice for a compositor that holds the picture it shows and one on its way; one
// more for a slow one, and beyond that frames wait for a release instead.
constexpr std::size_t kMostBuffers = 4;
constexpr int kBytesPerPixel = 4;

template <typename Function>
Function GlEntry(const char* name) {
    auto entry = reinterpret_cast<Function>(eglGetProcAddress(name));
    if (!entry) throw RuntimeError(ErrorCode::InvalidArgument, std::string("the GL context offers no ") + name);
    return entry;
}

}  // namespace

const wl_buffer_listener ShmFrames::listener_ = {
    [](void* data, wl_buffer*) { static_cast<Buffer*>(data)->busy = false; },
};

ShmFrames::ShmFrames(wl_display* display, wl_shm* shm, PixelSize size)
    : display_(display),
      shm_(shm),
      releases_(wl_display_create_queue(display)),
      size_(size),
      damage_(size),
      readPixels_(GlEntry<ReadPixels>("glReadPixels")),
      getIntegers_(GlEntry<GetIntegers>("glGetIntegerv")),
      bindFramebuffer_(GlEntry<BindFramebuffer>("glBindFramebuffer")) {}

ShmFrames::~ShmFrames() {
    for (auto& buffer : buffers_) {
        wl_buffer_destroy(buffer->buffer);
        munmap(buffer->pixels, static_cast<std::size_t>(size_.width) * size_.height * kBytesPerPixel);
    }
    wl_event_queue_destroy(releases_);
}

bool ShmFrames::Show(wl_surface* surface, const PixelArea& changed) {
    std::uint64_t frame = damage_.FrameChanged(changed);
    Buffer* buffer = FreeBuffer();
    if (!buffer) return false;
    CopyFromGl(*buffer, damage_.Missing(buffer->content));
    buffer->content = frame;
    PixelArea sent = damage_.Missing(committed_);
    committed_ = frame;
    buffer->busy = true;
    wl_surface_attach(surface, buffer->buffer, 0, 0);
    // The buffer's rows run from the top; GL's from the bottom. A compositor too old to
    // take damage in buffer pixels is told the whole surface changed.
    if (wl_surface_get_version(surface) >= WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION)
        wl_surface_damage_buffer(surface, sent.x, size_.height - sent.y - sent.height, sent.width, sent.height);
    else
        wl_surface_damage(surface, 0, 0, INT32_MAX, INT32_MAX);
    wl_surface_commit(surface);
    return true;
}

ShmFrames::Buffer* ShmFrames::FreeBuffer() {
    // The releases the event pump has read meanwhile.
    wl_display_dispatch_queue_pending(display_, releases_);
    if (Buffer* free = LatestFree()) return free;
    if (buffers_.size() < kMostBuffers) {
        buffers_.push_back(NewBuffer());
        return buffers_.back().get();
    }
    // Releases on their way: the compositor lets a buffer go once it has the next.
    if (wl_display_roundtrip_queue(display_, releases_) < 0) return nullptr;
    return LatestFree();
}

ShmFrames::Buffer* ShmFrames::LatestFree() {
    Buffer* latest = nullptr;
    for (auto& buffer : buffers_)
        if (!buffer->busy && (!latest || buffer->content > latest->content)) latest = buffer.get();
    return latest;
}

std::unique_ptr<ShmFrames::Buffer> ShmFrames::NewBuffer() {
    int stride = size_.width * kBytesPerPixel;
    std::size_t bytes = static_cast<std::size_t>(stride) * size_.height;
    int fd = memfd_create("kelvora-frame", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(bytes)) != 0) {
        if (fd >= 0) close(fd);
        throw RuntimeError(ErrorCode::InvalidArgument, "no shared memory for a picture of the Wayland surface");
    }
    void* pixels = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED) {
        close(fd);
        throw RuntimeError(ErrorCode::InvalidArgument, "the picture's shared memory cannot be mapped");
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm_, fd, static_cast<std::int32_t>(bytes));
    auto buffer = std::make_unique<Buffer>();
    buffer->buffer = wl_shm_pool_create_buffer(pool, 0, size_.width, size_.height, stride, WL_SHM_FORMAT_XRGB8888);
    buffer->pixels = static_cast<std::uint8_t*>(pixels);
    wl_buffer_add_listener(buffer->buffer, &listener_, buffer.get());
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(buffer->buffer), releases_);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

void ShmFrames::CopyFromGl(Buffer& into, const PixelArea& part) {
    if (part.width <= 0 || part.height <= 0) return;
    std::size_t rowBytes = static_cast<std::size_t>(part.width) * kBytesPerPixel;
    rows_.resize(rowBytes * part.height);
    GLint drawn = 0;
    getIntegers_(GL_READ_FRAMEBUFFER_BINDING, &drawn);
    bindFramebuffer_(GL_READ_FRAMEBUFFER, 0);
    // BGRA bytes are the little-endian XRGB words the buffer holds.
    readPixels_(part.x, part.y, part.width, part.height, GL_BGRA, GL_UNSIGNED_BYTE, rows_.data());
    bindFramebuffer_(GL_READ_FRAMEBUFFER, static_cast<GLuint>(drawn));
    std::size_t stride = static_cast<std::size_t>(size_.width) * kBytesPerPixel;
    for (int row = 0; row < part.height; ++row) {
        std::size_t top = static_cast<std::size_t>(size_.height - 1 - (part.y + row));
        std::memcpy(into.pixels + top * stride + static_cast<std::size_t>(part.x) * kBytesPerPixel,
                    rows_.data() + row * rowBytes, rowBytes);
    }
}

}  // namespace platform
