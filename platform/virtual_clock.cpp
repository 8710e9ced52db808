#include <algorithm>
#include <cstdio>

#include "platform/clock.h"
#include "platform/timer.h"

namespace platform {

void VirtualClock::timerSwitched(Timer& timer) {
    std::erase_if(running_, [&](const Schedule& s) { return s.timer == &timer; });
    if (timer.enabled())
        running_.push_back({&timer, now_ + timer.interval(), ++switches_});
}

void VirtualClock::timerDestroyed(Timer& timer) {
    std::erase_if(running_, [&](const Schedule& s) { return s.timer == &timer; });
}

void VirtualClock::advance(std::int64_t ms) {
    const std::int64_t end = now_ + ms;
    while (!ended_) {
        auto next = std::min_element(running_.begin(), running_.end(), [](auto& a, auto& b) {
            return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
        if (next == running_.end() || next->due > end)
            break;
        now_ = next->due;
        Timer* timer = next->timer;
        next->due += timer->interval();
        if (timer->onTick)
            timer->onTick();
    }
    if (!ended_)
        now_ = end;
}

void VirtualClock::setTimeOfDay(int secondsSinceMidnight) {
    dayBase_ = std::int64_t(secondsSinceMidnight) * 1000 - now_;
}

std::string VirtualClock::timeOfDayText() {
    constexpr std::int64_t day = 24 * 3600;
    std::int64_t s = ((dayBase_ + now_) / 1000 % day + day) % day;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", int(s / 3600), int(s / 60 % 60),
                  int(s % 60));
    return text;
}

} // namespace platform
