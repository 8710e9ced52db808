// The page's jobs (assist/job.h) sent to the solver worker, so that no
// search ever runs on the page's thread. One request is with the worker at
// a time and the rest wait here, so that work dropped before it was sent
// (the board changed, another board was asked for) is never done.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <utility>

#include "assist/job.h"

namespace platform::web {

class WorkerJobs final : public tembira::JobsElsewhere {
  public:
    int post(const tembira::JobNumbers& request) override;
    std::optional<tembira::JobNumbers> answer(int ticket) override;
    void drop(int ticket) override;
    // The worker's answer to the request it was sent.
    void answered(int ticket, tembira::JobNumbers answer);

  private:
    void sendNext();

    int next_ = 1;
    std::deque<std::pair<int, tembira::JobNumbers>> waiting_;
    std::optional<int> sent_;
    bool sentDropped_ = false;
    std::map<int, tembira::JobNumbers> answers_;
};

} // namespace platform::web
