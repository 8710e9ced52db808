// The options panel, the speed choice, the clock and the end of the program.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "shell/shell.h"
#include "tests/support/game.h"

using tembira::testing::Game;
using namespace tembira;

namespace {

struct OptionsGame : Game {
    void expectPanel(bool visible) {
        for (Control* c : {&f.TIME1, &f.TAITOLa, &f.SPEED, &f.END1, &f.SIMERU})
            EXPECT_EQ(c->visible(), visible) << c->name();
    }

    // Every property, timer and board variable, one "NAME=value" a line.
    std::set<std::string> state() {
        std::ostringstream out;
        runner.dump(out);
        std::set<std::string> lines;
        std::istringstream in(out.str());
        for (std::string line; std::getline(in, line);)
            lines.insert(line);
        return lines;
    }
};

std::set<std::string> minus(const std::set<std::string>& a, const std::set<std::string>& b) {
    std::set<std::string> out;
    for (const std::string& line : a)
        if (!b.count(line))
            out.insert(line);
    return out;
}

} // namespace

TEST_F(OptionsGame, OptionOpensThePanelAndCloseClosesIt) {
    startGame();
    click(f.HANTEI);
    ASSERT_EQ(f.MESSEGE.caption(), "まだです");
    click(f.OPTION1);
    EXPECT_EQ(f.MESSEGE.caption(), "");
    expectPanel(true);
    EXPECT_EQ(f.height(), 7185);
    EXPECT_TRUE(f.MADA.enabled()); // the timeout is left running

    // Open again: the same.
    click(f.OPTION1);
    EXPECT_EQ(f.MESSEGE.caption(), "");
    expectPanel(true);
    EXPECT_EQ(f.height(), 7185);

    click(f.SIMERU);
    EXPECT_EQ(f.height(), 5130);
    expectPanel(false);
    EXPECT_EQ(f.MESSEGE.caption(), "");
    // The option buttons keep their own flag; they follow their containers.
    EXPECT_TRUE(f.TAITOLn[1].visible());
    EXPECT_TRUE(f.SPEEDn[2].visible());
}

TEST_F(OptionsGame, CloseBringsThePlayHeightBackFromTheMessageHeight) {
    startGame();
    click(f.OPTION1);
    click(f.HANTEI);
    ASSERT_EQ(f.height(), 6090);
    // The judgement has hidden CLOSE itself, so its handler is called here.
    SIMERU_Click(f);
    EXPECT_EQ(f.height(), 5130);
    EXPECT_EQ(f.MESSEGE.caption(), "まだです");
    expectPanel(false);
}

TEST_F(OptionsGame, SpeedButtonsSetTheStepAndNothingElse) {
    startGame();
    click(f.OPTION1);
    struct Choice {
        int button;
        int step;
    };
    for (Choice choice : {Choice{1, 640}, Choice{3, 160}, Choice{2, 320}}) {
        const auto before = state();
        click(f.SPEEDn[choice.button]);
        EXPECT_EQ(b.STEP, choice.step);
        const auto after = state();
        std::set<std::string> expected{"STEP=" + std::to_string(choice.step),
                                       "SPEED" + std::to_string(choice.button) + ".Value=True"};
        for (int other = 1; other <= 3; ++other)
            if (other != choice.button &&
                before.count("SPEED" + std::to_string(other) + ".Value=True"))
                expected.insert("SPEED" + std::to_string(other) + ".Value=False");
        EXPECT_EQ(minus(after, before), expected) << "SPEED" << choice.button;
    }
    // The speed already chosen: nothing changes at all.
    const auto before = state();
    click(f.SPEEDn[2]);
    EXPECT_EQ(state(), before);
}

TEST_F(OptionsGame, SpeedChosenInMidSlideAppliesFromTheNextTick) {
    startGame();
    click(f.OPTION1);
    click(f.SPEEDn[3]); // SLOW
    click(f.PANEL[5]);  // cell 12 down into cell 16
    wait(1 + 50);
    ASSERT_TRUE(f.PDM.enabled());
    EXPECT_EQ(f.PANEL[5].top(), 2080);
    click(f.SPEEDn[1]); // QUICK for the rest of the slide
    wait(50);
    EXPECT_EQ(f.PANEL[5].top(), 2720);
    wait(50);
    EXPECT_EQ(f.PANEL[5].top(), 3360); // 480 beyond the goal
    EXPECT_TRUE(f.PDM.enabled());
    wait(50);
    EXPECT_EQ(f.PANEL[5].top(), 2880);
    EXPECT_FALSE(f.PDM.enabled());

    // Back up at SLOW; after two ticks 640 are left, and QUICK covers them
    // in one tick that lands exactly home, then the snap.
    click(f.SPEEDn[3]);
    click(f.PANEL[5]);
    wait(1 + 50 + 50);
    ASSERT_TRUE(f.PUM.enabled());
    EXPECT_EQ(f.PANEL[5].top(), 2560);
    click(f.SPEEDn[1]);
    wait(50);
    EXPECT_EQ(f.PANEL[5].top(), 1920);
    EXPECT_TRUE(f.PUM.enabled());
    wait(50);
    EXPECT_EQ(f.PANEL[5].top(), 1920);
    EXPECT_FALSE(f.PUM.enabled());
    EXPECT_EQ(f.PANEL[5].left(), 2880);
}

TEST_F(OptionsGame, ClockWritesTheTimeOfDayEveryHalfSecondEvenUnseen) {
    EXPECT_EQ(f.TIME1.text(), "");
    wait(499);
    EXPECT_EQ(f.TIME1.text(), "");
    wait(1);
    EXPECT_EQ(f.TIME1.text(), "12:00:00");
    EXPECT_FALSE(f.TIME1.visible());
    EXPECT_TRUE(f.HAJIME.visible()); // still the opening
    wait(499);
    EXPECT_EQ(f.TIME1.text(), "12:00:00");
    wait(1);
    EXPECT_EQ(f.TIME1.text(), "12:00:01");
    wait(500);
    EXPECT_EQ(f.TIME1.text(), "12:00:01");
    wait(500);
    EXPECT_EQ(f.TIME1.text(), "12:00:02");

    // A new time of day shows on the next tick, and midnight wraps.
    runner.clock.setTimeOfDay(23 * 3600 + 59 * 60 + 59);
    EXPECT_EQ(f.TIME1.text(), "12:00:02");
    wait(499);
    EXPECT_EQ(f.TIME1.text(), "12:00:02");
    wait(1);
    EXPECT_EQ(f.TIME1.text(), "23:59:59");
    wait(500);
    EXPECT_EQ(f.TIME1.text(), "00:00:00");
    EXPECT_TRUE(f.JIKOKU.enabled());
}

TEST_F(OptionsGame, EndStopsTheProgramTenMillisecondsLater) {
    startGame();
    wait(493);
    click(f.OPTION1);
    click(f.PANEL[5]); // a slide that would tick at 546
    ASSERT_EQ(now(), 495);
    click(f.END1);
    EXPECT_TRUE(f.FIN.enabled());
    EXPECT_FALSE(runner.clock.ended());
    wait(5);
    EXPECT_EQ(f.TIME1.text(), "12:00:00"); // events due before the end still run
    click(f.END1);                         // a second press changes nothing
    wait(4);
    EXPECT_FALSE(runner.clock.ended());
    wait(1);
    EXPECT_TRUE(runner.clock.ended());
    EXPECT_EQ(now(), 505);
    // Nothing runs after the end.
    wait(10000);
    EXPECT_EQ(now(), 505);
    EXPECT_EQ(f.TIME1.text(), "12:00:00");
    EXPECT_EQ(f.PANEL[5].top(), 1920);
}

TEST_F(OptionsGame, PanelOutOfViewTakesNoClicks) {
    startGame();
    click(f.OPTION1);
    click(f.START); // play height; the panel's controls stay visible
    ASSERT_EQ(f.height(), 5130);
    expectPanel(true);
    const std::string board = layout();
    click(f.SPEEDn[1]);
    click(f.TAITOLn[2]);
    click(f.END1);
    click(f.SIMERU);
    wait(1);
    EXPECT_EQ(b.STEP, 320);
    EXPECT_FALSE(f.SPEEDn[1].value());
    EXPECT_TRUE(f.SPEEDn[2].value());
    EXPECT_TRUE(f.TAITOLn[1].value());
    EXPECT_EQ(f.TAITOL.text(), "ｵｵｱﾘｸｲ");
    EXPECT_EQ(layout(), board);
    EXPECT_TRUE(f.PANEL[1].enabled());
    EXPECT_FALSE(f.FIN.enabled());
    EXPECT_EQ(f.height(), 5130);
    expectPanel(true);

    // Opened again, the panel takes the picture choice: the board is laid out
    // afresh and locked.
    slide(5);
    click(f.OPTION1);
    click(f.TAITOLn[2]);
    EXPECT_EQ(f.TAITOL.text(), "ｸﾛｷﾉﾎﾞﾘｶﾝｶﾞﾙｰ");
    wait(1);
    EXPECT_EQ(layout(), "2 15 3 14 / 10 4 12 9 / 13 5 6 11 / 7 1 8 .");
    EXPECT_EQ(b.emptyCell(), 16);
    for (int n = 1; n <= 15; ++n)
        EXPECT_FALSE(f.PANEL[n].enabled());
}

TEST_F(OptionsGame, NotYetTimeoutCutsOffAPanelOpenedWithinTheSecond) {
    startGame();
    click(f.HANTEI);
    wait(500);
    click(f.OPTION1);
    EXPECT_EQ(f.height(), 7185);
    EXPECT_EQ(f.MESSEGE.caption(), "");
    wait(499);
    EXPECT_EQ(f.height(), 7185);
    wait(1);
    EXPECT_EQ(f.height(), 5130);
    EXPECT_FALSE(f.MADA.enabled());
    EXPECT_EQ(f.MESSEGE.caption(), "");
    expectPanel(true); // visible, but out of view
    click(f.SPEEDn[3]);
    EXPECT_EQ(b.STEP, 320);
    click(f.OPTION1);
    EXPECT_EQ(f.height(), 7185);
    click(f.SPEEDn[3]);
    EXPECT_EQ(b.STEP, 160);
}
