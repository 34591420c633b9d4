// A picture drawn smaller than it is shown (a software renderer's capped size on a large
// monitor) is scaled up with its edges kept crisp: a hard edge in the picture blends over
// at most one shown pixel, wherever it falls, where plain bilinear filtering spreads it
// over two; and a part of it shown anew gives the pixels the whole copy gives. Drawn
// through the display's own present pass into an off-screen picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "backends/backends.h"
#include "engine/gl_context.h"
#include "engine/gl_present_pass.h"
#include "engine/gl_render_target.h"
#include "engine/picture_geometry.h"
#include "saver/candle_scene.h"
#include "saver/saver_window.h"

namespace {

// The size a 4K monitor's picture is drawn at on a software renderer, and shown at, in
// one row's worth of height.
constexpr glm::ivec2 kDrawn{64, 4}, kShown{110, 4};

// Pixels of the shown row that are neither the black nor the white side of the edge.
int BlendedPixels(const engine::PresentPass& present, int edge, glm::ivec2 filteredFor) {
    engine::RenderTarget drawn(kDrawn.x, kDrawn.y, 0), shown(kShown.x, kShown.y, 0);
    drawn.Bind();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_SCISSOR_TEST);
    glScissor(edge, 0, kDrawn.x - edge, kDrawn.y);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    shown.Bind();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    present.Draw(drawn.Texture(), kDrawn, filteredFor);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(kShown.x) * 4);
    glBindFramebuffer(GL_FRAMEBUFFER, shown.ResolvedFramebuffer());
    glReadPixels(0, kShown.y / 2, kShown.x, 1, GL_RGBA, GL_UNSIGNED_BYTE, row.data());
    int blended = 0;
    for (int x = 0; x < kShown.x; ++x)
        if (row[x * 4] > 12 && row[x * 4] < 243) ++blended;
    return blended;
}

class PictureScaling : public testing::Test {
protected:
    void SetUp() override {
        backends_ = platform::InstallPlatformBackends(0, nullptr);
        window_ = saver::SaverWindows().Create([] {});
        saver::SaverWindows().Show(window_);
        saver::CreateEngineObjects(s_);
        s_.Engine->StartFullscreenDisplay(800, 600, 32, True, True, 0, 1.0f, window_);
    }
    void TearDown() override {
        s_.Engine->ShutDown();
        saver::SaverWindows().Destroy(window_);
    }

    std::unique_ptr<platform::PlatformBackends> backends_;
    platform::WindowHandle window_ = 0;
    saver::SaverState s_;
};

TEST_F(PictureScaling, AnEdgeScaledUpBlendsOverOneShownPixelWhereBilinearTakesTwo) {
    engine::PresentPass present(1.0f);
    // The edge at every place within the scale's cycle (1.72 shown pixels a drawn one).
    int mostCrisp = 0, mostBilinear = 0;
    for (int edge = 20; edge < 32; ++edge) {
        mostCrisp = std::max(mostCrisp, BlendedPixels(present, edge, kShown));
        // Told it is shown at the size it was drawn, the pass filters as plain bilinear.
        mostBilinear = std::max(mostBilinear, BlendedPixels(present, edge, kDrawn));
    }
    EXPECT_LE(mostCrisp, 1);
    EXPECT_GE(mostBilinear, 2);
}

// A picture whose pixels are all set apart, and the same picture with one part changed.
void FillPicture(const engine::RenderTarget& picture, const engine::GlRect& part, int seed) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(part.width) * part.height * 4);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(((i + 100003u * seed) * 2654435761u) >> 13);
    glBindTexture(GL_TEXTURE_2D, picture.Texture());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, part.x, part.y, part.width, part.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
}

// The picture shown over the viewport of a window of this size, held to a part of it
// (empty: all of it), onto what the window holds.
std::vector<std::uint8_t> Show(const engine::PresentPass& present, const engine::RenderTarget& picture,
                               glm::ivec2 pictureSize, const engine::RenderTarget& window, platform::PixelSize windowSize,
                               const engine::GlRect& viewport, const engine::GlRect& part) {
    window.Bind();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    if (part.width > 0) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(part.x, part.y, part.width, part.height);
    }
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    present.Draw(picture.Texture(), pictureSize, {viewport.width, viewport.height});
    glDisable(GL_SCISSOR_TEST);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(windowSize.width) * windowSize.height * 4);
    glBindFramebuffer(GL_FRAMEBUFFER, window.ResolvedFramebuffer());
    glReadPixels(0, 0, windowSize.width, windowSize.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

// The off-screen picture shown in part: where a part of the picture changed, the window
// redraws only the part of it that engine::ShownPart names, and shows what the whole
// copy shows. Scaled up by a factor that is not whole (a capped 4K picture's, 1.83) and
// down, at every phase of the scale.
TEST_F(PictureScaling, APartOfTheCopyShowsWhatTheWholeCopyShows) {
    constexpr glm::ivec2 kPicture{48, 30};
    const platform::PixelSize windows[] = {{100, 60}, {40, 26}};
    engine::PresentPass present(1.0f);
    engine::RenderTarget before(kPicture.x, kPicture.y, 0), after(kPicture.x, kPicture.y, 0);
    engine::GlRect all{0, 0, kPicture.x, kPicture.y};
    FillPicture(before, all, 1);
    for (platform::PixelSize size : windows) {
        engine::RenderTarget window(size.width, size.height, 0);
        // Off the window's corner by a few pixels, as the drift puts it.
        engine::GlRect viewport{3, 2, size.width * 22 / 25, size.height * 22 / 25};
        for (int x = 0; x < 6; ++x)
            for (int y = 0; y < 3; ++y) {
                engine::GlRect part{10 + x, 8 + y, 5 + x, 3};
                FillPicture(after, all, 1);
                FillPicture(after, part, 2);
                std::vector<std::uint8_t> whole = Show(present, after, kPicture, window, size, viewport, {});
                Show(present, before, kPicture, window, size, viewport, {});
                engine::GlRect shown = engine::ShownPart(part, {kPicture.x, kPicture.y}, viewport, size);
                ASSERT_GT(shown.width, 0);
                std::vector<std::uint8_t> inPart = Show(present, after, kPicture, window, size, viewport, shown);
                ASSERT_EQ(inPart, whole) << size.width << " wide, part at " << part.x << ", " << part.y;
            }
    }
}

}  // namespace
