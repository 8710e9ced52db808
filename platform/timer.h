// A window timer: raises its tick every Interval milliseconds while enabled.
// Which clock drives it is the clock's business; the timer only reports when it
// is switched on or off.
#pragma once

#include <functional>
#include <string>

namespace platform {

class Clock;

class Timer {
  public:
    Timer(std::string name, int interval, bool enabled = false);
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    // Leaves its clock, which keeps no pointer to a timer that is gone.
    ~Timer();

    const std::string& name() const { return name_; }
    int interval() const { return interval_; }
    bool enabled() const { return enabled_; }

    // Enabling a timer that is already enabled changes nothing: its period
    // is not restarted. Likewise for disabling a disabled one.
    void setEnabled(bool enabled);

    std::function<void()> onTick;

    // Called once, before the window runs; a timer enabled at creation starts
    // counting from that moment.
    void attach(Clock& clock);

  private:
    std::string name_;
    int interval_;
    bool enabled_;
    Clock* clock_ = nullptr;
};

} // namespace platform
