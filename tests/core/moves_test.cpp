// Tile selection, move dispatch, the slide animation and the deferred resets.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <random>
#include <string>

#include "board/moves.h"
#include "tests/support/game.h"
#include "tests/support/seed.h"

using tembira::testing::Game;
using namespace tembira;

namespace {

struct MoveGame : Game {
    // Places tile 1 ... 15 on the cells in order, skipping the empty one, and
    // makes that cell the empty cell: a board to dispatch on.
    void emptyAt(int empty) {
        int k = 1;
        for (int n = 1; n <= 15; ++n, ++k) {
            if (k == empty)
                ++k;
            f.PANEL[n].setLeft(float(cellLeft(k)));
            f.PANEL[n].setTop(float(cellTop(k)));
        }
        for (int c = 1; c <= 16; ++c)
            b.EMPTY[c] = c == empty;
    }
    std::string runningSlide() {
        for (Timer* t : {&f.PUM, &f.PDM, &f.PLM, &f.PRM})
            if (t->enabled())
                return t->name();
        return "";
    }
};

// Every pair of neighbouring cells, from the empty cell's side, with the
// timer that must carry the tile: the board's whole move table.
const std::map<int, std::string> expectedMoves[17] = {
    {},
    {{2, "PLM"}, {5, "PUM"}},
    {{1, "PRM"}, {3, "PLM"}, {6, "PUM"}},
    {{2, "PRM"}, {4, "PLM"}, {7, "PUM"}},
    {{3, "PRM"}, {8, "PUM"}},
    {{6, "PLM"}, {9, "PUM"}, {1, "PDM"}},
    {{5, "PRM"}, {7, "PLM"}, {10, "PUM"}, {2, "PDM"}},
    {{6, "PRM"}, {8, "PLM"}, {11, "PUM"}, {3, "PDM"}},
    {{7, "PRM"}, {12, "PUM"}, {4, "PDM"}},
    {{10, "PLM"}, {13, "PUM"}, {5, "PDM"}},
    {{9, "PRM"}, {11, "PLM"}, {14, "PUM"}, {6, "PDM"}},
    {{10, "PRM"}, {12, "PLM"}, {15, "PUM"}, {7, "PDM"}},
    {{11, "PRM"}, {16, "PUM"}, {8, "PDM"}},
    {{14, "PLM"}, {9, "PDM"}},
    {{13, "PRM"}, {15, "PLM"}, {10, "PDM"}},
    {{14, "PRM"}, {16, "PLM"}, {11, "PDM"}},
    {{15, "PRM"}, {12, "PDM"}},
};

} // namespace

TEST_F(MoveGame, DispatchMovesExactlyTheNeighboursOfTheEmptyCell) {
    startGame();
    int dispatched = 0;
    for (int empty = 1; empty <= 16; ++empty) {
        for (int from = 1; from <= 16; ++from) {
            if (from == empty)
                continue;
            emptyAt(empty);
            const int n = view().tileAt(from);
            b.GOALLEFT = b.GOALTOP = -1;
            click(f.PANEL[n]);
            wait(1);
            auto expected = expectedMoves[empty].find(from);
            SCOPED_TRACE("empty " + std::to_string(empty) + ", tile on " + std::to_string(from));
            if (expected == expectedMoves[empty].end()) {
                // Diagonals, two cells away, row ends such as 4 and 5.
                EXPECT_EQ(runningSlide(), "");
                EXPECT_EQ(b.emptyCell(), empty);
                EXPECT_EQ(b.GOALLEFT, -1);
                EXPECT_FALSE(f.MOJI.enabled());
                EXPECT_EQ(f.PANEL[n].foreColor(), selectionColour);
            } else {
                ++dispatched;
                EXPECT_EQ(runningSlide(), expected->second);
                EXPECT_EQ(b.emptyCell(), from);
                EXPECT_EQ(b.EMPTY[empty], 0);
                // Both goal components are written, whatever the direction.
                EXPECT_EQ(b.GOALLEFT, cellLeft(empty));
                EXPECT_EQ(b.GOALTOP, cellTop(empty));
                EXPECT_TRUE(f.MOJI.enabled());
            }
            EXPECT_FALSE(f.AutoMove.enabled());
            for (Timer* t : {&f.PUM, &f.PDM, &f.PLM, &f.PRM})
                t->setEnabled(false);
            f.MOJI.setEnabled(false);
        }
    }
    EXPECT_EQ(dispatched, 48);
}

// One cell of 960 twips: the distance left after each tick, and the ticks in
// all, at each speed; the test comes before the move, so the last tick snaps.
TEST_F(MoveGame, SlideStepsUnclampedAndSnapsOntoTheGoal) {
    struct Case {
        int step;
        std::vector<float> tops;
    };
    const Case cases[] = {
        {640, {2560, 3200, 2880}},
        {320, {2240, 2560, 2880, 2880}},
        {160, {2080, 2240, 2400, 2560, 2720, 2880, 2880}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("STEP " + std::to_string(c.step));
        startGame();
        emptyAt(16);
        b.STEP = std::int16_t(c.step);
        click(f.PANEL[12]); // on cell 12, slides down into 16
        wait(1);
        ASSERT_TRUE(f.PDM.enabled());
        for (std::size_t tick = 0; tick < c.tops.size(); ++tick) {
            EXPECT_TRUE(f.PDM.enabled());
            wait(50);
            EXPECT_EQ(f.PANEL[12].top(), c.tops[tick]) << "tick " << tick + 1;
            EXPECT_EQ(f.PANEL[12].left(), 2880);
        }
        EXPECT_FALSE(f.PDM.enabled());
    }
}

TEST_F(MoveGame, EachDirectionLandsExactlyOnItsCell) {
    startGame();
    emptyAt(6);
    b.STEP = 640;
    for (int from : {5, 7, 10, 2}) {
        emptyAt(6);
        const int n = view().tileAt(from);
        slide(n);
        EXPECT_EQ(cellOf(n), 6) << "from " << from;
        // Sliding back uses the opposite timer.
        click(f.PANEL[n]);
        wait(1);
        EXPECT_EQ(b.emptyCell(), 6);
        wait(500);
        EXPECT_EQ(cellOf(n), from);
    }
}

TEST_F(MoveGame, SpeedChangeTakesEffectOnTheNextTick) {
    startGame();
    emptyAt(16);
    b.STEP = 160;
    click(f.PANEL[12]);
    wait(1 + 100); // two ticks: 640 left
    EXPECT_EQ(f.PANEL[12].top(), 2240);
    b.STEP = 640;
    wait(50);
    EXPECT_EQ(f.PANEL[12].top(), 2880);
    EXPECT_TRUE(f.PDM.enabled());
    wait(50);
    EXPECT_FALSE(f.PDM.enabled());
}

TEST_F(MoveGame, ClicksAreRefusedDuringASlide) {
    startGame();
    emptyAt(16);
    click(f.PANEL[12]);
    wait(1);
    const auto colours = f.PANEL[15].foreColor();
    click(f.PANEL[15]); // on cell 16's left... the tile on cell 15
    click(f.PANEL[3]);
    EXPECT_FALSE(f.AutoMove.enabled());
    EXPECT_EQ(b.PICKNO, 12);
    EXPECT_EQ(f.PANEL[15].foreColor(), colours);
    wait(200);
    EXPECT_FALSE(f.PDM.enabled());
    // Accepted again once the slide has ended.
    click(f.PANEL[12]);
    EXPECT_EQ(b.PICKNO, 12);
    EXPECT_TRUE(f.AutoMove.enabled());
}

TEST_F(MoveGame, SelectionColourLastsUntilTheMoveStarts) {
    startGame();
    emptyAt(16);
    click(f.PANEL[1]); // cannot move
    wait(1);
    click(f.PANEL[15]);
    // Exactly one tile in the selection colour.
    for (int n = 1; n <= 15; ++n)
        EXPECT_EQ(f.PANEL[n].foreColor(), n == 15 ? selectionColour : platform::buttonText);
    EXPECT_EQ(b.PICKLEFT, 1920);
    EXPECT_EQ(b.PICKTOP, 2880);
    wait(1); // dispatch; MOJI ticks a millisecond later
    EXPECT_EQ(f.PANEL[15].foreColor(), selectionColour);
    wait(1);
    EXPECT_EQ(f.PANEL[15].foreColor(), platform::buttonText);
    EXPECT_FALSE(f.MOJI.enabled());
    EXPECT_EQ(f.PANEL[15].left(), 1920); // slides in the normal colour
}

TEST_F(MoveGame, TheLaterOfTwoClicksBeforeTheDispatchWins) {
    startGame();
    emptyAt(16);
    click(f.PANEL[12]);
    click(f.PANEL[15]);
    wait(1);
    EXPECT_EQ(runningSlide(), "PRM");
    EXPECT_EQ(b.PICKNO, 15);
    EXPECT_EQ(b.emptyCell(), 15);
}

TEST_F(MoveGame, PictureChoiceResetsTheEmptyMarkerWhereverItWas) {
    startGame();
    emptyAt(6);
    click(f.OPTION1);
    click(f.TAITOLn[2]);
    wait(1);
    for (int k = 1; k <= 16; ++k)
        EXPECT_EQ(b.EMPTY[k], k == 16);
}

// A long random game: whatever is clicked, and whenever, the board stays a
// board.
TEST_F(MoveGame, RandomPlayKeepsTheBoardWhole) {
    startGame();
    std::mt19937 random(tembira::testing::testSeed("TEMBIRA_PLAY_SEED", 20261207));
    for (int i = 0; i < 5000; ++i) {
        click(f.PANEL[int(random() % 15) + 1]);
        wait(int(random() % 120));
        if (f.AutoMove.enabled() || slideRunning(f) || f.MOJI.enabled())
            continue;
        ASSERT_EQ(boardFault(), "") << "click " << i;
    }
}

TEST_F(MoveGame, EveryStartingBoardCanBeSolvedByClicks) {
    for (int p = 1; p <= 3; ++p) {
        startGame();
        click(f.OPTION1);
        click(f.TAITOLn[p]);
        wait(1);
        click(f.START);
        const std::vector<int> moves = shortestSolution();
        ASSERT_FALSE(moves.empty()) << "picture " << p;
        for (int n : moves)
            slide(n);
        EXPECT_EQ(layout(), "1 2 3 4 / 5 6 7 8 / 9 10 11 12 / 13 14 15 .") << "picture " << p;
        EXPECT_EQ(b.emptyCell(), 16);
    }
}
