// One piece of slow work (a search, a board being made) off the event
// thread: on a thread of its own, stopped when replaced or destroyed. Where
// jobs run inline (a build without threads, or the script runner, whose
// scripts must not depend on the machine's speed) the work is done at once,
// when started. A program without threads may send the work elsewhere
// instead (the page, to its solver worker): described in numbers, answered
// later.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>
#include <vector>
#include <version>

#include "solver/solver.h"

#if __cpp_lib_jthread
#include <chrono>
#include <future>
#include <thread>
#endif

namespace tembira {

// Set once, before any job starts, by a program that wants every job done
// inline.
inline bool jobsInline = false;

// Work described in numbers, and its answer.
using JobNumbers = std::vector<std::int32_t>;

// Where work is sent when it is not done here. An answer comes once; work
// dropped before its answer came gets none.
class JobsElsewhere {
  public:
    virtual ~JobsElsewhere() = default;
    virtual int post(const JobNumbers& request) = 0; // a ticket
    virtual std::optional<JobNumbers> answer(int ticket) = 0;
    virtual void drop(int ticket) = 0;
};

// Set once, before any job starts, by a program that sends its jobs
// elsewhere; jobsInline wins.
inline JobsElsewhere* jobsElsewhere = nullptr;

template <class T> class Job {
  public:
    using Work = std::function<T(solver::StopToken)>;
    using Decode = std::function<T(const JobNumbers&)>;

    // Starts work that can be done elsewhere too: request describes it
    // there, decode reads the answer.
    void start(Work work, JobNumbers request, Decode decode) {
        cancel();
        if (!jobsElsewhere || jobsInline) {
            start(std::move(work));
            return;
        }
        ticket_ = jobsElsewhere->post(request);
        decode_ = std::move(decode);
    }

    Job() = default;
    Job(const Job&) = delete;
    Job& operator=(const Job&) = delete;
    ~Job() { cancel(); }

    // Starts work, stopping the work before it if any.
    void start(Work work) {
        cancel();
#if __cpp_lib_jthread
        if (jobsInline) {
            std::promise<T> promise;
            answer_ = promise.get_future();
            promise.set_value(work({}));
            return;
        }
        std::promise<T> promise;
        answer_ = promise.get_future();
        thread_ =
            std::jthread([work = std::move(work), promise = std::move(promise)](
                             std::stop_token stop) mutable { promise.set_value(work(stop)); });
#else
        answer_ = work(solver::StopToken{});
#endif
    }

    // Work started and its answer not taken yet.
    bool pending() const {
        if (ticket_)
            return true;
#if __cpp_lib_jthread
        return answer_.valid();
#else
        return answer_.has_value();
#endif
    }

    // Whether the answer can be taken without waiting.
    bool ready() {
        if (ticket_) {
            if (!answerElsewhere_)
                answerElsewhere_ = jobsElsewhere->answer(*ticket_);
            return answerElsewhere_.has_value();
        }
#if __cpp_lib_jthread
        return answer_.valid() &&
               answer_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
#else
        return answer_.has_value();
#endif
    }

    // Waits for the work to end (not for work done elsewhere, whose answer
    // comes only between events).
    void wait() {
#if __cpp_lib_jthread
        if (answer_.valid())
            answer_.wait();
#endif
    }

    // The answer, once ready; the job is then idle.
    T take() {
        if (ticket_) {
            ticket_.reset();
            return decode_(*std::exchange(answerElsewhere_, std::nullopt));
        }
#if __cpp_lib_jthread
        return answer_.get();
#else
        return *std::exchange(answer_, std::nullopt);
#endif
    }

    void cancel() {
        if (const std::optional<int> ticket = std::exchange(ticket_, std::nullopt);
            ticket && !answerElsewhere_)
            jobsElsewhere->drop(*ticket);
        answerElsewhere_.reset();
#if __cpp_lib_jthread
        thread_ = {}; // stops and joins
        answer_ = {};
#else
        answer_.reset();
#endif
    }

  private:
    std::optional<int> ticket_; // work sent elsewhere, its answer not taken
    std::optional<JobNumbers> answerElsewhere_;
    Decode decode_;
#if __cpp_lib_jthread
    std::future<T> answer_;
    std::jthread thread_;
#else
    std::optional<T> answer_;
#endif
};

} // namespace tembira
