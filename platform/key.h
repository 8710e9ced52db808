// The keys the game takes, as every binding names them to the core.
#pragma once

namespace platform {

enum class Key { Left, Right, Up, Down, Return, Space, H, S };

} // namespace platform
