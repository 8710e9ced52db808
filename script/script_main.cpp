// tembira-script [--records FILE] [SCRIPT]: runs a script (from SCRIPT, or
// standard input) against the game on a virtual clock, with no display; the
// records are kept in FILE, or in memory only.
#include <filesystem>
#include <fstream>
#include <iostream>

#include "script/script.h"

namespace {

// Output that could not be written is an error too, not a quiet success.
int finish(int status) {
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "tembira-script: cannot write standard output\n";
        return status ? status : 2;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    std::string records;
    const bool withRecords = argc >= 2 && std::string(argv[1]) == "--records";
    if (withRecords && argc >= 3) {
        records = argv[2];
        argv += 2;
        argc -= 2;
    }
    if (argc > 2 || (withRecords && records.empty())) {
        std::cerr << "usage: tembira-script [--records FILE] [SCRIPT]\n";
        return 2;
    }
    tembira::ScriptRunner runner(records);
    if (argc == 1)
        return finish(runner.run(std::cin, std::cout, std::cerr));

    const std::string name = "'" + std::string(argv[1]) + "'";
    std::error_code error;
    std::ifstream file;
    if (!std::filesystem::is_directory(argv[1], error))
        file.open(argv[1]);
    if (!file.is_open()) {
        std::cerr << "line 0: cannot read " << name << "\n";
        return 2;
    }
    return finish(runner.run(file, std::cout, std::cerr, name));
}
