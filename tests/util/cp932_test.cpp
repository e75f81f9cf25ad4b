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

TEST(Cp932Encoding, BytesOfEachKindOfCharacter) {
    EXPECT_EQ(hex(utf8ToCp932("A1 ")), "413120");
    EXPECT_EQ(hex(utf8ToCp932("ｱﾟ")), "B1DF");        // half-width kana: one byte
    EXPECT_EQ(hex(utf8ToCp932("Ａ漢")), "82608ABF");  // full-width: two
    EXPECT_EQ(hex(utf8ToCp932("〃")), "8156");
    EXPECT_EQ(hex(utf8ToCp932("𠮷😀")), "3F3F");  // outside the code page: '?'
    EXPECT_EQ(hex(utf8ToCp932(std::string("a\0b", 3))), "610062");
}

TEST(Cp932Encoding, JisFormsGoWhereWindowsPutsThem) {
    // Text typed on other systems carries the JIS code points; they must keep
    // their two-byte width.
    EXPECT_EQ(hex(utf8ToCp932("〜")), "8160");  // U+301C wave dash
    EXPECT_EQ(hex(utf8ToCp932("～")), "8160");  // U+FF5E
    EXPECT_EQ(hex(utf8ToCp932("−")), "817C");   // U+2212
    EXPECT_EQ(hex(utf8ToCp932("¥")), "5C");
    EXPECT_EQ(hex(utf8ToCp932("Ⅰ№㈱")), "87548782878A");
}

TEST(Cp932Encoding, InvalidUtf8BecomesOneQuestionMarkPerByte) {
    EXPECT_EQ(utf8ToCp932("a\xC0\x80z"), "a??z");        // overlong
    EXPECT_EQ(utf8ToCp932("\xED\xA0\x80"), "???");       // surrogate
    EXPECT_EQ(utf8ToCp932("\xF4\x90\x80\x80"), "????");  // above U+10FFFF
    EXPECT_EQ(utf8ToCp932("\xE6\xBC"), "??");            // cut short
    EXPECT_EQ(hex(utf8ToCp932("\xFF漢")), "3F8ABF");
}

TEST(Cp932Decoding, ValidBytesAndBrokenOnesDroppedNotGuessed) {
    EXPECT_EQ(cp932ToUtf8("\x8A\xBF\xB1z"), "漢ｱz");
    EXPECT_EQ(cp932ToUtf8("\x81\x60"), "～");
    EXPECT_EQ(cp932ToUtf8("\x95\x5C"), "表");            // trail byte 0x5C is not a backslash here
    EXPECT_EQ(cp932ToUtf8("\xF0\x40"), "\xEE\x80\x80");  // user-defined area U+E000
    EXPECT_EQ(cp932ToUtf8("ab\x8A"), "ab");              // lead byte at the end
    EXPECT_EQ(cp932ToUtf8("\x8A\x20x"), " x");           // lead byte before a non-trail byte
    EXPECT_EQ(cp932ToUtf8("a\x85\x40z"), "az");          // well-formed but unassigned pair
    EXPECT_EQ(cp932ToUtf8("\x80\xA0\xFD\xFE\xFF"), "");
    EXPECT_TRUE(isValidUtf8(cp932ToUtf8("\x81\x81\x81")));
}

TEST(Cp932RoundTrip, EveryMappedCharacterComesBack) {
    std::string text = "ASCII 123 ｱｲｳｴｵ 漢字かなカナ ＡＢＣ 〃 ①Ⅱ ㈱ 表ソ能";
    EXPECT_EQ(cp932ToUtf8(utf8ToCp932(text)), text);
    for (unsigned b = 0xA1; b <= 0xDF; ++b) {
        std::string one(1, static_cast<char>(b));
        EXPECT_EQ(utf8ToCp932(cp932ToUtf8(one)), one) << b;
    }
}

TEST(Utf8Validation, RejectsWhatDecodersMustNotAccept) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("plain ascii text that is long enough for the word loop"));
    EXPECT_TRUE(isValidUtf8("漢字𠮷😀é"));
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong '/'
    EXPECT_FALSE(isValidUtf8("\xE0\x80\xAF"));      // overlong, three bytes
    EXPECT_FALSE(isValidUtf8("\xED\xB0\x80"));      // low surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // beyond U+10FFFF
    EXPECT_FALSE(isValidUtf8("abcdefgh\x80"));      // lone continuation after the fast run
    EXPECT_FALSE(isValidUtf8("\x82\xA0"));          // CP932 bytes, as an INI file may hold
    EXPECT_EQ(utf8Length("a漢𠮷\xFF"), 4u);
}

TEST(Cp932Tables, FirstUseFromManyThreadsAgrees) {
    const std::string text = "工事概要〜ｱ𠮷";
    const std::string expected = "\x8D\x48\x8E\x96\x8A\x54\x97\x76\x81\x60\xB1?";
    std::vector<std::string> results(4);
    std::vector<std::thread> threads;
    for (auto& result : results) {
        threads.emplace_back([&result, &text] { result = utf8ToCp932(text); });
    }
    for (auto& t : threads) t.join();
    for (const auto& result : results) EXPECT_EQ(hex(result), hex(expected));
}

}  // namespace
}  // namespace omrix::util
