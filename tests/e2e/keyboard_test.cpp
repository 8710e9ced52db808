// The game played from the keyboard in the real window: Return leaves the
// opening, arrows slide tiles or step through an option group, and a focus
// ring shows only while keys are in use.
#include "tests/e2e/game_window.h"

namespace tembira::e2e {
namespace {

using Keyboard = GameWindow;

// Pixels of the focus ring's outer band.
int yellowPixels(XSession& x) {
    const Shot s = x.grab({0, 0, windowWidth, playHeight});
    int n = 0;
    for (int y = 0; y < playHeight; ++y)
        for (int xx = 0; xx < windowWidth; ++xx)
            n += s.at(xx, y) == Rgb{255, 255, 0};
    return n;
}

TEST_F(Keyboard, ArrowsSlideTilesAndTheFocusRingShowsOnlyForKeys) {
    ASSERT_TRUE(x.waitUntil("the opening's START label", [&] { return startLabelShows(); }));
    x.key("Return");
    ASSERT_TRUE(heightBecomes(playHeight));
    ASSERT_TRUE(pressStart());
    EXPECT_EQ(yellowPixels(x), 0) << "a focus ring after a pointer click";

    // Picture 1's board: tile 1 on cell 15 and tile 15 on cell 11.
    for (auto [key, from, to] : {std::tuple{"Right", 15, 16}, std::tuple{"Down", 11, 15}}) {
        const auto glyph = ink(x.grab(board), from);
        x.key(key);
        EXPECT_TRUE(x.waitUntil(
            std::string(key) + " to slide the tile on cell " + std::to_string(from), [&] {
                const Shot s = x.grab(board);
                return plain(s, from) && mismatch(ink(s, to), glyph) < 60;
            }));
        std::this_thread::sleep_for(120ms); // the snap tick
    }

    x.key("Tab");
    EXPECT_TRUE(x.waitUntil("a focus ring", [&] { return yellowPixels(x) > 100; }));
    x.click(okButton);
    EXPECT_TRUE(
        x.waitUntil("the ring to go with the pointer", [&] { return yellowPixels(x) == 0; }));
}

// Qt's geometric neighbour took ← on ｵｶﾋﾟ to ｵｵｱﾘｸｲ, past the button
// between them; each stray step re-lays the board.
TEST_F(Keyboard, ArrowsInThePictureGroupStepInTabOrderAndStopAtTheEnd) {
    ASSERT_TRUE(x.waitUntil("the opening's START label", [&] { return startLabelShows(); }));
    x.key("Return");
    ASSERT_TRUE(heightBecomes(playHeight));
    ASSERT_TRUE(pressStart());
    const Shot reference = x.grab(board);
    x.click(optionButton);
    ASSERT_TRUE(heightBecomes(optionsHeight));
    x.click(markX(okapiChoice), okapiChoice.centreY());
    std::this_thread::sleep_for(300ms);

    Cells seen{};
    const auto boardBecomes = [&](const Cells& cells) {
        return x.waitUntil("the board " + boardText(cells), [&] {
            seen = readBoard(x.grab(board), reference, picture1);
            return seen == cells;
        });
    };
    x.key("Left");
    EXPECT_TRUE(boardBecomes(picture2)) << "the board reads " << boardText(seen);
    x.key("Up");
    EXPECT_TRUE(boardBecomes(picture1)) << "the board reads " << boardText(seen);
    const Shot first = x.grab(board);
    x.key("Left"); // the first button: nothing changes
    EXPECT_FALSE(x.waitUntil(
        "any change on the board", [&] { return x.grab(board) != first; }, 1000ms));
    x.key("Right");
    EXPECT_TRUE(boardBecomes(picture2)) << "the board reads " << boardText(seen);
}

} // namespace
} // namespace tembira::e2e
