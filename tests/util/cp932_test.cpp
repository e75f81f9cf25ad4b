#include "util/cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace omrix::util {
namespace {

std::string hex(std::string_view bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        out += digits[b >> 4];
        out += digits[b & 0xF];
    }
    return out;
}

TEST(Cp932Encoding, BytesOfEachKindOfCharacterAndOfBrokenText) {
    const std::pair<std::string, const char*> cases[] = {
        {"ｱﾟ", "B1DF"},        // half-width kana: one byte
        {"Ａ漢", "82608ABF"},  // full-width: two
        {"𠮷😀", "3F3F"},       // outside the code page: '?'
        {std::string("a\0b", 3), "610062"},
        // Text typed on other systems carries the JIS code points; they keep their width.
        {"〜～−", "81608160817C"},
        {"¥Ⅰ№㈱", "5C87548782878A"},
        // Invalid UTF-8 becomes one question mark per byte.
        {"a\xC0\x80z", "613F3F7A"},        // overlong
        {"\xF4\x90\x80\x80", "3F3F3F3F"},  // above U+10FFFF
    };
    for (const auto& [text, bytes] : cases) EXPECT_EQ(hex(utf8ToCp932(text)), bytes) << text;
}

TEST(Cp932Decoding, ValidBytesAndBrokenOnesDroppedNotGuessedUtf8Checked) {
    const std::pair<const char*, const char*> cases[] = {
        {"\x8A\xBF\xB1z", "漢ｱz"},
        {"\x95\x5C", "表"},            // trail byte 0x5C is not a backslash here
        {"\xF0\x40", "\xEE\x80\x80"},  // user-defined area U+E000
        {"ab\x8A", "ab"},              // lead byte at the end
        {"\x8A\x20x", " x"},           // lead byte before a non-trail byte
        {"\x80\xA0\xFD\xFE\xFF", ""},
    };
    for (const auto& [bytes, text] : cases) EXPECT_EQ(cp932ToUtf8(bytes), text) << hex(bytes);
    std::string text = "ASCII 123 ｱｲｳｴｵ 漢字かなカナ ＡＢＣ 〃 ①Ⅱ ㈱ 表ソ能";
    EXPECT_EQ(cp932ToUtf8(utf8ToCp932(text)), text);
    // UTF-8 that decoders must not accept is refused.
    EXPECT_TRUE(isValidUtf8("plain ascii text that is long enough for the word loop 漢𠮷😀é"));
    for (const char* bad : {"\xC0\xAF", "\xED\xB0\x80", "\xF4\x90\x80\x80",
                            "abcdefgh\x80",  // lone continuation after the fast run
                            "\x82\xA0"})     // CP932 bytes, as an INI file may hold
        EXPECT_FALSE(isValidUtf8(bad)) << hex(bad);
    EXPECT_EQ(utf8Length("a漢𠮷\xFF"), 4u);
}

TEST(Cp932Tables, FirstUseFromManyThreadsAgrees) {
    const std::string text = "工事概要〜ｱ𠮷";
    std::vector<std::string> results(4);
    std::vector<std::thread> threads;
    for (auto& result : results) {
        threads.emplace_back([&result, &text] { result = utf8ToCp932(text); });
    }
    for (auto& t : threads) t.join();
    for (const auto& result : results) EXPECT_EQ(hex(result), "8D488E968A5497768160B13F");
}

}  // namespace
}  // namespace omrix::util
