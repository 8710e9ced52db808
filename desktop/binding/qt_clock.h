// The clock of the real program: each game timer runs on a QTimer of the GUI
// thread, and ending the program ends Qt's event loop.
#pragma once

#include <QTimer>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>

#include "platform/clock.h"

namespace platform::qt {

class QtClock final : public platform::Clock {
  public:
    // When the environment variable TEMBIRA_TICK_LOG names a file, every tick
    // delivered and every click noted is appended to it as one line:
    // milliseconds since the clock was made (steady clock, 0.01 ms), then
    // "tick NAME" or "click NAME". For measuring and testing; off when unset.
    QtClock();
    QtClock(const QtClock&) = delete;
    QtClock& operator=(const QtClock&) = delete;
    ~QtClock();

    void timerSwitched(platform::Timer& timer) override;
    void timerDestroyed(platform::Timer& timer) override;
    std::int64_t now() const override;
    // The time in the user's locale: its own long form, or where that would
    // not fit (timeFits), its numeric form with seconds.
    std::string timeOfDayText() override;
    std::function<bool(const std::string&)> timeFits;
    // Stops every timer and leaves the event loop with status 0; once ended,
    // no tick is delivered and no timer starts again.
    void endProgram() override;

    bool ended() const { return ended_; }
    // Whether timer's QTimer is running.
    bool running(const platform::Timer& timer) const;
    // Logs a click about to reach the control named, when logging is on.
    void noteClick(const std::string& name);

  private:
    std::map<const platform::Timer*, std::unique_ptr<QTimer>> timers_;
    bool ended_ = false;
    void log(const char* what, const char* name);
    std::FILE* log_ = nullptr;
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace platform::qt
