#include "play/levels.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace tembira {

namespace {

constexpr int emptyGoal = 15; // the cell index (from 0) left empty

int emptyOf(const solver::Board& b) {
    return int(std::find(b.begin(), b.end(), 0) - b.begin());
}

// A walk of the empty cell from the goal, never straight back, then home to
// the bottom right corner: boards near the goal.
solver::Board walk(int steps, std::mt19937_64& random) {
    solver::Board b = solver::goal;
    int e = emptyGoal, last = -1;
    for (int i = 0; i < steps;) {
        static constexpr std::array<int, 4> step{-4, 4, -1, 1};
        const int d = step[random() % 4];
        const int to = e + d;
        if (to < 0 || to > 15 || ((d == 1 || d == -1) && to / 4 != e / 4) || to == last)
            continue;
        std::swap(b[std::size_t(e)], b[std::size_t(to)]);
        last = e;
        e = to;
        ++i;
    }
    while (e % 4 < 3) {
        std::swap(b[std::size_t(e)], b[std::size_t(e + 1)]);
        ++e;
    }
    while (e < 12) {
        std::swap(b[std::size_t(e)], b[std::size_t(e + 4)]);
        e += 4;
    }
    return b;
}

// Any solvable board with the empty cell home, all equally likely.
solver::Board anyBoard(std::mt19937_64& random) {
    solver::Board b = solver::goal;
    std::shuffle(b.begin(), b.begin() + 15, random);
    if (!solver::solvable(b))
        std::swap(b[0], b[1]);
    return b;
}

// Manhattan distance plus two for every pair of tiles in each other's way on
// their home row or column: a quick estimate (not a bound: it counts a row of
// three reversed tiles twice over), to pass over boards that are unlikely to
// be hard without solving them.
int roughness(const solver::Board& b) {
    int sum = 0;
    for (int i = 0; i < 16; ++i) {
        const int t = b[std::size_t(i)];
        if (t == 0)
            continue;
        sum += std::abs(i / 4 - (t - 1) / 4) + std::abs(i % 4 - (t - 1) % 4);
        for (int j = i + 1; j < 16; ++j) {
            const int u = b[std::size_t(j)];
            if (u == 0)
                continue;
            if (i / 4 == j / 4 && (t - 1) / 4 == i / 4 && (u - 1) / 4 == i / 4 && u < t)
                sum += 2;
            if (i % 4 == j % 4 && (t - 1) % 4 == i % 4 && (u - 1) % 4 == i % 4 && u < t)
                sum += 2;
        }
    }
    return sum;
}

} // namespace

Band band(int level) {
    static constexpr Band bands[3] = {{20, 30}, {40, 50}, {58, 80}};
    return bands[level - 1];
}

std::optional<NewBoard> makeBoard(int level, std::mt19937_64& random, solver::StopToken stop) {
    const Band want = band(level);
    while (!stop.stop_requested()) {
        solver::Board b;
        if (level == 1)
            b = walk(28 + int(random() % 16), random);
        else if (level == 2)
            b = walk(70 + int(random() % 60), random);
        else {
            b = anyBoard(random);
            if (roughness(b) < 46)
                continue;
        }
        if (emptyOf(b) != emptyGoal || b == solver::goal)
            continue;
        const auto path = solver::solve(b, stop);
        if (!path)
            return std::nullopt;
        const int length = int(path->size());
        if (length >= want.fewest && length <= want.most)
            return NewBoard{b, length};
    }
    return std::nullopt;
}

} // namespace tembira

namespace tembira {

std::vector<std::int32_t> makeRequest(int level, std::uint64_t seed) {
    return {makeRequestKind, level, std::int32_t(std::uint32_t(seed & 0xffffffffu)),
            std::int32_t(std::uint32_t(seed >> 32))};
}

std::optional<NewBoard> makeAnswerRead(const std::vector<std::int32_t>& answer) {
    NewBoard made;
    if (answer.size() != 2 + made.board.size() || answer[0] != 1)
        return std::nullopt;
    for (std::size_t i = 0; i < made.board.size(); ++i)
        made.board[i] = std::uint8_t(answer[i + 1]);
    made.shortest = answer.back();
    return made;
}

std::vector<std::int32_t> makeAnswered(const std::vector<std::int32_t>& request) {
    if (request.size() != 4)
        return {0};
    const std::uint64_t seed =
        std::uint64_t(std::uint32_t(request[2])) | std::uint64_t(std::uint32_t(request[3])) << 32;
    std::mt19937_64 random(seed);
    const std::optional<NewBoard> made = makeBoard(request[1], random);
    if (!made)
        return {0};
    std::vector<std::int32_t> answer{1};
    answer.insert(answer.end(), made->board.begin(), made->board.end());
    answer.push_back(made->shortest);
    return answer;
}

} // namespace tembira
