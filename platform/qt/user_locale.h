// The time of day as the user's locale writes it, read without touching the
// process's own locale, in UTF-8 whatever the locale's encoding.
#pragma once

#include <string>

namespace platform::qt {

// The local time now, formatted by strftime's `format` under the user's
// LC_TIME (from LC_ALL, LC_TIME or LANG).
std::string userTimeText(const char* format);

} // namespace platform::qt
