// The windowing layer's rules that the game relies on: exact read-back,
// routing of clicks through containers and stacking, option groups, and the
// virtual clock's order of ticks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/control.h"
#include "platform/timer.h"
#include "platform/window.h"

using namespace platform;

TEST(Control, PositionsReadBackExactlyWhatWasWritten) {
    Control c(Kind::Label, "c");
    for (float v : {-4200.0f, -120.0f, 0.0f, 2880.0f, 3960.0f, 12.5f, 1920.0f + 320.0f * 3}) {
        c.setLeft(v);
        c.setTop(-v);
        EXPECT_EQ(c.left(), v);
        EXPECT_EQ(c.top(), -v);
    }
    // Repeated unclamped steps stay exact: every slide relies on it.
    c.setTop(0);
    for (int i = 0; i < 7; ++i)
        c.setTop(c.top() + 160);
    EXPECT_EQ(c.top(), 1120.0f);
}

TEST(Control, WindowedControlsStackInFrontOfLabels) {
    Control box(Kind::PictureBox, "box");
    Control label1(Kind::Label, "label1"), button(Kind::CommandButton, "button");
    Control label2(Kind::Label, "label2"), text(Kind::TextBox, "text");
    box.add(label1);
    box.add(button);
    box.add(label2);
    box.add(text);
    std::vector<std::string> order;
    for (Control* c : box.children())
        order.push_back(c->name());
    EXPECT_EQ(order, (std::vector<std::string>{"button", "text", "label1", "label2"}));
}

struct Scene : ::testing::Test {
    Window window{"w", 4230, 4260};
    Control frame{Kind::PictureBox, "frame"};
    Control board{Kind::PictureBox, "board"};
    Control front{Kind::Label, "front"};
    Control back{Kind::Label, "back"};
    Control inFrame{Kind::Label, "inFrame"};
    Control group{Kind::PictureBox, "group"};
    Control a{Kind::OptionButton, "a"}, b{Kind::OptionButton, "b"};
    Control other{Kind::PictureBox, "other"};
    Control c{Kind::OptionButton, "c"};
    std::vector<std::string> clicks;

    void SetUp() override {
        window.add(frame);
        window.add(board);
        window.add(group);
        window.add(other);
        frame.place(100, 100, 1060, 1060);
        board.place(100, 100, 1060, 1060);
        board.add(front);
        board.add(back);
        front.place(0, 0, 500, 500);
        back.place(0, 0, 1000, 1000);
        frame.add(inFrame);
        inFrame.place(0, 0, 1000, 1000);
        group.place(2000, 0, 1000, 1000);
        group.add(a);
        group.add(b);
        a.place(0, 0, 500, 200);
        b.place(0, 300, 500, 200);
        a.setValue(true);
        other.place(2000, 2000, 1000, 1000);
        other.add(c);
        c.place(0, 0, 500, 200);
        c.setValue(true);
        for (Control* x : {&front, &back, &inFrame, &a, &b, &c})
            x->onClick = [this, x] { clicks.push_back(x->name()); };
    }
};

TEST_F(Scene, ClickReachesFrontMostVisibleControl) {
    // The frame is in front of the board until it is hidden.
    EXPECT_EQ(window.controlAt(200, 200), &inFrame);
    frame.setVisible(false);
    // Inner coordinates start inside the 30-twip border.
    EXPECT_EQ(window.controlAt(130, 130), &front);
    EXPECT_EQ(window.controlAt(129, 129), &board); // on the border
    EXPECT_EQ(window.controlAt(130 + 600, 130), &back);
    window.clickAt(140, 140);
    front.setVisible(false);
    window.clickAt(140, 140);
    EXPECT_EQ(clicks, (std::vector<std::string>{"front", "back"}));
}

// A control covers [Left, Left + Width) by [Top, Top + Height): the first
// twip right of it or below it is its neighbour's.
TEST_F(Scene, ControlsEndJustBeforeLeftPlusWidthAndTopPlusHeight) {
    frame.setVisible(false);
    EXPECT_EQ(window.controlAt(130 + 499, 130 + 499), &front);
    EXPECT_EQ(window.controlAt(130 + 499.5, 130), &front);
    EXPECT_EQ(window.controlAt(130 + 500, 130), &back);
    EXPECT_EQ(window.controlAt(130, 130 + 500), &back);
    EXPECT_EQ(window.controlAt(2000 + 30 + 499, 30 + 199), &a);
    EXPECT_EQ(window.controlAt(2000 + 30 + 500, 30), &group);
    EXPECT_EQ(window.controlAt(2000 + 30, 30 + 200), &group);
}

TEST_F(Scene, ContainersClipTheirChildren) {
    frame.setVisible(false);
    back.setLeft(900); // reaches 1900, beyond the board's inner width of 1000
    EXPECT_EQ(window.controlAt(130 + 950, 130 + 10), &back);
    EXPECT_EQ(window.controlAt(130 + 1010, 130 + 10), &board);
    EXPECT_EQ(window.controlAt(130 + 1100, 130 + 10), nullptr);
}

TEST_F(Scene, DisabledControlTakesNoClickAndPassesItToNobody) {
    frame.setVisible(false);
    front.setEnabled(false);
    window.clickAt(140, 140);
    EXPECT_TRUE(clicks.empty());
}

TEST_F(Scene, PointsOutsideTheClientAreaReachNothing) {
    EXPECT_EQ(window.controlAt(-1, 10), nullptr);
    EXPECT_EQ(window.controlAt(4230, 10), nullptr);
    EXPECT_EQ(window.controlAt(2100, 2100), &c);
    window.setHeight(2000 + Window::frameHeight); // client area now 2000 high
    EXPECT_EQ(window.controlAt(2100, 2100), nullptr);
}

TEST_F(Scene, OptionButtonsAreGroupedByContainer) {
    std::vector<bool> seenInHandler;
    b.onClick = [&] { seenInHandler = {a.value(), b.value(), c.value()}; };
    window.clickAt(2100, 300 + 30 + 50);
    EXPECT_EQ(seenInHandler, (std::vector<bool>{false, true, true}));
    EXPECT_FALSE(a.value());
    EXPECT_TRUE(b.value());
    EXPECT_TRUE(c.value()); // another group
    // The selected button raises Click again.
    seenInHandler.clear();
    window.clickAt(2100, 300 + 30 + 50);
    EXPECT_EQ(seenInHandler.size(), 3u);
}

TEST(Window, HeightIsOuterAndClientAreaFollowsIt) {
    Window w("w", 4230, 4260);
    EXPECT_EQ(w.height(), 4710);
    EXPECT_EQ(w.innerHeight(), 4260);
    w.setHeight(5130);
    EXPECT_EQ(w.innerHeight(), 4680);
    EXPECT_EQ(w.innerWidth(), 4230);
}

struct Clocked : ::testing::Test {
    VirtualClock clock;
    std::vector<std::string> log;
    void record(Timer& t) {
        t.onTick = [this, &t] { log.push_back(t.name() + "@" + std::to_string(clock.now())); };
        t.attach(clock);
    }
};

TEST_F(Clocked, TimerTicksEveryIntervalFromWhenItWasEnabled) {
    Timer t("t", 50);
    record(t);
    clock.advance(7);
    t.setEnabled(true);
    clock.advance(150);
    EXPECT_EQ(log, (std::vector<std::string>{"t@57", "t@107", "t@157"}));
    EXPECT_EQ(clock.now(), 157);
}

TEST_F(Clocked, EnablingAnEnabledTimerDoesNotRestartItsPeriod) {
    Timer t("t", 50);
    record(t);
    t.setEnabled(true);
    clock.advance(30);
    t.setEnabled(true);
    clock.advance(20);
    EXPECT_EQ(log, (std::vector<std::string>{"t@50"}));
    // Off and on again does restart it.
    t.setEnabled(false);
    t.setEnabled(true);
    clock.advance(49);
    EXPECT_EQ(log.size(), 1u);
    clock.advance(1);
    EXPECT_EQ(log.back(), "t@100");
}

TEST_F(Clocked, SimultaneousTicksFireInTheOrderTheirTimersWereSwitchedOn) {
    Timer first("first", 2), second("second", 1), third("third", 2);
    record(first);
    record(second);
    record(third);
    third.setEnabled(true);
    first.setEnabled(true);
    clock.advance(1);
    second.setEnabled(true);
    // At 2 all three are due: third, first (switched on at 0), then second.
    clock.advance(1);
    EXPECT_EQ(log, (std::vector<std::string>{"third@2", "first@2", "second@2"}));
}

TEST_F(Clocked, HandlerRunsToItsEndAndItsEffectsCountForLaterTicks) {
    Timer a("a", 1), b("b", 1);
    record(a);
    record(b);
    a.onTick = [&] {
        log.push_back("a@" + std::to_string(clock.now()));
        a.setEnabled(false);
        b.setEnabled(true); // due one millisecond later, within this advance
    };
    a.setEnabled(true);
    clock.advance(10);
    EXPECT_EQ(log[0], "a@1");
    EXPECT_EQ(log[1], "b@2");
    EXPECT_EQ(log.size(), 10u);
}

// A destroyed timer stayed registered, and the next advance called into freed
// memory (the sanitizer build sees it).
TEST_F(Clocked, ADestroyedTimerLeavesItsClock) {
    Timer kept("kept", 10);
    record(kept);
    kept.setEnabled(true);
    {
        auto gone = std::make_unique<Timer>("gone", 5, true);
        record(*gone);
    }
    clock.advance(20);
    EXPECT_EQ(log, (std::vector<std::string>{"kept@10", "kept@20"}));
}

TEST_F(Clocked, EndingTheProgramStopsEveryFurtherTick) {
    Timer t("t", 10), end("end", 25);
    record(t);
    end.onTick = [&] { clock.endProgram(); };
    end.attach(clock);
    t.setEnabled(true);
    end.setEnabled(true);
    clock.advance(1000);
    EXPECT_TRUE(clock.ended());
    EXPECT_EQ(log, (std::vector<std::string>{"t@10", "t@20"}));
    EXPECT_EQ(clock.now(), 25);
}

TEST(VirtualClockTimeOfDay, StartsAtNoonAndAdvancesWithTheClock) {
    VirtualClock clock;
    EXPECT_EQ(clock.timeOfDayText(), "12:00:00");
    clock.advance(1500);
    clock.setTimeOfDay(23 * 3600 + 59 * 60 + 59);
    EXPECT_EQ(clock.timeOfDayText(), "23:59:59");
    clock.advance(999);
    EXPECT_EQ(clock.timeOfDayText(), "23:59:59");
    clock.advance(1);
    EXPECT_EQ(clock.timeOfDayText(), "00:00:00");
}
