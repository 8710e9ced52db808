// A private X server with the real game in it: start both, find the game's
// window, click with the pointer where a player would, read back pixels and
// the window's size, and wait for either to reach a state. Everything is
// torn down with the object, whatever state the game is in.
#pragma once

#include <gtest/gtest.h>

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Xlib's own types, without pulling its macros (None, Status, Bool ...) into
// every test.
struct _XDisplay;

namespace tembira::e2e {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c);

// The largest difference in any one channel.
int distance(Rgb a, Rgb b);

// A rectangle of the window's client area, in client pixels.
struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    int right() const { return x + w; }
    int bottom() const { return y + h; }
    int centreX() const { return x + w / 2; }
    int centreY() const { return y + h / 2; }
    bool operator==(const Rect&) const = default;
};

// A copy of part of the client area. Pixels outside the grabbed part, or
// outside the screen, read as a colour no control uses (-1, -1, -1).
class Shot {
  public:
    Shot() = default;
    Shot(Rect area, std::vector<Rgb> pixels) : area_(area), pixels_(std::move(pixels)) {}

    const Rect& area() const { return area_; }
    Rgb at(int x, int y) const;
    bool operator==(const Shot&) const = default;

    // Writes a binary PPM, for looking at what a test saw.
    bool savePpm(const std::string& file) const;

  private:
    Rect area_;
    std::vector<Rgb> pixels_;
};

class XSession {
  public:
    XSession() = default;
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;
    ~XSession();

    // Starts Xvfb on a display number of its own choosing, then the game, and
    // waits until the game's top-level window is mapped.
    ::testing::AssertionResult start(const std::string& program);
    // NAME=VALUE settings for the game, on top of the test's own environment.
    std::vector<std::string> environment;

    // The game's window: client size in pixels and its title.
    int width();
    int height();
    std::string title();

    // A press and release of the left button at a client point.
    void click(int x, int y);
    // A press and release of a key, named as X names its keysym ("Right",
    // "Return", "Tab"), with the keyboard focus on the game's window.
    void key(const char* keysym);
    void click(const Rect& r) { click(r.centreX(), r.centreY()); }

    Shot grab(const Rect& area);
    Rgb pixel(int x, int y) { return grab({x, y, 1, 1}).at(x, y); }

    // Asks the game to close its window, as a window manager's close button
    // does: WM_DELETE_WINDOW through WM_PROTOCOLS.
    void closeByWindowManager();
    // Destroys the game's window from outside, as `xdotool windowclose` does.
    void destroyWindow();

    // Polls `done` every few milliseconds until it holds or `timeout`
    // passes. Fails at once, naming `what`, if the game has ended meanwhile.
    ::testing::AssertionResult waitUntil(const std::string& what, const std::function<bool()>& done,
                                         Millis timeout = 10s);

    // The game's exit status (128 + signal if killed) once it has ended
    // within `timeout`, or nothing.
    std::optional<int> waitForExit(Millis timeout);
    bool running();

  private:
    ::testing::AssertionResult startServer();
    ::testing::AssertionResult startGame(const std::string& program);
    unsigned long findWindow();
    void origin(int& x, int& y);

    _XDisplay* display_ = nullptr;
    std::string displayName_;
    pid_t server_ = -1;
    pid_t game_ = -1;
    std::optional<int> gameStatus_;
    unsigned long window_ = 0;
    std::string dataHome_; // the game's XDG_DATA_HOME, removed with the session
};

} // namespace tembira::e2e
