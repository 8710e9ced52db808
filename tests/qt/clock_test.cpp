// Game timers on real Qt timers.
#include <QElapsedTimer>
#include <QEventLoop>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>

#include "desktop/binding/binding.h"
#include "desktop/binding/qt_clock.h"
#include "desktop/binding/user_locale.h"
#include "form/form1.h"
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

// In other locales the clock is decoded from the locale's own encoding and
// never clipped by its box: the numeric form stands in where the long one
// ("02時09分51秒") would not fit.
TEST(QtClock, TimeOfDayInOtherLocalesIsDecodedAndShowsWhole) {
#ifndef LOCALES_DIR
    GTEST_SKIP() << "built without localedef, so without the Japanese and Korean locales";
#else
    setenv("LOCPATH", LOCALES_DIR, 1);
    const QString euc = QString::fromStdString(platform::qt::timeText("%X", "ja_JP.EUC-JP"));
    EXPECT_TRUE(euc.contains(QString::fromUtf8("時"))) << euc.toStdString();

    platform::VirtualClock virtualClock;
    tembira::Form1 form(virtualClock);
    platform::qt::Binding binding(form);
    auto fits = [&](const std::string& text) { return binding.fits(form.TIME1, text); };
    EXPECT_FALSE(fits(platform::qt::timeText("%X", "ja_JP.UTF-8")));
    const QRegularExpression hms("^\\D*\\d{1,2}\\D+\\d{2}\\D+\\d{2}\\D*$");
    for (const char* locale : {"ja_JP.UTF-8", "ja_JP.EUC-JP", "ko_KR.UTF-8", "C"}) {
        const std::string text = platform::qt::clockText(fits, locale);
        EXPECT_TRUE(fits(text)) << locale << ": " << text;
        EXPECT_TRUE(hms.match(QString::fromStdString(text)).hasMatch()) << locale << ": " << text;
    }
#endif
}
