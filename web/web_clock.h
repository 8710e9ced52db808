// The browser's clock: each game timer runs on the page's own interval
// timer, and ending the program stops them all and leaves a quiet page, as
// a tab cannot be closed by the page itself.
#pragma once

#include <emscripten/emscripten.h>

#include <functional>
#include <map>
#include <string>

#include "platform/clock.h"

namespace platform::web {

class WebClock final : public platform::Clock {
  public:
    WebClock();
    WebClock(const WebClock&) = delete;
    WebClock& operator=(const WebClock&) = delete;
    ~WebClock();

    // A timer's period starts when it is switched on; a second report of
    // "on" keeps its period.
    void timerSwitched(platform::Timer& timer) override;
    void timerDestroyed(platform::Timer& timer) override;
    std::int64_t now() const override;
    // The time in the browser's locale: its usual form, or where that would
    // not fit (timeFits), numeric with seconds.
    std::string timeOfDayText() override;
    std::function<bool(const std::string&)> timeFits;
    // Stops every timer; no tick is delivered and no timer starts again.
    void endProgram() override;
    bool ended() const { return ended_; }
    // Runs once the program has ended.
    std::function<void()> onEnd;

  private:
    static void tick(void* timer);
    std::map<platform::Timer*, long> running_; // timer to interval id
    bool ended_ = false;
    double start_ = emscripten_get_now(); // ms, the page's monotonic clock
};

} // namespace platform::web
