// A started window on the virtual clock, and the small moves a test makes
// with it: clicks where a pointer would land, waits, and reading the board.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "board/board_state.h"
#include "board/moves.h"
#include "tools/script.h"

namespace tembira::testing {

struct Game : ::testing::Test {
    ScriptRunner runner;
    Form1& f = runner.form;
    BoardState& b = runner.form.board;

    void wait(int ms) { runner.clock.advance(ms); }
    std::int64_t now() const { return runner.clock.now(); }

    // A pointer click at the centre of the control, routed like a real one.
    void click(Control& c) {
        double x, y;
        platform::Window::clientOrigin(c, x, y);
        f.clickAt(x + c.width() / 2.0, y + c.height() / 2.0);
    }

    // Past the opening (once), with the tiles unlocked.
    void startGame() {
        if (f.HAJIME.visible()) {
            wait(1);
            click(f.HAJIME);
            wait(1);
        }
        click(f.START);
    }

    // The cell tile n stands on, or 0 if it is off the grid.
    int cellOf(int n) const { return cellAt(f.PANEL[n].left(), f.PANEL[n].top()); }

    // The board row by row, "." for a cell with no tile: "14 9 12 6 / 8 ...".
    std::string layout() const {
        std::string out;
        for (int k = 1; k <= 16; ++k) {
            std::string tile = ".";
            for (int n = 1; n <= 15; ++n)
                if (cellOf(n) == k)
                    tile = std::to_string(n);
            out += tile + (k == 16 ? "" : k % 4 == 0 ? " / " : " ");
        }
        return out;
    }

    // Clicks tile n and waits until its slide (if any) has ended.
    void slide(int n) {
        click(f.PANEL[n]);
        wait(1);
        while (slideRunning(f))
            wait(50);
    }
};

} // namespace tembira::testing
