// The fixture every end-to-end test derives from, and the test program's
// main, which brings the display up once for all tests.
#include "e2e.h"

void GameTest::SetUp()
{
    ASSERT_TRUE(start_display()) << "no X server for the end-to-end tests";
    dir = make_work_dir();
    ASSERT_FALSE(dir.empty());
}

void GameTest::TearDown()
{
    stop_game();
    if (HasFailure())
        fprintf(stderr, "e2e: work directory kept: %s\n", dir.c_str());
    else
        remove_work_dir(dir);
}

static const int LONG_HOLD_MS = 300;

void LongPressTest::SetUp()
{
    GameTest::SetUp();
    usual_hold_ms = hold_ms;
    hold_ms = LONG_HOLD_MS;
}

void LongPressTest::TearDown()
{
    hold_ms = usual_hold_ms;
    GameTest::TearDown();
}

// Starts the display before the first test and stops it after the last.
class DisplayEnvironment : public ::testing::Environment {
    void SetUp() override { ASSERT_TRUE(start_display()) << "cannot start Xvfb"; }
    void TearDown() override { stop_display(); }
};

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new DisplayEnvironment);
    return RUN_ALL_TESTS();
}
