// Measures the game against a bare Qt window on the X server named by DISPLAY:
// start-up to the first paint, peak memory, idle cost on the opening and on
// the game screen, and, from the game's tick log, how long slides and the
// reward take on the real clock. Prints one Markdown table of median, minimum
// and maximum over the runs, each target and whether it is met.
//
//   bench_driver --game PATH --bare PATH [--runs N] [--log DIR] [--startup-only]
//
// The game's tick logs are left in DIR (default: the temporary directory) as
// ticks-N.log. --startup-only measures nothing but the two start-ups, N times each,
// interleaved, and prints their statistics: quick, for looking into start-up.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using SteadyClock = std::chrono::steady_clock;
using namespace std::chrono_literals;

double nowMs() {
    return std::chrono::duration<double, std::milli>(SteadyClock::now().time_since_epoch()).count();
}

void sleepMs(double ms) {
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(ms));
}

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what);
}

// ---------------------------------------------------------------- processes

pid_t spawn(const std::string& program, const std::string& tickLog) {
    const pid_t pid = fork();
    if (pid < 0)
        fail("fork failed");
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 1);
        dup2(null, 2);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        if (tickLog.empty())
            unsetenv("TEMBIRA_TICK_LOG");
        else
            setenv("TEMBIRA_TICK_LOG", tickLog.c_str(), 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

void stop(pid_t pid) {
    kill(pid, SIGTERM);
    for (int i = 0; i < 400; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        sleepMs(5);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

std::string slurp(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

long statusField(const std::string& status, const std::string& key) {
    const auto at = status.find("\n" + key + ":");
    if (at == std::string::npos)
        fail("no " + key + " in /proc status");
    return std::strtol(status.c_str() + at + key.size() + 2, nullptr, 10);
}

struct Usage {
    double cpuMs = 0;      // utime + stime, all threads (whole clock ticks)
    double runMs = 0;      // time on a CPU from schedstat, all threads
    long switches = 0;     // voluntary context switches, all threads
    long mainSwitches = 0; // the same, main thread only
};

Usage usage(pid_t pid) {
    Usage u;
    const std::string base = "/proc/" + std::to_string(pid);
    const std::string stat = slurp(base + "/stat");
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        fail("cannot read " + base + "/stat");
    std::istringstream fields(stat.substr(close + 2));
    std::vector<std::string> f;
    for (std::string x; fields >> x;)
        f.push_back(x);
    // After the name: state is field 3, utime 14 and stime 15.
    const double tick = 1000.0 / double(sysconf(_SC_CLK_TCK));
    u.cpuMs = (std::stod(f.at(11)) + std::stod(f.at(12))) * tick;
    u.mainSwitches = statusField(slurp(base + "/status"), "voluntary_ctxt_switches");
    if (DIR* tasks = opendir((base + "/task").c_str())) {
        while (dirent* e = readdir(tasks)) {
            if (e->d_name[0] == '.')
                continue;
            const std::string task = base + "/task/" + e->d_name;
            const std::string s = slurp(task + "/status");
            if (!s.empty())
                u.switches += statusField(s, "voluntary_ctxt_switches");
            u.runMs += std::strtod(slurp(task + "/schedstat").c_str(), nullptr) / 1e6;
        }
        closedir(tasks);
    }
    return u;
}

double peakMiB(pid_t pid) {
    return double(statusField(slurp("/proc/" + std::to_string(pid) + "/status"), "VmHWM")) / 1024;
}

// ---------------------------------------------------------------- tick log

struct Entry {
    double ms;
    std::string kind; // "tick" or "click"
    std::string name; // the timer's name for a tick
};

class TickLog {
  public:
    explicit TickLog(std::string path) : path_(std::move(path)) {
        std::FILE* empty = std::fopen(path_.c_str(), "w");
        if (!empty)
            fail("cannot write " + path_);
        std::fclose(empty);
        notify_ = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        inotify_add_watch(notify_, path_.c_str(), IN_MODIFY);
        fd_ = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    }
    ~TickLog() {
        close(fd_);
        close(notify_);
    }

    const std::vector<Entry>& entries() {
        pump();
        return entries_;
    }
    std::size_t size() { return entries().size(); }

    // Waits until `done` holds over the entries, for at most timeoutMs.
    void waitFor(const std::string& what,
                 const std::function<bool(const std::vector<Entry>&)>& done,
                 double timeoutMs = 5000) {
        const double deadline = nowMs() + timeoutMs;
        for (;;) {
            pump();
            if (done(entries_))
                return;
            const double left = deadline - nowMs();
            if (left <= 0)
                fail("timed out waiting for " + what);
            pollfd p{notify_, POLLIN, 0};
            poll(&p, 1, int(std::ceil(left)));
            char buffer[4096];
            while (read(notify_, buffer, sizeof buffer) > 0) {
            }
        }
    }

    // Waits until `count` entries after `from` satisfy `match`.
    void waitCount(const std::string& what, std::size_t from, std::size_t count,
                   const std::function<bool(const Entry&)>& match, double timeoutMs = 5000) {
        waitFor(
            what,
            [&](const std::vector<Entry>& e) {
                std::size_t n = 0;
                for (std::size_t i = from; i < e.size(); ++i)
                    n += match(e[i]);
                return n >= count;
            },
            timeoutMs);
    }

  private:
    void pump() {
        char buffer[8192];
        ssize_t n;
        while ((n = read(fd_, buffer, sizeof buffer)) > 0)
            partial_.append(buffer, std::size_t(n));
        std::size_t start = 0, end;
        while ((end = partial_.find('\n', start)) != std::string::npos) {
            std::istringstream line(partial_.substr(start, end - start));
            Entry e;
            line >> e.ms >> e.kind >> e.name;
            entries_.push_back(e);
            start = end + 1;
        }
        partial_.erase(0, start);
    }

    std::string path_;
    int notify_ = -1;
    int fd_ = -1;
    std::string partial_;
    std::vector<Entry> entries_;
};

bool isSlide(const std::string& n) {
    return n == "PUM" || n == "PDM" || n == "PLM" || n == "PRM";
}

// ---------------------------------------------------------------- X server

class X {
  public:
    X() {
        display_ = XOpenDisplay(nullptr);
        if (!display_)
            fail("cannot open the X display");
        XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        root_ = DefaultRootWindow(display_);
        int event, error, major, minor;
        if (!XTestQueryExtension(display_, &event, &error, &major, &minor))
            fail("the X server has no XTest");
        if (!XDamageQueryExtension(display_, &damageEvent_, &error))
            fail("the X server has no DAMAGE");
        XSelectInput(display_, root_, SubstructureNotifyMask);
        pidAtom_ = XInternAtom(display_, "_NET_WM_PID", False);
    }
    ~X() { XCloseDisplay(display_); }

    struct Launch {
        pid_t pid;
        Window window;
        double mappedMs; // from launch
        double paintedMs;
    };

    // Launches `program` and waits for its top-level window to be mapped and
    // for the first drawing into it (the first DAMAGE report inside it).
    Launch launch(const std::string& program, const std::string& tickLog) {
        XSync(display_, False);
        drain();
        const Damage damage = XDamageCreate(display_, root_, XDamageReportRawRectangles);
        XSync(display_, False);
        drain();
        const double start = nowMs();
        Launch l{spawn(program, tickLog), 0, -1, -1};
        int wx = 0, wy = 0, ww = 0, wh = 0;
        const double deadline = start + 20000;
        while (l.paintedMs < 0) {
            while (XPending(display_)) {
                XEvent e;
                XNextEvent(display_, &e);
                if (e.type == MapNotify && !l.window && ownedBy(e.xmap.window, l.pid)) {
                    l.window = e.xmap.window;
                    l.mappedMs = nowMs() - start;
                    XWindowAttributes a;
                    XGetWindowAttributes(display_, l.window, &a);
                    wx = a.x, wy = a.y, ww = a.width, wh = a.height;
                } else if (e.type == damageEvent_ + XDamageNotify && l.window) {
                    const auto& d = reinterpret_cast<XDamageNotifyEvent&>(e);
                    const XRectangle& r = d.area;
                    if (r.x < wx + ww && r.x + r.width > wx && r.y < wy + wh &&
                        r.y + r.height > wy) {
                        l.paintedMs = nowMs() - start;
                        break;
                    }
                }
            }
            if (l.paintedMs >= 0)
                break;
            if (nowMs() > deadline) {
                stop(l.pid);
                fail(program + ": no window painted within 20 s");
            }
            pollfd p{ConnectionNumber(display_), POLLIN, 0};
            poll(&p, 1, 100);
        }
        XDamageDestroy(display_, damage);
        XSync(display_, False);
        drain();
        return l;
    }

    // A press and release of the left button at client point (x, y).
    void click(Window w, int x, int y) {
        int ox = 0, oy = 0;
        Window child;
        XTranslateCoordinates(display_, w, root_, 0, 0, &ox, &oy, &child);
        XTestFakeMotionEvent(display_, DefaultScreen(display_), ox + x, oy + y, CurrentTime);
        XTestFakeButtonEvent(display_, 1, True, CurrentTime);
        XTestFakeButtonEvent(display_, 1, False, CurrentTime);
        XFlush(display_);
    }

    void drain() {
        while (XPending(display_)) {
            XEvent e;
            XNextEvent(display_, &e);
        }
    }

  private:
    bool ownedBy(Window w, pid_t pid) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        bool mine = false;
        if (XGetWindowProperty(display_, w, pidAtom_, 0, 1, False, XA_CARDINAL, &type, &format,
                               &count, &after, &data) == Success &&
            data && format == 32 && count == 1)
            mine = *reinterpret_cast<long*>(data) == pid;
        if (data)
            XFree(data);
        return mine;
    }

    Display* display_ = nullptr;
    Window root_ = 0;
    int damageEvent_ = 0;
    Atom pidAtom_ = 0;
};

// ---------------------------------------------------------------- the game

// The tiles to click for a shortest solution of board, from the game's own
// solver, tembira-solve, built beside the game.
std::vector<int> shortestSolution(const std::string& game, const std::array<int, 16>& board) {
    std::string command = "echo '";
    for (int tile : board)
        command += std::to_string(tile) + " ";
    command +=
        "' | '" + (std::filesystem::path(game).parent_path() / "tembira-solve").string() + "'";
    std::FILE* solver = popen(command.c_str(), "r");
    if (!solver)
        fail("cannot run tembira-solve");
    char line[1024] = {};
    const bool read = std::fgets(line, sizeof line, solver) != nullptr;
    if (pclose(solver) != 0 || !read)
        fail("tembira-solve gave no solution");
    std::istringstream words(std::strchr(line, ':') ? std::strchr(line, ':') + 1 : line);
    std::vector<int> tiles;
    for (int tile; words >> tile;)
        tiles.push_back(tile);
    return tiles;
}

// Client pixels of the controls: twips / 15, a picture box adds its 30-twip
// border; the point is the control's centre unless said otherwise.
struct Point {
    int x, y;
};
constexpr Point hajime{140, 206}; // the opening's "START" label
constexpr Point startButton{39, 293};
constexpr Point judgeButton{96, 293}; // HANTEI, "OK"
constexpr Point optionButton{236, 293};
// The speed option buttons, a little right of their left edge (the
// indicator): SPEED box (2400, 5280) + 30 border + (120, 360/600/960).
constexpr std::array<Point, 3> speedButton{{{178, 386}, {178, 406}, {178, 426}}};
constexpr std::array<double, 3> slideNominal{151, 201, 351}; // 1 ms AutoMove + 3/4/7 x 50
constexpr std::array<int, 3> slideTicks{3, 4, 7};
constexpr const char* speedName[3] = {"QUICK", "NEWTRAL", "SLOW"};
constexpr int rewardTicks = 52;
constexpr double rewardNominal = rewardTicks * 50.0;

Point cellCentre(int cell) {
    const int col = (cell - 1) % 4, row = (cell - 1) / 4;
    return {10 + 64 * col + 32, 10 + 64 * row + 32};
}

// Picture 1's starting board, tile on cell k; 0 is the empty cell.
constexpr std::array<int, 16> startBoard{14, 9, 12, 6, 8, 11, 7, 2, 10, 3, 15, 5, 4, 13, 1, 0};

struct GameRun {
    double peakMiB;
    Usage openingIdle, gameIdle;
    int openingOther = 0, gameOther = 0;       // idle ticks of timers other than JIKOKU
    int openingClock = 0, gameClock = 0;       // JIKOKU ticks in the idle window
    std::array<std::vector<double>, 3> slides; // click to snap tick, by speed
    double rewardMs = 0;
    double maxGap = 0;
};

struct BareRun {
    double peakMiB;
    Usage idle;
};

Usage minus(const Usage& a, const Usage& b) {
    return {a.cpuMs - b.cpuMs, a.runMs - b.runMs, a.switches - b.switches,
            a.mainSwitches - b.mainSwitches};
}

Usage idleFor(pid_t pid, double ms) {
    const Usage before = usage(pid);
    sleepMs(ms);
    return minus(usage(pid), before);
}

constexpr double settleMs = 3000;
constexpr double idleMs = 10000;

void countIdle(const std::vector<Entry>& e, std::size_t from, std::size_t to, int& clock,
               int& other) {
    for (std::size_t i = from; i < to; ++i) {
        if (e[i].kind == "tick" && e[i].name == "JIKOKU")
            ++clock;
        else
            ++other;
    }
}

struct Slide {
    std::size_t from; // log index before the click
    int speed;
};

GameRun runGame(X& x, const std::string& program, const std::string& logPath) {
    GameRun r{};
    TickLog log(logPath);
    const X::Launch l = x.launch(program, logPath);
    const Window w = l.window;
    try {
        // Memory after settling, then the opening left alone.
        sleepMs(settleMs);
        r.peakMiB = peakMiB(l.pid);
        std::size_t from = log.size();
        r.openingIdle = idleFor(l.pid, idleMs);
        countIdle(log.entries(), from, log.size(), r.openingClock, r.openingOther);

        // Into the game, tiles unlocked, options panel open.
        auto clicks = [](const Entry& e) { return e.kind == "click"; };
        from = log.size();
        x.click(w, hajime.x, hajime.y);
        log.waitCount("the end of the opening", from, 1,
                      [](const Entry& e) { return e.name == "OPENINGEND"; });
        from = log.size();
        x.click(w, startButton.x, startButton.y);
        log.waitCount("the START button", from, 1, clicks);
        from = log.size();
        x.click(w, optionButton.x, optionButton.y);
        log.waitCount("the OPTION button", from, 1, clicks);
        sleepMs(1000);
        from = log.size();
        r.gameIdle = idleFor(l.pid, idleMs);
        countIdle(log.entries(), from, log.size(), r.gameClock, r.gameOther);

        // One-cell slides of tile 5 between cells 12 and 16, at each speed,
        // then the whole board solved at QUICK speed.
        std::vector<Slide> slides;
        std::array<int, 16> board = startBoard;
        auto slide = [&](int tile, int speed) {
            const int cell = int(std::find(board.begin(), board.end(), tile) - board.begin()) + 1;
            const int empty = int(std::find(board.begin(), board.end(), 0) - board.begin()) + 1;
            const std::size_t before = log.size();
            const Point p = cellCentre(cell);
            x.click(w, p.x, p.y);
            log.waitCount("a slide of tile " + std::to_string(tile), before,
                          std::size_t(slideTicks[std::size_t(speed)]),
                          [](const Entry& e) { return isSlide(e.name); });
            std::swap(board[std::size_t(cell - 1)], board[std::size_t(empty - 1)]);
            slides.push_back({before, speed});
        };
        for (int speed : {0, 1, 2}) {
            from = log.size();
            const Point p = speedButton[std::size_t(speed)];
            x.click(w, p.x, p.y);
            log.waitCount(std::string("the speed button ") + speedName[speed], from, 1, clicks);
            for (int i = 0; i < 4; ++i) {
                slide(5, speed);
                sleepMs(80); // room for a tick too many to show
            }
        }
        from = log.size();
        x.click(w, speedButton[0].x, speedButton[0].y);
        log.waitCount("the speed button QUICK", from, 1, clicks);
        for (int tile : shortestSolution(program, board))
            slide(tile, 0);
        sleepMs(80);

        const std::size_t judged = log.size();
        x.click(w, judgeButton.x, judgeButton.y);
        log.waitCount("the reward", judged, rewardTicks,
                      [](const Entry& e) { return e.name == "GOHOUBITIME"; });
        sleepMs(150);

        // Everything from the log.
        const auto& e = log.entries();
        auto nextClick = [&](std::size_t i) {
            while (i < e.size() && e[i].kind != "click")
                ++i;
            return i;
        };
        for (const Slide& s : slides) {
            const std::size_t click = nextClick(s.from);
            const std::size_t end = nextClick(click + 1);
            int ticks = 0;
            double last = -1, previous = -1;
            for (std::size_t i = click + 1; i < end; ++i) {
                if (!isSlide(e[i].name))
                    continue;
                ++ticks;
                if (previous >= 0)
                    r.maxGap = std::max(r.maxGap, e[i].ms - previous);
                previous = last = e[i].ms;
            }
            if (click >= e.size() || ticks != slideTicks[std::size_t(s.speed)])
                fail(std::string("a slide at ") + speedName[s.speed] + " took " +
                     std::to_string(ticks) + " ticks");
            r.slides[std::size_t(s.speed)].push_back(last - e[click].ms);
        }
        const std::size_t click = nextClick(judged);
        int ticks = 0;
        double previous = -1;
        for (std::size_t i = click + 1; i < e.size(); ++i) {
            if (e[i].name != "GOHOUBITIME")
                continue;
            if (++ticks == rewardTicks)
                r.rewardMs = e[i].ms - e[click].ms;
            if (previous >= 0)
                r.maxGap = std::max(r.maxGap, e[i].ms - previous);
            previous = e[i].ms;
        }
        if (ticks != rewardTicks)
            fail("the reward took " + std::to_string(ticks) + " ticks");
    } catch (...) {
        stop(l.pid);
        throw;
    }
    stop(l.pid);
    return r;
}

BareRun runBare(X& x, const std::string& program) {
    BareRun r{};
    const X::Launch l = x.launch(program, "");
    sleepMs(settleMs);
    r.peakMiB = peakMiB(l.pid);
    r.idle = idleFor(l.pid, idleMs);
    stop(l.pid);
    return r;
}

// ---------------------------------------------------------------- the table

struct Stats {
    double median, min, max;
};

Stats stats(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {median, v.front(), v.back()};
}

std::string fmt(double v, int decimals) {
    char b[64];
    std::snprintf(b, sizeof b, "%.*f", decimals, v);
    return b;
}

std::string cell(const Stats& s, int decimals) {
    return fmt(s.median, decimals) + " (" + fmt(s.min, decimals) + "–" + fmt(s.max, decimals) + ")";
}

template <class R, class F> std::vector<double> column(const std::vector<R>& runs, F f) {
    std::vector<double> v;
    for (const R& r : runs)
        v.push_back(double(f(r)));
    return v;
}

} // namespace

int main(int argc, char** argv) {
    std::string game, bare, logDir = std::filesystem::temp_directory_path().string();
    int runs = 7;
    bool startupOnly = false;
    for (int i = 1; i < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--startup-only") {
            startupOnly = true;
            --i;
            continue;
        }
        if (i + 1 >= argc)
            break;
        if (a == "--game")
            game = argv[i + 1];
        else if (a == "--bare")
            bare = argv[i + 1];
        else if (a == "--runs")
            runs = std::atoi(argv[i + 1]);
        else if (a == "--log")
            logDir = argv[i + 1];
    }
    if (game.empty() || bare.empty() || runs < 1) {
        std::fputs("usage: bench_driver --game PATH --bare PATH [--runs N] [--log DIR]\n", stderr);
        return 2;
    }
    try {
        X x;
        if (startupOnly) {
            stop(x.launch(game, "").pid);
            stop(x.launch(bare, "").pid);
            std::vector<double> gs, bs;
            for (int i = 0; i < runs; ++i) {
                const X::Launch g = x.launch(game, "");
                stop(g.pid);
                const X::Launch b = x.launch(bare, "");
                stop(b.pid);
                gs.push_back(g.paintedMs);
                bs.push_back(b.paintedMs);
            }
            const Stats g = stats(gs), b = stats(bs);
            std::printf("start-up to first paint (ms): tembira %s, bare %s, ratio %.2f\n",
                        cell(g, 1).c_str(), cell(b, 1).c_str(), g.median / b.median);
            return 0;
        }

        std::vector<GameRun> g;
        std::vector<BareRun> b;
        std::vector<double> warmGame, warmBare;
        for (int i = 0; i < runs; ++i) {
            // Start-up, warm: one launch of each not counted, then three of
            // each interleaved, the two going first by turns; the run's
            // figure is the median of its three.
            stop(x.launch(game, "").pid);
            stop(x.launch(bare, "").pid);
            std::vector<double> gs, bs;
            for (int k = 0; k < 3; ++k) {
                for (int which : (i + k) % 2 ? std::array{1, 0} : std::array{0, 1}) {
                    const X::Launch l = x.launch(which ? bare : game, "");
                    stop(l.pid);
                    (which ? bs : gs).push_back(l.paintedMs);
                }
            }
            warmGame.push_back(stats(gs).median);
            warmBare.push_back(stats(bs).median);

            // Then the long runs, one of each, again first by turns.
            const std::string log = logDir + "/ticks-" + std::to_string(i + 1) + ".log";
            if (i % 2) {
                b.push_back(runBare(x, bare));
                g.push_back(runGame(x, game, log));
            } else {
                g.push_back(runGame(x, game, log));
                b.push_back(runBare(x, bare));
            }
            std::fprintf(stderr,
                         "run %d/%d: start-up %.1f / %.1f ms, peak %.1f / %.1f MiB, idle %.3f / "
                         "%.3f %% CPU, %ld / %ld switches, reward %.1f ms, gap %.1f ms\n",
                         i + 1, runs, warmGame.back(), warmBare.back(), g.back().peakMiB,
                         b.back().peakMiB, g.back().gameIdle.runMs / 100, b.back().idle.runMs / 100,
                         g.back().gameIdle.switches, b.back().idle.switches, g.back().rewardMs,
                         g.back().maxGap);
        }

        struct Row {
            std::string figure, game, bare, ratio, target;
            bool met;
        };
        std::vector<Row> rows;
        const auto yes = [](bool m) { return m ? "yes" : "**no**"; };

        const Stats gs = stats(warmGame);
        const Stats bs = stats(warmBare);
        rows.push_back({"start-up to first paint, warm (ms)", cell(gs, 1), cell(bs, 1),
                        fmt(gs.median / bs.median, 2), "≤ 1.5 × bare",
                        gs.median <= 1.5 * bs.median});
        const Stats gm = stats(column(g, [](auto& r) { return r.peakMiB; }));
        const Stats bm = stats(column(b, [](auto& r) { return r.peakMiB; }));
        rows.push_back({"peak resident memory, VmHWM (MiB)", cell(gm, 1), cell(bm, 1),
                        fmt(gm.median / bm.median, 2), "≤ 1.5 × bare",
                        gm.median <= 1.5 * bm.median});

        const double pct = 100.0 / idleMs;
        const Stats oc = stats(column(g, [&](auto& r) { return r.openingIdle.runMs * pct; }));
        const Stats os = stats(column(g, [](auto& r) { return r.openingIdle.switches; }));
        const Stats gc = stats(column(g, [&](auto& r) { return r.gameIdle.runMs * pct; }));
        const Stats gt = stats(column(g, [](auto& r) { return r.gameIdle.cpuMs; }));
        const Stats gsw = stats(column(g, [](auto& r) { return r.gameIdle.switches; }));
        const Stats gmw = stats(column(g, [](auto& r) { return r.gameIdle.mainSwitches; }));
        const Stats bc = stats(column(b, [&](auto& r) { return r.idle.runMs * pct; }));
        const Stats bt = stats(column(b, [](auto& r) { return r.idle.cpuMs; }));
        const Stats bsw = stats(column(b, [](auto& r) { return r.idle.switches; }));
        const Stats bmw = stats(column(b, [](auto& r) { return r.idle.mainSwitches; }));
        rows.push_back(
            {"idle 10 s, opening: CPU (%, schedstat)", cell(oc, 3), cell(bc, 3), "", "", true});
        rows.push_back({"idle 10 s, opening: voluntary switches", cell(os, 0), cell(bsw, 0),
                        fmt(os.median / bsw.median, 2), "", true});
        rows.push_back({"idle 10 s, game screen, panel open: CPU (%, schedstat)", cell(gc, 3),
                        cell(bc, 3), "", "< 0.2 %, mean over 10 s", gc.max < 0.2});
        rows.push_back({"idle 10 s, game screen, panel open: utime + stime (ms)", cell(gt, 0),
                        cell(bt, 0), "", "< 20 ms (0.2 %), median", gt.median < 20});
        rows.push_back({"idle 10 s, game screen, panel open: voluntary switches", cell(gsw, 0),
                        cell(bsw, 0), fmt(gsw.median / bsw.median, 2), "≤ 1.5 × bare",
                        gsw.median <= 1.5 * bsw.median});
        rows.push_back({"… of which the main thread", cell(gmw, 0), cell(bmw, 0),
                        fmt(gmw.median / bmw.median, 2), "", true});
        const Stats jk = stats(column(g, [](auto& r) { return r.openingClock + r.gameClock; }));
        const Stats other = stats(column(g, [](auto& r) { return r.openingOther + r.gameOther; }));
        rows.push_back({"idle ticks of JIKOKU (both 10 s windows)", cell(jk, 0), "", "", "", true});
        rows.push_back(
            {"idle ticks of any other timer", cell(other, 0), "", "", "0", other.max == 0});

        for (std::size_t s = 0; s < 3; ++s) {
            std::vector<double> all;
            for (const GameRun& r : g)
                all.insert(all.end(), r.slides[s].begin(), r.slides[s].end());
            const Stats st = stats(all);
            rows.push_back({std::string("one-cell slide at ") + speedName[s] +
                                ", click to snap tick (ms; " + std::to_string(all.size()) +
                                " slides)",
                            cell(st, 1), "", "", "nominal " + fmt(slideNominal[s], 0) + " ± 17",
                            std::abs(st.median - slideNominal[s]) <= 17});
        }
        const Stats rw = stats(column(g, [](auto& r) { return r.rewardMs; }));
        rows.push_back({"reward, OK click to 52nd GOHOUBITIME tick (ms)", cell(rw, 1), "", "",
                        "nominal " + fmt(rewardNominal, 0) + " ± 17",
                        std::abs(rw.median - rewardNominal) <= 17});
        const Stats gap = stats(column(g, [](auto& r) { return r.maxGap; }));
        rows.push_back({"largest gap between consecutive slide or reward ticks (ms)", cell(gap, 1),
                        "", "", "≤ 70", gap.max <= 70});

        std::printf("\n%d runs; each cell: median (minimum–maximum).\n\n", runs);
        std::printf("| figure | tembira | bare Qt window | ratio | target | met |\n");
        std::printf("|---|---|---|---|---|---|\n");
        for (const Row& r : rows)
            std::printf("| %s | %s | %s | %s | %s | %s |\n", r.figure.c_str(), r.game.c_str(),
                        r.bare.c_str(), r.ratio.c_str(), r.target.c_str(),
                        r.target.empty() ? "" : yes(r.met));
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_driver: %s\n", e.what());
        return 1;
    }
}
