// Keys: an arrow slides a tile into the empty cell by clicking it, Return and
// Space leave the opening by clicking its label.
#include <gtest/gtest.h>

#include "app/keys.h"
#include "tests/support/game.h"

using tembira::testing::Game;
using namespace tembira;
using platform::Key;

TEST(ArrowKeys, TakeTheTileOnTheCellTheArrowPointsAwayFrom) {
    struct Case {
        int empty, right, left, down, up;
    };
    // Corners, an edge and the inside; tile k stands on cell k.
    for (const Case& c : {Case{1, 0, 2, 0, 5}, Case{2, 1, 3, 0, 6}, Case{6, 5, 7, 2, 10},
                          Case{12, 11, 0, 8, 16}, Case{16, 15, 0, 12, 0}}) {
        BoardView view;
        for (int k = 1; k <= 16; ++k)
            view.tileOn[std::size_t(k - 1)] = k == c.empty ? 0 : k;
        view.empty = c.empty;
        EXPECT_EQ(tileForArrow(view, Key::Right), c.right) << "empty " << c.empty;
        EXPECT_EQ(tileForArrow(view, Key::Left), c.left) << "empty " << c.empty;
        EXPECT_EQ(tileForArrow(view, Key::Down), c.down) << "empty " << c.empty;
        EXPECT_EQ(tileForArrow(view, Key::Up), c.up) << "empty " << c.empty;
        EXPECT_EQ(tileForArrow(view, Key::Return), 0);
    }
    EXPECT_EQ(tileForArrow(BoardView{}, Key::Right), 0); // mid-slide: no single empty cell
}

struct KeyGame : Game {
    void press(Key key) {
        if (Control* target = keyTarget(f, key))
            platform::Window::click(*target);
    }
};

TEST_F(KeyGame, KeysActExactlyAsClicksWould) {
    wait(1);
    press(Key::Right); // locked behind the opening
    wait(1);
    EXPECT_EQ(b.PICKNO, 0);
    press(Key::Space);
    EXPECT_FALSE(f.HAJIME.visible());
    EXPECT_EQ(f.height(), playHeight);
    EXPECT_EQ(keyTarget(f, Key::Return), nullptr); // the opening is over
    wait(1);
    press(Key::Down);
    wait(1);
    EXPECT_EQ(b.PICKNO, 0) << "tiles are locked until START";

    click(f.START);
    press(Key::Right); // tile 1, left of the empty cell 16
    EXPECT_EQ(f.PANEL[1].foreColor(), selectionColour);
    wait(1);
    ASSERT_TRUE(slideRunning(f));
    press(Key::Down); // refused while tile 1 slides
    EXPECT_EQ(b.PICKNO, 1);
    wait(400);
    EXPECT_EQ(view().tileAt(16), 1);
    press(Key::Down); // tile 15, above the empty cell 15
    wait(400);
    EXPECT_EQ(view().tileAt(15), 15);
    EXPECT_EQ(view().empty, 11);
    EXPECT_EQ(boardFault(), "");
}
