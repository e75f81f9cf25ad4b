#pragma once
// Conversion between the UTF-8 text the program holds and the CP932 (Shift-JIS)
// bytes that fixed-width columns and layouts are measured in.
//
// The mapping is read once from the C library's iconv into two tables, so the
// per-field work is plain table look-ups. The tables follow the Windows code page:
// the JIS forms of the wave dash, minus, double bar and the like go to their CP932
// characters, and ¥ and ‾ become \ and ~ (one byte).

#include <cstdint>
#include <string>
#include <string_view>

#include "util/utf8.h"

namespace omrix::util {

// A character that CP932 cannot hold becomes '?', as the Windows conversion does;
// invalid UTF-8 bytes become '?' one by one.
std::string utf8ToCp932(std::string_view utf8);

// Bytes that do not form a CP932 character (a lone lead byte, an unassigned pair)
// are dropped, so the result is always valid UTF-8.
std::string cp932ToUtf8(std::string_view cp932);

// True when the byte is the first of a double-byte CP932 character.
constexpr bool isCp932LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

constexpr bool isCp932TrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

// The CP932 code of one character: 0x00-0xFF for a single byte, lead << 8 | trail
// for a double-byte character, '?' when the code page cannot hold it.
uint16_t cp932Code(char32_t ch);

// The character of a CP932 code; kInvalidChar when the code holds none.
char32_t cp932Char(uint16_t code);

// Bytes the code takes: 1 or 2.
constexpr int cp932Width(uint16_t code) {
    return code > 0xFF ? 2 : 1;
}

}  // namespace omrix::util
