// The saver window's unload: every engine object released in the fixed order, the
// engine last, after a full and after a partial set-up.
#include "saver_fixture.h"

namespace saver_test {
namespace {

class TearDown : public SaverTest {};

TEST_F(TearDown, ReleasesEveryObjectInOrderAfterAFullSetUp) {
    engines->lastKey = 27;
    engines->keyDown = true;
    Outcome outcome = Load();
    ASSERT_TRUE(outcome.processEnded);
    std::vector<std::string> expected = {
        "Engine.ShowCursor(-1)",
        "Release(View)",
        "Release(Draw2D)",
        "Particle#1.SetNewParticleHandler(none)",
        "Release(Particle#1)",
        "Particle#2.SetNewParticleHandler(none)",
        "Release(Particle#2)",
        "Release(TexFactory)",
        "MatFactory.CleanUp()",
        "Release(MatFactory)",
        "Release(Mesh#2)",
        "Release(Input)",
        "Release(Scene)",
        "Lights.CleanUp()",
        "Release(Lights)",
        "Engine.ShutDown()",
        "Release(Engine)",
        "DestroySaverWindow(" + Window + ")",
        "FindWindowA(\"Shell_traywnd\", \"\")",
        TaskbarShown,
        "EndProcess(0)",
    };
    EXPECT_EQ(CallsFrom("Engine.ShowCursor(-1)", expected.size() + 1), expected);
    EXPECT_EQ(fakes::Log().Matching("Engine.ShutDown").size(), 1u);
    EXPECT_EQ(frmSaver().Running, False);
    EXPECT_FALSE(frmSaver().Engine || frmSaver().Lights || frmSaver().Scene || frmSaver().Input ||
                 frmSaver().Mesh || frmSaver().MatFactory || frmSaver().TexFactory ||
                 frmSaver().My_Particle1 || frmSaver().My_Particle2 || frmSaver().Draw2D ||
                 frmSaver().View);
}

TEST_F(TearDown, SkipsTheMembersAPartialSetUpNeverFilled) {
    engines->failing.insert("NewMaterialFactory");
    Outcome outcome = Load();
    ASSERT_TRUE(outcome.processEnded);
    std::vector<std::string> expected = {
        "Engine.ShowCursor(-1)",
        "Release(Mesh#1)",
        "Release(Input)",
        "Release(Scene)",
        "Lights.CleanUp()",
        "Release(Lights)",
        "Engine.ShutDown()",
        "Release(Engine)",
        "DestroySaverWindow(" + Window + ")",
        "FindWindowA(\"Shell_traywnd\", \"\")",
        TaskbarShown,
        "EndProcess(0)",
    };
    EXPECT_EQ(CallsFrom("Engine.ShowCursor(-1)", expected.size() + 1), expected);
}

TEST_F(TearDown, WithoutAnEngineTheEndingStillShowsTheTaskbarAndEnds) {
    engines->failing.insert("NewEngine");
    Outcome outcome = Load();
    ASSERT_TRUE(outcome.processEnded);
    EXPECT_TRUE(fakes::Log().Matching("Engine.").empty());
    EXPECT_TRUE(fakes::Log().Matching("Release(").empty());
    std::vector<std::string> expected = {
        "DestroySaverWindow(" + Window + ")",
        "FindWindowA(\"Shell_traywnd\", \"\")",
        TaskbarShown,
        "EndProcess(0)",
    };
    EXPECT_EQ(CallsFrom("DestroySaverWindow(" + Window + ")", 5), expected);
}

TEST_F(TearDown, AFailingCleanUpAbandonsTheRestButTheEndingGoesOn) {
    engines->failing.insert("MatFactory.CleanUp");
    engines->lastKey = 27;
    engines->keyDown = true;
    Outcome outcome = Load();
    ASSERT_TRUE(outcome.processEnded);
    EXPECT_FALSE(Logged("Engine.ShutDown()"));
    EXPECT_TRUE(Logged("DestroySaverWindow(" + Window + ")"));
    EXPECT_TRUE(Logged(TaskbarShown));
}

}  // namespace
}  // namespace saver_test
