// The ending routine on both Windows families, with the password setting off, accepted
// and refused, and the report of a set-up failure.
#include "support/saver_fixture.h"
#include "saver/saver_messages.h"

namespace saver_test {
namespace {

class Ending : public SaverTest {
protected:
    void PressKey() {
        engines->lastKey = 27;
        engines->keyDown = true;
    }
    std::vector<std::string> FromKey(std::size_t count) {
        return CallsFrom("Input.IsKeyPressed(27)", count);
    }
};

const std::vector<std::string> UnloadThenEnd = {
    "Release(View)", "Release(Draw2D)", "Particle#1.SetNewParticleHandler(none)",
    "Release(Particle#1)", "Particle#2.SetNewParticleHandler(none)", "Release(Particle#2)",
    "Release(TexFactory)", "MatFactory.CleanUp()", "Release(MatFactory)", "Release(Mesh#2)",
    "Release(Input)", "Release(Scene)", "Lights.CleanUp()", "Release(Lights)",
    "Engine.ShutDown()", "Release(Engine)", "DestroySaverWindow(23166)",
    "FindWindowA(\"Shell_traywnd\", \"\")", "SetWindowPos(31324, 0, 0, 0, 0, 0, 0x40)",
    "EndProcess(0)",
};

std::vector<std::string> Then(std::vector<std::string> first,
                              const std::vector<std::string>& rest) {
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

TEST_F(Ending, WithoutThePasswordConditionUnloadsShowsTheTaskbarAndEnds) {
    struct Case {
        const char* name;
        std::int32_t platformId;
        Flag usePassword;
    } cases[] = {
        {"NT family, setting on", 2, 1},
        {"NT family, setting off", 2, 0},
        {"older family, setting off", 1, 0},
        {"failed version query, setting off", 0, 0},
    };
    for (const auto& c : cases) {
        SetUp();
        session->host.PlatformId = c.platformId;
        session->host.UsePassword = c.usePassword;
        PressKey();
        Outcome outcome = Load();
        EXPECT_TRUE(outcome.processEnded) << c.name;
        auto expected = Then({"Input.IsKeyPressed(27)", "Engine.ShowCursor(-1)"}, UnloadThenEnd);
        EXPECT_EQ(FromKey(expected.size() + 1), expected) << c.name;
        EXPECT_TRUE(fakes::Log().Matching("VerifyScreenSavePwd").empty()) << c.name;
        EXPECT_TRUE(fakes::Log().Matching("SystemParametersInfoA").empty()) << c.name;
    }
}

TEST_F(Ending, OnTheOlderFamilyAnAcceptedPasswordClearsTheSystemStateFirst) {
    for (Flag setting : {Flag(1), Flag(2), Flag(-1)}) {
        SetUp();
        session->host.PlatformId = 1;
        session->host.UsePassword = setting;
        windows->passwordAnswer = 1;
        PressKey();
        Outcome outcome = Load();
        EXPECT_TRUE(outcome.processEnded) << setting;
        auto expected = Then({"Input.IsKeyPressed(27)", "Engine.ShowCursor(-1)",
                              "VerifyScreenSavePwd(23166)",
                              "SystemParametersInfoA(97, 0, ptr, 0)",
                              "SetWindowPos(23166, -2, 0, 0, 0, 0, 0x3)"},
                             UnloadThenEnd);
        EXPECT_EQ(FromKey(expected.size() + 1), expected) << setting;
    }
}

TEST_F(Ending, ARefusedPasswordLetsTheSaverRunOnWithTheTaskbarHidden) {
    // Only the low 16 bits of the answer count.
    for (std::int32_t refusal : {0, 0x10000}) {
        SetUp();
        session->host.PlatformId = 1;
        session->host.UsePassword = 1;
        windows->passwordAnswer = refusal;
        PressKey();
        CloseWindowAtPump(3);
        Outcome outcome = Load();
        EXPECT_FALSE(outcome.processEnded) << refusal;
        std::vector<std::string> expected = {
            "Input.IsKeyPressed(27)", "Engine.ShowCursor(-1)", "VerifyScreenSavePwd(23166)",
            "Engine.ShowCursor(0)", "ShowSaverWindow(23166)", "Mesh#2.SetRotation(25, 243, 10)",
        };
        EXPECT_EQ(FromKey(expected.size()), expected) << refusal;
        // Asked again on the next pass, and never the taskbar nor the system state.
        EXPECT_EQ(fakes::Log().Matching("VerifyScreenSavePwd").size(), 2u) << refusal;
        EXPECT_FALSE(Logged(TaskbarShown)) << refusal;
        EXPECT_TRUE(fakes::Log().Matching("SystemParametersInfoA").empty()) << refusal;
    }
}

TEST_F(Ending, ReportFatalErrorShowsTheMessageThenEnds) {
    struct Case {
        const char* name;
        std::int32_t platformId;
        Flag usePassword;
        bool zOrderChange;
    } cases[] = {
        {"NT family", 2, 1, false},
        {"older family, setting off", 1, 0, false},
        {"older family, setting on", 1, 1, true},
    };
    for (const auto& c : cases) {
        SetUp();
        session->host.PlatformId = c.platformId;
        session->host.UsePassword = c.usePassword;
        windows->profile.clear();
        Outcome outcome = Load();
        EXPECT_TRUE(outcome.processEnded) << c.name;
        std::string box = MessageBox(saver::FilesMissingMessage());
        std::string notTopmost = "SetWindowPos(23166, -2, 0, 0, 0, 0, 0x3)";
        if (c.zOrderChange) {
            EXPECT_EQ(IndexOf(notTopmost) + 1, IndexOf(box)) << c.name;
        } else {
            EXPECT_FALSE(Logged(notTopmost)) << c.name;
        }
        EXPECT_EQ(CallsFrom(box, 2),
                  (std::vector<std::string>{box, "Engine.ShowCursor(-1)"}))
            << c.name;
        EXPECT_EQ(Calls().back(), "EndProcess(0)") << c.name;
    }
}

TEST_F(Ending, ARefusalOnTheFailureRoadWaitsForTheUserAndAsksAgain) {
    session->host.PlatformId = 1;
    session->host.UsePassword = 1;
    windows->passwordAnswer = 0;
    windows->profile.clear();
    engines->mouseX = 200;
    engines->mouseY = 200;
    toolkit->onDoEvents = [this](int n) {
        // A small jitter first, then the user moves the mouse and knows the password.
        if (n == 2) engines->mouseX = 203;
        if (n == 5) {
            engines->mouseY = 240;
            windows->passwordAnswer = 1;
        }
    };
    Outcome outcome = Load();
    EXPECT_TRUE(outcome.processEnded);
    EXPECT_EQ(fakes::Log().Matching("VerifyScreenSavePwd").size(), 2u);
    EXPECT_EQ(fakes::Log().Matching("DoEvents").size(), 5u);
    EXPECT_EQ(fakes::Log().Matching("MessageBox").size(), 1u);
    EXPECT_TRUE(Logged(TaskbarShown));
}

TEST_F(Ending, ARefusalOnTheFailureRoadWithoutAnEngineAsksAgainAfterPumping) {
    session->host.PlatformId = 1;
    session->host.UsePassword = 1;
    windows->passwordAnswer = 0;
    engines->failing.insert("NewEngine");
    toolkit->onDoEvents = [this](int n) {
        if (n == 3) windows->passwordAnswer = 1;
    };
    Outcome outcome = Load();
    EXPECT_TRUE(outcome.processEnded);
    EXPECT_EQ(fakes::Log().Matching("VerifyScreenSavePwd").size(), 4u);
    EXPECT_TRUE(Logged(TaskbarShown));
}

TEST_F(Ending, ARefusalOnTheFailureRoadEndsTheWaitWhenTheWindowIsClosed) {
    session->host.PlatformId = 1;
    session->host.UsePassword = 1;
    windows->passwordAnswer = 0;
    windows->profile.clear();
    CloseWindowAtPump(4);
    Outcome outcome = Load();
    EXPECT_FALSE(outcome.processEnded);
    EXPECT_EQ(fakes::Log().Matching("DoEvents").size(), 4u);
    EXPECT_TRUE(Logged("Release(Engine)"));
}

}  // namespace
}  // namespace saver_test
