// Hundreds of thousands of random pointer clicks, at every height and in
// every state of the window: the board must stay whole and the game must
// never lock up.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "board/moves.h"
#include "tests/support/game.h"
#include "tests/support/seed.h"

using namespace tembira;

namespace {

struct Storm : tembira::testing::Game {
    bool quiet() const {
        return !f.AutoMove.enabled() && !slideRunning(f) && !f.NARABEKAE.enabled() &&
               !f.Clear.enabled();
    }

    // A point somewhere on the window: mostly on tiles and buttons.
    void randomClick(std::mt19937& random) {
        std::vector<Control*> targets;
        for (int n = 1; n <= 15; ++n)
            targets.push_back(&f.PANEL[n]);
        for (Control* c : {&f.START, &f.HANTEI, &f.OPTION1, &f.SIMERU, &f.HAJIME, &f.TAITOLn[1],
                           &f.TAITOLn[2], &f.TAITOLn[3], &f.SPEEDn[1], &f.SPEEDn[2], &f.SPEEDn[3]})
            targets.push_back(c);
        double x, y;
        if (random() % 5 == 0) {
            x = double(random() % 4400) - 50;
            y = double(random() % 7000) - 50;
        } else {
            Control& c = *targets[random() % targets.size()];
            platform::Window::clientOrigin(c, x, y);
            x += double(random() % std::uint32_t(c.width()));
            y += double(random() % std::uint32_t(c.height()));
        }
        // Ending the program would end the storm.
        if (f.controlAt(x, y) == &f.END1)
            return;
        f.clickAt(x, y);
    }
};

} // namespace

TEST_F(Storm, RandomClicksNeverBreakTheBoardOrLockTheGame) {
    const unsigned seed = tembira::testing::testSeed("TEMBIRA_STORM_SEED", 20261208);
    SCOPED_TRACE("replay with TEMBIRA_STORM_SEED=" + std::to_string(seed));
    std::mt19937 random(seed);
    int quietChecks = 0;
    int moves = 0; // the storm must really play, not only knock on locked tiles
    int lastEmpty = 16;
    for (int i = 0; i < 300000; ++i) {
        randomClick(random);
        const auto r = random() % 100;
        wait(r < 60 ? int(random() % 4) : r < 95 ? int(random() % 120) : int(random() % 1500));
        if (quiet()) {
            ++quietChecks;
            if (b.emptyCell() != lastEmpty) {
                ++moves;
                lastEmpty = b.emptyCell();
            }
            const std::string fault = boardFault();
            ASSERT_EQ(fault, "") << "after click " << i;
        }
    }
    EXPECT_GT(quietChecks, 1000);
    EXPECT_GT(moves, 1000);

    // Whatever state the storm left, a started game still plays.
    wait(3000);
    click(f.START);
    wait(1);
    ASSERT_TRUE(quiet());
    const int empty = b.emptyCell();
    std::array<int, 4> cells;
    neighbours(empty, cells);
    const int mover = view().tileAt(cells[0]);
    ASSERT_NE(mover, 0);
    slide(mover);
    EXPECT_EQ(cellOf(mover), empty);
}
