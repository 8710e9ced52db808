// Game timers on real Qt timers.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "platform/qt/qt_clock.h"
#include "platform/timer.h"

using platform::Timer;
using platform::qt::QtClock;

TEST(QtClock, TicksUntilTheProgramEnds) {
    QtClock clock;
    Timer fast("fast", 1), slow("slow", 50);
    int fastTicks = 0, slowTicks = 0, afterEnd = 0;
    fast.onTick = [&] {
        ++fastTicks;
        afterEnd += clock.ended();
    };
    slow.onTick = [&] {
        afterEnd += clock.ended();
        if (++slowTicks == 4)
            clock.endProgram();
    };
    fast.attach(clock);
    slow.attach(clock);
    EXPECT_FALSE(clock.running(fast));
    fast.setEnabled(true);
    slow.setEnabled(true);
    EXPECT_TRUE(clock.running(fast));

    QElapsedTimer elapsed;
    elapsed.start();
    QEventLoop loop;
    QTimer::singleShot(5000, &loop, [&] { loop.exit(7); });
    EXPECT_EQ(loop.exec(), 0) << "ending the program leaves the event loop with status 0";
    EXPECT_GE(elapsed.elapsed(), 190);
    EXPECT_EQ(slowTicks, 4);
    EXPECT_GE(fastTicks, 20);
    EXPECT_FALSE(clock.running(fast));
    EXPECT_FALSE(clock.running(slow));

    // Nothing ticks any more, even when asked to start again.
    const int fastSoFar = fastTicks;
    fast.setEnabled(false);
    fast.setEnabled(true);
    QTest::qWait(100);
    EXPECT_EQ(fastTicks, fastSoFar);
    EXPECT_EQ(slowTicks, 4);
    EXPECT_EQ(afterEnd, 0);
}

TEST(QtClock, SwitchingOffStopsAndOnStartsAFreshPeriod) {
    QtClock clock;
    Timer t("t", 200);
    int ticks = 0;
    qint64 at = -1;
    QElapsedTimer elapsed;
    t.onTick = [&] {
        if (++ticks == 1)
            at = elapsed.elapsed();
    };
    t.attach(clock);
    t.setEnabled(true);
    t.setEnabled(false);
    EXPECT_FALSE(clock.running(t));
    QTest::qWait(250);
    EXPECT_EQ(ticks, 0);

    elapsed.start();
    t.setEnabled(true);
    // A second report that it is on, as from another switch, keeps the period.
    QTest::qWait(120);
    clock.timerSwitched(t);
    QTest::qWait(200);
    EXPECT_EQ(ticks, 1);
    EXPECT_GE(at, 190);
    EXPECT_LT(at, 300);
}

TEST(QtClock, TimeOfDayHasSecondsAndNoDate) {
    QtClock clock;
    const QString text = QString::fromStdString(clock.timeOfDayText());
    EXPECT_TRUE(QRegularExpression("\\d{1,2}\\D+\\d{2}\\D+\\d{2}").match(text).hasMatch())
        << text.toStdString();
    EXPECT_FALSE(text.contains(QString::number(QDate::currentDate().year()))) << text.toStdString();
}
