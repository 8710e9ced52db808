// The clock of the real program: each game timer runs on a QTimer of the GUI
// thread, and ending the program ends Qt's event loop.
#pragma once

#include <QTimer>
#include <map>
#include <memory>

#include "platform/clock.h"

namespace platform::qt {

class QtClock final : public platform::Clock {
  public:
    QtClock() = default;
    QtClock(const QtClock&) = delete;
    QtClock& operator=(const QtClock&) = delete;
    ~QtClock();

    void timerSwitched(platform::Timer& timer) override;
    std::string timeOfDayText() override;
    // Stops every timer and leaves the event loop with status 0; once ended,
    // no tick is delivered and no timer starts again.
    void endProgram() override;

    bool ended() const { return ended_; }
    // Whether timer's QTimer is running.
    bool running(const platform::Timer& timer) const;

  private:
    std::map<const platform::Timer*, std::unique_ptr<QTimer>> timers_;
    bool ended_ = false;
};

} // namespace platform::qt
