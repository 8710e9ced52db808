// Judging an unsolved board: "まだです" for about a second.
#include "tests/e2e/game_window.h"

namespace tembira::e2e {
namespace {

using Judging = GameWindow;

TEST_F(Judging, UnsolvedBoardShowsNotYetForOneSecond) {
    ASSERT_TRUE(leaveOpening());
    ASSERT_TRUE(pressStart());

    const auto clicked = std::chrono::steady_clock::now();
    x.click(okButton);
    ASSERT_TRUE(heightBecomes(messageHeight, 3s));
    Message seen;
    ASSERT_TRUE(x.waitUntil("まだです in the message row", [&] {
        seen = message();
        return seen.pixels > 100 || x.height() != messageHeight;
    }));
    EXPECT_GT(seen.pixels, 100) << "the message row stayed empty";
    EXPECT_GT(seen.width, 180) << "narrower than the four characters of まだです";

    ASSERT_TRUE(heightBecomes(playHeight, 5s));
    const auto shown = std::chrono::steady_clock::now() - clicked;
    EXPECT_GE(shown, 800ms);
    // A second from the click, with room for a slow machine.
    EXPECT_LE(shown, 2000ms);
}

} // namespace
} // namespace tembira::e2e
