#include "util/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "util/clean_text.h"

namespace omrix::util {
namespace {

TEST(ByteLength, CountsTheCp932FormAndCutsKeepWholeCharacters) {
    const std::pair<const char*, int32_t> cases[] = {
        {"ｱｲｳ", 3},
        {"ＡＢ漢字", 8},
        {"𠮷", 1},
        {"〜", 2},  // the JIS wave dash keeps its width
        {"a long ascii run before 漢 and after", 36},
    };
    for (const auto& [text, bytes] : cases) EXPECT_EQ(fnLenByte(text), bytes) << text;
    // Byte cuts keep whole characters through the code page; trims take half-width blanks.
    const std::tuple<const char*, int32_t, const char*> left[] = {
        {"abc", -5, ""},   {"abc", 10, "abc"}, {"あいう", 3, "あ"},
        {"ｱあ", 2, "ｱ"},   {"表a", 1, ""},  // never a stray trail byte read as '\'
        {"〜x", 3, "～x"}, {"𠮷ab", 2, "?a"},  {"a\xFF", 2, "a?"},
    };
    for (const auto& [text, bytes, cut] : left) EXPECT_EQ(fnLeftB(text, bytes), cut) << text;
    const std::tuple<const char*, int32_t, const char*> right[] = {
        {"C:\\dir\\", 1, "\\"},
        // 表 ends in 0x5C: its last byte alone is half a character, not a backslash.
        {"ab表", 1, ""},
        {"x𠮷", 1, "?"},
    };
    for (const auto& [text, bytes, cut] : right) EXPECT_EQ(fnRightB(text, bytes), cut) << text;
    const std::tuple<const char*, int32_t, const char*> kept[] = {
        {"ab漢字", 3, "ab"},     {"ab漢字", 4, "ab漢"},
        {"漢字", 0, ""},         {"〜𠮷x", 3, "〜𠮷"},  // 𠮷 is kept, counted as one byte
        {"a\xE6\xBC", 5, "a??"},                        // broken input still gives valid text
    };
    for (const auto& [text, bytes, cut] : kept) EXPECT_EQ(cutToBytes(text, bytes), cut) << text;
    EXPECT_EQ(fnCutAtNul(std::string("漢\0字\0", 8)), "漢");
    // Trims take half-width blanks only.
    EXPECT_EQ(trimBlanks("\t　ab c　 "), "\t　ab c　");
    EXPECT_EQ(trimBlanksRight("  ab  "), "  ab");
    EXPECT_EQ(trimBlanksLeft("  ab  "), "ab  ");
    for (const char* blank : {"", " ", "    "}) {
        EXPECT_EQ(trimBlanks(blank), "");
        EXPECT_EQ(trimBlanksLeft(blank), "");
        EXPECT_EQ(trimBlanksRight(blank), "");
    }
    EXPECT_EQ(trimBlanks(" \t a\t ", kBlanksAndTabs), "a");
}

TEST(TextToBytes, PadModesStayInsideTheArrayAndReadBack) {
    const struct {
        const char* text;
        size_t size;  // array size: positions 1..size-1
        int32_t length;
        int16_t pad;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"ab", 7, 6, 1, {0xEE, 'a', 'b', 0, 0, 0, 0}},
        {"ab", 7, 4, 2, {0xEE, 'a', 'b', ' ', ' ', 0xEE, 0xEE}},
        {"ab", 7, 6, 0, {0xEE, 'a', 'b', 0xEE, 0xEE, 0xEE, 0xEE}},
        {"abcdef", 4, 10, 1, {0xEE, 'a', 'b', 'c'}},
        {"", 4, 100, 1, {0xEE, 0, 0, 0}},  // padded to the array's end only
        {"abc", 0, 3, 1, {}},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> bytes(c.size, 0xEE);
        sbTextToBytes(c.text, bytes, c.length, c.pad);
        EXPECT_EQ(bytes, c.bytes) << c.text << " " << c.size;
    }
    // As the log-in builds a password: one byte more than its byte length, NUL-padded.
    const std::string password = "pa漢ss";
    std::vector<uint8_t> buffer(static_cast<size_t>(fnLenByte(password)) + 2);
    sbTextToBytes(password, buffer, fnLenByte(password) + 1, 1);
    EXPECT_EQ(buffer[3] * 256 + buffer[4], 0x8ABF);
    EXPECT_EQ(fnBytesToText(buffer), password);
    // Read back from position 1 up to a NUL; half a character at the end is left out.
    EXPECT_EQ(fnBytesToText({'X', 0x95, 0x5C, 0xB1, 0, 'c'}), "表ｱ");
    EXPECT_EQ(fnBytesToText({'X', 'a', 0x8A}), "a");
}

// What every writer is handed: readable UTF-8 that XML can hold, and for a printed
// line no control character at all.
TEST(CleanText, BadBytesReplacedXmlForbiddenDroppedBreaksKeptOrBlanked) {
    const std::string fffd(kReplacementChar);
    const struct {
        std::string_view text;
        std::string clean, line;
    } cases[] = {
        {"plain ascii", "plain ascii", "plain ascii"},
        {"a\xFF"
         "b",
         "a" + fffd + "b", "a" + fffd + "b"},
        {"\xC0\xAF", fffd + fffd, fffd + fffd},                    // overlong '/': two bad bytes
        {"\xED\xA0\x80", fffd + fffd + fffd, fffd + fffd + fffd},  // surrogate U+D800
        {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd, fffd + fffd + fffd + fffd},  // > U+10FFFF
        {"漢\xE6\xBC", "漢" + fffd + fffd, "漢" + fffd + fffd},  // cut short at the end
        {"x\xEF\xBF\xBEy\xEF\xBF\xBFz", "xyz", "xyz"},           // U+FFFE, U+FFFF
        {std::string_view("\x00\x01\x08\x0B\x0C\x1F\x7F\xC2\x85|", 10), "|", "|"},
        {"a\tb\r\nc\nd\re", "a\tb\r\nc\nd\re", "a b c d e"},  // CR LF is one break
        {"𠮷野家 🍣 ＿x0041＿", "𠮷野家 🍣 ＿x0041＿", "𠮷野家 🍣 ＿x0041＿"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cleanText(c.text), c.clean) << c.text;
        EXPECT_EQ(lineText(c.text), c.line) << c.text;
        EXPECT_EQ(cleanText(c.clean), c.clean) << c.text;  // a second pass changes nothing
    }
}

}  // namespace
}  // namespace omrix::util
