// The script runner end to end: every NAME.script in the scripts folder must
// print exactly NAME.out (and, where given, NAME.err and exit with the status
// in NAME.status); a bad line stops a script with one message and status 2.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/program.h"
#include "tests/support/seed.h"

namespace fs = std::filesystem;

namespace {

using tembira::testing::readFile;
using tembira::testing::Result;
using tembira::testing::runShell;

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string quoted(const std::string& word) {
    std::string out = "'";
    for (char c : word)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

// A folder of its own for the files of one test.
fs::path scratch() {
    static int count = 0;
    fs::path dir = fs::path(::testing::TempDir()) /
                   ("tembira-script-" + std::to_string(getpid()) + "-" + std::to_string(++count));
    fs::create_directories(dir);
    return dir;
}

// Runs the script runner with the given arguments and standard input.
Result runRunner(const std::string& arguments, const fs::path& input = "/dev/null") {
    const fs::path dir = scratch();
    const std::string command = quoted(SCRIPT_RUNNER) + " " + arguments + " <" +
                                quoted(input.string()) + " >" + quoted((dir / "out").string()) +
                                " 2>" + quoted((dir / "err").string());
    Result r;
    r.status = runShell(command);
    r.out = readFile(dir / "out");
    r.err = readFile(dir / "err");
    fs::remove_all(dir);
    return r;
}

Result runFile(const fs::path& script) {
    return runRunner(quoted(script.string()));
}

Result runText(const std::string& text) {
    const fs::path dir = scratch();
    writeFile(dir / "in.script", text);
    Result r = runFile(dir / "in.script");
    fs::remove_all(dir);
    return r;
}

int lineCount(const std::string& text) {
    return int(std::count(text.begin(), text.end(), '\n'));
}

std::vector<std::string> scriptNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(SCRIPTS_DIR))
        if (entry.path().extension() == ".script")
            names.push_back(entry.path().stem().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

struct Script : ::testing::TestWithParam<std::string> {};

} // namespace

TEST_P(Script, PrintsWhatItsOutFileHolds) {
    const fs::path base = fs::path(SCRIPTS_DIR) / GetParam();
    const fs::path out = base.string() + ".out";
    const fs::path err = base.string() + ".err";
    const fs::path status = base.string() + ".status";
    ASSERT_TRUE(fs::exists(out)) << out;
    const Result r = runFile(base.string() + ".script");
    EXPECT_EQ(r.out, readFile(out));
    EXPECT_EQ(r.err, fs::exists(err) ? readFile(err) : "");
    EXPECT_EQ(r.status, fs::exists(status) ? std::stoi(readFile(status)) : 0);
}

INSTANTIATE_TEST_SUITE_P(Scripts, Script, ::testing::ValuesIn(scriptNames()), testName);

TEST(ScriptRunner, ReadsStandardInputAndWindowsLineEnds) {
    const std::string script = "wait 1\nclick HAJIME # a comment\nprint Form1.Height\nprint time\n";
    Result piped;
    {
        const fs::path dir = scratch();
        writeFile(dir / "in", script);
        piped = runRunner("", dir / "in");
        fs::remove_all(dir);
    }
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.err, "");
    EXPECT_EQ(piped.out, "Form1.Height=5130\ntime=1\n");

    std::string crlf;
    for (char c : script)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    const Result r = runText(crlf);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, piped.out);
}

// Each bad line stops the script at once: the lines before it have run, the
// line after it has not, and one message names the line.
TEST(ScriptRunner, BadLinesStopTheScriptWithOneMessage) {
    struct Case {
        const char* bad;
        const char* message;
    };
    const Case cases[] = {
        {"wiat 10", "unknown command 'wiat'"},
        {"Click START", "unknown command 'Click'"},
        {"click PANEL16", "unknown control 'PANEL16'"},
        {"click JIKOKU", "unknown control 'JIKOKU'"},
        {"print PANEL1.Colour", "unknown property or variable 'PANEL1.Colour'"},
        {"print PANEL0.Left", "unknown property or variable 'PANEL0.Left'"},
        {"print START.ForeColor", "unknown property or variable 'START.ForeColor'"},
        {"print TIME1.Caption", "unknown property or variable 'TIME1.Caption'"},
        {"print JIKOKU.Visible", "unknown property or variable 'JIKOKU.Visible'"},
        {"print EMPTY(17)", "unknown property or variable 'EMPTY(17)'"},
        {"print step", "unknown property or variable 'step'"},
        {"click", "missing argument to 'click'"},
        {"clickat 100", "missing argument to 'clickat'"},
        {"wait", "missing argument to 'wait'"},
        {"clock", "missing argument to 'clock'"},
        {"print", "missing argument to 'print'"},
        {"wait 1 2", "unexpected '2'"},
        {"dump all", "unexpected 'all'"},
        {"wait soon", "not a wait in milliseconds 'soon'"},
        {"wait 1.5", "not a wait in milliseconds '1.5'"},
        {"wait 99999999999999999999", "not a wait in milliseconds '99999999999999999999'"},
        {"clickat 10 x", "not a number 'x'"},
        {"clickat 1,5 10", "not a number '1,5'"},
        {"clickat nan nan", "not a number 'nan'"},
        {"clickat 0 -inf", "not a number '-inf'"},
        {"clickat infinity 0", "not a number 'infinity'"},
        {"wait 1#2", "not a wait in milliseconds '1#2'"},
        {"wait -1", "not a wait in milliseconds '-1'"},
        {"wait 86400001", "a wait longer than a day '86400001'"},
        {"wait 9223372036854775807", "a wait longer than a day '9223372036854775807'"},
        {"clock +1:02:03", "not a time of day HH:MM:SS '+1:02:03'"},
        {"clock -0:00:00", "not a time of day HH:MM:SS '-0:00:00'"},
        {"clock 24:00:00", "not a time of day HH:MM:SS '24:00:00'"},
        {"clock 12:60:00", "not a time of day HH:MM:SS '12:60:00'"},
        {"clock 12:00:60", "not a time of day HH:MM:SS '12:00:60'"},
        {"clock 7:00:00", "not a time of day HH:MM:SS '7:00:00'"},
        {"clock 12-00-00", "not a time of day HH:MM:SS '12-00-00'"},
        {"clock noon", "not a time of day HH:MM:SS 'noon'"},
        {"key", "missing argument to 'key'"},
        {"key Home", "unknown key 'Home'"},
        {"key left", "unknown key 'left'"},
    };
    for (const Case& c : cases) {
        // Blank lines and comments count as lines.
        const std::string script =
            "wait 1\n\n# before the bad line\nprint time\n" + std::string(c.bad) + "\nprint time\n";
        const Result r = runText(script);
        EXPECT_EQ(r.status, 2) << c.bad;
        EXPECT_EQ(r.out, "time=1\n") << c.bad;
        EXPECT_EQ(r.err, "line 5: " + std::string(c.message) + "\n") << c.bad;
    }
}

TEST(ScriptRunner, UnreadableFileIsLineZero) {
    const fs::path dir = scratch();
    for (const fs::path& path : {dir / "no such.script", dir}) {
        const Result r = runFile(path);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "line 0: cannot read '" + path.string() + "'\n");
    }
    fs::remove_all(dir);
}

// Input that fails to read, output that fails to write and a line of 100 000
// characters each end the run with one message and status 2.
TEST(ScriptRunner, ReadWriteAndLengthFailuresAreReported) {
    const fs::path dir = scratch();
    auto shell = [&](const std::string& redirections) {
        const std::string command =
            quoted(SCRIPT_RUNNER) + " " + redirections + " 2>" + quoted((dir / "err").string());
        const int status = runShell(command);
        return std::make_pair(status, readFile(dir / "err"));
    };
    const auto unreadable = std::make_pair(2, std::string("line 1: cannot read standard input\n"));
    EXPECT_EQ(shell("<" + quoted(dir.string()) + " >/dev/null"), unreadable);
    EXPECT_EQ(shell("<&- >/dev/null"), unreadable);
    EXPECT_EQ(shell(quoted(SCRIPTS_DIR "/whole_game.script") + " >/dev/full"),
              std::make_pair(2, std::string("tembira-script: cannot write standard output\n")));

    const Result r = runText("print time\nwait " + std::string(100000, '1') + "\nprint time\n");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "time=0\n");
    EXPECT_EQ(r.err, "line 2: longer than 65536 characters\n");
    fs::remove_all(dir);
}

namespace {

// Lines for the fuzz: mostly meaningful commands, and now and then garbage.
struct LineMaker {
    std::mt19937 random;
    bool garbage;

    explicit LineMaker(unsigned seed, bool withGarbage) : random(seed), garbage(withGarbage) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    template <class T> const T& pick(const std::vector<T>& v) {
        return v[std::size_t(below(int(v.size())))];
    }

    std::string control() {
        static const std::vector<std::string> fixed{
            "START",   "HANTEI",  "OPTION1",  "SIMERU",   "HAJIME",  "TAITOL1", "TAITOL2",
            "TAITOL3", "SPEED1",  "SPEED2",   "SPEED3",   "TAITOL",  "TIME1",   "MESSEGE",
            "GOHOUBI", "Opening", "GOHOUBI1", "Picture1", "TAITOLa", "SPEED",   "Form1"};
        if (below(2))
            return "PANEL" + std::to_string(1 + below(15));
        return pick(fixed);
    }

    std::string key() {
        // Properties every kind of control has; the window has the last two.
        static const std::vector<std::string> properties{"Left",    "Top",   "Visible",
                                                         "Enabled", "Width", "Height"};
        static const std::vector<std::string> variables{
            "PICKNO", "STEP", "GOALLEFT", "GOALTOP", "PICKLEFT", "time", "EMPTY(16)", "HOMETOP(3)"};
        switch (below(3)) {
        case 0:
            return pick(variables);
        case 1:
            return pick(std::vector<std::string>{"PUM", "PDM", "MADA", "GOHOUBITIME", "FIN"}) +
                   ".Enabled";
        default:
            const std::string name = control();
            return name + "." + (name == "Form1" ? "Height" : pick(properties));
        }
    }

    std::string junk() {
        static const std::vector<std::string> words{"wiat",
                                                    "click",
                                                    "print",
                                                    "clickat",
                                                    "wait",
                                                    "clock",
                                                    "dump",
                                                    "PANEL99",
                                                    "-5",
                                                    "1e9",
                                                    "nan",
                                                    "inf",
                                                    "::",
                                                    "完成",
                                                    "まだです",
                                                    "#",
                                                    "\t",
                                                    "99:99:99",
                                                    "12:00:00",
                                                    "0x10",
                                                    "",
                                                    "PANEL1.",
                                                    ".Left",
                                                    "START.ForeColor",
                                                    "EMPTY(0)",
                                                    "((",
                                                    "\xff\xfe",
                                                    std::string(300, 'x'),
                                                    "-9223372036854775808",
                                                    "1.0",
                                                    "  ",
                                                    "END1"};
        std::string line;
        for (int n = below(4); n >= 0; --n)
            line += pick(words) + (below(4) ? " " : "");
        return line;
    }

    std::string line(bool allowEnd) {
        if (garbage && below(40) == 0)
            return junk();
        switch (below(12)) {
        case 0:
        case 1:
        case 2:
            return "click " + control();
        case 3:
            return "clickat " + std::to_string(below(4800) - 200) + " " +
                   std::to_string(below(7000) - 200) + (below(2) ? ".5" : "");
        case 4:
        case 5:
            return "wait " + std::to_string(below(3) ? below(60) : below(1500));
        case 6:
            return "clock " + std::string(below(2) ? "0" : "1") + std::to_string(below(10)) + ":" +
                   std::to_string(below(6)) + std::to_string(below(10)) + ":" +
                   std::to_string(below(6)) + std::to_string(below(10));
        case 7:
            return below(50) == 0 ? "dump" : "print time";
        case 8:
            return allowEnd && below(30) == 0 ? "click END1" : "# comment";
        case 9:
            return "key " +
                   pick(std::vector<std::string>{"Left", "Right", "Up", "Down", "Return", "Space"});
        default:
            return "print " + key();
        }
    }
};

} // namespace

TEST(ScriptRunner, RandomLinesNeverCrashTheRunner) {
    const unsigned seed = tembira::testing::testSeed("TEMBIRA_FUZZ_SEED", 20240607);
    // One long run of sound lines: it must get to its end.
    {
        LineMaker make(seed, false);
        std::string script;
        for (int i = 0; i < 3000; ++i)
            script += make.line(false) + "\n";
        const Result r = runText(script);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
    }
    // Many shorter runs with garbage mixed in: status 0 or 2 only, and one
    // message exactly when the status is 2.
    for (unsigned run = 1; run <= 60; ++run) {
        LineMaker make(seed + run, true);
        std::string script;
        for (int i = 0; i < 80; ++i)
            script += make.line(true) + "\n";
        const Result r = runText(script);
        ASSERT_TRUE(r.status == 0 || r.status == 2) << "run " << run << " status " << r.status;
        if (r.status == 2) {
            EXPECT_EQ(lineCount(r.err), 1) << "run " << run;
            EXPECT_EQ(r.err.rfind("line ", 0), 0u) << "run " << run << ": " << r.err;
        } else {
            EXPECT_EQ(r.err, "") << "run " << run;
        }
        // Nothing is printed after the end of the program.
        const auto end = ("\n" + r.out).find("\nEND\n");
        if (end != std::string::npos) {
            EXPECT_EQ(end + 4, r.out.size()) << "run " << run;
            EXPECT_EQ(r.status, 0) << "run " << run;
        }
    }
}

// With --records the runner keeps its records in the file, as the desktop
// does: a second run adds to what the first recorded.
TEST(ScriptRunner, RecordsFileKeepsResultsAcrossRuns) {
    const fs::path dir = scratch();
    const fs::path records = dir / "records.txt";
    const std::string args =
        "--records " + quoted(records.string()) + " " + quoted(SCRIPTS_DIR "/play_on.script");
    const Result first = runRunner(args);
    ASSERT_EQ(first.status, 0) << first.err;
    const Result second = runRunner(args);
    EXPECT_NE(second.out.find("やさしい solved=2 assisted=2"), std::string::npos) << second.out;
    EXPECT_NE(readFile(records).find("anteater 2 2 - - -"), std::string::npos);
    EXPECT_EQ(runRunner("--records").status, 2) << "a missing file name";
    fs::remove_all(dir);
}
