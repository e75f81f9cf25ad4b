#include "util/date_time.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace omrix::util {
namespace {

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeapYear(y) ? 29 : kDays[m - 1];
}

// Days from 1970-01-01 of a civil date (proleptic Gregorian).
int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

bool readNumber(std::string_view text, size_t& pos, size_t digits, int& out) {
    if (pos + digits > text.size()) return false;
    auto result = std::from_chars(text.data() + pos, text.data() + pos + digits, out);
    if (result.ec != std::errc() || result.ptr != text.data() + pos + digits) return false;
    pos += digits;
    return true;
}

}  // namespace

std::string DateTime::toString() const {
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return text;
}

std::optional<DateTime> DateTime::parse(std::string_view text) {
    DateTime t;
    size_t pos = 0;
    if (!readNumber(text, pos, 4, t.year) || pos >= text.size()) return std::nullopt;
    char separator = text[pos++];
    if (separator != '-' && separator != '/') return std::nullopt;
    if (!readNumber(text, pos, 2, t.month) || pos >= text.size() || text[pos++] != separator ||
        !readNumber(text, pos, 2, t.day))
        return std::nullopt;
    if (pos < text.size()) {
        if (text[pos] != ' ' && text[pos] != 'T') return std::nullopt;
        ++pos;
        if (!readNumber(text, pos, 2, t.hour) || pos >= text.size() || text[pos++] != ':' ||
            !readNumber(text, pos, 2, t.minute))
            return std::nullopt;
        if (pos < text.size() && text[pos] == ':') {
            ++pos;
            if (!readNumber(text, pos, 2, t.second)) return std::nullopt;
            if (pos < text.size() && text[pos] == '.') {
                ++pos;
                while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') ++pos;
            }
        }
        if (pos != text.size()) return std::nullopt;
    }
    if (t.month < 1 || t.month > 12 || t.day < 1 || t.day > daysInMonth(t.year, t.month) ||
        t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}

std::optional<DateTime> DateTime::fromSerial(double days) {
    // The range of dates the suite's Date type holds: years 100 to 9999.
    if (!std::isfinite(days) || days < -657434.0 || days >= 2958466.0) return std::nullopt;
    // Before the zero date the whole part counts days back while the fraction is still
    // the time of day: -1.25 is 1899-12-29 06:00.
    double whole = std::trunc(days);
    auto seconds = static_cast<int64_t>(std::llround(std::fabs(days - whole) * 86400.0));
    if (seconds == 86400) {
        seconds = 0;
        whole += days < 0 ? -1.0 : 1.0;
    }
    int64_t rest = seconds;
    DateTime t;
    civilFromDays(daysFromCivil(1899, 12, 30) + static_cast<int64_t>(whole), t.year, t.month,
                  t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

}  // namespace omrix::util
