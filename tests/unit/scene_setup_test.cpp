// The saver window's set-up: its engine calls and values in order, the flame values
// from the candle height, the settings file it reads them from, and the two failure
// messages.
#include "saver_fixture.h"

#include "saver/saver_messages.h"

namespace saver_test {
namespace {

class SceneSetup : public SaverTest {};

// The read of a setting under the key the readers ask for.
std::string Read(const mScreenSaver::SettingDefinition& setting) {
    return std::string("GetPrivateProfileStringA(\"") + setting.section + "\", \"" +
           setting.readKey + "\", \"\", 255, \"" + IniFile + "\")";
}

TEST_F(SceneSetup, MakesItsCallsWithTheirValuesInOrderThenEntersTheLoop) {
    CloseWindowAtPump(1);
    Outcome outcome = Load();
    EXPECT_FALSE(outcome.processEnded);

    std::vector<std::string> expected = {
        "CreateSaverWindow()",
        "Engines.NewEngine()",
        "Engines.NewLightEngine()",
        "Engines.NewScene()",
        "Engines.NewInput()",
        "Engines.NewMesh()",
        "Engines.NewMaterialFactory()",
        "Engines.NewTextureFactory()",
        "Engines.NewParticleSystem()",
        "Particle#1.SetNewParticleHandler(handler)",
        "Engines.NewParticleSystem()",
        "Particle#2.SetNewParticleHandler(handler)",
        "Engines.NewDraw2D()",
        "Engines.NewView()",
        "Engine.SetAngleSystem(0)",
        "Engine.SetSearchDirectory(" + MediaFolder + ")",
        "Engine.DisplayFramesPerSecond(0)",
        "Engine.SetVSync(1)",
        "Engine.StartFullscreenDisplay(800, 600, 32, -1, -1, 4, 1, " + Window + ")",
        "Engine.ClearFrame(0)",
        Read(mScreenSaver::CandleHeightSetting),
        Read(mScreenSaver::CandleBrightnessSetting),
        Read(mScreenSaver::CandleColorSetting),
        Read(mScreenSaver::MovePumpkinSetting),
        "Engine.ShowCursor(0)",
        "TexFactory.LoadTexture(" + MediaFolder + "loading.jpg, Loading, -1, -1, 0, -1, -1)",
        "Utility.GetTextureId(Loading)",
        "Draw2D.DrawTexture(11, 272, 268, 528, 332, -1, -2, -2, -2, 0, 0, 1, 1)",
        "Engine.PresentFrame()",
        "Scene.SetLighting(-1)",
        "Scene.SetBackgroundColor(0, 0, 0)",
        "View.SetFarDistance(7000)",
        "Utility.LightVector(0, 100, 300)",
        "Lights.CreatePointLight((0, 100, 300), 1, 1, 1, 200, torch, 0)",
        "Utility.LightVector(0, -1, 1)",
        "Lights.CreateDirectionalLight((0, -1, 1), 1, 1, 1, 1, 0)",
        "Scene.CreateMesh(\"\")",
        "Engines.NewMesh()",
        "Release(Mesh#1)",
        "Mesh#2.LoadModel3DS(kelvora.3ds, 0, -1, -1, -1, -1)",
        "Mesh#2.SetScale(1, 1, 1)",
        "Mesh#2.SetPosition(0, 3, 300)",
        "Mesh#2.SetRotation(25, 243, 10)",
        "MatFactory.CreateMaterial(\"\")",
        "MatFactory.SetDiffuse(5, 0.69, 0.09, 0.047, 1)",
        "MatFactory.SetAmbient(5, 0, 0, 0, 1)",
        "MatFactory.SetSpecular(5, 0.25, 0.25, 0.25, 1)",
        "MatFactory.SetPower(5, 32)",
        "MatFactory.SetEmissive(5, 0, 0, 0, 1)",
        "Mesh#2.SetMaterial(5, -1)",
        "TexFactory.LoadTexture(smoke.bmp, My_Texture1, -1, -1, -16777216, -1, -1)",
        "Utility.EmitterVector(0, 0, 300)",
        "Utility.GetTextureId(My_Texture1)",
        "Particle#1.Create(140, 0, 3, (0, 0, 300), 0, 12)",
        "Particle#1.SetEmissionRate(32)",
        "Particle#1.SetBlending(1, 5, 2)",
        "Particle#1.SetGrowth(-1, 2)",
        "Particle#1.SetSpeed(21)",
        "Particle#1.SetDrag(0.01)",
        "TexFactory.LoadTexture(smoke.bmp, My_Texture2, -1, -1, -16777216, -1, -1)",
        "Utility.EmitterVector(0, 0, 300)",
        "Utility.GetTextureId(My_Texture2)",
        "Particle#2.Create(141, 0, 3, (0, 0, 300), 0, 13)",
        "Particle#2.SetEmissionRate(24)",
        "Particle#2.SetBlending(1, 5, 2)",
        "Particle#2.SetGrowth(-2, 1)",
        "Particle#2.SetSpeed(10)",
        "Particle#2.SetDrag(0.01)",
        "ShowSaverWindow(" + Window + ")",
        "DoEvents()",
    };
    EXPECT_EQ(CallsFrom("CreateSaverWindow()", expected.size()), expected);
}

TEST_F(SceneSetup, FillsTheSaverStateFromTheSettings) {
    SetIni(mScreenSaver::CandleBrightnessSetting, "150");
    CloseWindowAtPump(1);
    Load();
    EXPECT_EQ(frmSaver().Rotation.x, 25.0f);
    EXPECT_EQ(frmSaver().Rotation.y, 243.0f);
    EXPECT_EQ(frmSaver().Rotation.z, 10.0f);
    EXPECT_EQ(frmSaver().Position.y, 3.0f);
    EXPECT_EQ(frmSaver().Position.z, 300.0f);
    EXPECT_EQ(frmSaver().CandleColor.r, 1.0f);
    EXPECT_EQ(frmSaver().CandleColor.g, static_cast<float>(54 / 255.0));
    EXPECT_EQ(frmSaver().CandleColor.b, static_cast<float>(2 / 255.0));
    EXPECT_EQ(frmSaver().Settings.candleBrightness, "150");
    EXPECT_TRUE(Logged("Lights.CreatePointLight((0, 100, 300), 1, 1, 1, 150, torch, 0)"));
    // The unload from outside stopped the loop.
    EXPECT_EQ(frmSaver().Running, False);
}

TEST_F(SceneSetup, TakesFlameCountAndLifeFromTheCandleHeight) {
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
        CloseWindowAtPump(1);
        Load();
        double h = std::stod(c.height);
        EXPECT_EQ(frmSaver().FlameCount, c.count) << c.height;
        EXPECT_EQ(frmSaver().FlameLife, static_cast<float>(h / 10 + 1.4)) << c.height;
        EXPECT_FLOAT_EQ(frmSaver().FlameLife, static_cast<float>(c.life)) << c.height;
        EXPECT_TRUE(Logged("Particle#1.Create(" + std::to_string(c.count) +
                           ", 0, 3, (0, 0, 300), 0, 12)"))
            << c.height;
    }
}

TEST_F(SceneSetup, TurnsMoveModeOnOnlyForExactlyOne) {
    struct Case {
        const char* text;
        Flag moveMode;
    } cases[] = {{"1", True}, {"0", False}, {"true", False}, {"01", False}, {" 1", False}};
    for (const auto& c : cases) {
        SetUp();
        SetIni(mScreenSaver::MovePumpkinSetting, c.text);
        CloseWindowAtPump(1);
        Load();
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

TEST_F(SceneSetup, ShowsTheMessageOfTheFailingStepThenEnds) {
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
TEST_F(SceneSetup, ReadsTheSettingsFileThatTheDialogWrites) {
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

TEST_F(SceneSetup, NamesTheProductWebSiteInTheSecondMessage) {
    EXPECT_EQ(saver::FilesMissingMessage(),
              std::string("One or more files are missing from application. Please download and "
                          "re-install the software from ") +
                  ProductWebSite);
}

TEST_F(SceneSetup, AWindowThatCannotBeMadeGivesTheFirstMessage) {
    display->createFails = true;
    Outcome outcome = Load();
    EXPECT_TRUE(outcome.processEnded);
    EXPECT_TRUE(Logged(MessageBox(saver::CannotDisplayMessage)));
    EXPECT_FALSE(Logged("Engines.NewEngine()"));
}

}  // namespace
}  // namespace saver_test
