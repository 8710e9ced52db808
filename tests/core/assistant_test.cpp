// The hint and the solution played out, on the virtual clock; the searches
// run on their own thread in real time.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "assist/assistant.h"
#include "tests/support/game.h"

using namespace tembira;

namespace {

struct AssistedGame : tembira::testing::Game {
    Assistant& assistant = runner.assistant;
    std::vector<std::pair<int, std::string>> marks; // tile and note

    AssistedGame() {
        assistant.mark = [this](const Control& tile, const std::string& note) {
            marks.emplace_back(std::stoi(tile.caption()), note);
        };
    }

    // Runs the clock in small steps until done holds, for a minute at most
    // of real time.
    bool until(const std::function<bool()>& done) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            wait(10);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return done();
    }
};

} // namespace

TEST_F(AssistedGame, HintMarksTheNextTileOfAShortestSolutionAndFollowingItAnswersAtOnce) {
    startGame();
    assistant.hint();
    ASSERT_TRUE(until([&] { return !marks.empty(); }));
    const auto [tile, note] = marks.back();
    EXPECT_EQ(note, "あと 62 手"); // picture 1's board needs 62 moves at the least
    slide(tile);
    ASSERT_EQ(boardFault(), "");
    assistant.hint(); // the board follows the path kept: no new search
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks.back().second, "あと 61 手");
    EXPECT_EQ(runner.session.menu().front().text, "1 手目　0:00");
}

TEST_F(AssistedGame, SolutionPlaysToTheGoalStopsForThePlayerAndDoesNotJudge) {
    startGame();
    assistant.solveOut();
    ASSERT_TRUE(until([&] { return f.game.moves() >= 3; }));
    assistant.playerInput();
    const int stoppedAt = f.game.moves();
    wait(2000);
    EXPECT_EQ(f.game.moves(), stoppedAt);

    assistant.solveOut();
    ASSERT_TRUE(until([&] { return view().solved && !assistant.playing(); }));
    EXPECT_EQ(f.game.moves(), 62);
    EXPECT_EQ(f.MESSEGE.caption(), "");
    EXPECT_FALSE(assistant.available());
    click(f.HANTEI);
    EXPECT_EQ(f.MESSEGE.caption(), "完成");
}

TEST_F(AssistedGame, NothingIsOnOfferWhileTheTilesAreLocked) {
    wait(1);
    assistant.hint();
    assistant.solveOut();
    wait(1000);
    EXPECT_TRUE(marks.empty());
    EXPECT_FALSE(assistant.playing());
    const auto menu = runner.session.menu();
    EXPECT_EQ(menu[0].text, "0 手目　0:00");
    EXPECT_FALSE(menu[1].enabled);
    EXPECT_FALSE(menu[2].enabled);
}
