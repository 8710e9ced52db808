// The page's solver worker (solver_worker.js runs it): the searches and the
// new boards the page sends, done off the page's thread, on tables given
// from the file the build made, or else computed at the first search.
#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "assist/solve_request.h"
#include "play/levels.h"
#include "solver/pattern_tables.h"

extern "C" {

// The tables' bytes: 1 when taken (the size the solver expects).
EMSCRIPTEN_KEEPALIVE int tembira_tables(const std::uint8_t* bytes, int size) {
    return solver::installPatternTables(std::vector<std::uint8_t>(bytes, bytes + size));
}

// The answer to a request of count numbers, in a block the caller frees:
// its count of numbers first, then the numbers.
EMSCRIPTEN_KEEPALIVE std::int32_t* tembira_work(const std::int32_t* numbers, int count) {
    const tembira::JobNumbers request(numbers, numbers + count);
    tembira::JobNumbers answer{0};
    if (!request.empty() && request[0] == tembira::solveRequestKind)
        answer = tembira::solveAnswered(request);
    else if (!request.empty() && request[0] == tembira::makeRequestKind)
        answer = tembira::makeAnswered(request);
    auto* block =
        static_cast<std::int32_t*>(std::malloc((answer.size() + 1) * sizeof(std::int32_t)));
    block[0] = std::int32_t(answer.size());
    std::memcpy(block + 1, answer.data(), answer.size() * sizeof(std::int32_t));
    return block;
}
}

int main() {
    return 0;
}
