// The frame loop: one pass in order, the pumpkin turned by the mouse in move mode, the
// key that ends the saver, and a window closed from outside while events are pumped.
#include <cmath>
#include <limits>

#include "support/saver_fixture.h"
#include "saver/saver_messages.h"

namespace saver_test {
namespace {

class RenderLoop : public SaverTest {};

TEST_F(RenderLoop, OnePassPumpsPollsPosesDrawsAndPresentsInOrder) {
    CloseWindowAtPump(2);
    engines->mouseX = 0;
    Load();
    std::vector<std::string> expected = {
        "DoEvents()",
        "Input.GetMouseState()",
        "Input.GetLastKey()",
        "Input.IsKeyPressed(0)",
        "Mesh#2.SetRotation(25, 243, 10)",
        "Engine.ClearFrame(0)",
        "Scene.RenderAllMeshes(-1)",
        "Particle#1.Update(68)",
        "Particle#1.Render()",
        "Particle#2.Update(68)",
        "Particle#2.Render()",
        "Engine.PresentFrame()",
        "DoEvents()",
    };
    EXPECT_EQ(CallsFrom("DoEvents()", expected.size()), expected);
}

TEST_F(RenderLoop, AWindowClosedDuringThePumpEndsTheLoopWithoutTouchingReleasedObjects) {
    CloseWindowAtPump(3);
    Outcome outcome = Load();
    EXPECT_FALSE(outcome.processEnded);
    std::ptrdiff_t engineGone = IndexOf("Release(Engine)");
    ASSERT_GE(engineGone, 0);
    EXPECT_EQ(Calls()[engineGone - 1], "Engine.ShutDown()");
    std::vector<std::string> after(Calls().begin() + engineGone + 1, Calls().end());
    EXPECT_EQ(after, std::vector<std::string>{"DestroySaverWindow(" + Window + ")"});
    EXPECT_EQ(fakes::Log().Matching("DoEvents").size(), 3u);
    EXPECT_EQ(frmSaver().Running, False);
    EXPECT_FALSE(display->windowOpen);
}

TEST_F(RenderLoop, OrdinaryModeKeepsThePoseAndIgnoresButtons) {
    engines->button1 = True;
    engines->mouseX = 30;
    engines->mouseY = 60;
    CloseWindowAtPump(4);
    Load();
    // Set-up poses the mesh once, then each of the three passes.
    EXPECT_EQ(fakes::Log().Matching("Mesh#2.SetRotation(25, 243, 10)").size(), 1u + 3u);
    EXPECT_TRUE(fakes::Log().Matching("Engine.ElapsedTime").empty());
}

TEST_F(RenderLoop, MoveModeTurnsThePumpkinWhileTheFirstButtonIsHeld) {
    SetIni(mScreenSaver::MovePumpkinSetting, "1");
    engines->button1 = True;
    engines->mouseX = 30;
    engines->mouseY = 60;
    engines->elapsedTime = 0.37f;
    CloseWindowAtPump(3);
    Load();
    // Products in double, each angle stored as a single, pass after pass.
    float x = 25, y = 243;
    for (int pass = 0; pass < 2; ++pass) {
        x = static_cast<float>(x - static_cast<double>(0.37f) * 60 / 3.0);
        y = static_cast<float>(y - static_cast<double>(0.37f) * 30 / 3.0);
    }
    EXPECT_EQ(frmSaver().Rotation.x, x);
    EXPECT_EQ(frmSaver().Rotation.y, y);
    EXPECT_EQ(frmSaver().Rotation.z, 10.0f);
    EXPECT_NEAR(frmSaver().Rotation.x, 25 - 2 * 20 * 0.37, 1e-4);
    EXPECT_NEAR(frmSaver().Rotation.y, 243 - 2 * 10 * 0.37, 1e-4);
    // The elapsed time is asked once for each axis.
    EXPECT_EQ(fakes::Log().Matching("Engine.ElapsedTime").size(), 4u);
    std::vector<std::string> firstPass = {"Input.GetMouseState()", "Engine.ElapsedTime()",
                                          "Engine.ElapsedTime()", "Input.GetLastKey()"};
    EXPECT_EQ(CallsFrom("Input.GetMouseState()", 4), firstPass);
}

TEST_F(RenderLoop, MoveModeWithTheButtonReleasedNeitherTurnsNorWatchesForExit) {
    SetIni(mScreenSaver::MovePumpkinSetting, "1");
    // Large jumps on every pump would end the ordinary saver on the third.
    toolkit->onDoEvents = [this](int n) {
        engines->mouseX = 100 + 50 * n;
        engines->mouseY = 100 + 50 * n;
        if (n == 8) fakes::CloseSaverWindowFromOutside();
    };
    Outcome outcome = Load();
    EXPECT_FALSE(outcome.processEnded);
    EXPECT_EQ(fakes::Log().Matching("Mesh#2.SetRotation(25, 243, 10)").size(), 1u + 7u);
    EXPECT_EQ(session->exitDetector.MoveCount, 0);
}

TEST_F(RenderLoop, AnAngleThatIsNoLongerANumberTakesTheFailureRoad) {
    SetIni(mScreenSaver::MovePumpkinSetting, "1");
    engines->button1 = True;
    engines->mouseY = 60;
    engines->elapsedTime = std::numeric_limits<float>::infinity();
    Outcome outcome = Load();
    EXPECT_TRUE(outcome.processEnded);
    EXPECT_TRUE(Logged(MessageBox(saver::FilesMissingMessage())));
}

TEST_F(RenderLoop, AKeyDownEndsTheSaverInBothModes) {
    for (const char* move : {"0", "1"}) {
        SetUp();
        SetIni(mScreenSaver::MovePumpkinSetting, move);
        engines->lastKey = 65;
        engines->keyDown = true;
        Outcome outcome = Load();
        EXPECT_TRUE(outcome.processEnded) << move;
        EXPECT_EQ(outcome.exitCode, 0) << move;
        EXPECT_EQ(CallsFrom("Input.IsKeyPressed(65)", 2),
                  (std::vector<std::string>{"Input.IsKeyPressed(65)", "Engine.ShowCursor(-1)"}))
            << move;
    }
}

TEST_F(RenderLoop, AFailingEngineCallInThePassShowsTheSecondMessage) {
    engines->failing.insert("Particle#2.Render");
    Outcome outcome = Load();
    EXPECT_TRUE(outcome.processEnded);
    EXPECT_TRUE(Logged(MessageBox(saver::FilesMissingMessage())));
}

TEST_F(RenderLoop, AFailedReleaseDuringACloseFromOutsideReachesTheFailureRoad) {
    engines->failing.insert("Lights.CleanUp");
    CloseWindowAtPump(2);
    Outcome outcome = Load();
    EXPECT_TRUE(outcome.processEnded);
    EXPECT_TRUE(Logged(MessageBox(saver::FilesMissingMessage())));
    // The window went with the first unload; the engine's shut-down never ran, but the
    // ending still brought the taskbar back.
    EXPECT_EQ(fakes::Log().Matching("DestroySaverWindow").size(), 1u);
    EXPECT_TRUE(Logged(TaskbarShown));
    EXPECT_EQ(Calls().back(), "EndProcess(0)");
}

}  // namespace
}  // namespace saver_test
