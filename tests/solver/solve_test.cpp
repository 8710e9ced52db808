// The solver against known shortest solutions (Korf's 100 among them), each
// replayed click by click to the goal; boards it must refuse; stopping;
// solves on two threads at once.
#include <gtest/gtest.h>
#include <pthread.h>

#include <ctime>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "solver/solver.h"
#include "tests/solver/near_goal.h"

using solver::Board;

namespace {

// The board after clicking each tile of moves in turn; fails at a click on a
// tile that is not next to the empty cell.
Board replay(Board board, const std::vector<int>& moves) {
    for (const int tile : moves) {
        const std::optional<Board> after = solver::afterClick(board, tile);
        EXPECT_TRUE(after) << "tile " << tile << " cannot move";
        if (!after)
            break;
        board = *after;
    }
    return board;
}

struct Known {
    const char* name;
    Board board;
    int moves;
};

// The game's three starting boards, and the quickest of Korf's 100 (turned to
// the game's goal: a half turn, and tile t becomes 16 - t).
const Known known[] = {
    {"picture 1", {14, 9, 12, 6, 8, 11, 7, 2, 10, 3, 15, 5, 4, 13, 1, 0}, 62},
    {"picture 2", {2, 15, 3, 14, 10, 4, 12, 9, 13, 5, 6, 11, 7, 1, 8, 0}, 50},
    {"picture 3", {15, 3, 14, 9, 2, 10, 6, 12, 13, 5, 4, 11, 7, 1, 8, 0}, 54},
    {"Korf 12", {1, 3, 5, 6, 0, 13, 14, 9, 11, 4, 8, 12, 10, 7, 15, 2}, 45},
    {"Korf 30", {5, 7, 3, 6, 0, 9, 13, 11, 8, 12, 2, 15, 10, 14, 1, 4}, 47},
    {"Korf 55", {5, 10, 14, 4, 6, 12, 11, 1, 9, 0, 15, 7, 13, 2, 8, 3}, 41},
    {"Korf 73", {3, 5, 7, 4, 0, 14, 12, 13, 15, 9, 8, 1, 11, 6, 2, 10}, 49},
};

const Board swapped{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 14, 0};

} // namespace

TEST(Board, PermutationSolvabilityAndClicks) {
    EXPECT_TRUE(solver::solvable(solver::goal));
    EXPECT_FALSE(solver::solvable(swapped));
    Board twice = solver::goal;
    twice[0] = 2;
    EXPECT_FALSE(solver::isPermutation(twice));
    EXPECT_FALSE(solver::solvable(twice));
    Board tooLarge = solver::goal;
    tooLarge[15] = 16;
    EXPECT_FALSE(solver::isPermutation(tooLarge));
    // The empty cell anywhere, with the tiles in order around it.
    const Board emptyFirst{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    EXPECT_FALSE(solver::solvable(emptyFirst));

    EXPECT_EQ(solver::afterClick(solver::goal, 15),
              (Board{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 0, 15}));
    EXPECT_EQ(solver::afterClick(solver::goal, 12),
              (Board{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 0, 13, 14, 15, 12}));
    for (const int tile : {0, 11, 14, 16, -1})
        EXPECT_FALSE(solver::afterClick(solver::goal, tile)) << tile;
    // Across the edge of a row is not next to.
    EXPECT_FALSE(solver::afterClick({1, 2, 3, 4, 0, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, 4));
}

TEST(Solve, KnownBoardsTakeTheirShortestLengths) {
    for (const Known& k : known) {
        SCOPED_TRACE(k.name);
        solver::Stats stats;
        const auto moves = solver::solve(k.board, {}, &stats);
        ASSERT_TRUE(moves);
        EXPECT_EQ(int(moves->size()), k.moves);
        EXPECT_EQ(replay(k.board, *moves), solver::goal);
        EXPECT_GT(stats.nodes, 0u);
        EXPECT_GT(stats.time.count(), 0);
    }
    EXPECT_EQ(solver::solve(solver::goal), std::vector<int>{});
}

// Korf's boards have the empty cell first and tile t on cell t: a half turn
// and tile t to 16 - t give the game's goal, with the same lengths.
TEST(Solve, KorfsHundredTakeTheirPublishedLengths) {
    std::ifstream file(KORF100);
    int count = 0;
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::array<int, 16> korf{};
        int published = 0;
        for (int& tile : korf)
            words >> tile;
        words >> published;
        Board board{};
        for (int i = 0; i < 16; ++i)
            board[std::size_t(i)] =
                std::uint8_t(korf[std::size_t(15 - i)] == 0 ? 0 : 16 - korf[std::size_t(15 - i)]);
        SCOPED_TRACE("Korf " + std::to_string(++count));
        const auto moves = solver::solve(board);
        ASSERT_TRUE(moves);
        EXPECT_EQ(int(moves->size()), published);
        EXPECT_EQ(replay(board, *moves), solver::goal);
    }
    EXPECT_EQ(count, 100);
}

TEST(Solve, EveryBoardWithinTenMovesTakesItsDistance) {
    const std::map<Board, int> near = solver::testing::boardsNearGoal(10);
    // 1, 2, 4, 10, 24, 54, 107, 212, 446, 946 and 1948 boards at each
    // distance (OEIS A089473).
    EXPECT_EQ(near.size(), 3754u);
    for (const auto& [board, distance] : near) {
        const auto moves = solver::solve(board);
        ASSERT_TRUE(moves);
        ASSERT_EQ(int(moves->size()), distance);
        ASSERT_EQ(replay(board, *moves), solver::goal);
    }
}

TEST(Solve, RefusesBoardsThatCannotBeSolved) {
    EXPECT_FALSE(solver::solve(swapped));
    EXPECT_FALSE(solver::solve(Board{}));
}

TEST(Solve, StopsWhenAsked) {
    std::stop_source before;
    before.request_stop();
    EXPECT_FALSE(solver::solve(known[0].board, before.get_token()));

    // Korf's hardest instance for this search (88), stopped after a moment:
    // the search looks at the request often enough to end within 10 ms of
    // its own time. Counted on the searching thread's CPU clock, which a
    // busy machine does not stretch (wall time did, past 10 ms, under load).
    const Board hard{12, 10, 6, 0, 9, 8, 13, 15, 11, 7, 3, 2, 5, 4, 14, 1};
    std::stop_source during;
    std::optional<std::vector<int>> result{std::vector<int>{}};
    timespec stopped{};
    std::jthread worker([&] {
        result = solver::solve(hard, during.get_token());
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &stopped);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    clockid_t searching;
    ASSERT_EQ(pthread_getcpuclockid(worker.native_handle(), &searching), 0);
    timespec asked{};
    clock_gettime(searching, &asked);
    during.request_stop();
    worker.join();
    EXPECT_FALSE(result);
    const auto ns = [](const timespec& t) {
        return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
    };
    EXPECT_LT(ns(stopped) - ns(asked), std::chrono::milliseconds(10));
}

TEST(Solve, TwoThreadsAtOnceGetTheSameSolutions) {
    std::vector<int> here[3], there[3];
    {
        std::jthread other([&] {
            for (int i = 0; i < 3; ++i)
                there[i] = *solver::solve(known[i].board);
        });
        for (int i = 0; i < 3; ++i)
            here[i] = *solver::solve(known[i].board);
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(here[i], there[i]);
}
