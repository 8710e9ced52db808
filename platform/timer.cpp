#include "platform/timer.h"

#include "platform/clock.h"

namespace platform {

Timer::Timer(std::string name, int interval, bool enabled)
    : name_(std::move(name)), interval_(interval < 1 ? 1 : interval), enabled_(enabled) {}

Timer::~Timer() {
    if (clock_)
        clock_->timerDestroyed(*this);
}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    if (clock_)
        clock_->timerSwitched(*this);
}

void Timer::attach(Clock& clock) {
    clock_ = &clock;
    if (enabled_)
        clock.timerSwitched(*this);
}

} // namespace platform
