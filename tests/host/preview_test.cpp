// The preview: the order of its steps, the handle read from the raw command line, and the
// command lines that must draw nothing.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/runtime_error.h"
#include "fakes/call_log.h"
#include "fakes/fake_host_backends.h"
#include "fakes/fake_preview_holder.h"
#include "fakes/fake_toolkit.h"
#include "fakes/fake_windows_api.h"
#include "host/preview.h"
#include "host/startup.h"

namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class PreviewTest : public testing::Test {
protected:
    fakes::FakeToolkit& toolkit = fakes::InstallFakeToolkit();
    fakes::FakeWindowsApi& windows = fakes::InstallFakeWindowsApi();
    fakes::FakePreviewHolder& holder = fakes::FakePreviewHolderWindow();

    // Runs the start procedure with the given argument text up to the end of the process.
    int RunMainUntilProcessEnds(const std::string& arguments) {
        toolkit.arguments = arguments;
        try {
            mMain::ProcessState process;
            mMain::Main(process, fakes::FakeHostBackends());
        } catch (const fakes::ProcessEnded& ended) {
            return ended.exitCode;
        }
        ADD_FAILURE() << "the process did not end for " << arguments;
        return -1;
    }

    static std::vector<std::string> DrawingCalls() {
        std::vector<std::string> drawing;
        for (const auto& call : fakes::Log().Calls()) {
            if (call.rfind("GetDC", 0) == 0 || call.rfind("BitBlt", 0) == 0 ||
                call.rfind("ReleaseDC", 0) == 0) {
                drawing.push_back(call);
            }
        }
        return drawing;
    }
};

std::vector<std::string> Repeated(const std::string& call, int times) {
    return std::vector<std::string>(times, call);
}

TEST_F(PreviewTest, LoadsTheHolderPumpsCopiesTheBlockPumpsAgainAndEndsTheProcess) {
    toolkit.arguments = "/P 1234";
    EXPECT_THROW(mScreenSaver::ShowPreview(holder), fakes::ProcessEnded);

    std::vector<std::string> expected = {"frmPreview.Load()"};
    auto pumps = Repeated("DoEvents()", 200);
    expected.insert(expected.end(), pumps.begin(), pumps.end());
    expected.push_back("GetDC(1234)");
    expected.push_back("Picture1.hDC()");
    // Into the window's device context (the fake answers 1234 + 0xDC), from Picture1's
    // (the fake holder's 0x91C), with the plain copy.
    expected.push_back("BitBlt(1454, 0, 0, 160, 120, 2332, 0, 0, 0xCC0020)");
    expected.push_back("ReleaseDC(1234, 1454)");
    expected.insert(expected.end(), pumps.begin(), pumps.end());
    expected.push_back("EndProcess(0)");
    EXPECT_EQ(fakes::Log().Calls(), expected);
}

TEST_F(PreviewTest, ReadsTheHandleFromTheRawCommandLine) {
    struct Case {
        const char* arguments;
        const char* getDc;
    } cases[] = {
        {"/P 1234", "GetDC(1234)"},
        {"/p 1234", "GetDC(1234)"},
        {" /P 1234", "GetDC(1234)"},
        {"/P:1234", "GetDC(1234)"},
        {"/P 1234 /x", "GetDC(1234)"},
        {"/P 12 34", "GetDC(1234)"},
        {"/P\t1234", "GetDC(1234)"},
        {"/P 1234.5", "GetDC(1234)"},
        {"/P 1235.5", "GetDC(1236)"},
        {"/P 2147483647", "GetDC(2147483647)"},
        {"/P -7", "GetDC(-7)"},
    };
    for (const auto& c : cases) {
        fakes::Log().Clear();
        EXPECT_EQ(RunMainUntilProcessEnds(c.arguments), 0) << c.arguments;
        EXPECT_EQ(fakes::Log().Matching("GetDC"), std::vector<std::string>{c.getDc})
            << c.arguments;
        EXPECT_EQ(fakes::Log().Matching("BitBlt").size(), 1u) << c.arguments;
        EXPECT_EQ(fakes::Log().Matching("ReleaseDC").size(), 1u) << c.arguments;
    }
}

TEST_F(PreviewTest, AHandleOfZeroDrawsNothingAndEndsTheProcess) {
    for (const char* arguments : {"/P 0", "/P ", "/P:", "/Px", "/P abc", "/P 0.4"}) {
        fakes::Log().Clear();
        EXPECT_EQ(RunMainUntilProcessEnds(arguments), 0) << arguments;
        EXPECT_THAT(DrawingCalls(), IsEmpty()) << arguments;
        EXPECT_EQ(fakes::Log().Matching("DoEvents").size(), 400u) << arguments;
        EXPECT_EQ(fakes::Log().Calls().back(), "EndProcess(0)") << arguments;
    }
}

TEST_F(PreviewTest, ACommandLineWithoutAHandleOrWithAHandleBeyond32BitsFailsBeforeDrawing) {
    struct Case {
        const char* arguments;
        ErrorCode code;
    } cases[] = {
        {"/P", ErrorCode::InvalidArgument},
        {"/p", ErrorCode::InvalidArgument},
        {"/P 2147483648", ErrorCode::Overflow},
        {"/P -2147483649", ErrorCode::Overflow},
        {"/P 99999999999", ErrorCode::Overflow},
        {"/P 1e10", ErrorCode::Overflow},
        {"/P 1e400", ErrorCode::Overflow},
    };
    for (const auto& c : cases) {
        fakes::Log().Clear();
        toolkit.arguments = c.arguments;
        try {
            mScreenSaver::ShowPreview(holder);
            ADD_FAILURE() << "no failure for " << c.arguments;
        } catch (const RuntimeError& failure) {
            EXPECT_EQ(failure.code(), c.code) << c.arguments;
        }
        EXPECT_THAT(DrawingCalls(), IsEmpty()) << c.arguments;
        EXPECT_THAT(fakes::Log().Matching("EndProcess"), IsEmpty()) << c.arguments;
    }
}

TEST_F(PreviewTest, AFailedPreviewEndsWithACodeAndOneLineOnStandardError) {
    struct Case {
        const char* arguments;
        const char* message;
    } cases[] = {
        {"/P", "kelvora: the preview needs a window handle after /P\n"},
        {"/P 4294967296", "kelvora: the preview window handle lies outside the 32-bit range\n"},
    };
    for (const auto& c : cases) {
        toolkit.arguments = c.arguments;
        testing::internal::CaptureStderr();
        int exitCode = mMain::RunProcess(fakes::FakeHostBackends());
        std::string error = testing::internal::GetCapturedStderr();
        EXPECT_EQ(exitCode, 1) << c.arguments;
        EXPECT_EQ(error, c.message) << c.arguments;
    }
}

}  // namespace
