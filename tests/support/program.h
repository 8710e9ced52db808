// Running one of the project's programs from a test, through the shell, and
// reading back what it wrote.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tembira::testing {

struct Result {
    int status = -1; // the exit status, or 128 + the signal that ended it
    std::string out;
    std::string err;
};

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The exit status of a shell command, as a shell reports it.
inline int runShell(const std::string& command) {
    const int raw = std::system(command.c_str());
    if (raw != -1 && WIFEXITED(raw))
        return WEXITSTATUS(raw);
    if (raw != -1 && WIFSIGNALED(raw))
        return 128 + WTERMSIG(raw);
    return -1;
}

} // namespace tembira::testing
