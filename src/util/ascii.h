#pragma once
// Case folding of ASCII letters only. Names, keys and SQL words compare this way;
// bytes at or above 0x80 pass untouched, so UTF-8 text stays whole.

#include <string>
#include <string_view>

namespace omrix::util {

constexpr char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

std::string toAsciiUpper(std::string_view text);
std::string toAsciiLower(std::string_view text);

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace omrix::util
