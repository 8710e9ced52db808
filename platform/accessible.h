// What a screen reader says of a control: its name and a description, in the
// words of the game; a binding turns them into its toolkit's accessibility.
#pragma once

#include <string>

namespace platform {

struct AccessibleText {
    std::string name;        // empty: the control's own caption
    std::string description; // empty: none
};

} // namespace platform
