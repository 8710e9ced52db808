#include "platform/key.h"

#include <array>
#include <utility>

namespace platform {

std::optional<Key> keyNamed(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, Key>, 12> names{{
        {"Left", Key::Left},
        {"Right", Key::Right},
        {"Up", Key::Up},
        {"Down", Key::Down},
        {"Return", Key::Return},
        {"Space", Key::Space},
        {"H", Key::H},
        {"S", Key::S},
        {"Menu", Key::Menu},
        {"Ctrl+Z", Key::Undo},
        {"Ctrl+Y", Key::Redo},
        {"Ctrl+Shift+Z", Key::Redo},
    }};
    for (const auto& [text, key] : names)
        if (text == name)
            return key;
    return std::nullopt;
}

} // namespace platform
