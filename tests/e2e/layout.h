// Where the game's controls are, in client pixels computed from their twips
// (15 twips a pixel; a picture box adds its 30-twip border), and the fixed
// facts of the board the tests check against.
#pragma once

#include <array>

#include "form/board_view.h"
#include "tests/e2e/x_session.h"

namespace tembira::e2e {

constexpr int pixels(int twips) {
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

// A control placed directly on the window.
constexpr Rect onWindow(int left, int top, int width, int height) {
    return {pixels(left), pixels(top), pixels(left + width) - pixels(left),
            pixels(top + height) - pixels(top)};
}

// A control inside a picture box at (boxLeft, boxTop) on the window.
constexpr Rect inBox(int boxLeft, int boxTop, int left, int top, int width, int height) {
    constexpr int border = 30;
    return onWindow(boxLeft + border + left, boxTop + border + top, width, height);
}

// Client heights of the window's strips: (outer Height - 450) / 15.
constexpr int openingHeight = 284;
constexpr int playHeight = 312;
constexpr int messageHeight = 376;
constexpr int optionsHeight = 449;
constexpr int windowWidth = 282;

// The board frame over the board, and what it holds.
constexpr Rect startLabel = inBox(120, 120, 1200, 2760, 1455, 375);
constexpr Rect frameInside = inBox(120, 120, 0, 0, 3915, 3915);
constexpr Rect rewardImage = inBox(120, 120, -120, -120, 4095, 4095);

// The button row.
constexpr Rect startButton = onWindow(195, 4200, 780, 375);
constexpr Rect okButton = onWindow(1080, 4200, 735, 375);
constexpr Rect optionButton = onWindow(3120, 4200, 855, 375);

// The message row.
constexpr Rect messageRow = onWindow(0, 4665, 4230, 975);

// The options panel.
constexpr Rect endButton = onWindow(2280, 4800, 735, 375);
constexpr Rect closeButton = onWindow(3120, 4800, 855, 375);
constexpr Rect kangarooChoice = inBox(240, 5280, 240, 600, 1575, 375);
constexpr Rect okapiChoice = inBox(240, 5280, 240, 960, 1455, 255);
constexpr Rect quickChoice = inBox(2400, 5280, 120, 360, 975, 255);

// An option button takes clicks on its round mark at the left.
constexpr int markX(const Rect& r) {
    return r.x + 8;
}

// Cell k (1 ... 16) of the board: 64 pixels a step, row by row.
constexpr Rect cell(int k) {
    return inBox(120, 120, (k - 1) % 4 * 960, (k - 1) / 4 * 960, 960, 960);
}
constexpr Rect board = inBox(120, 120, 0, 0, 3855, 3855);

// The colour of the marker on cell k.
constexpr Rgb marker(int k) {
    constexpr std::array<Rgb, 8> half = {{{128, 255, 128},
                                          {0, 255, 255},
                                          {255, 0, 255},
                                          {255, 0, 0},
                                          {255, 255, 128},
                                          {192, 255, 192},
                                          {255, 192, 255},
                                          {255, 128, 0}}};
    // Point-symmetric about the centre of the board.
    return half[std::size_t(k <= 8 ? k - 1 : 16 - k)];
}

constexpr Rgb messageGreen{0, 255, 0};

constexpr Cells picture1 = {14, 9, 12, 6, 8, 11, 7, 2, 10, 3, 15, 5, 4, 13, 1, 0};
constexpr Cells picture2 = {2, 15, 3, 14, 10, 4, 12, 9, 13, 5, 6, 11, 7, 1, 8, 0};

} // namespace tembira::e2e
