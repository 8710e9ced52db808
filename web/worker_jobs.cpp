#include "web/worker_jobs.h"

#include <algorithm>

#include "web/page_dom.h"

namespace platform::web {

int WorkerJobs::post(const tembira::JobNumbers& request) {
    const int ticket = next_++;
    waiting_.emplace_back(ticket, request);
    sendNext();
    return ticket;
}

std::optional<tembira::JobNumbers> WorkerJobs::answer(int ticket) {
    const auto it = answers_.find(ticket);
    if (it == answers_.end())
        return std::nullopt;
    tembira::JobNumbers answer = std::move(it->second);
    answers_.erase(it);
    return answer;
}

void WorkerJobs::drop(int ticket) {
    std::erase_if(waiting_, [ticket](const auto& job) { return job.first == ticket; });
    answers_.erase(ticket);
    if (sent_ == ticket)
        sentDropped_ = true;
}

void WorkerJobs::answered(int ticket, tembira::JobNumbers answer) {
    if (sent_ != ticket)
        return;
    if (!sentDropped_)
        answers_[ticket] = std::move(answer);
    sent_.reset();
    sendNext();
}

void WorkerJobs::sendNext() {
    if (sent_ || waiting_.empty())
        return;
    auto [ticket, request] = std::move(waiting_.front());
    waiting_.pop_front();
    sent_ = ticket;
    sentDropped_ = false;
    page_worker_post(ticket, request.data(), int(request.size()));
}

} // namespace platform::web
