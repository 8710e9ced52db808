#include "desktop/binding/user_locale.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <QLocale>
#include <QTime>
#include <algorithm>
#include <ctime>
#include <map>
#include <mutex>

namespace platform::qt {

namespace {

// A locale object for the time of day and its encoding, made once per name;
// the C locale where the name cannot be made.
locale_t timeLocale(const std::string& name) {
    static std::mutex guard;
    static std::map<std::string, locale_t> made;
    const std::lock_guard lock(guard);
    locale_t& locale = made[name];
    if (!locale)
        locale = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, name.c_str(), locale_t(0));
    if (!locale)
        locale = newlocale(LC_ALL_MASK, "C", locale_t(0));
    return locale;
}

// text, in the locale's encoding, as UTF-8; bytes that do not convert are
// left out. The clock asks twice a second, so ASCII and UTF-8 pass through.
std::string toUtf8(std::string text, locale_t locale) {
    const std::string encoding = nl_langinfo_l(CODESET, locale);
    const bool ascii =
        std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii || encoding == "UTF-8")
        return text;
    iconv_t convert = iconv_open("UTF-8", encoding.c_str());
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

// A short time format with the seconds after the minutes, with the
// separator that stands before the minutes.
QString withSeconds(QString format) {
    if (format.contains(QLatin1Char('s')))
        return format;
    const qsizetype minutes = format.indexOf(QLatin1Char('m'));
    if (minutes < 1)
        return QStringLiteral("HH:mm:ss");
    qsizetype end = minutes;
    while (end < format.size() && format[end] == QLatin1Char('m'))
        ++end;
    format.insert(end, format[minutes - 1] + QStringLiteral("ss"));
    return format;
}

} // namespace

std::string timeText(const char* format, const std::string& locale) {
    const locale_t l = timeLocale(locale);
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[128];
    const std::size_t length = strftime_l(text, sizeof text, format, &local, l);
    return toUtf8(std::string(text, length), l);
}

std::string numericTimeText(const std::string& locale) {
    // "ja_JP.UTF-8" names the same language and country as "ja_JP".
    const QLocale l = locale.empty()
                          ? QLocale::system()
                          : QLocale(QString::fromStdString(locale.substr(0, locale.find('.'))));
    return l.toString(QTime::currentTime(), withSeconds(l.timeFormat(QLocale::ShortFormat)))
        .toStdString();
}

std::string clockText(const std::function<bool(const std::string&)>& fits,
                      const std::string& locale) {
    std::string text = timeText("%X", locale);
    if (fits && !fits(text))
        text = numericTimeText(locale);
    // Even the numeric form can be too wide ("오전 10:17:34" from ten o'clock
    // in Korean): then the digits alone, on a 24-hour clock.
    if (fits && !fits(text))
        text = QTime::currentTime().toString(QStringLiteral("HH:mm:ss")).toStdString();
    return text;
}

} // namespace platform::qt
