// The words a screen reader says for the window's controls: every binding
// takes them from here, so they are written once.
#pragma once

#include "platform/accessible.h"

namespace platform {
class Control;
}

namespace tembira {

struct Form1;

// A tile is named by its number (its caption) and described by the row and
// column it stands on ("2行3列"); the boxes without captions and the two
// option groups are named here.
platform::AccessibleText accessibleText(const Form1& f, const platform::Control& c);

} // namespace tembira
