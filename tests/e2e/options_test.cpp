// The options panel: the choice of the tree-kangaroo lays out its board and
// locks the tiles until START.
#include "tests/e2e/game_window.h"

namespace tembira::e2e {
namespace {

using Options = GameWindow;

TEST_F(Options, KangarooLaysOutPicture2LockedUntilStart) {
    ASSERT_TRUE(leaveOpening());
    // Picture 1's known board gives each number's glyph; fifteen glyphs
    // that tell the numbers apart.
    const Shot reference = x.grab(board);
    for (int i = 1; i <= 15; ++i)
        for (int j = i + 1; j <= 15; ++j)
            ASSERT_GT(mismatch(ink(reference, i), ink(reference, j)), 100)
                << "cells " << i << " and " << j << " look alike";

    x.click(optionButton);
    ASSERT_TRUE(heightBecomes(optionsHeight));
    x.click(markX(kangarooChoice), kangarooChoice.centreY());
    Cells seen{};
    ASSERT_TRUE(x.waitUntil("picture 2's arrangement",
                            [&] {
                                seen = readBoard(x.grab(board), reference, picture1);
                                return seen == picture2;
                            }))
        << "the board reads " << boardText(seen);

    // Tile 11 on cell 12 is next to the empty cell 16, but locked.
    const Shot before = x.grab(board);
    x.click(cell(12));
    EXPECT_FALSE(x.waitUntil(
        "any change on the board", [&] { return x.grab(board) != before; }, 1500ms));
    EXPECT_EQ(boardText(readBoard(x.grab(board), reference, picture1)), boardText(picture2));

    ASSERT_TRUE(pressStart());
    EXPECT_EQ(x.height(), playHeight);
    EXPECT_TRUE(slide(12, 16)) << "the tile does not move after START either";
}

} // namespace
} // namespace tembira::e2e
