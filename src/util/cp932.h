#pragma once
// Conversion between the UTF-8 text the program holds and the CP932 (Shift-JIS)
// bytes that fixed-width columns and layouts are measured in.

#include <string>
#include <string_view>

namespace omrix::util {

// A character that CP932 cannot hold becomes '?', as the Windows conversion does;
// invalid UTF-8 bytes become '?' one by one.
std::string utf8ToCp932(std::string_view utf8);

// Bytes that do not form a CP932 character (a lone lead byte, say) are dropped,
// so the result is always valid UTF-8.
std::string cp932ToUtf8(std::string_view cp932);

bool isValidUtf8(std::string_view text);

// True when the byte is the first of a double-byte CP932 character.
constexpr bool isCp932LeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

}  // namespace omrix::util
