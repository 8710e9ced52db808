// The shuffle, the choice of picture and the start of a game.
#include <gtest/gtest.h>

#include "board/moves.h"
#include "setup/setup.h"
#include "tests/support/game.h"

using tembira::testing::Game;
using namespace tembira;

namespace {

const char* const drawnBoards[3] = {
    "14 9 12 6 / 8 11 7 2 / 10 3 15 5 / 4 13 1 .",
    "2 15 3 14 / 10 4 12 9 / 13 5 6 11 / 7 1 8 .",
    "15 3 14 9 / 2 10 6 12 / 13 5 4 11 / 7 1 8 .",
};

int inversions(int p) {
    int tileOn[16] = {};
    for (int n = 1; n <= 15; ++n)
        tileOn[startingCell(p, n) - 1] = n;
    int count = 0;
    for (int i = 0; i < 15; ++i)
        for (int j = i + 1; j < 15; ++j)
            count += tileOn[i] > tileOn[j];
    return count;
}

} // namespace

TEST(Arrangements, LeaveCell16EmptyAndCanBeSolved) {
    const int expected[3] = {68, 58, 64};
    for (int p = 1; p <= 3; ++p) {
        bool used[17] = {};
        for (int n = 1; n <= 15; ++n) {
            int k = startingCell(p, n);
            ASSERT_TRUE(k >= 1 && k <= 15) << "picture " << p << " tile " << n;
            EXPECT_FALSE(used[k]) << "picture " << p << " cell " << k;
            used[k] = true;
        }
        EXPECT_EQ(inversions(p), expected[p - 1]) << "picture " << p;
    }
}

TEST_F(Game, LoadSetsTheBoardStateAndShufflesOnTheFirstTick) {
    EXPECT_EQ(b.PICKNO, 0);
    EXPECT_EQ(b.STEP, 320);
    EXPECT_EQ(b.emptyCell(), 16);
    EXPECT_TRUE(f.NARABEKAE.enabled());
    EXPECT_EQ(layout(), "1 2 3 4 / 5 6 7 8 / 9 10 11 12 / 13 14 15 .");
    wait(1);
    EXPECT_EQ(layout(), drawnBoards[0]);
    EXPECT_FALSE(f.NARABEKAE.enabled());
    for (int n = 1; n <= 15; ++n)
        EXPECT_FALSE(f.PANEL[n].enabled());
    EXPECT_EQ(f.PANEL[1].left(), 1920);
    EXPECT_EQ(f.PANEL[1].top(), 2880);
    EXPECT_EQ(f.PANEL[14].left(), 0);
    EXPECT_EQ(f.PANEL[14].top(), 0);
}

TEST_F(Game, OpeningShowsTheButtonsAtOnceAndTheBoardOneTickLater) {
    wait(1);
    EXPECT_EQ(f.height(), 4710);
    click(f.HAJIME);
    EXPECT_EQ(f.height(), 5130);
    for (Control* c : {&f.START, &f.HANTEI, &f.TAITOL, &f.OPTION1})
        EXPECT_TRUE(c->visible()) << c->name();
    EXPECT_FALSE(f.HAJIME.visible());
    EXPECT_TRUE(f.GOHOUBI.visible());
    // The buttons are in view but not usable until the tick.
    click(f.START);
    click(f.OPTION1);
    click(f.HANTEI);
    EXPECT_FALSE(f.PANEL[1].enabled());
    EXPECT_EQ(f.height(), 5130);
    wait(1);
    EXPECT_FALSE(f.GOHOUBI.visible());
    EXPECT_FALSE(f.Opening.visible());
    for (Control* c : {&f.START, &f.HANTEI, &f.OPTION1})
        EXPECT_TRUE(c->enabled()) << c->name();
    EXPECT_FALSE(f.TAITOL.enabled());
    EXPECT_EQ(f.TAITOL.text(), "");
    EXPECT_FALSE(f.OPENINGEND.enabled());
    // Tiles stay locked until START.
    click(f.PANEL[15]);
    wait(1);
    EXPECT_EQ(b.PICKNO, 0);
}

TEST_F(Game, StartUnlocksTheBoardWithoutShuffling) {
    startGame();
    slide(15); // cell 11 to 12... only cells 12 and 15 can move: tile 5 and tile 1
    slide(5);
    const std::string played = layout();
    f.MESSEGE.setCaption("まだです");
    f.GOHOUBI.setVisible(true);
    f.GOHOUBI1.setTop(-120);
    f.GOHOUBI3.setTop(-1000);
    f.setHeight(7185);
    click(f.START);
    click(f.START); // twice is the same as once
    EXPECT_EQ(layout(), played);
    EXPECT_EQ(f.height(), 5130);
    EXPECT_EQ(f.TAITOL.text(), "ｵｵｱﾘｸｲ");
    EXPECT_FALSE(f.GOHOUBI.visible());
    EXPECT_EQ(f.GOHOUBI1.top(), 3960);
    EXPECT_EQ(f.GOHOUBI2.top(), 3960);
    EXPECT_EQ(f.GOHOUBI3.top(), -4200);
    EXPECT_EQ(f.MESSEGE.caption(), "");
    for (int n = 1; n <= 15; ++n)
        EXPECT_TRUE(f.PANEL[n].enabled());
}

TEST_F(Game, PictureChoiceRelaysTheBoardAndLocksIt) {
    startGame();
    slide(5); // cell 12 empty now
    click(f.OPTION1);
    for (int p : {2, 3, 1, 1}) {
        click(f.TAITOLn[p]);
        EXPECT_EQ(f.TAITOL.text(), f.TAITOLn[p].caption()); // at once
        wait(1);
        EXPECT_EQ(layout(), drawnBoards[p - 1]) << "picture " << p;
        EXPECT_EQ(b.emptyCell(), 16);
        EXPECT_FALSE(f.PANEL[7].enabled());
        EXPECT_FALSE(f.Clear.enabled());
    }
    // The game continues only after START.
    click(f.START);
    slide(1);
    EXPECT_EQ(b.emptyCell(), 15);
}

TEST_F(Game, ShuffleClearsTheSelectionColour) {
    startGame();
    click(f.PANEL[14]); // cannot move: keeps the selection colour
    wait(1);
    EXPECT_EQ(f.PANEL[14].foreColor(), selectionColour);
    click(f.OPTION1);
    click(f.TAITOLn[1]);
    wait(1);
    for (int n = 1; n <= 15; ++n)
        EXPECT_EQ(f.PANEL[n].foreColor(), platform::buttonText);
}

TEST_F(Game, ShuffleLeavesRewardMessageAndSpeedAlone) {
    startGame();
    click(f.OPTION1);
    click(f.SPEEDn[3]);
    f.MESSEGE.setCaption("完成");
    f.GOHOUBI1.setTop(200);
    click(f.TAITOLn[2]);
    wait(1);
    EXPECT_EQ(b.STEP, 160);
    EXPECT_EQ(f.MESSEGE.caption(), "完成");
    EXPECT_EQ(f.GOHOUBI1.top(), 200);
}

// A picture chosen while a tile slides: the slide is cancelled and every tile
// lands on its starting cell.
TEST_F(Game, ShuffleEndsARunningSlide) {
    startGame();
    click(f.OPTION1);
    click(f.PANEL[5]);
    wait(1 + 50); // one step of the slide down
    ASSERT_TRUE(f.PDM.enabled());
    ASSERT_EQ(f.PANEL[5].top(), 2240);
    click(f.TAITOLn[1]);
    wait(1);
    EXPECT_FALSE(f.PDM.enabled());
    wait(500);
    EXPECT_EQ(layout(), drawnBoards[0]);
    EXPECT_EQ(b.emptyCell(), 16);
}

// A tile click and a picture choice in the same instant, in either order: the
// click is never dispatched from the tile's old place after the shuffle. Tile
// 5 stands on cell 12, next to the empty cell 16 of the new board too, so a
// dispatch that outlived the shuffle would move it.
TEST_F(Game, ShuffleCancelsAPendingDispatch) {
    for (bool tileFirst : {true, false}) {
        startGame();
        click(f.OPTION1);
        click(f.TAITOLn[1]);
        wait(1);
        click(f.START);
        click(f.OPTION1);
        ASSERT_EQ(view().tileAt(12), 5);
        if (tileFirst) {
            click(f.PANEL[5]);
            click(f.TAITOLn[2]);
        } else {
            click(f.TAITOLn[2]);
            click(f.PANEL[5]);
        }
        wait(500);
        EXPECT_EQ(layout(), drawnBoards[1]) << (tileFirst ? "tile first" : "picture first");
        EXPECT_EQ(boardFault(), "");
        EXPECT_EQ(b.emptyCell(), 16);
        for (int n = 1; n <= 15; ++n)
            EXPECT_EQ(f.PANEL[n].foreColor(), platform::buttonText);
    }
}
