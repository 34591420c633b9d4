// The saver window's candle scene as the engine holds it once the set-up has built it,
// the flame values from the candle height, the settings file they come from, the two
// failure messages, and the release of every engine object at the end.
#include "support/saver_fixture.h"

#include "saver/saver_messages.h"

namespace saver_test {
namespace {

using fakes::HeldLight;
using fakes::HeldMaterial;
using fakes::HeldParticles;

class CandleScene : public SaverTest {
protected:
    // The saver built its scene and entered the frame loop, which the window's close ended.
    void BuildScene() {
        CloseWindowAtPump(1);
        ASSERT_FALSE(Load().processEnded);
    }
    const fakes::HeldScene& Scene() const { return engines->scene; }
    const HeldParticles& Flame() const { return Scene().particles.at("Particle#1"); }
    const HeldParticles& Smoke() const { return Scene().particles.at("Particle#2"); }
};

TEST_F(CandleScene, StartsTheDisplayInTheSaverWindowWithTheMediaFolder) {
    BuildScene();
    for (const std::string& call : std::vector<std::string>{
             "Engine.SetAngleSystem(0)", "Engine.SetSearchDirectory(" + MediaFolder + ")",
          "Engine.DisplayFramesPerSecond(0)", "Engine.SetVSync(1)",
          "Engine.StartFullscreenDisplay(800, 600, 32, -1, -1, 4, 1, " + Window + ")"})
        EXPECT_TRUE(Logged(call)) << call;
}

TEST_F(CandleScene, LightsThePumpkinFromTheCandleWithTheBrightnessAsItsRange) {
    SetIni(mScreenSaver::CandleBrightnessSetting, "150");
    BuildScene();
    EXPECT_EQ(Scene().lighting, True);
    EXPECT_EQ(Scene().pointLights, (std::vector<HeldLight>{{{0, 100, 300}, {1, 1, 1}, 150}}));
    EXPECT_EQ(Scene().directionalLights, (std::vector<HeldLight>{{{0, -1, 1}, {1, 1, 1}}}));
    EXPECT_EQ(Scene().farDistance, 7000.0f);
}

TEST_F(CandleScene, PosesThePumpkinInItsOrangeMaterial) {
    BuildScene();
    ASSERT_EQ(Scene().meshes.size(), 1u);
    const fakes::HeldMesh& pumpkin = Scene().meshes.begin()->second;
    EXPECT_EQ(pumpkin.model, "kelvora.3ds");
    EXPECT_EQ(pumpkin.scale, (saver::Vector3{1, 1, 1}));
    EXPECT_EQ(pumpkin.position, (saver::Vector3{0, 3, 300}));
    EXPECT_EQ(pumpkin.rotation, (saver::Vector3{25, 243, 10}));
    EXPECT_EQ(frmSaver().Position, pumpkin.position);
    EXPECT_EQ(frmSaver().Rotation, pumpkin.rotation);
    const HeldMaterial orange{{0, 0, 0, 1}, {0.69f, 0.09f, 0.047f, 1}, {0.25f, 0.25f, 0.25f, 1},
                              {0, 0, 0, 1}, 32};
    EXPECT_EQ(Scene().materials.at(pumpkin.material), orange);
}

TEST_F(CandleScene, BurnsTheFlameAndTheSmokeAtTheCandleInTheSmokeTexture) {
    BuildScene();
    const HeldParticles flame{140, 3, {0, 0, 300}, Flame().texture, 32, {1, 5, 2}, {-1, 2}, 21, 0.01f};
    const HeldParticles smoke{141, 3, {0, 0, 300}, Smoke().texture, 24, {1, 5, 2}, {-2, 1}, 10, 0.01f};
    EXPECT_EQ(Flame(), flame);
    EXPECT_EQ(Smoke(), smoke);
    // Each draws the smoke picture with its opaque black keyed out.
    for (std::int32_t texture : {Flame().texture, Smoke().texture}) {
        ASSERT_TRUE(Scene().textures.count(texture)) << texture;
        EXPECT_EQ(Scene().textures.at(texture).file, "smoke.bmp");
        EXPECT_EQ(Scene().textures.at(texture).colorKey, static_cast<std::int32_t>(0xFF000000u));
    }
}

TEST_F(CandleScene, ShowsTheLoadingPictureWhileTheSceneIsBuiltThenTheWindow) {
    BuildScene();
    std::ptrdiff_t loading = IndexOf("Draw2D.DrawTexture(11, 272, 268, 528, 332, -1, -2, -2, -2, 0, 0, 1, 1)");
    ASSERT_GE(loading, 0);
    EXPECT_EQ(Scene().textures.at(11).file, MediaFolder + "loading.jpg");
    EXPECT_LT(loading, IndexOf("Engine.PresentFrame()"));
    EXPECT_LT(IndexOf("Engine.PresentFrame()"), IndexOf("Mesh#2.LoadModel3DS(kelvora.3ds, 0, -1, -1, -1, -1)"));
    EXPECT_LT(IndexOf("Particle#2.SetDrag(0.01)"), IndexOf("ShowSaverWindow(" + Window + ")"));
    EXPECT_EQ(CallsFrom("ShowSaverWindow(" + Window + ")", 2),
              (std::vector<std::string>{"ShowSaverWindow(" + Window + ")", "DoEvents()"}));
}

TEST_F(CandleScene, FillsTheSaverStateFromTheSettings) {
    BuildScene();
    EXPECT_EQ(frmSaver().CandleColor.r, 1.0f);
    EXPECT_EQ(frmSaver().CandleColor.g, static_cast<float>(54 / 255.0));
    EXPECT_EQ(frmSaver().CandleColor.b, static_cast<float>(2 / 255.0));
    EXPECT_EQ(frmSaver().Settings.candleBrightness, "200");
    // The unload from outside stopped the loop.
    EXPECT_EQ(frmSaver().Running, False);
}

TEST_F(CandleScene, TakesFlameCountAndLifeFromTheCandleHeight) {
    struct Case {
        const char* height;
        int count;
        double life;
    } cases[] = {
        {"10", 140, 2.4}, {"0", 90, 1.4}, {"0.5", 92, 1.45}, {"1.5", 98, 1.55},
        {"6535.4", 32767, 654.94},
    };
    for (const auto& c : cases) {
        SetUp();
        SetIni(mScreenSaver::CandleHeightSetting, c.height);
        BuildScene();
        double h = std::stod(c.height);
        EXPECT_EQ(frmSaver().FlameCount, c.count) << c.height;
        EXPECT_EQ(frmSaver().FlameLife, static_cast<float>(h / 10 + 1.4)) << c.height;
        EXPECT_FLOAT_EQ(frmSaver().FlameLife, static_cast<float>(c.life)) << c.height;
        EXPECT_EQ(Flame().count, c.count) << c.height;
    }
}

TEST_F(CandleScene, TurnsMoveModeOnOnlyForExactlyOne) {
    struct Case {
        const char* text;
        Flag moveMode;
    } cases[] = {{"1", True}, {"0", False}, {"true", False}, {"01", False}, {" 1", False}};
    for (const auto& c : cases) {
        SetUp();
        SetIni(mScreenSaver::MovePumpkinSetting, c.text);
        BuildScene();
        EXPECT_EQ(frmSaver().MoveMode, c.moveMode) << '"' << c.text << '"';
    }
}

// Each failure shows its message once and then runs the ending to the end of the process.
struct FailureCase {
    const char* name;
    std::string failingCall;    // made to fail in the fake engine
    const char* height;         // candle height text; nullptr leaves the key out
    bool settingsFile;          // false: no settings file at all
    bool firstMessage;          // the DirectX message rather than the missing-files one
};

TEST_F(CandleScene, ShowsTheMessageOfTheFailingStepThenEnds) {
    const FailureCase cases[] = {
        {"engine object not created", "NewEngine", "10", true, true},
        {"material factory not created", "NewMaterialFactory", "10", true, true},
        {"display cannot start", "StartFullscreenDisplay", "10", true, true},
        {"first clear fails", "ClearFrame", "10", true, true},
        {"height too large", "", "6535.5", true, false},
        {"height not a number", "", "tall", true, false},
        {"height missing", "", nullptr, true, false},
        {"no settings file", "", "10", false, false},
        {"model missing", "LoadModel3DS", "10", true, false},
        {"loading picture missing", "Utility.GetTextureId", "10", true, false},
        {"smoke texture missing", "Particle#2.Create", "10", true, false},
    };
    for (const auto& c : cases) {
        SetUp();
        if (!c.failingCall.empty()) engines->failing.insert(c.failingCall);
        if (!c.settingsFile) windows->profile.clear();
        if (c.height) {
            SetIni(mScreenSaver::CandleHeightSetting, c.height);
        } else {
            windows->profile.erase(IniEntry(mScreenSaver::CandleHeightSetting));
        }
        Outcome outcome = Load();
        std::string message =
            c.firstMessage ? saver::CannotDisplayMessage : saver::FilesMissingMessage();
        EXPECT_TRUE(outcome.processEnded) << c.name;
        EXPECT_EQ(outcome.exitCode, 0) << c.name;
        EXPECT_EQ(fakes::Log().Matching("MessageBox").size(), 1u) << c.name;
        EXPECT_TRUE(Logged(MessageBox(message))) << c.name;
        EXPECT_FALSE(Logged("DoEvents()")) << c.name << ": no frame loop";
        EXPECT_LT(IndexOf(MessageBox(message)), IndexOf(TaskbarShown)) << c.name;
        EXPECT_EQ(Calls().back(), "EndProcess(0)") << c.name;
    }
}

// Beside the executable where that file can be written; else the per-user file first,
// each value it lacks from beside the executable; the message only when neither has it.
TEST_F(CandleScene, ReadsTheSettingsFileThatTheDialogWrites) {
    const std::string userFile = "C:\\Users\\Ann\\AppData\\Roaming\\Kelvora\\kelvora.ini";
    struct Case {
        const char* name;
        bool besideWritable;
        const char* besideHeight;   // nullptr: not in the file
        const char* perUserHeight;  // nullptr: not in the file
        const char* readHeight;     // nullptr: the missing-files message
    } cases[] = {
        {"writable beside the executable", true, "10", "3", "10"},
        {"read-only, per-user file", false, "10", "3", "3"},
        {"read-only, per-user file without it", false, "10", nullptr, "10"},
        {"read-only, only the per-user file", false, nullptr, "3", "3"},
        {"read-only, neither file", false, nullptr, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SetUp();
        if (!c.besideWritable) toolkit->readOnlyFiles.insert(IniFile);
        windows->profile.erase(IniEntry(mScreenSaver::CandleHeightSetting));
        if (c.besideHeight) SetIni(mScreenSaver::CandleHeightSetting, c.besideHeight);
        if (c.perUserHeight) {
            windows->profile[fakes::FakeWindowsApi::ProfileKey(
                userFile, "candle", mScreenSaver::CandleHeightSetting.writtenKey)] =
                c.perUserHeight;
        }
        CloseWindowAtPump(1);
        Outcome outcome = Load();
        EXPECT_EQ(Logged(MessageBox(saver::FilesMissingMessage())), c.readHeight == nullptr)
            << c.name;
        if (c.readHeight) {
            EXPECT_FALSE(outcome.processEnded) << c.name;
            EXPECT_EQ(frmSaver().Settings.candleHeight, c.readHeight) << c.name;
        }
    }
}

TEST_F(CandleScene, NamesTheProductWebSiteInTheSecondMessage) {
    EXPECT_EQ(saver::FilesMissingMessage(),
              std::string("One or more files are missing from application. Please download and "
                          "re-install the software from ") +
                  ProductWebSite);
}

TEST_F(CandleScene, AWindowThatCannotBeMadeGivesTheFirstMessage) {
    display->createFails = true;
    Outcome outcome = Load();
    EXPECT_TRUE(outcome.processEnded);
    EXPECT_TRUE(Logged(MessageBox(saver::CannotDisplayMessage)));
    EXPECT_FALSE(Logged("Engines.NewEngine()"));
}

// However far the set-up got, the ending releases every engine object it made, the
// engine last and the particle systems' emitters unhooked first, and then closes the
// window, shows the taskbar and ends the process.
TEST_F(CandleScene, EndingReleasesWhatTheSetUpMadeTheEngineLast) {
    struct Case {
        const char* name;
        const char* failing;  // where the set-up stops; nullptr: a key ends the frame loop
        bool engineMade;
    } cases[] = {
        {"full set-up", nullptr, true},
        {"no material factory", "NewMaterialFactory", true},
        {"no engine", "NewEngine", false},
    };
    for (const auto& c : cases) {
        SetUp();
        if (c.failing) {
            engines->failing.insert(c.failing);
        } else {
            engines->lastKey = 27;
            engines->keyDown = true;
        }
        ASSERT_TRUE(Load().processEnded) << c.name;
        EXPECT_TRUE(Scene().alive.empty()) << c.name;
        EXPECT_EQ(fakes::Log().Matching("Engine.ShutDown").size(), c.engineMade ? 1u : 0u) << c.name;
        if (c.engineMade) {
            EXPECT_EQ(Scene().aliveAtShutDown, std::set<std::string>{"Engine"}) << c.name;
            EXPECT_LT(IndexOf("Release(Engine)"), IndexOf("DestroySaverWindow(" + Window + ")")) << c.name;
        }
        EXPECT_FALSE(engines->handlerSet["Particle#1"] || engines->handlerSet["Particle#2"]) << c.name;
        const std::vector<std::string> last = {"DestroySaverWindow(" + Window + ")",
                                               "FindWindowA(\"Shell_traywnd\", \"\")", TaskbarShown,
                                               "EndProcess(0)"};
        EXPECT_EQ(CallsFrom(last.front(), last.size() + 1), last) << c.name;
        EXPECT_EQ(frmSaver().Running, False) << c.name;
        EXPECT_EQ(Logged("Lights.CleanUp()"), c.engineMade) << c.name;
        EXPECT_EQ(Logged("MatFactory.CleanUp()"), c.failing == nullptr) << c.name;
    }
}

TEST_F(CandleScene, AFailingCleanUpAbandonsTheRestButTheEndingGoesOn) {
    engines->failing.insert("MatFactory.CleanUp");
    engines->lastKey = 27;
    engines->keyDown = true;
    ASSERT_TRUE(Load().processEnded);
    EXPECT_FALSE(Logged("Engine.ShutDown()"));
    EXPECT_TRUE(Logged("DestroySaverWindow(" + Window + ")"));
    EXPECT_TRUE(Logged(TaskbarShown));
}

}  // namespace
}  // namespace saver_test
