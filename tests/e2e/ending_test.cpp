// The ways the program ends, each with exit status 0.
#include "tests/e2e/game_window.h"

namespace tembira::e2e {
namespace {

using Ending = GameWindow;

TEST_F(Ending, EndButtonEndsTheProgram) {
    ASSERT_TRUE(leaveOpening());
    x.click(optionButton);
    ASSERT_TRUE(heightBecomes(optionsHeight));

    const auto clicked = std::chrono::steady_clock::now();
    x.click(endButton);
    const auto status = x.waitForExit(5s);
    ASSERT_TRUE(status) << "still running 5 s after END";
    EXPECT_EQ(*status, 0);
    EXPECT_LE(std::chrono::steady_clock::now() - clicked, 2s);
}

TEST_F(Ending, WindowManagerCloseEndsTheProgram) {
    ASSERT_TRUE(leaveOpening());
    ASSERT_TRUE(pressStart());

    x.closeByWindowManager();
    const auto status = x.waitForExit(5s);
    ASSERT_TRUE(status) << "still running 5 s after the close request";
    EXPECT_EQ(*status, 0);
}

TEST_F(Ending, WindowDestroyedFromOutsideEndsTheProgram) {
    ASSERT_TRUE(leaveOpening());
    x.destroyWindow();
    const auto status = x.waitForExit(5s);
    ASSERT_TRUE(status) << "still running 5 s after its window was destroyed";
    EXPECT_EQ(*status, 0);
}

} // namespace
} // namespace tembira::e2e
