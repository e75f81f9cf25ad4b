#pragma once
// Walking UTF-8 text one character at a time. Inline: the text helpers call this
// for every character of every printed field.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace omrix::util {

// Stands for a byte that starts no valid UTF-8 sequence (overlong forms,
// surrogates and values above U+10FFFF included).
inline constexpr char32_t kInvalidChar = 0xFFFFFFFF;

struct Utf8Char {
    char32_t ch;    // kInvalidChar for a bad byte
    uint32_t size;  // bytes taken from the text; 1 for a bad byte
};

// pos must be below text.size().
inline Utf8Char decodeUtf8(std::string_view text, std::size_t pos) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[pos + k]); };
    const unsigned char b0 = byte(0);
    if (b0 < 0x80) return {b0, 1};
    const std::size_t left = text.size() - pos;
    auto isTail = [&](std::size_t k) { return k < left && (byte(k) & 0xC0) == 0x80; };
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        if (isTail(1)) return {static_cast<char32_t>((b0 & 0x1F) << 6 | (byte(1) & 0x3F)), 2};
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        if (isTail(1) && isTail(2)) {
            char32_t ch = (b0 & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F);
            if (ch >= 0x800 && (ch < 0xD800 || ch > 0xDFFF)) return {ch, 3};
        }
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        if (isTail(1) && isTail(2) && isTail(3)) {
            char32_t ch = (b0 & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 |
                          (byte(3) & 0x3F);
            if (ch >= 0x10000 && ch <= 0x10FFFF) return {ch, 4};
        }
    }
    return {kInvalidChar, 1};
}

// ch must be a Unicode scalar value.
inline void appendUtf8(std::string& out, char32_t ch) {
    if (ch < 0x80) {
        out += static_cast<char>(ch);
    } else if (ch < 0x800) {
        out += static_cast<char>(0xC0 | ch >> 6);
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        out += static_cast<char>(0xE0 | ch >> 12);
        out += static_cast<char>(0x80 | (ch >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | ch >> 18);
        out += static_cast<char>(0x80 | (ch >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (ch >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

// Number of leading bytes below 0x80; most fields are plain ASCII and stop here.
std::size_t asciiPrefixLength(std::string_view text);

// Characters in the text; a bad byte counts as one.
std::size_t utf8Length(std::string_view text);

bool isValidUtf8(std::string_view text);

}  // namespace omrix::util
