// tembira-solve [--stats] [FILE]: solves each board of FILE (or standard
// input), one a line as 16 numbers, and prints the fewest moves and the tiles
// to click. Lines it cannot solve get a message naming them and status 2.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "solver/solver.h"
#include "text/float_text.h"

namespace {

// Input as it may be shown on a terminal: the bytes that are not printable
// ASCII (a NUL, an escape sequence from a binary file) and the backslash
// escaped, and cut short past 60 characters.
std::string shownQuoted(const std::string& text) {
    constexpr std::size_t longest = 60;
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        // A buffer, not a string: GCC 12 at -O3 warns falsely about a short
        // string assigned a literal.
        char piece[8] = {c, '\0'};
        if (c == '\\')
            std::snprintf(piece, sizeof piece, "\\\\");
        else if (byte == 0)
            std::snprintf(piece, sizeof piece, "\\0");
        else if (byte < 0x20 || byte >= 0x7F)
            std::snprintf(piece, sizeof piece, "\\x%02x", unsigned(byte));
        const std::size_t size = std::strlen(piece);
        if (shown.size() + size > longest)
            return "'" + shown + "…'";
        shown.append(piece, size);
    }
    return "'" + shown + "'";
}

// The next line of in, without its end; false at the end of the input or on
// a read error (which ferror tells apart).
bool readLine(std::FILE* in, std::string& line) {
    line.clear();
    int c;
    while ((c = std::getc(in)) != EOF && c != '\n')
        line += char(c);
    return c == '\n' || (!line.empty() && !std::ferror(in));
}

// The board on a line, or nothing with why not in problem. A line with
// nothing but blanks and a comment gives nothing and no problem.
std::optional<solver::Board> readBoard(const std::string& line, std::string& problem) {
    std::istringstream words(line.substr(0, line.find('#')));
    solver::Board board{};
    int count = 0;
    for (std::string word; words >> word; ++count) {
        int value = -1;
        if (!tembira::parseInteger(word, value)) {
            problem = shownQuoted(word) + " is not a number";
            return std::nullopt;
        }
        if (count < 16)
            board[std::size_t(count)] = std::uint8_t(value < 0 || value > 15 ? 16 : value);
    }
    if (count == 0)
        return std::nullopt;
    if (count != 16)
        problem = "expected 16 numbers, found " + std::to_string(count);
    else if (!solver::isPermutation(board))
        problem = "the numbers are not 0 ... 15, each once";
    else if (!solver::solvable(board))
        problem = "this board cannot be solved (wrong permutation parity)";
    else
        return board;
    return std::nullopt;
}

// Solves the boards of in, which name names in messages.
int run(std::FILE* in, const std::string& name, bool withStats) {
    int status = 0;
    int number = 0;
    for (std::string line; readLine(in, line);) {
        ++number;
        std::string problem;
        const std::optional<solver::Board> board = readBoard(line, problem);
        if (!board) {
            if (!problem.empty()) {
                std::cerr << "line " << number << ": " << problem << "\n";
                status = 2;
            }
            continue;
        }
        solver::Stats stats;
        const std::vector<int> moves = *solver::solve(*board, {}, &stats);
        std::cout << moves.size() << ":";
        for (const int tile : moves)
            std::cout << " " << tile;
        std::cout << "\n" << std::flush;
        if (!std::cout) {
            std::cerr << "tembira-solve: cannot write the solutions\n";
            return 1;
        }
        if (withStats) {
            char time[32];
            std::snprintf(time, sizeof time, "%.3f ms", double(stats.time.count()) / 1e6);
            std::cerr << "line " << number << ": " << moves.size() << " moves, " << time << ", "
                      << stats.nodes << " nodes\n";
        }
    }
    // A read error (a folder, a failing disk) is not the end of the input.
    if (std::ferror(in)) {
        std::cerr << "tembira-solve: cannot read " << name << "\n";
        return 1;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    bool withStats = false;
    const char* path = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--stats" && !withStats)
            withStats = true;
        else if (argument.starts_with("-") || path) {
            std::cerr << "usage: tembira-solve [--stats] [FILE]\n";
            return 2;
        } else
            path = argv[i];
    }
    if (!path)
        return run(stdin, "standard input", withStats);
    const std::string name = shownQuoted(path);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        std::cerr << "tembira-solve: cannot read " << name << "\n";
        return 1;
    }
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        std::cerr << "tembira-solve: cannot read " << name << "\n";
        return 2;
    }
    const int status = run(file, name, withStats);
    std::fclose(file);
    return status;
}
