#include "web/web_clock.h"

#include <emscripten/eventloop.h>

#include <cstdlib>
#include <memory>

#include "platform/timer.h"
#include "web/dom.h"

namespace platform::web {

namespace {

// The one clock of the page, for the interval callbacks.
WebClock* theClock = nullptr;

std::string timeText(int numeric) {
    const std::unique_ptr<char, decltype(&std::free)> text(dom_time_of_day(numeric), std::free);
    return text ? text.get() : "";
}

} // namespace

WebClock::WebClock() {
    theClock = this;
}

WebClock::~WebClock() {
    for (const auto& [timer, interval] : running_)
        emscripten_clear_interval(interval);
    if (theClock == this)
        theClock = nullptr;
}

void WebClock::tick(void* data) {
    auto* timer = static_cast<platform::Timer*>(data);
    // A tick already due when the timer was switched off or the program
    // ended is dropped.
    if (theClock && !theClock->ended_ && timer->enabled() && timer->onTick)
        timer->onTick();
}

void WebClock::timerSwitched(platform::Timer& timer) {
    if (ended_)
        return;
    const auto found = running_.find(&timer);
    if (timer.enabled() && found == running_.end())
        running_[&timer] = emscripten_set_interval(tick, timer.interval(), &timer);
    else if (!timer.enabled() && found != running_.end()) {
        emscripten_clear_interval(found->second);
        running_.erase(found);
    }
}

void WebClock::timerDestroyed(platform::Timer& timer) {
    const auto found = running_.find(&timer);
    if (found != running_.end()) {
        emscripten_clear_interval(found->second);
        running_.erase(found);
    }
}

std::int64_t WebClock::now() const {
    return std::int64_t(emscripten_get_now() - start_);
}

std::string WebClock::timeOfDayText() {
    std::string text = timeText(0);
    if (timeFits && !timeFits(text))
        text = timeText(1);
    return text;
}

void WebClock::endProgram() {
    if (ended_)
        return;
    ended_ = true;
    for (const auto& [timer, interval] : running_)
        emscripten_clear_interval(interval);
    running_.clear();
    if (onEnd)
        onEnd();
}

} // namespace platform::web
