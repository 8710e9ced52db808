#include "desktop/binding/qt_clock.h"

#include <QCoreApplication>
#include <cstdlib>

#include "desktop/binding/user_locale.h"
#include "platform/timer.h"

namespace platform::qt {

QtClock::QtClock() {
    const char* file = std::getenv("TEMBIRA_TICK_LOG");
    if (file && *file)
        log_ = std::fopen(file, "a");
}

QtClock::~QtClock() {
    for (auto& [timer, qtimer] : timers_)
        qtimer->stop();
    if (log_)
        std::fclose(log_);
}

void QtClock::log(const char* what, const char* name) {
    if (!log_)
        return;
    const std::chrono::duration<double, std::milli> since =
        std::chrono::steady_clock::now() - start_;
    std::fprintf(log_, "%.2f %s%s%s\n", since.count(), what, *name ? " " : "", name);
    std::fflush(log_);
}

void QtClock::noteClick(const std::string& name) {
    log("click", name.c_str());
}

void QtClock::timerSwitched(platform::Timer& timer) {
    if (ended_)
        return;
    auto& qtimer = timers_[&timer];
    if (!qtimer) {
        qtimer = std::make_unique<QTimer>();
        qtimer->setTimerType(Qt::PreciseTimer);
        qtimer->setInterval(timer.interval());
        QObject::connect(qtimer.get(), &QTimer::timeout, qtimer.get(), [this, &timer] {
            // A tick already due when the timer was switched off or the
            // program ended is dropped.
            if (!ended_ && timer.enabled() && timer.onTick) {
                log("tick", timer.name().c_str());
                timer.onTick();
            }
        });
    }
    // The game reports only real switches, so a running timer is never
    // restarted here; a second report of "on" keeps its period.
    if (timer.enabled() && !qtimer->isActive())
        qtimer->start();
    else if (!timer.enabled())
        qtimer->stop();
}

void QtClock::timerDestroyed(platform::Timer& timer) {
    const auto it = timers_.find(&timer);
    if (it == timers_.end())
        return;
    // The timer may be destroyed by its own tick: its QTimer goes later.
    QTimer* qtimer = it->second.release();
    timers_.erase(it);
    qtimer->stop();
    QObject::disconnect(qtimer, nullptr, nullptr, nullptr);
    qtimer->deleteLater();
}

std::int64_t QtClock::now() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 start_)
        .count();
}

std::string QtClock::timeOfDayText() {
    return clockText(timeFits);
}

void QtClock::endProgram() {
    ended_ = true;
    for (auto& [timer, qtimer] : timers_)
        qtimer->stop();
    QCoreApplication::exit(0);
}

bool QtClock::running(const platform::Timer& timer) const {
    auto it = timers_.find(&timer);
    return it != timers_.end() && it->second->isActive();
}

} // namespace platform::qt
