// The saver as a process: the taskbar hidden at the start comes back on every way out,
// a failure that nothing catches and a window closed from outside included.
#include "fakes/fake_host_backends.h"
#include "host/startup.h"
#include "support/saver_fixture.h"

namespace saver_test {
namespace {

class SaverProcess : public SaverTest {};

const std::string TaskbarHidden = "SetWindowPos(31324, 0, 0, 0, 0, 0, 0x80)";

TEST_F(SaverProcess, AFailureNothingCatchesShowsTheTaskbarAgain) {
    toolkit->arguments = "/S";
    // The display fails, and then so does the cursor call at the start of the ending: the
    // failure leaves the saver's own handling.
    engines->failing = {"StartFullscreenDisplay", "ShowCursor"};
    int exitCode = mMain::RunProcess(fakes::FakeHostBackends());
    EXPECT_EQ(exitCode, 1);
    ASSERT_GE(IndexOf(TaskbarHidden), 0);
    EXPECT_GT(IndexOf(TaskbarShown), IndexOf(TaskbarHidden));
    EXPECT_FALSE(Logged("EndProcess(0)"));
}

TEST_F(SaverProcess, AWindowClosedFromOutsideEndsTheProcessWithTheTaskbarShown) {
    toolkit->arguments = "/S";
    CloseWindowAtPump(2);
    int exitCode = mMain::RunProcess(fakes::FakeHostBackends());
    EXPECT_EQ(exitCode, 0);
    EXPECT_GT(IndexOf(TaskbarShown), IndexOf("Release(Engine)"));
    EXPECT_EQ(Calls().back(), TaskbarShown);
}

TEST_F(SaverProcess, ASecondSaverEndsAtOnceWithoutTouchingTheTaskbar) {
    toolkit->arguments = "/S";
    toolkit->previousInstance = true;
    try {
        mMain::ProcessState process;
        mMain::Main(process, fakes::FakeHostBackends());
        FAIL() << "the process went on";
    } catch (const fakes::ProcessEnded& ended) {
        EXPECT_EQ(ended.exitCode, 0);
    }
    EXPECT_TRUE(fakes::Log().Matching("SetWindowPos").empty());
    EXPECT_FALSE(Logged("CreateSaverWindow()"));
}

}  // namespace
}  // namespace saver_test
