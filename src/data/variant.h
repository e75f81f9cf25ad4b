#pragma once
// A column value as the data layer hands it over: Empty, Null, or a value.

#include <cstdint>
#include <string>
#include <variant>

namespace omrix::data {

struct EmptyValue {
    friend bool operator==(EmptyValue, EmptyValue) = default;
};
struct NullValue {
    friend bool operator==(NullValue, NullValue) = default;
};

// Date and time without a zone, as the suite's database stores it. The zero date
// (what a NULL date reads as) is 1899-12-30 00:00:00.
struct DateTime {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
    std::string toString() const;  // "yyyy-mm-dd hh:mm:ss"
};

using Variant = std::variant<EmptyValue, NullValue, int64_t, double, std::string>;

inline bool isNull(const Variant& v) { return std::holds_alternative<NullValue>(v); }
inline bool isEmpty(const Variant& v) { return std::holds_alternative<EmptyValue>(v); }

}  // namespace omrix::data
