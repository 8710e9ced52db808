// The key rule both bindings follow: an arrow slides a tile into the empty
// cell by clicking it, Return and Space leave the opening by clicking its
// label, and with the focus in an option group the arrows move the choice in
// tab order.
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
    // A key, with focused holding the focus, carried out as a binding does.
    void press(Key key, Control* focused = nullptr) {
        const platform::KeyAction action = keyAction(f, key, focused);
        if (action.kind == platform::KeyAction::Kind::Click ||
            action.kind == platform::KeyAction::Kind::Choose)
            platform::Window::click(*action.control);
    }
    Control* chosenAfter(Key key, Control& focused) {
        const platform::KeyAction action = keyAction(f, key, &focused);
        return action.kind == platform::KeyAction::Kind::Choose ? action.control : nullptr;
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
    EXPECT_EQ(keyAction(f, Key::Return, nullptr).kind, platform::KeyAction::Kind::Pass);
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

// Qt's geometric neighbour jumped across the staggered buttons (← on ｵｶﾋﾟ
// chose ｵｵｱﾘｸｲ, ← on QUICK chose SLOW), and a stray arrow in the picture
// group throws away the game in progress.
TEST_F(KeyGame, ArrowsInAnOptionGroupStepInTabOrderAndStopAtTheEnds) {
    wait(1);
    press(Key::Return);
    click(f.OPTION1);
    for (auto* group : {&f.TAITOLn, &f.SPEEDn}) {
        auto& buttons = *group;
        for (int i = 1; i <= 3; ++i) {
            for (Key back : {Key::Left, Key::Up})
                EXPECT_EQ(chosenAfter(back, buttons[i]), i > 1 ? &buttons[i - 1] : nullptr)
                    << buttons[i].name();
            for (Key on : {Key::Right, Key::Down})
                EXPECT_EQ(chosenAfter(on, buttons[i]), i < 3 ? &buttons[i + 1] : nullptr)
                    << buttons[i].name();
        }
        EXPECT_EQ(keyAction(f, Key::Left, &buttons[1]).kind, platform::KeyAction::Kind::Take);
    }
    // Space chooses the focused button; Return is not an option button's key.
    press(Key::Space, &f.SPEEDn[3]);
    EXPECT_TRUE(f.SPEEDn[3].value());
    EXPECT_EQ(keyAction(f, Key::Return, &f.SPEEDn[3]).kind, platform::KeyAction::Kind::Pass);
    // Return and Space press a focused command button; H, S and the Menu
    // key are the program's.
    EXPECT_EQ(keyAction(f, Key::Return, &f.SIMERU).control, &f.SIMERU);
    EXPECT_EQ(keyAction(f, Key::Space, &f.SIMERU).control, &f.SIMERU);
    for (Key command : {Key::H, Key::S, Key::Menu})
        EXPECT_EQ(keyAction(f, command, &f.SIMERU).kind, platform::KeyAction::Kind::Command);
}
