// The time of day as the user's locale writes it, read without touching the
// process's own locale, in UTF-8 whatever the locale's encoding.
#pragma once

#include <functional>
#include <string>

namespace platform::qt {

// The local time now, formatted by strftime's `format` under the locale
// named (the user's LC_TIME from LC_ALL, LC_TIME or LANG when empty).
std::string timeText(const char* format, const std::string& locale = {});

// The local time now in the locale's short numeric form with the seconds
// added ("2:09:51" for Japanese, "14:09:51" for German).
std::string numericTimeText(const std::string& locale = {});

// The locale's own long form of the time (strftime's %X), or its numeric form
// where the long one would not fit, or the digits alone where neither would.
std::string clockText(const std::function<bool(const std::string&)>& fits,
                      const std::string& locale = {});

} // namespace platform::qt
