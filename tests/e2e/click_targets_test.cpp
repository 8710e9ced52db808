// Every clickable control takes a real click anywhere in its rectangle: at
// its four corners and its centre, wherever the game's own hit test gives the
// point to that control (a corner under a neighbour in front is the
// neighbour's). The game's tick log names the control each click reached; a
// mirror of the game on the virtual clock, given the same clicks, says which
// control that must be.
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <thread>

#include "board/moves.h"
#include "script/script.h"
#include "tests/e2e/game_window.h"

namespace tembira::e2e {
namespace {

class ClickTargets : public GameWindow {
  protected:
    const std::string logFile = ::testing::TempDir() + "tembira-clicks-" +
                                std::to_string(getpid()) + "-" +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name();
    ScriptRunner mirror;
    Form1& f = mirror.form;
    std::size_t logged = 0; // "click" lines of the log already seen

    void SetUp() override {
        std::filesystem::remove(logFile);
        x.environment.push_back("TEMBIRA_TICK_LOG=" + logFile);
        GameWindow::SetUp();
        mirror.clock.advance(1); // the shuffle, as in the game long before any click
    }
    void TearDown() override {
        GameWindow::TearDown();
        std::filesystem::remove(logFile);
    }

    // The names in the log's "click NAME" lines, in order.
    std::vector<std::string> clicksLogged() {
        std::vector<std::string> names;
        std::ifstream in(logFile);
        for (std::string line; std::getline(in, line);)
            if (auto at = line.find(" click "); at != std::string::npos)
                names.push_back(line.substr(at + 7));
        return names;
    }

    // The control the game's hit test finds under the centre of pixel (px, py).
    const Control* target(int px, int py) { return f.controlAt(15.0 * px + 7.5, 15.0 * py + 7.5); }

    // A pixel of c near its corner (cx, cy), or its centre, that the hit test
    // gives to c: the corner itself unless a neighbour in front covers it.
    bool pointOf(const Control& c, int corner, int& px, int& py) {
        double left, top;
        platform::Window::clientOrigin(c, left, top);
        const int x0 = int(std::lround(left / 15)), y0 = int(std::lround(top / 15));
        const int x1 = int(std::lround((left + c.width()) / 15)) - 1;
        const int y1 = int(std::lround((top + c.height()) / 15)) - 1;
        if (corner == 4) {
            px = (x0 + x1) / 2;
            py = (y0 + y1) / 2;
            return target(px, py) == &c;
        }
        const int dx = corner % 2 ? -1 : 1, dy = corner / 2 ? -1 : 1;
        for (int in = 0; in < 3; ++in) {
            px = (corner % 2 ? x1 : x0) + in * dx;
            py = (corner / 2 ? y1 : y0) + in * dy;
            if (target(px, py) == &c)
                return true;
        }
        return false;
    }

    // Clicks pixel (px, py) in the window and in the mirror, checks that the
    // click reached the same control in both, and lets both settle.
    ::testing::AssertionResult clickBoth(int px, int py) {
        const Control* expected = target(px, py);
        x.click(px, py);
        f.clickAt(15.0 * px + 7.5, 15.0 * py + 7.5);
        std::string reached = "nothing";
        const bool arrived = x.waitUntil(
            "a click to be logged", [&] { return clicksLogged().size() > logged; }, 3s);
        if (arrived)
            reached = clicksLogged()[logged++];
        const std::string wanted = expected ? expected->name() : "nothing";
        if (reached != wanted)
            return ::testing::AssertionFailure() << "pixel (" << px << ", " << py << ") reached "
                                                 << reached << ", not " << wanted;
        settle();
        return ::testing::AssertionSuccess();
    }

    // Runs the mirror until only the clock ticks, and gives the game as long.
    void settle() {
        auto busy = [&] {
            for (const Timer* t : f.timers())
                if (t->enabled() && t != &f.JIKOKU)
                    return true;
            return false;
        };
        int ms = 0;
        while (busy() && ms < 5000) {
            mirror.clock.advance(10);
            ms += 10;
        }
        if (ms > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(ms + 150));
    }

    // Each of the control's five points that is its own; none may be missed.
    void clickAllOver(Control& c, const std::function<void()>& before = {}) {
        for (int corner = 0; corner < 5; ++corner) {
            if (before)
                before();
            int px, py;
            if (!pointOf(c, corner, px, py)) {
                ASSERT_NE(corner, 4) << c.name() << "'s centre is not its own";
                continue;
            }
            ASSERT_TRUE(clickBoth(px, py)) << c.name() << ", point " << corner;
        }
    }

    void clickCentre(Control& c) {
        int px, py;
        ASSERT_TRUE(pointOf(c, 4, px, py)) << c.name();
        ASSERT_TRUE(clickBoth(px, py)) << c.name();
    }
};

TEST_F(ClickTargets, EveryClickableControlTakesClicksOverItsWholeRectangle) {
    ASSERT_TRUE(x.waitUntil("the opening's START label", [&] { return startLabelShows(); }));
    int px, py;
    ASSERT_TRUE(pointOf(f.HAJIME, 3, px, py));
    ASSERT_TRUE(clickBoth(px, py)); // the label hides at its first click
    ASSERT_TRUE(heightBecomes(playHeight));

    clickAllOver(f.START);
    for (int n = 1; n <= 15; ++n)
        clickAllOver(f.PANEL[n]); // the movable ones slide away and back
    clickAllOver(f.OPTION1);
    for (int s = 1; s <= 3; ++s)
        clickAllOver(f.SPEEDn[s]);
    for (int p = 3; p >= 1; --p)
        clickAllOver(f.TAITOLn[p]);
    auto openPanel = [&] {
        if (!f.SIMERU.visible())
            clickCentre(f.OPTION1);
    };
    clickAllOver(f.SIMERU, openPanel);
    clickAllOver(f.HANTEI);

    openPanel();
    ASSERT_TRUE(pointOf(f.END1, 3, px, py));
    ASSERT_TRUE(clickBoth(px, py));
    const auto status = x.waitForExit(5s);
    ASSERT_TRUE(status) << "END's corner did not end the game";
    EXPECT_EQ(*status, 0);
}

} // namespace
} // namespace tembira::e2e
