// Completion judging with its messages and timeout, and the reward picture
// sliding into the board frame.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "tests/support/game.h"

using tembira::testing::Game;
using namespace tembira;

namespace {

struct JudgeGame : Game {
    // Every tile on its home cell, cell 16 empty.
    void placeSolved() { placeOneShort(0); }

    // Solved but for tile n (12 or 15, or 0 for none), which stands on cell
    // 16; its home cell is the empty one, so one slide finishes the board.
    void placeOneShort(int n) {
        for (int t = 1; t <= 15; ++t) {
            const int k = t == n ? 16 : t;
            f.PANEL[t].setLeft(float(cellLeft(k)));
            f.PANEL[t].setTop(float(cellTop(k)));
        }
        for (int k = 1; k <= 16; ++k)
            b.EMPTY[k] = k == (n == 0 ? 16 : n);
    }

    void expectPanelHidden() {
        for (Control* c : f.optionsPanel())
            EXPECT_FALSE(c->visible()) << c->name();
    }
    void expectPanelShown() {
        for (Control* c : f.optionsPanel())
            EXPECT_TRUE(c->visible()) << c->name();
    }
};

} // namespace

TEST_F(JudgeGame, UnsolvedBoardShowsNotYetForExactlyOneSecond) {
    startGame();
    click(f.PANEL[14]); // on cell 1: selected, cannot move
    wait(1);
    const std::string before = layout();
    click(f.HANTEI);
    const auto judged = now();
    EXPECT_EQ(f.height(), 6090);
    EXPECT_EQ(f.MESSEGE.caption(), "まだです");
    EXPECT_TRUE(f.MADA.enabled());
    EXPECT_FALSE(f.GOHOUBITIME.enabled());
    EXPECT_EQ(b.PICKNO, 14);
    EXPECT_EQ(b.SOLVED, 0);
    EXPECT_EQ(layout(), before);
    EXPECT_TRUE(f.PANEL[1].enabled());
    expectPanelHidden();

    wait(999);
    EXPECT_EQ(f.height(), 6090);
    EXPECT_EQ(f.MESSEGE.caption(), "まだです");
    EXPECT_TRUE(f.MADA.enabled());
    wait(1);
    EXPECT_EQ(now(), judged + 1000);
    EXPECT_EQ(f.height(), 5130);
    EXPECT_EQ(f.MESSEGE.caption(), "");
    EXPECT_FALSE(f.MADA.enabled());
    wait(5000);
    EXPECT_EQ(f.height(), 5130);
}

TEST_F(JudgeGame, SolvedBoardShowsCompleteAndStartsTheReward) {
    startGame();
    placeOneShort(15);
    slide(15);
    ASSERT_EQ(b.PICKNO, 15);
    click(f.HANTEI);
    EXPECT_EQ(f.height(), 6090);
    EXPECT_EQ(f.MESSEGE.caption(), "完成");
    EXPECT_FALSE(f.MADA.enabled());
    EXPECT_TRUE(f.GOHOUBITIME.enabled());
    EXPECT_EQ(b.PICKNO, 0);
    EXPECT_EQ(b.SOLVED, 0);
    EXPECT_EQ(b.emptyCell(), 16);
    EXPECT_EQ(layout(), "1 2 3 4 / 5 6 7 8 / 9 10 11 12 / 13 14 15 .");
    for (int n = 1; n <= 15; ++n)
        EXPECT_TRUE(f.PANEL[n].enabled());
    expectPanelHidden();
    // No timeout ends it.
    wait(10000);
    EXPECT_EQ(f.height(), 6090);
    EXPECT_EQ(f.MESSEGE.caption(), "完成");
}

// "完成" does not end the game: a new board is played and judged afresh.
TEST_F(JudgeGame, AfterCompleteTheNextGameIsJudgedAfresh) {
    startGame();
    placeOneShort(15);
    slide(15);
    click(f.HANTEI);
    ASSERT_EQ(f.MESSEGE.caption(), "完成");
    click(f.OPTION1);
    click(f.TAITOLn[2]);
    wait(1);
    click(f.START);
    slide(8); // from cell 15 into the empty cell 16
    ASSERT_EQ(view().tileAt(16), 8);
    click(f.HANTEI);
    EXPECT_EQ(f.MESSEGE.caption(), "まだです");
    EXPECT_EQ(f.height(), messageHeight);
}

TEST_F(JudgeGame, SolvedJudgementWithinTheSecondStopsTheTimeout) {
    startGame();
    placeOneShort(15);
    click(f.HANTEI);
    const auto judged = now();
    ASSERT_EQ(f.MESSEGE.caption(), "まだです");
    slide(15);
    wait(int(judged + 999 - now()));
    click(f.HANTEI);
    EXPECT_EQ(f.MESSEGE.caption(), "完成");
    EXPECT_FALSE(f.MADA.enabled());
    wait(1); // the second is over
    EXPECT_EQ(now(), judged + 1000);
    wait(2000);
    EXPECT_EQ(f.height(), 6090);
    EXPECT_EQ(f.MESSEGE.caption(), "完成");
}

TEST_F(JudgeGame, LockedTilesMakeJudgingDoNothing) {
    // After the opening, before START: even a solved layout is not judged.
    wait(1);
    click(f.HAJIME);
    wait(1);
    placeSolved();
    click(f.HANTEI);
    EXPECT_EQ(f.height(), 5130);
    EXPECT_EQ(f.MESSEGE.caption(), "");
    EXPECT_FALSE(f.MADA.enabled());
    EXPECT_FALSE(f.GOHOUBITIME.enabled());

    // In a game, a picture choice locks the tiles again: the open panel stays
    // open at its height and PICKNO is not cleared.
    click(f.START);
    slide(5);
    click(f.OPTION1);
    click(f.TAITOLn[2]);
    wait(1);
    ASSERT_FALSE(f.PANEL[1].enabled());
    placeSolved();
    click(f.HANTEI);
    EXPECT_EQ(f.height(), 7185);
    expectPanelShown();
    EXPECT_EQ(f.MESSEGE.caption(), "");
    EXPECT_EQ(b.PICKNO, 5);
    EXPECT_FALSE(f.MADA.enabled());
    EXPECT_FALSE(f.GOHOUBITIME.enabled());
    wait(3000);
    EXPECT_FALSE(f.GOHOUBI.visible());
}

TEST_F(JudgeGame, EveryJudgementClosesTheOptionsPanel) {
    startGame();
    click(f.OPTION1);
    expectPanelShown();
    click(f.HANTEI); // not solved
    EXPECT_EQ(f.height(), 6090);
    expectPanelHidden();
    // The option buttons follow their containers and keep their own flag.
    EXPECT_TRUE(f.SPEEDn[2].visible());

    wait(1000);
    click(f.OPTION1);
    expectPanelShown();
    placeSolved();
    click(f.HANTEI);
    EXPECT_EQ(f.MESSEGE.caption(), "完成");
    EXPECT_EQ(f.height(), 6090);
    expectPanelHidden();

    // Also when the panel was closed already.
    click(f.HANTEI);
    expectPanelHidden();
    EXPECT_EQ(f.height(), 6090);
}

// A tile that is still sliding is judged where the last tick left it.
TEST_F(JudgeGame, TileStillSlidingIsNotHome) {
    startGame();
    placeOneShort(12); // tile 12 on cell 16 slides up home
    click(f.PANEL[12]);
    wait(1 + 50 + 50);
    ASSERT_TRUE(f.PUM.enabled());
    ASSERT_EQ(f.PANEL[12].top(), 2240);
    click(f.HANTEI);
    EXPECT_EQ(f.MESSEGE.caption(), "まだです");
    EXPECT_TRUE(f.MADA.enabled());
    EXPECT_FALSE(f.GOHOUBITIME.enabled());
    EXPECT_EQ(b.PICKNO, 12);
    // The slide goes on to its end.
    wait(50);
    EXPECT_EQ(f.PANEL[12].top(), 1920);
    EXPECT_TRUE(f.PUM.enabled());
    wait(50);
    EXPECT_FALSE(f.PUM.enabled());
    EXPECT_EQ(f.PANEL[12].top(), 1920);
    EXPECT_EQ(f.MESSEGE.caption(), "まだです");
}

// At NEWTRAL a slide stands exactly on its goal for one tick before its snap
// tick. A judgement in between finds the board solved and clears PICKNO while
// the slide timer is still enabled; the snap tick must still end the slide.
TEST_F(JudgeGame, SolvedJudgementBeforeTheSnapTickDoesNotLockTheGame) {
    startGame();
    placeOneShort(12);
    click(f.PANEL[12]);
    wait(1);
    ASSERT_TRUE(f.PUM.enabled());
    wait(150); // three steps of 320: exactly home
    ASSERT_EQ(f.PANEL[12].top(), 1920);
    ASSERT_TRUE(f.PUM.enabled());

    click(f.HANTEI);
    EXPECT_EQ(f.MESSEGE.caption(), "完成");
    EXPECT_EQ(b.PICKNO, 0);
    EXPECT_TRUE(f.PUM.enabled());

    // The snap tick ends the slide without moving anything.
    wait(49);
    EXPECT_TRUE(f.PUM.enabled());
    wait(1);
    EXPECT_FALSE(f.PUM.enabled());
    EXPECT_EQ(f.PANEL[12].left(), 2880);
    EXPECT_EQ(f.PANEL[12].top(), 1920);
    EXPECT_EQ(layout(), "1 2 3 4 / 5 6 7 8 / 9 10 11 12 / 13 14 15 .");
    EXPECT_EQ(b.PICKNO, 0);

    // Tiles take clicks again: tile 12 slides back down.
    click(f.START); // takes the reward frame out of the way
    click(f.PANEL[12]);
    EXPECT_EQ(b.PICKNO, 12);
    EXPECT_EQ(f.PANEL[12].foreColor(), selectionColour);
    EXPECT_TRUE(f.AutoMove.enabled());
    wait(1);
    EXPECT_TRUE(f.PDM.enabled());
    EXPECT_EQ(b.emptyCell(), 12);
    wait(200);
    EXPECT_FALSE(f.PDM.enabled());
    EXPECT_EQ(f.PANEL[12].top(), 2880);
    EXPECT_EQ(cellOf(12), 16);
}

// A solved judgement between a tile's dispatch and its first slide tick, or
// between its click and its dispatch, clears PICKNO; the dispatched tile
// still slides into the cell marked empty, and the board stays whole.
TEST_F(JudgeGame, SolvedJudgementJustAfterATileClickLeavesTheBoardWhole) {
    for (bool dispatched : {true, false}) {
        startGame();
        placeSolved();
        click(f.PANEL[15]);
        if (dispatched)
            wait(1);
        click(f.HANTEI);
        ASSERT_EQ(f.MESSEGE.caption(), "完成");
        ASSERT_EQ(b.PICKNO, 0);
        wait(300);
        EXPECT_EQ(view().tileAt(16), 15) << (dispatched ? "after" : "before") << " the dispatch";
        EXPECT_EQ(boardFault(), "");
        click(f.START);
        slide(14);
        EXPECT_EQ(view().tileAt(15), 14);
        EXPECT_EQ(boardFault(), "");
    }
}

namespace {

struct RewardGame : JudgeGame {
    Control* image[4] = {nullptr, &f.GOHOUBI1, &f.GOHOUBI2, &f.GOHOUBI3};

    // A started game with picture p chosen, solved and judged.
    void solveWith(int p) {
        startGame();
        if (p != 1) {
            click(f.OPTION1);
            click(f.TAITOLn[p]);
            wait(1);
            click(f.START);
        }
        placeSolved();
        click(f.HANTEI);
        ASSERT_EQ(f.MESSEGE.caption(), "完成");
    }
    // Waits for the next reward tick, 50 ms after the previous one.
    void tick() { wait(50); }
};

struct RewardPicture : RewardGame, ::testing::WithParamInterface<int> {};

} // namespace

TEST_P(RewardPicture, ImageSlidesInByEightyTwipsAndStopsOnTheTickAfterArrival) {
    const int p = GetParam();
    const float start = p == 3 ? -4200 : 3960;
    const float step = p == 3 ? 80 : -80;
    solveWith(p);
    wait(49);
    EXPECT_FALSE(f.GOHOUBI.visible());
    EXPECT_EQ(image[p]->top(), start);
    wait(1);
    std::vector<float> tops{start};
    for (int k = 1; k <= 51; ++k) {
        if (k > 1)
            tick();
        ASSERT_TRUE(f.GOHOUBI.visible()) << "tick " << k;
        ASSERT_TRUE(f.GOHOUBITIME.enabled()) << "tick " << k;
        tops.push_back(image[p]->top());
        EXPECT_EQ(tops[std::size_t(k)], start + step * float(k)) << "tick " << k;
        for (int q = 1; q <= 3; ++q) {
            if (q != p) {
                ASSERT_EQ(image[q]->top(), q == 3 ? -4200 : 3960) << "tick " << k;
            }
        }
    }
    if (p == 3) {
        EXPECT_EQ(tops[1], -4120);
        EXPECT_EQ(tops[2], -4040);
        EXPECT_EQ(tops[50], -200);
    } else {
        EXPECT_EQ(tops[1], 3880);
        EXPECT_EQ(tops[49], 40);
        EXPECT_EQ(tops[50], -40);
    }
    EXPECT_EQ(tops[51], -120);
    tick(); // 52
    EXPECT_FALSE(f.GOHOUBITIME.enabled());
    EXPECT_EQ(image[p]->top(), -120);
    EXPECT_TRUE(f.GOHOUBI.visible());
    EXPECT_FALSE(f.Opening.visible());
    wait(5000);
    EXPECT_EQ(image[p]->top(), -120);
    EXPECT_TRUE(f.GOHOUBI.visible());
}

INSTANTIATE_TEST_SUITE_P(Judge, RewardPicture, ::testing::Values(1, 2, 3),
                         [](const auto& test) { return "Picture" + std::to_string(test.param); });

TEST_F(RewardGame, StartInMidRewardSendsTheImageBackAndTheTimerSlidesItInAfresh) {
    solveWith(1);
    for (int k = 1; k <= 10; ++k)
        tick();
    ASSERT_EQ(f.GOHOUBI1.top(), 3160);
    click(f.START);
    EXPECT_EQ(f.GOHOUBI1.top(), 3960);
    EXPECT_FALSE(f.GOHOUBI.visible());
    EXPECT_TRUE(f.GOHOUBITIME.enabled());
    EXPECT_EQ(f.MESSEGE.caption(), "");
    EXPECT_EQ(f.height(), 5130);
    wait(49);
    EXPECT_FALSE(f.GOHOUBI.visible());
    wait(1);
    EXPECT_TRUE(f.GOHOUBI.visible());
    EXPECT_EQ(f.GOHOUBI1.top(), 3880);
    int moving = 1;
    for (;;) {
        const float last = f.GOHOUBI1.top();
        tick();
        if (f.GOHOUBI1.top() == last)
            break;
        ++moving;
    }
    EXPECT_EQ(moving, 51);
    EXPECT_EQ(f.GOHOUBI1.top(), -120);
    EXPECT_FALSE(f.GOHOUBITIME.enabled());
}

TEST_F(RewardGame, SecondJudgementWhileTheRewardIsShownMovesNothing) {
    solveWith(1);
    for (int k = 1; k <= 52; ++k)
        tick();
    ASSERT_FALSE(f.GOHOUBITIME.enabled());
    click(f.OPTION1);
    ASSERT_EQ(f.MESSEGE.caption(), "");
    click(f.HANTEI);
    EXPECT_EQ(f.MESSEGE.caption(), "完成");
    EXPECT_EQ(f.height(), 6090);
    EXPECT_TRUE(f.GOHOUBITIME.enabled());
    expectPanelHidden();
    tick();
    EXPECT_FALSE(f.GOHOUBITIME.enabled());
    EXPECT_EQ(f.GOHOUBI1.top(), -120);
    EXPECT_EQ(f.GOHOUBI2.top(), 3960);
    EXPECT_EQ(f.GOHOUBI3.top(), -4200);
    EXPECT_TRUE(f.GOHOUBI.visible());
}

TEST_F(RewardGame, PictureChangedInMidRewardMovesTheNewImageAndLeavesTheFirst) {
    solveWith(1);
    for (int k = 1; k <= 10; ++k)
        tick();
    ASSERT_EQ(f.GOHOUBI1.top(), 3160);
    click(f.OPTION1);
    click(f.TAITOLn[3]);
    tick();
    EXPECT_EQ(f.GOHOUBI3.top(), -4120);
    EXPECT_EQ(f.GOHOUBI1.top(), 3160);
    for (int k = 2; k <= 51; ++k)
        tick();
    EXPECT_EQ(f.GOHOUBI3.top(), -120);
    EXPECT_TRUE(f.GOHOUBITIME.enabled());
    tick();
    EXPECT_FALSE(f.GOHOUBITIME.enabled());
    EXPECT_EQ(f.GOHOUBI3.top(), -120);
    EXPECT_EQ(f.GOHOUBI1.top(), 3160);
    EXPECT_EQ(f.GOHOUBI2.top(), 3960);
}

// The picture 1 game played from its starting board through pointer clicks.
TEST_F(JudgeGame, WholeGameSolvedByClicksIsComplete) {
    startGame();
    const std::vector<int> moves = shortestSolution();
    ASSERT_FALSE(moves.empty());
    click(f.HANTEI);
    EXPECT_EQ(f.MESSEGE.caption(), "まだです");
    for (int n : moves)
        slide(n);
    ASSERT_EQ(layout(), "1 2 3 4 / 5 6 7 8 / 9 10 11 12 / 13 14 15 .");
    click(f.HANTEI);
    EXPECT_EQ(f.MESSEGE.caption(), "完成");
    EXPECT_EQ(b.PICKNO, 0);
    wait(52 * 50);
    EXPECT_EQ(f.GOHOUBI1.top(), -120);
    EXPECT_FALSE(f.GOHOUBITIME.enabled());
}
