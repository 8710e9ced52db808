// A started window on the virtual clock, and the small moves a test makes
// with it: clicks where a pointer would land, waits, and reading the board.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assist/hint.h"
#include "board/moves.h"
#include "form/board_view.h"
#include "script/script.h"

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

    BoardView view() const { return viewBoard(f); }
    // The cell tile n stands on, or 0 if it is between cells.
    int cellOf(int n) const { return view().cellOf[std::size_t(n)]; }
    // The board row by row, "." for a cell with no tile: "14 9 12 6 / 8 ...".
    std::string layout() const { return view().text(); }

    // The tiles to click, in order, for a shortest solution of the board.
    std::vector<int> shortestSolution() const {
        return solver::solve(solverBoard(view())).value_or(std::vector<int>{});
    }

    // "" while every tile stands on a cell of its own and the EMPTY flags
    // mark the one cell left; otherwise what is wrong.
    std::string boardFault() const {
        const BoardView v = view();
        if (v.empty == 0)
            return "no single empty cell: " + v.text();
        int flags = 0;
        for (int k = 1; k <= 16; ++k)
            flags += b.EMPTY[k] != 0;
        if (flags != 1 || b.emptyCell() != v.empty)
            return std::to_string(flags) + " EMPTY flags, none on cell " + std::to_string(v.empty);
        return "";
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
