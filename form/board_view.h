// The board as the tiles' positions show it. The rules never keep a table of
// which tile is where: a tile's place is its Left and Top. This reads them
// the one way the game compares them, exactly against the cell markers.
#pragma once

#include <array>
#include <string>

namespace tembira {

struct Form1;

// The tile on each cell, cell 1 first; 0 where no tile stands.
using Cells = std::array<int, 16>;

// Row by row, "." for a cell with no tile: "14 9 12 6 / 8 11 7 2 / ...".
std::string boardText(const Cells& cells);

struct BoardView {
    Cells tileOn{};               // the tile on cell k at tileOn[k - 1]
    std::array<int, 16> cellOf{}; // the cell of tile n at cellOf[n], 0 if between cells
    int empty = 0;                // the one cell no tile stands on; 0 while one slides
    bool solved = false;          // every tile on its own cell, as judging sees it
    bool started = false;         // the tiles take clicks: START was pressed

    int tileAt(int cell) const { return tileOn[std::size_t(cell - 1)]; }
    std::string text() const { return boardText(tileOn); }
};

BoardView viewBoard(const Form1& f);

// The cells next to cell k (left, right, below, above, where they exist).
int neighbours(int k, std::array<int, 4>& out);

} // namespace tembira
