// Runs the game on the virtual clock, driven by a script of clicks and waits,
// and prints what it is asked of the window and the board.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "assist/assistant.h"
#include "form/form1.h"
#include "platform/clock.h"
#include "play/session.h"

namespace tembira {

class ScriptRunner {
  public:
    // recordsPath: the records file, or empty to keep records in memory.
    explicit ScriptRunner(const std::string& recordsPath = "");

    // Runs every line of in; returns the exit status: 0 when the script ran
    // to its end or the program ended, 2 at the first bad line or when in
    // cannot be read (inputName says what in is, for the message).
    int run(std::istream& in, std::ostream& out, std::ostream& err,
            const std::string& inputName = "standard input");

    // One property or variable as the script prints it, or false if key
    // names none.
    bool read(const std::string& key, std::string& value) const;
    void dump(std::ostream& out) const;
    // One line for each kind of board with a solved game.
    void printRecords(std::ostream& out) const;

    platform::VirtualClock clock;
    Form1 form{clock};
    Assistant assistant{form};
    Session session;

  private:
    // What "hint" prints after "hint=": a tile a shortest solution moves
    // next and the fewest moves left, or why there is none.
    std::string hintLine() const;
    // Runs one line's words; throws ScriptError for a line it cannot run.
    void execute(const std::vector<std::string>& args, std::ostream& out);
};

} // namespace tembira
