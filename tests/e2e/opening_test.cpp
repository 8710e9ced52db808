// The opening picture with its label, and the way from it to the board.
#include "tests/e2e/game_window.h"

namespace tembira::e2e {
namespace {

using Opening = GameWindow;

TEST_F(Opening, ShowsOnlyTheLabelUntilClickedThenTheBoard) {
    Bitmap opening;
    std::string error;
    ASSERT_TRUE(readBitmap(ASSETS_DIR "/opening.bmp", opening, error)) << error;

    ASSERT_TRUE(x.waitUntil("the opening's START label", [&] { return startLabelShows(); }));
    EXPECT_EQ(x.title(), "１５パズル");
    EXPECT_EQ(x.width(), windowWidth);
    EXPECT_EQ(x.height(), openingHeight);
    // The opening picture covers the board (it shows a solved board of its
    // own, so the markers' colours alone cannot tell).
    int worst = 0;
    EXPECT_TRUE(x.waitUntil("the opening picture in the board frame",
                            [&] {
                                worst = worstBlock(x.grab(frameInside), opening, rewardImage,
                                                   startLabel);
                                return worst <= 24;
                            }))
        << "the blocks differ by up to " << worst;

    x.click(startLabel);
    ASSERT_TRUE(heightBecomes(playHeight));
    EXPECT_EQ(x.width(), windowWidth);
    ASSERT_TRUE(x.waitUntil("every marker", [&] { return markersInView(x.grab(board)) == 16; }));

    // Picture 1's arrangement, the empty cell in its marker's light green.
    const Shot s = x.grab(board);
    EXPECT_EQ(s.at(cell(16).centreX(), cell(16).centreY()), (Rgb{128, 255, 128}));
    EXPECT_EQ(blackCount(s, 16), 0);
    EXPECT_TRUE(plain(s, 16));
    for (int k = 1; k <= 15; ++k)
        EXPECT_GT(inkCount(s, k), 50) << "no number on cell " << k;
}

} // namespace
} // namespace tembira::e2e
