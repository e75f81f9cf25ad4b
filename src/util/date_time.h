#pragma once
// Date and time as the suite's database stores them: a value type like Currency.

#include <optional>
#include <string>
#include <string_view>

namespace omrix::util {

// Date and time without a zone, as the suite's database stores it. The zero date
// (what a NULL date reads as) is 1899-12-30 00:00:00.
struct DateTime {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
    std::string toString() const;  // "yyyy-mm-dd hh:mm:ss"

    // "yyyy-mm-dd", "yyyy/mm/dd", either followed by " hh:mm[:ss[.fff]]" (or 'T');
    // nullopt for anything else or an impossible date.
    static std::optional<DateTime> parse(std::string_view text);
    // A date as a number of days since the zero date, the time in the fraction.
    static std::optional<DateTime> fromSerial(double days);
};

}  // namespace omrix::util
