// Undo and redo through the click path, the game's clock and move count
// across START, OK and re-lays, and new boards of each level.
#include <gtest/gtest.h>

#include <cstdio>

#include "play/levels.h"
#include "tests/support/game.h"
#include "tests/support/seed.h"

using namespace tembira;

namespace {

struct Play : tembira::testing::Game {
    Session& session = runner.session;
    // Waits as the runner does: the work asked for comes in first.
    void settleAndWait(int ms) {
        session.settle();
        wait(ms);
    }
};

TEST_F(Play, ThreeMovesUndoneGiveBackTheBoardAfterStartAndRedoReplaysThem) {
    startGame();
    const std::string start = layout();
    const auto path = shortestSolution();
    for (int i = 0; i < 3; ++i)
        slide(path[std::size_t(i)]);
    const std::string third = layout();
    EXPECT_EQ(f.game.moves(), 3);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(session.canUndo());
        session.undo();
        settleAndWait(400);
    }
    EXPECT_EQ(layout(), start);
    EXPECT_EQ(f.game.moves(), 0);
    EXPECT_FALSE(session.canUndo());
    EXPECT_EQ(boardFault(), "");
    for (int i = 0; i < 3; ++i) {
        session.redo();
        settleAndWait(400);
    }
    EXPECT_EQ(layout(), third);
    EXPECT_EQ(f.game.moves(), 3);

    // A new move clears what could be redone.
    session.undo();
    settleAndWait(400);
    ASSERT_TRUE(session.canRedo());
    slide(path[1]); // back where it came from: a move, not the redo
    EXPECT_FALSE(session.canRedo());
}

TEST_F(Play, UndoWaitsWhileATileSlidesAndARelaidBoardForgetsTheMoves) {
    startGame();
    click(f.PANEL[1]); // picture 1: tile 1 beside the empty cell
    wait(1);
    EXPECT_FALSE(session.canUndo()) << "offered mid-slide";
    wait(400);
    EXPECT_TRUE(session.canUndo());
    click(f.OPTION1);
    click(f.TAITOLn[2]);
    wait(600);
    EXPECT_FALSE(session.canUndo());
    EXPECT_EQ(f.game.moves(), 0);
}

TEST_F(Play, TheGameRunsFromTheFirstStartAfterALayoutToItsFirstSolvedJudgement) {
    wait(1);
    click(f.HAJIME);
    wait(1000); // before START: no game, no clock
    EXPECT_FALSE(f.game.begun);
    click(f.START);
    const auto path = shortestSolution();
    slide(path[0]);
    wait(5000);
    click(f.START);  // a second START does not restart the game
    click(f.HANTEI); // not solved: the game goes on
    wait(1000);
    EXPECT_TRUE(f.game.begun);
    EXPECT_FALSE(f.game.ended);
    const std::int64_t before = f.game.elapsed(now());
    EXPECT_GE(before, 6000);
    for (std::size_t i = 1; i < path.size(); ++i)
        slide(path[i]);
    click(f.HANTEI);
    EXPECT_TRUE(f.game.ended);
    const std::int64_t at = f.game.elapsed(now());
    wait(3000);
    EXPECT_EQ(f.game.elapsed(now()), at) << "the clock stops at the end";
    session.settleRecord();
    const records::Entry& e = session.records()[records::Kind::Anteater];
    EXPECT_EQ(e.solved, 1);
    EXPECT_EQ(e.fewest, 62);
    EXPECT_EQ(e.over, 0);
    EXPECT_EQ(e.fastest, at);
    // A later START on the solved board is no game.
    click(f.START);
    click(f.HANTEI);
    session.settleRecord();
    EXPECT_EQ(session.records()[records::Kind::Anteater].solved, 1);
}

TEST(Levels, SeededBoardsSolveToLengthsInTheirBand) {
    const unsigned seed = tembira::testing::testSeed("TEMBIRA_LEVELS_SEED", 20261209);
    std::mt19937_64 random(seed);
    for (int level = 1; level <= 3; ++level)
        for (int i = 0; i < 2; ++i) {
            const auto made = makeBoard(level, random);
            ASSERT_TRUE(made);
            EXPECT_EQ(made->board[15], 0) << "cell 16 empty";
            const int length = int(solver::solve(made->board)->size());
            EXPECT_EQ(length, made->shortest);
            EXPECT_GE(length, band(level).fewest) << "level " << level << ", seed " << seed;
            EXPECT_LE(length, band(level).most) << "level " << level << ", seed " << seed;
        }
}

} // namespace
