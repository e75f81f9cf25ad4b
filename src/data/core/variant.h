#pragma once
// A column value as the data layer hands it over: Empty, Null, or a value.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "util/date_time.h"

namespace omrix::data {

struct EmptyValue {
    friend bool operator==(EmptyValue, EmptyValue) = default;
};
struct NullValue {
    friend bool operator==(NullValue, NullValue) = default;
};

using util::DateTime;

using Variant = std::variant<EmptyValue, NullValue, int64_t, double, std::string>;

inline bool isNull(const Variant& v) {
    return std::holds_alternative<NullValue>(v);
}
inline bool isEmpty(const Variant& v) {
    return std::holds_alternative<EmptyValue>(v);
}

// The value as text: "" for Empty and Null, numbers in plain decimal form.
std::string variantToText(const Variant& v);

}  // namespace omrix::data
