// Screen readers see each of the game's own widgets as what it does: a label
// that takes clicks (a tile, the opening's label) as a button with a press
// action through the same click path, other labels as text (or not at all,
// when they show nothing), a picture box as a group, a picture as a graphic.
#pragma once

namespace platform::qt {

// Installs the interfaces; call once before any widget is shown.
void installAccessibility();

} // namespace platform::qt
