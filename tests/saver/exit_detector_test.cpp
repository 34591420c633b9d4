// The mouse-movement exit detector: which changes count, and the two-second rule between
// the first two counted moves, midnight included.
#include <limits>

#include "support/saver_fixture.h"

namespace saver_test {
namespace {

class ExitDetector : public SaverTest {
protected:
    // Counts one move at the given time of day; true when the saver ended on it.
    bool MoveAt(double timeOfDay) {
        toolkit->timeOfDay = timeOfDay;
        try {
            session->CountMouseMove();
        } catch (const fakes::ProcessEnded&) {
            return true;
        }
        return false;
    }

    bool Check(std::int32_t x, std::int32_t y) {
        try {
            frmSaver().CheckMouseMove(x, y);
        } catch (const fakes::ProcessEnded&) {
            return true;
        }
        return false;
    }
};

TEST_F(ExitDetector, CountsAChangeOfMoreThanThreeFromAStoredPositionAboveZero) {
    struct Case {
        const char* name;
        std::int32_t lastX, lastY, x, y;
        bool counted;
    } cases[] = {
        {"first frame, stored (0, 0)", 0, 0, 500, 500, false},
        {"change of 3 in both", 100, 100, 103, 97, false},
        {"change of 4 in x", 100, 100, 104, 100, true},
        {"change of 4 in y", 100, 100, 100, 96, true},
        {"stored x of 0", 0, 100, 400, 100, false},
        {"stored y below 0", 100, -5, 100, 400, false},
        {"values far apart in 32 bits", std::numeric_limits<std::int32_t>::max(), 1,
         std::numeric_limits<std::int32_t>::min(), 1, true},
        {"no change", 50, 50, 50, 50, false},
    };
    for (const auto& c : cases) {
        SetUp();
        toolkit->timeOfDay = 100.0;
        frmSaver().LastMouseX = c.lastX;
        frmSaver().LastMouseY = c.lastY;
        Check(c.x, c.y);
        EXPECT_EQ(session->exitDetector.MoveCount, c.counted ? 1 : 0) << c.name;
        // The new position is stored whether counted or not.
        EXPECT_EQ(frmSaver().LastMouseX, c.x) << c.name;
        EXPECT_EQ(frmSaver().LastMouseY, c.y) << c.name;
    }
}

TEST_F(ExitDetector, EndsTheSaverOnTheThirdJumpingFrameAfterTheFirstStoredPair) {
    toolkit->timeOfDay = 100.0;
    EXPECT_FALSE(Check(10, 10));
    EXPECT_FALSE(Check(20, 20));
    EXPECT_FALSE(Check(30, 30));
    EXPECT_TRUE(Check(40, 40));
    EXPECT_EQ(Calls().back(), "EndProcess(0)");
    EXPECT_TRUE(Logged(TaskbarShown));
}

TEST_F(ExitDetector, AppliesTheTwoSecondRuleToTheRoundedStart) {
    struct Case {
        const char* name;
        std::vector<double> moves;  // times of day of the counted moves
        int endsOn;                 // 1-based move that ends the saver; 0: none
        std::int16_t count;
        std::int32_t start;
    } cases[] = {
        {"10.3, 11.0, 500.0", {10.3, 11.0, 500.0}, 3, 3, 10},
        {"10.6, 13.0: start 11, 2.0 is not more", {10.6, 13.0, 900.0}, 3, 3, 11},
        {"10.4, 12.5: reset", {10.4, 12.5}, 0, 0, 0},
        {"10.4, 12.5, 12.6: a new start", {10.4, 12.5, 12.6}, 0, 1, 13},
        {"10.4, 12.5, then three", {10.4, 12.5, 12.6, 13.0, 13.1}, 5, 3, 13},
        {"0.5 after midnight records no start", {0.5, 0.9}, 0, 2, 1},
        {"0.3 after midnight, then two more", {0.3, 1.2, 1.4}, 3, 3, 1},
        {"across midnight never resets", {86399.2, 1.0, 5.0}, 3, 3, 86399},
        {"2.5 halves to even: start 2", {2.5, 4.5}, 0, 0, 0},
        {"3.5 halves to even: start 4", {3.5, 6.0, 7.0}, 3, 3, 4},
    };
    for (const auto& c : cases) {
        SetUp();
        int endedOn = 0;
        for (std::size_t i = 0; i < c.moves.size() && !endedOn; ++i) {
            if (MoveAt(c.moves[i])) endedOn = static_cast<int>(i) + 1;
        }
        EXPECT_EQ(endedOn, c.endsOn) << c.name;
        EXPECT_EQ(session->exitDetector.MoveCount, c.count) << c.name;
        EXPECT_EQ(session->exitDetector.MoveStartTime, c.start) << c.name;
    }
}

TEST_F(ExitDetector, ARefusedPasswordLeavesTheCountAndTheStartAsTheyWere) {
    session->host.PlatformId = 1;
    session->host.UsePassword = 1;
    windows->passwordAnswer = 0;
    EXPECT_FALSE(MoveAt(10.0));
    EXPECT_FALSE(MoveAt(11.0));
    EXPECT_FALSE(MoveAt(11.5));  // the third asks, and is refused
    EXPECT_EQ(session->exitDetector.MoveCount, 3);
    EXPECT_EQ(session->exitDetector.MoveStartTime, 10);
    EXPECT_FALSE(MoveAt(11.9));  // a fourth does not ask
    EXPECT_EQ(fakes::Log().Matching("VerifyScreenSavePwd").size(), 1u);
    EXPECT_FALSE(MoveAt(12.1));  // late against the old start: back to 0
    EXPECT_EQ(session->exitDetector.MoveCount, 0);
    EXPECT_EQ(session->exitDetector.MoveStartTime, 0);
}

TEST_F(ExitDetector, ACountAtTheSixteenBitLimitStaysThere) {
    session->exitDetector.MoveCount = std::numeric_limits<std::int16_t>::max();
    session->exitDetector.MoveStartTime = 10;
    EXPECT_FALSE(MoveAt(11.0));
    EXPECT_EQ(session->exitDetector.MoveCount, std::numeric_limits<std::int16_t>::max());
    EXPECT_FALSE(MoveAt(13.0));
    EXPECT_EQ(session->exitDetector.MoveCount, 0);
}

}  // namespace
}  // namespace saver_test
