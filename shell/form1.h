// The game's one window: every control at its designed place, addressed by
// its fixed name, and the board state its handlers share.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "board/board_state.h"
#include "platform/clock.h"
#include "platform/control.h"
#include "platform/numbered.h"
#include "platform/timer.h"
#include "platform/window.h"

namespace tembira {

using platform::Control;
using platform::Kind;
using platform::Timer;

// Outer window heights, in twips.
constexpr int playHeight = 5130;
constexpr int messageHeight = 6090;
constexpr int optionsHeight = 7185;

// The tiles' caption colour when selected: RGB(176, 83, 216).
constexpr platform::Colour selectionColour = platform::rgb(176, 83, 216);

struct Form1 : platform::Window {
    explicit Form1(platform::Clock& clock);

    platform::Clock& clock;
    BoardState board;

    // The board and the frame in front of it.
    Control GOHOUBI{Kind::PictureBox, "GOHOUBI"};
    Control HAJIME{Kind::Label, "HAJIME"};
    Control Opening{Kind::Image, "Opening"};
    Control GOHOUBI3{Kind::Image, "GOHOUBI3"};
    Control GOHOUBI2{Kind::Image, "GOHOUBI2"};
    Control GOHOUBI1{Kind::Image, "GOHOUBI1"};
    Control Picture1{Kind::PictureBox, "Picture1"};
    Numbered<Control, 15> PANEL{"PANEL", Kind::Label};
    Numbered<Control, 16> ADDRESS{"ADDRESS", Kind::Label};

    // The button row and the message row.
    Control START{Kind::CommandButton, "START"};
    Control HANTEI{Kind::CommandButton, "HANTEI"};
    Control TAITOL{Kind::TextBox, "TAITOL"};
    Control OPTION1{Kind::CommandButton, "OPTION1"};
    Control MESSEGE{Kind::Label, "MESSEGE"};

    // The options panel.
    Control TIME1{Kind::TextBox, "TIME1"};
    Control END1{Kind::CommandButton, "END1"};
    Control SIMERU{Kind::CommandButton, "SIMERU"};
    Control TAITOLa{Kind::PictureBox, "TAITOLa"};
    Control TAITOLb{Kind::Label, "TAITOLb"};
    Numbered<Control, 3> TAITOLn{"TAITOL", Kind::OptionButton};
    Control SPEED{Kind::PictureBox, "SPEED"};
    Control SPEED4{Kind::Label, "SPEED4"};
    Numbered<Control, 3> SPEEDn{"SPEED", Kind::OptionButton};

    Timer AutoMove{"AutoMove", 1};
    Timer PUM{"PUM", 50};
    Timer PDM{"PDM", 50};
    Timer PLM{"PLM", 50};
    Timer PRM{"PRM", 50};
    Timer NARABEKAE{"NARABEKAE", 1};
    Timer MADA{"MADA", 1000};
    Timer GOHOUBITIME{"GOHOUBITIME", 50};
    Timer MOJI{"MOJI", 1};
    Timer Clear{"Clear", 1};
    Timer OPENINGEND{"OPENINGEND", 1};
    Timer JIKOKU{"JIKOKU", 500, true};
    Timer FIN{"FIN", 10};

    // Every control, the window first, and every timer, for lookup by name.
    std::vector<Control*> controls();
    std::vector<Timer*> timers();
    Control* control(const std::string& name);
    Timer* timer(const std::string& name);

    // Starts the timers and raises the load event.
    void load();
    std::function<void()> onLoad;

  private:
    void build();
};

} // namespace tembira
