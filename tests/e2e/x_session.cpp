#include "tests/e2e/x_session.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>

namespace tembira::e2e {

namespace {

using Clock = std::chrono::steady_clock;

// Starting an X server and a Qt program can take long on a loaded machine.
constexpr Millis startTimeout = 30s;

// Windows come and go under the test (the game may end at any moment); a
// failed request only means there is nothing to read.
int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

int statusOf(int waitStatus) {
    if (WIFEXITED(waitStatus))
        return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus))
        return 128 + WTERMSIG(waitStatus);
    return -1;
}

// Waits for a child to end, for at most `timeout`; its status, or nothing.
std::optional<int> reap(pid_t pid, Millis timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        int st = 0;
        pid_t r = waitpid(pid, &st, WNOHANG);
        if (r == pid)
            return statusOf(st);
        if (r < 0 && errno != EINTR)
            return -1;
        if (Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(5ms);
    }
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    if (!reap(pid, 2s)) {
        kill(pid, SIGKILL);
        reap(pid, 5s);
    }
}

// In a forked child: die with the test process, even if it crashes.
void dieWithParent() {
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

std::optional<long> cardinal(Display* d, Window w, Atom property) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<long> value;
    if (XGetWindowProperty(d, w, property, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && format == 32 && count == 1)
        value = *reinterpret_cast<long*>(data);
    if (data)
        XFree(data);
    return value;
}

std::string text(Display* d, Window w, Atom property, Atom type) {
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string value;
    if (XGetWindowProperty(d, w, property, 0, 256, False, type, &actual, &format, &count, &after,
                           &data) == Success &&
        data && format == 8)
        value.assign(reinterpret_cast<char*>(data), count);
    if (data)
        XFree(data);
    return value;
}

int shiftOf(unsigned long mask) {
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

} // namespace

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "RGB(" << c.r << ", " << c.g << ", " << c.b << ")";
}

int distance(Rgb a, Rgb b) {
    return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

Rgb Shot::at(int x, int y) const {
    if (x < area_.x || y < area_.y || x >= area_.right() || y >= area_.bottom())
        return {-1, -1, -1};
    return pixels_[std::size_t((y - area_.y) * area_.w + (x - area_.x))];
}

bool Shot::savePpm(const std::string& file) const {
    std::ofstream out(file, std::ios::binary);
    out << "P6\n" << area_.w << " " << area_.h << "\n255\n";
    for (const Rgb& c : pixels_) {
        const char rgb[3] = {char(std::max(c.r, 0)), char(std::max(c.g, 0)),
                             char(std::max(c.b, 0))};
        out.write(rgb, 3);
    }
    return bool(out);
}

XSession::~XSession() {
    if (game_ > 0 && running()) {
        kill(game_, SIGKILL);
        reap(game_, 5s);
    }
    if (display_)
        XCloseDisplay(display_);
    if (server_ > 0)
        stop(server_);
    if (!dataHome_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(dataHome_, ignored);
    }
}

::testing::AssertionResult XSession::start(const std::string& program) {
    XSetErrorHandler(ignoreErrors);
    // The game's records go to a folder of the session's own, never to the
    // records of whoever runs the tests, nor to another test's.
    std::string folder = (std::filesystem::temp_directory_path() / "tembira-e2e-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        return ::testing::AssertionFailure() << "mkdtemp: " << std::strerror(errno);
    dataHome_ = folder;
    if (auto r = startServer(); !r)
        return r;
    if (auto r = startGame(program); !r)
        return r;
    auto found = waitUntil(
        "the game's window to be mapped", [&] { return findWindow() != 0; }, startTimeout);
    if (!found)
        return found;
    window_ = findWindow();
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult XSession::startServer() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return ::testing::AssertionFailure() << "pipe: " << std::strerror(errno);
    server_ = fork();
    if (server_ < 0)
        return ::testing::AssertionFailure() << "fork: " << std::strerror(errno);
    if (server_ == 0) {
        dieWithParent();
        const int out = dup(fds[1]); // without close-on-exec, for -displayfd
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        const std::string fd = std::to_string(out);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-nolisten",
               "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);

    // Xvfb writes its display number and a newline once it takes clients.
    std::string number;
    const auto deadline = Clock::now() + startTimeout;
    bool ended = false;
    while (number.find('\n') == std::string::npos && !ended && Clock::now() < deadline) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 100) <= 0)
            continue;
        char buffer[32];
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n > 0)
            number.append(buffer, std::size_t(n));
        else if (n == 0 || errno != EINTR)
            ended = true;
    }
    close(fds[0]);
    if (number.find('\n') == std::string::npos) {
        auto status = reap(server_, 1s);
        if (status)
            server_ = -1;
        return ::testing::AssertionFailure()
               << "Xvfb did not report a display"
               << (status ? " and ended with status " + std::to_string(*status) : "")
               << (status == 127 ? ": it is not installed (Debian package xvfb)" : "");
    }
    displayName_ = ":" + number.substr(0, number.find('\n'));
    display_ = XOpenDisplay(displayName_.c_str());
    if (!display_)
        return ::testing::AssertionFailure() << "cannot open display " << displayName_;
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
        return ::testing::AssertionFailure() << "the X server has no XTest extension";
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult XSession::startGame(const std::string& program) {
    game_ = fork();
    if (game_ < 0)
        return ::testing::AssertionFailure() << "fork: " << std::strerror(errno);
    if (game_ == 0) {
        dieWithParent();
        setenv("DISPLAY", displayName_.c_str(), 1);
        setenv("XDG_DATA_HOME", dataHome_.c_str(), 1);
        // The real X11 path, at one logical pixel per device pixel.
        for (const char* v : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "QT_SCALE_FACTOR",
                              "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI"})
            unsetenv(v);
        for (std::string& setting : environment)
            putenv(setting.data());
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        std::perror(program.c_str());
        _exit(127);
    }
    return ::testing::AssertionSuccess();
}

unsigned long XSession::findWindow() {
    const Atom pidAtom = XInternAtom(display_, "_NET_WM_PID", False);
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && !found; ++i) {
            XWindowAttributes a;
            if (!XGetWindowAttributes(display_, children[i], &a) || a.map_state != IsViewable)
                continue;
            if (cardinal(display_, children[i], pidAtom) == long(game_))
                found = children[i];
        }
    }
    if (children)
        XFree(children);
    return found;
}

void XSession::origin(int& x, int& y) {
    Window child = 0;
    x = y = 0;
    XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
}

int XSession::width() {
    XWindowAttributes a;
    return XGetWindowAttributes(display_, window_, &a) ? a.width : -1;
}

int XSession::height() {
    XWindowAttributes a;
    return XGetWindowAttributes(display_, window_, &a) ? a.height : -1;
}

std::string XSession::title() {
    return text(display_, window_, XInternAtom(display_, "_NET_WM_NAME", False),
                XInternAtom(display_, "UTF8_STRING", False));
}

void XSession::click(int x, int y) {
    int ox = 0, oy = 0;
    origin(ox, oy);
    XTestFakeMotionEvent(display_, DefaultScreen(display_), ox + x, oy + y, CurrentTime);
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XSync(display_, False);
}

void XSession::key(const char* keysym) {
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    const KeyCode code = XKeysymToKeycode(display_, XStringToKeysym(keysym));
    XTestFakeKeyEvent(display_, code, True, CurrentTime);
    XTestFakeKeyEvent(display_, code, False, CurrentTime);
    XSync(display_, False);
}

Shot XSession::grab(const Rect& area) {
    std::vector<Rgb> pixels(std::size_t(area.w * area.h), Rgb{-1, -1, -1});
    int ox = 0, oy = 0;
    origin(ox, oy);
    // From the screen itself, clipped to it: the window may be resized
    // under the request.
    const int sw = DisplayWidth(display_, DefaultScreen(display_));
    const int sh = DisplayHeight(display_, DefaultScreen(display_));
    const int x0 = std::max(ox + area.x, 0), y0 = std::max(oy + area.y, 0);
    const int x1 = std::min(ox + area.right(), sw), y1 = std::min(oy + area.bottom(), sh);
    if (x1 > x0 && y1 > y0) {
        XImage* image = XGetImage(display_, DefaultRootWindow(display_), x0, y0, unsigned(x1 - x0),
                                  unsigned(y1 - y0), AllPlanes, ZPixmap);
        if (image) {
            const int rs = shiftOf(image->red_mask), gs = shiftOf(image->green_mask),
                      bs = shiftOf(image->blue_mask);
            for (int y = y0; y < y1; ++y)
                for (int x = x0; x < x1; ++x) {
                    const unsigned long p = XGetPixel(image, x - x0, y - y0);
                    pixels[std::size_t((y - oy - area.y) * area.w + (x - ox - area.x))] = {
                        int((p & image->red_mask) >> rs), int((p & image->green_mask) >> gs),
                        int((p & image->blue_mask) >> bs)};
                }
            XDestroyImage(image);
        }
    }
    return Shot(area, std::move(pixels));
}

void XSession::closeByWindowManager() {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = window_;
    e.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window_, False, NoEventMask, &e);
    XSync(display_, False);
}

void XSession::destroyWindow() {
    XDestroyWindow(display_, window_);
    XSync(display_, False);
}

::testing::AssertionResult XSession::waitUntil(const std::string& what,
                                               const std::function<bool()>& done, Millis timeout) {
    const auto start = Clock::now();
    for (;;) {
        if (done())
            return ::testing::AssertionSuccess();
        if (!running())
            return ::testing::AssertionFailure()
                   << "the game ended (status " << gameStatus_.value_or(-1)
                   << ") while waiting for " << what;
        if (Clock::now() - start > timeout)
            return ::testing::AssertionFailure()
                   << "timed out after " << timeout.count() << " ms waiting for " << what;
        std::this_thread::sleep_for(15ms);
    }
}

bool XSession::running() {
    if (gameStatus_ || game_ <= 0)
        return false;
    int st = 0;
    if (waitpid(game_, &st, WNOHANG) == game_)
        gameStatus_ = statusOf(st);
    return !gameStatus_;
}

std::optional<int> XSession::waitForExit(Millis timeout) {
    const auto deadline = Clock::now() + timeout;
    while (running() && Clock::now() < deadline)
        std::this_thread::sleep_for(5ms);
    return gameStatus_;
}

} // namespace tembira::e2e
