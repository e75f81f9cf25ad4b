#include "data/core/variant.h"

#include <charconv>

namespace omrix::data {

std::string variantToText(const Variant& v) {
    if (auto* i = std::get_if<int64_t>(&v)) return std::to_string(*i);
    if (auto* d = std::get_if<double>(&v)) {
        char buffer[32];
        auto end = std::to_chars(buffer, buffer + sizeof buffer, *d).ptr;
        return std::string(buffer, end);
    }
    if (auto* s = std::get_if<std::string>(&v)) return *s;
    return {};
}

}  // namespace omrix::data
