// A whole game from picture 1's arrangement, one real click a move, judged
// solved, with the anteater coming to rest in the board frame.
#include <algorithm>

#include "solver/solver.h"
#include "tests/e2e/game_window.h"

namespace tembira::e2e {
namespace {

using WholeGame = GameWindow;

TEST_F(WholeGame, SolvedByClicksShowsCompleteAndTheFirstReward) {
    Bitmap anteater;
    std::string error;
    ASSERT_TRUE(readBitmap(ASSETS_DIR "/reward1.bmp", anteater, error)) << error;

    ASSERT_TRUE(leaveOpening());
    ASSERT_TRUE(pressStart());
    ASSERT_TRUE(chooseQuickSpeed());

    Cells cells = picture1;
    solver::Board start{};
    std::copy(cells.begin(), cells.end(), start.begin());
    const std::vector<int> moves = solver::solve(start).value_or(std::vector<int>{});
    ASSERT_FALSE(moves.empty());
    for (std::size_t i = 0; i < moves.size(); ++i) {
        const auto from = std::find(cells.begin(), cells.end(), moves[i]);
        const auto to = std::find(cells.begin(), cells.end(), 0);
        ASSERT_TRUE(slide(int(from - cells.begin()) + 1, int(to - cells.begin()) + 1))
            << "move " << i + 1 << " of " << moves.size() << ", tile " << moves[i] << " on "
            << boardText(cells);
        std::iter_swap(from, to);
    }

    x.click(okButton);
    ASSERT_TRUE(heightBecomes(messageHeight));
    ASSERT_TRUE(x.waitUntil("完成 in the message row", [&] { return message().pixels > 100; }));
    EXPECT_LT(message().width, 160) << "wider than the two characters of 完成";

    // The picture rises into the frame in about 2.6 seconds and stays there.
    int worst = 0;
    EXPECT_TRUE(x.waitUntil("reward picture 1 over the board",
                            [&] {
                                worst = worstBlock(x.grab(frameInside), anteater, rewardImage);
                                return worst <= 24;
                            }))
        << "the blocks differ by up to " << worst;
    const Shot atRest = x.grab(frameInside);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(x.grab(frameInside), atRest) << "the picture still moves";
    EXPECT_EQ(x.height(), messageHeight);
}

// 解いて見せる (S) plays a shortest solution by itself and leaves the judging
// to the player.
TEST_F(WholeGame, SolutionPlayedOutByTheGameEndsOnASolvedBoard) {
    ASSERT_TRUE(leaveOpening());
    ASSERT_TRUE(pressStart());
    ASSERT_TRUE(chooseQuickSpeed());
    const Shot start = x.grab(board);
    x.key("s");
    ASSERT_TRUE(x.waitUntil(
        "the first move", [&] { return x.grab(board) != start; }, 30s));
    // Played out once the board has stood still for a second.
    Shot last = x.grab(board);
    auto still = std::chrono::steady_clock::now();
    ASSERT_TRUE(x.waitUntil(
        "the board to stand still",
        [&] {
            const Shot now = x.grab(board);
            if (now != last) {
                last = now;
                still = std::chrono::steady_clock::now();
            }
            return std::chrono::steady_clock::now() - still > 1s;
        },
        60s));
    EXPECT_EQ(message().pixels, 0) << "the game judged by itself";
    x.click(okButton);
    ASSERT_TRUE(heightBecomes(messageHeight));
    EXPECT_TRUE(x.waitUntil("完成 in the message row", [&] { return message().pixels > 100; }));
    EXPECT_LT(message().width, 160) << "wider than the two characters of 完成";
}

} // namespace
} // namespace tembira::e2e
