// The game's one window: every control at its designed place, addressed by
// its fixed name, and the board state its handlers share.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "form/board_state.h"
#include "form/game_state.h"
#include "platform/clock.h"
#include "platform/control.h"
#include "platform/numbered.h"
#include "platform/timer.h"
#include "platform/window.h"

namespace tembira {

using platform::Control;
using platform::Kind;
using platform::Timer;

// Outer window heights, in twips: the board and the button row; with the
// message row; with the options panel.
constexpr int playHeight = 5130;
constexpr int messageHeight = 6090;
constexpr int optionsHeight = 7185;

// The tiles' caption colour when selected: RGB(176, 83, 216).
// The message row's two messages: a solved board, and one that is not yet.
inline constexpr const char* completeMessage = "完成";
inline constexpr const char* notYetMessage = "まだです";

constexpr platform::Colour selectionColour = platform::rgb(176, 83, 216);

// Where reward picture p (1 ... 3) waits out of view, and where it rests in
// the board frame. Pictures 1 and 2 rise from below, picture 3 comes down.
constexpr float rewardStartTop[3] = {3960, 3960, -4200};
constexpr float rewardRestingTop = -120;

struct Form1 : platform::Window {
    explicit Form1(platform::Clock& services);

    platform::Clock& clock; // timers, the time of day and the program's end
    BoardState board;       // the variables every handler shares
    GameState game;         // the game under way, undo and redo; the wiring's too

    // The board and the frame in front of it.
    Control GOHOUBI{Kind::PictureBox, "GOHOUBI"};          // frame over the board: opening, rewards
    Control HAJIME{Kind::Label, "HAJIME"};                 // the opening's "START" label
    Control Opening{Kind::Image, "Opening"};               // the opening picture
    Control GOHOUBI3{Kind::Image, "GOHOUBI3"};             // reward picture 3, the okapi
    Control GOHOUBI2{Kind::Image, "GOHOUBI2"};             // reward picture 2, the tree-kangaroo
    Control GOHOUBI1{Kind::Image, "GOHOUBI1"};             // reward picture 1, the anteater
    Control Picture1{Kind::PictureBox, "Picture1"};        // the board
    Numbered<Control, 15> PANEL{"PANEL", Kind::Label};     // tile n, placed only by Left and Top
    Numbered<Control, 16> ADDRESS{"ADDRESS", Kind::Label}; // fixed coloured marker of cell k

    // The button row and the message row.
    Control START{Kind::CommandButton, "START"};     // unlocks the tiles
    Control HANTEI{Kind::CommandButton, "HANTEI"};   // "OK": judges the board
    Control TAITOL{Kind::TextBox, "TAITOL"};         // the chosen animal's name
    Control OPTION1{Kind::CommandButton, "OPTION1"}; // opens the options panel
    Control MESSEGE{Kind::Label, "MESSEGE"};         // "完成" or "まだです"

    // The options panel.
    Control TIME1{Kind::TextBox, "TIME1"};                      // the clock
    Control END1{Kind::CommandButton, "END1"};                  // ends the program
    Control SIMERU{Kind::CommandButton, "SIMERU"};              // "CLOSE": folds the panel
    Control TAITOLa{Kind::PictureBox, "TAITOLa"};               // the animal choice
    Control TAITOLb{Kind::Label, "TAITOLb"};                    // its heading "TAITOL"
    Numbered<Control, 3> TAITOLn{"TAITOL", Kind::OptionButton}; // TAITOL1 ... TAITOL3
    Control SPEED{Kind::PictureBox, "SPEED"};                   // the speed choice
    Control SPEED4{Kind::Label, "SPEED4"};                      // its heading "SPEED"
    Numbered<Control, 3> SPEEDn{"SPEED", Kind::OptionButton};   // SPEED1 ... SPEED3

    Timer AutoMove{"AutoMove", 1};        // dispatches the clicked tile's move
    Timer PUM{"PUM", 50};                 // slides a tile up
    Timer PDM{"PDM", 50};                 // slides a tile down
    Timer PLM{"PLM", 50};                 // slides a tile left
    Timer PRM{"PRM", 50};                 // slides a tile right
    Timer NARABEKAE{"NARABEKAE", 1};      // lays out the chosen animal's starting board
    Timer MADA{"MADA", 1000};             // ends the "まだです" message
    Timer GOHOUBITIME{"GOHOUBITIME", 50}; // slides the reward picture into the frame
    Timer MOJI{"MOJI", 1};                // resets the tiles' caption colour
    Timer Clear{"Clear", 1};              // makes cell 16 the empty cell again
    Timer OPENINGEND{"OPENINGEND", 1};    // ends the opening
    Timer JIKOKU{"JIKOKU", 500, true};    // writes the time of day into TIME1
    Timer FIN{"FIN", 10};                 // ends the program

    // The options panel's five top-level controls, in the order they are
    // shown and hidden.
    std::array<Control*, 5> optionsPanel() { return {&TIME1, &TAITOLa, &SPEED, &END1, &SIMERU}; }

    // Runs action(p) for the chosen picture. The choice is not stored: it is
    // read from TAITOL1, TAITOL2 and TAITOL3 in that order, each on its own.
    template <class Action> void forSelectedPicture(Action action) const {
        for (int p = 1; p <= 3; ++p)
            if (TAITOLn[p].value())
                action(p);
    }

    // Every control, the window first, and every timer, for lookup by name.
    std::vector<Control*> controls();
    std::vector<const Control*> controls() const;
    std::vector<Timer*> timers();
    std::vector<const Timer*> timers() const;
    Control* control(const std::string& name);
    const Control* control(const std::string& name) const;
    const Timer* timer(const std::string& name) const;

    // Starts the timers and raises the load event.
    void load();
    std::function<void()> onLoad;

  private:
    void build();
};

} // namespace tembira
