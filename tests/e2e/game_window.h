// A fresh game in a fresh X server for every test, and the steps a player
// takes with it, each waiting until the screen shows that it took effect.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "tests/e2e/layout.h"
#include "tests/e2e/screen_reading.h"
#include "tests/e2e/x_session.h"

namespace tembira::e2e {

class GameWindow : public ::testing::Test {
  protected:
    XSession x;

    void SetUp() override { ASSERT_TRUE(x.start(TEMBIRA_PROGRAM)); }

    // What the window showed when a test failed, next to the test's output.
    void TearDown() override {
        if (!HasFailure() || !x.running())
            return;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string file = std::string(info->test_suite_name()) + "." + info->name() + ".ppm";
        if (x.grab({0, 0, std::max(x.width(), 1), std::max(x.height(), 1)}).savePpm(file))
            std::cout << "The window at the failure: " << file << "\n";
    }

    ::testing::AssertionResult heightBecomes(int h, Millis timeout = 10s) {
        return x.waitUntil(
            "client height " + std::to_string(h) + " (now " + std::to_string(x.height()) + ")",
            [&] { return x.height() == h; }, timeout);
    }

    // The black box of the opening's "START" label, sampled just inside its
    // edges, left and right of the centred caption, with its light green
    // caption, on a window painted in its dark blue.
    bool startLabelShows() {
        const Rect r = startLabel;
        const Shot s = x.grab(r);
        for (int y : {r.y + 2, r.centreY(), r.bottom() - 3})
            for (int dx : {2, 5})
                if (s.at(r.x + dx, y) != Rgb{0, 0, 0} ||
                    s.at(r.right() - 1 - dx, y) != Rgb{0, 0, 0})
                    return false;
        int caption = 0;
        for (int y = r.y; y < r.bottom(); ++y)
            for (int xx = r.x; xx < r.right(); ++xx)
                caption += distance(s.at(xx, y), {128, 255, 128}) < 40;
        return caption > 50 && x.pixel(3, 3) == Rgb{0, 0, 192};
    }

    // Each cell's top left corner, where no number is drawn, in its
    // marker's colour.
    int markersInView(const Shot& s) {
        int n = 0;
        for (int k = 1; k <= 16; ++k) {
            bool shown = true;
            for (int dy = 3; dy < 7; ++dy)
                for (int dx = 3; dx < 7; ++dx)
                    shown = shown && s.at(cell(k).x + dx, cell(k).y + dy) == marker(k);
            n += shown;
        }
        return n;
    }

    // The whole opening: its label, a click on it, then the board.
    ::testing::AssertionResult leaveOpening() {
        if (auto r = x.waitUntil("the opening's START label", [&] { return startLabelShows(); });
            !r)
            return r;
        x.click(startLabel);
        if (auto r = heightBecomes(playHeight); !r)
            return r;
        return x.waitUntil("the board's markers", [&] {
            const Shot s = x.grab(board);
            return markersInView(s) == 16 && plain(s, 16);
        });
    }

    // START: the tiles unlock, and their numbers turn from the disabled
    // grey to black.
    ::testing::AssertionResult pressStart() {
        // The buttons take clicks only once the opening has gone, a tick
        // after its label was clicked; its picture shows black numbers too.
        if (!x.waitUntil("the opening to go", [&] { return markersInView(x.grab(board)) == 16; }))
            return ::testing::AssertionFailure() << "the opening is still there";
        x.click(startButton);
        return x.waitUntil("black numbers on the board", [&] {
            const Shot s = x.grab(board);
            for (int k = 1; k <= 16; ++k)
                if (!plain(s, k) && blackCount(s, k) < 30)
                    return false;
            return true;
        });
    }

    // The message row's text in its green: how many pixels, and how wide
    // ("完成" is two 64-pixel characters wide, "まだです" four).
    struct Message {
        int pixels = 0;
        int width = 0;
    };
    Message message() {
        const Rect row{messageRow.x, messageRow.y, windowWidth, messageRow.h};
        const Shot s = x.grab(row);
        Message m;
        int left = row.right(), right = row.x;
        for (int y = row.y; y < row.bottom(); ++y)
            for (int xx = row.x; xx < row.right(); ++xx)
                if (distance(s.at(xx, y), messageGreen) < 40) {
                    ++m.pixels;
                    left = std::min(left, xx);
                    right = std::max(right, xx + 1);
                }
        m.width = std::max(0, right - left);
        return m;
    }

    // OPTION, then QUICK, then CLOSE: slides take two ticks instead of three.
    ::testing::AssertionResult chooseQuickSpeed() {
        x.click(optionButton);
        if (auto r = heightBecomes(optionsHeight); !r)
            return r;
        const auto mark = x.pixel(markX(quickChoice), quickChoice.centreY());
        x.click(markX(quickChoice), quickChoice.centreY());
        if (auto r = x.waitUntil(
                "QUICK to show as chosen",
                [&] { return x.pixel(markX(quickChoice), quickChoice.centreY()) != mark; });
            !r)
            return r;
        x.click(closeButton);
        return heightBecomes(playHeight);
    }

    // Clicks the tile on cell `from` next to the empty cell `to` and waits
    // until its number stands on `to` as it stood on `from`, then a little
    // longer, since the slide's timer stops only on the tick that snaps the
    // tile onto its cell. A click that moved nothing is repeated.
    ::testing::AssertionResult slide(int from, int to) {
        const auto glyph = ink(x.grab(board), from);
        const int size = std::max(40, int(std::count(glyph.begin(), glyph.end(), true)) / 5);
        auto landed = [&] {
            const Shot s = x.grab(board);
            return plain(s, from) && mismatch(ink(s, to), glyph) <= size;
        };
        ::testing::AssertionResult r = ::testing::AssertionFailure();
        for (int attempt = 0; attempt < 3 && !r; ++attempt) {
            x.click(cell(from));
            r = x.waitUntil("the tile on cell " + std::to_string(from) + " to land on cell " +
                                std::to_string(to),
                            landed, 3s);
        }
        std::this_thread::sleep_for(120ms);
        return r;
    }
};

} // namespace tembira::e2e
