// tembira-solve end to end: a solution line for each board, one message for
// each line it cannot solve (naming the line) and status 2, the other lines
// still solved; an unreadable file and an unwritable output.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/program.h"

namespace fs = std::filesystem;

namespace {

using tembira::testing::readFile;
using tembira::testing::Result;

// Runs tembira-solve with arguments (already quoted for the shell), input on
// its standard input and its standard output going to output.
Result solve(const std::string& arguments, const std::string& input,
             const std::string& output = "") {
    static int count = 0;
    const fs::path dir =
        fs::path(::testing::TempDir()) /
        ("tembira-solve-" + std::to_string(getpid()) + "-" + std::to_string(++count));
    fs::create_directories(dir);
    std::ofstream(dir / "in", std::ios::binary) << input;
    const fs::path out = output.empty() ? dir / "out" : fs::path(output);
    const std::string command = std::string("'") + SOLVE_PROGRAM + "' " + arguments + " <'" +
                                (dir / "in").string() + "' >'" + out.string() + "' 2>'" +
                                (dir / "err").string() + "'";
    Result r;
    r.status = tembira::testing::runShell(command);
    r.out = output.empty() ? readFile(out) : "";
    r.err = readFile(dir / "err");
    fs::remove_all(dir);
    return r;
}

} // namespace

TEST(SolveProgram, SolvesEachGoodLineAndNamesEachBadOne) {
    const Result r = solve("", "# boards, one a line\n"
                               "\n"
                               "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 0\n"
                               "1 2 3 4 5 6 7 8 9 10 11 12 13 14 0 15   # one move\n"
                               "1 2 3\n"
                               "1 2 3 4 5 6 7 8 9 10 11 12 13 15 14 0\n"
                               "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 15\n"
                               "1 2 3 4 5 6 7 8 9 10 11 12 13 14 x 0\n"
                               "1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 0 0\n"
                               "\t2 15 3 14 10 4 12 9 13 5 6 11 7 1 8 0");
    EXPECT_EQ(r.status, 2);
    std::istringstream out(r.out);
    std::string line;
    ASSERT_TRUE(std::getline(out, line));
    EXPECT_EQ(line, "0:");
    ASSERT_TRUE(std::getline(out, line));
    EXPECT_EQ(line, "1: 15");
    ASSERT_TRUE(std::getline(out, line));
    EXPECT_EQ(line.substr(0, 4), "50: ");
    EXPECT_EQ(std::count(line.begin(), line.end(), ' '), 50);
    EXPECT_FALSE(std::getline(out, line));
    EXPECT_EQ(r.err, "line 5: expected 16 numbers, found 3\n"
                     "line 6: this board cannot be solved (wrong permutation parity)\n"
                     "line 7: the numbers are not 0 ... 15, each once\n"
                     "line 8: 'x' is not a number\n"
                     "line 9: expected 16 numbers, found 17\n");
}

TEST(SolveProgram, ReadsAFileWithStatsAndReportsWhatItCannotDo) {
    const fs::path boards = fs::path(::testing::TempDir()) / "tembira-solve-boards.txt";
    std::ofstream(boards) << "1 2 3 4 5 6 7 8 9 10 11 12 13 14 0 15\n";
    Result r = solve("--stats '" + boards.string() + "'", "");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "1: 15\n");
    EXPECT_TRUE(r.err.starts_with("line 1: 1 moves, ")) << r.err;
    EXPECT_TRUE(r.err.ends_with(" nodes\n")) << r.err;
    fs::remove(boards);

    r = solve("'" + boards.string() + "'", "");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.out, "");

    if (fs::exists("/dev/full")) {
        r = solve("", "1 2 3 4 5 6 7 8 9 10 11 12 13 14 0 15\n", "/dev/full");
        EXPECT_NE(r.status, 0);
        EXPECT_EQ(r.err, "tembira-solve: cannot write the solutions\n");
    }
}

// A folder read as a file fails to read rather than ending; input from a
// binary file is quoted with its non-printable bytes escaped and cut short.
TEST(SolveProgram, SaysWhatItCannotReadAndQuotesInputSafely) {
    const fs::path folder = fs::path(::testing::TempDir()) / "tembira-solve-folder";
    fs::create_directories(folder);
    Result r = solve("'" + folder.string() + "'", "");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "tembira-solve: cannot read '" + folder.string() + "'\n");
    EXPECT_EQ(r.out, "");

    const fs::path err = folder / "err";
    const int status =
        tembira::testing::runShell(std::string("'") + SOLVE_PROGRAM + "' <'" + folder.string() +
                                   "' >/dev/null 2>'" + err.string() + "'");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(readFile(err), "tembira-solve: cannot read standard input\n");
    fs::remove_all(folder);

    r = solve("", std::string("1 \x1b[2J\\ 3\n2 ") + '\0' + "x\n" + std::string(70, 'y') +
                      "\n1 2 3 4 5 6 7 8 9 10 11 12 13 14 0 15");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "1: 15\n");
    EXPECT_EQ(r.err, "line 1: '\\x1b[2J\\\\' is not a number\n"
                     "line 2: '\\0x' is not a number\n"
                     "line 3: '" +
                         std::string(60, 'y') + "…' is not a number\n");
}
