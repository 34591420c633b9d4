// A picture drawn smaller than it is shown (a software renderer's capped size on a large
// monitor) is scaled up with its edges kept crisp: a hard edge in the picture blends over
// at most one shown pixel, wherever it falls, where plain bilinear filtering spreads it
// over two. Drawn through the display's own present pass into an off-screen picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "backends/backends.h"
#include "engine/gl_context.h"
#include "engine/gl_present_pass.h"
#include "engine/gl_render_target.h"
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

TEST(PictureScaling, AnEdgeScaledUpBlendsOverOneShownPixelWhereBilinearTakesTwo) {
    std::unique_ptr<platform::PlatformBackends> backends = platform::InstallPlatformBackends(0, nullptr);
    platform::WindowHandle window = saver::SaverWindows().Create([] {});
    saver::SaverWindows().Show(window);
    {
        saver::SaverState s;
        saver::CreateEngineObjects(s);
        s.Engine->StartFullscreenDisplay(800, 600, 32, True, True, 0, 1.0f, window);
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
        s.Engine->ShutDown();
    }
    saver::SaverWindows().Destroy(window);
}

}  // namespace
