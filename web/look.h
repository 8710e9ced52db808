// Colours and faces as the game names them, in CSS terms.
#pragma once

#include <string>

#include "platform/control.h"

namespace platform::web {

// A stored colour as CSS: 0x00BBGGRR as it is, 0x800000nn from a light
// desktop palette (the one the desktop program shows by default).
std::string cssColour(platform::Colour value);

// The CSS font family list for a face the game names: the face itself (the
// page's own subset fonts carry the game's face names), then its kind.
std::string cssFamily(const std::string& face);

} // namespace platform::web
