// The services a window's handlers get from outside the window: timers that
// tick, the local time of day, and ending the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class Timer;

class Clock {
  public:
    // A timer has just been switched on or off.
    virtual void timerSwitched(Timer& timer) = 0;
    // A timer attached to this clock is being destroyed: forget it.
    virtual void timerDestroyed(Timer& timer) = 0;
    // The local time of day as text, hours, minutes and seconds, no date.
    virtual std::string timeOfDayText() = 0;
    // Ends the program at once: no handler runs after this one returns.
    virtual void endProgram() = 0;
    // Milliseconds since the clock was made, never going back: what a game's
    // clock reads.
    virtual std::int64_t now() const = 0;

  protected:
    ~Clock() = default;
};

// Runs timers on simulated time, deterministically: time is whole
// milliseconds from 0; a timer enabled at t ticks at t+I, t+2I, ...; ticks due
// at the same moment fire in the order their timers were last switched on.
class VirtualClock final : public Clock {
  public:
    void timerSwitched(Timer& timer) override;
    void timerDestroyed(Timer& timer) override;
    std::string timeOfDayText() override;
    void endProgram() override { ended_ = true; }

    // Fires every tick due up to now + ms, in time order, each handler to its
    // end before the next; stops early once the program has ended.
    void advance(std::int64_t ms);
    std::int64_t now() const override { return now_; }
    bool ended() const { return ended_; }

    // The time of day, in seconds since midnight, that the clock reads now.
    void setTimeOfDay(int secondsSinceMidnight);

  private:
    struct Schedule {
        Timer* timer;
        std::int64_t due;
        std::uint64_t order;
    };
    std::vector<Schedule> running_;
    std::int64_t now_ = 0;
    std::uint64_t switches_ = 0;
    bool ended_ = false;
    std::int64_t dayBase_ = 12 * 3600 * 1000; // ms since midnight at time 0
};

} // namespace platform
