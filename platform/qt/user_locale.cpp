#include "platform/qt/user_locale.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <ctime>

namespace platform::qt {

namespace {

// The user's time locale, made once; the C locale if it cannot be made.
locale_t userTimeLocale() {
    static const locale_t locale = [] {
        locale_t made = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, "", locale_t(0));
        return made ? made : newlocale(LC_ALL_MASK, "C", locale_t(0));
    }();
    return locale;
}

// text, in the locale's encoding, as UTF-8; bytes that do not convert are
// left out.
std::string toUtf8(std::string text, locale_t locale) {
    const char* encoding = nl_langinfo_l(CODESET, locale);
    iconv_t convert = iconv_open("UTF-8", encoding);
    if (convert == iconv_t(-1))
        return text;
    std::string out(text.size() * 4 + 4, '\0');
    char* in = text.data();
    std::size_t inLeft = text.size();
    char* to = out.data();
    std::size_t toLeft = out.size();
    while (inLeft > 0 && iconv(convert, &in, &inLeft, &to, &toLeft) == std::size_t(-1)) {
        ++in; // skip a byte the encoding does not know
        --inLeft;
    }
    iconv_close(convert);
    out.resize(out.size() - toLeft);
    return out;
}

} // namespace

std::string userTimeText(const char* format) {
    const locale_t locale = userTimeLocale();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[128];
    const std::size_t length = strftime_l(text, sizeof text, format, &local, locale);
    return toUtf8(std::string(text, length), locale);
}

} // namespace platform::qt
