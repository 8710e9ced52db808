// A search as work sent elsewhere (job.h) describes it: the request is 0 and
// the board's 16 cells; the answer is 1 and the path's tiles, or 0 alone
// when the search found none.
#pragma once

#include <optional>
#include <vector>

#include "assist/job.h"
#include "solver/solver.h"

namespace tembira {

inline constexpr std::int32_t solveRequestKind = 0;

inline JobNumbers solveRequest(const solver::Board& board) {
    JobNumbers request{solveRequestKind};
    request.insert(request.end(), board.begin(), board.end());
    return request;
}

inline std::optional<std::vector<int>> solveAnswerRead(const JobNumbers& answer) {
    if (answer.empty() || answer[0] != 1)
        return std::nullopt;
    return std::vector<int>(answer.begin() + 1, answer.end());
}

// The answer, worked out here: what the place the work is sent to runs.
inline JobNumbers solveAnswered(const JobNumbers& request) {
    solver::Board board{};
    if (request.size() != 1 + board.size())
        return {0};
    for (std::size_t i = 0; i < board.size(); ++i)
        board[i] = std::uint8_t(request[i + 1]);
    const std::optional<std::vector<int>> path = solver::solve(board);
    if (!path)
        return {0};
    JobNumbers answer{1};
    answer.insert(answer.end(), path->begin(), path->end());
    return answer;
}

} // namespace tembira
