#include "app/words.h"

#include <cmath>

#include "form/form1.h"

namespace tembira {

namespace {

// Row and column, from 1, of the cell nearest the tile: a sliding tile is
// described by the cell it is closer to.
std::string rowAndColumn(const Control& tile) {
    const long column = std::lround(tile.left() / cellPitch) + 1;
    const long row = std::lround(tile.top() / cellPitch) + 1;
    return std::to_string(row) + "行" + std::to_string(column) + "列";
}

} // namespace

platform::AccessibleText accessibleText(const Form1& f, const Control& c) {
    for (int n = 1; n <= 15; ++n)
        if (&c == &f.PANEL[n])
            return {{}, rowAndColumn(c)};
    if (&c == &f.TIME1)
        return {"時計", {}};
    if (&c == &f.TAITOL)
        return {"絵の名前", {}};
    if (&c == &f.Picture1)
        return {"盤面", {}};
    if (&c == &f.TAITOLa)
        return {f.TAITOLb.caption(), {}};
    if (&c == &f.SPEED)
        return {f.SPEED4.caption(), {}};
    return {};
}

std::string movesLeftText(int moves) {
    return "あと " + std::to_string(moves) + " 手";
}

std::string moveNumberText(int moves) {
    return std::to_string(moves) + " 手目";
}

const char* const hintCommand = "ヒント (H)";
const char* const solveCommand = "解いて見せる (S)";
const char* const endedText = "終了";

} // namespace tembira
