// A line of the context menu that a binding shows for the game.
#pragma once

#include <functional>
#include <string>

namespace platform {

struct MenuItem {
    std::string text;
    bool enabled = true;
    std::function<void()> chosen; // none: a line that only informs
};

} // namespace platform
