// One piece of slow work (a search, a board being made) off the event
// thread: on a thread of its own, stopped when replaced or destroyed. Where
// jobs run inline (a build without threads, or the script runner, whose
// scripts must not depend on the machine's speed) the work is done at once,
// when started.
#pragma once

#include <functional>
#include <optional>
#include <utility>
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

template <class T> class Job {
  public:
    using Work = std::function<T(solver::StopToken)>;

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
#if __cpp_lib_jthread
        return answer_.valid();
#else
        return answer_.has_value();
#endif
    }

    // Whether the answer can be taken without waiting.
    bool ready() const {
#if __cpp_lib_jthread
        return answer_.valid() &&
               answer_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
#else
        return answer_.has_value();
#endif
    }

    // Waits for the work to end.
    void wait() {
#if __cpp_lib_jthread
        if (answer_.valid())
            answer_.wait();
#endif
    }

    // The answer, once ready; the job is then idle.
    T take() {
#if __cpp_lib_jthread
        return answer_.get();
#else
        return *std::exchange(answer_, std::nullopt);
#endif
    }

    void cancel() {
#if __cpp_lib_jthread
        thread_ = {}; // stops and joins
        answer_ = {};
#else
        answer_.reset();
#endif
    }

  private:
#if __cpp_lib_jthread
    std::future<T> answer_;
    std::jthread thread_;
#else
    std::optional<T> answer_;
#endif
};

} // namespace tembira
