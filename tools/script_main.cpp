// tembira-script [FILE]: runs a script (from FILE, or standard input) against
// the game on a virtual clock, with no display.
#include <fstream>
#include <iostream>

#include "tools/script.h"

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    if (argc > 2) {
        std::cerr << "usage: tembira-script [FILE]\n";
        return 2;
    }
    if (argc == 2) {
        std::ifstream file(argv[1]);
        if (!file) {
            std::cerr << "line 0: cannot read '" << argv[1] << "'\n";
            return 2;
        }
        tembira::ScriptRunner runner;
        return runner.run(file, std::cout, std::cerr);
    }
    tembira::ScriptRunner runner;
    return runner.run(std::cin, std::cout, std::cerr);
}
