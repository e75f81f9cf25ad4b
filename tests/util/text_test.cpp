#include "util/text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace omrix::util {
namespace {

TEST(ByteLength, CountsTheCp932Form) {
    EXPECT_EQ(fnLenByte(""), 0);
    EXPECT_EQ(fnLenByte("abc 123"), 7);
    EXPECT_EQ(fnLenByte("ｱｲｳ"), 3);
    EXPECT_EQ(fnLenByte("ＡＢ漢字"), 8);
    EXPECT_EQ(fnLenByte("〃"), 2);
    EXPECT_EQ(fnLenByte("𠮷"), 1);
    EXPECT_EQ(fnLenByte("〜"), 2);  // the JIS wave dash keeps its width
    EXPECT_EQ(fnLenByte("a\xFF\xFE"), 3);
    EXPECT_EQ(fnLenByte("a long ascii run before 漢 and after"), 36);
}

TEST(LeftBytes, CutsWholeCharactersOnly) {
    EXPECT_EQ(fnLeftB("abcdef", 3), "abc");
    EXPECT_EQ(fnLeftB("abc", 10), "abc");
    EXPECT_EQ(fnLeftB("abc", -5), "");
    EXPECT_EQ(fnLeftB("あいう", 3), "あ");  // the second character would be halved
    EXPECT_EQ(fnLeftB("あいう", 1), "");
    EXPECT_EQ(fnLeftB("ｱあ", 2), "ｱ");
    EXPECT_EQ(fnLeftB("表a", 1), "");  // never a stray trail byte read as '\'
    // The cut goes through the code page.
    EXPECT_EQ(fnLeftB("〜x", 3), "～x");
    EXPECT_EQ(fnLeftB("𠮷ab", 2), "?a");
    EXPECT_EQ(fnLeftB("a\xFF", 2), "a?");
}

TEST(RightBytes, CutsWholeCharactersOnly) {
    EXPECT_EQ(fnRightB("C:\\dir\\", 1), "\\");
    EXPECT_EQ(fnRightB("abc", 10), "abc");
    EXPECT_EQ(fnRightB("あいう", 3), "う");
    EXPECT_EQ(fnRightB("あa", 2), "a");
    EXPECT_EQ(fnRightB("aあ", 2), "あ");
    // 表 ends in 0x5C: its last byte alone is half a character, not a backslash.
    EXPECT_EQ(fnRightB("ab表", 1), "");
    EXPECT_EQ(fnRightB("表ソ", 3), "ソ");
    EXPECT_EQ(fnRightB("x𠮷", 1), "?");
}

TEST(CutToBytes, KeepsCharactersAndNeverSplitsOne) {
    EXPECT_EQ(cutToBytes("abcdef", 4), "abcd");
    EXPECT_EQ(cutToBytes("ab漢字", 3), "ab");
    EXPECT_EQ(cutToBytes("ab漢字", 4), "ab漢");
    EXPECT_EQ(cutToBytes("漢字", 0), "");
    EXPECT_EQ(cutToBytes("〜𠮷x", 4), "〜𠮷x");  // 𠮷 is kept, counted as one byte
    EXPECT_EQ(cutToBytes("〜𠮷x", 3), "〜𠮷");
    EXPECT_EQ(cutToBytes("ｱｲｳｴ", 3), "ｱｲｳ");
    EXPECT_EQ(cutToBytes("a\xE6\xBC", 5), "a??");  // broken input still gives valid text
    std::string name54(27, 'x');
    name54 += "名称が長い";
    EXPECT_EQ(fnLenByte(cutToBytes(name54, 36)), 35);
}

TEST(CutAtNul, EndsAtTheFirstNul) {
    EXPECT_EQ(fnCutAtNul("abc"), "abc");
    EXPECT_EQ(fnCutAtNul(std::string("\0abc", 4)), "");
    EXPECT_EQ(fnCutAtNul(std::string("漢\0字\0", 8)), "漢");
}

TEST(TextToBytes, PadModes) {
    std::vector<uint8_t> bytes(7, 0xEE);  // positions 1..6
    sbTextToBytes("ab", bytes, 6, 1);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0xEE, 'a', 'b', 0, 0, 0, 0}));

    bytes.assign(7, 0xEE);
    sbTextToBytes("ab", bytes, 4, 2);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0xEE, 'a', 'b', ' ', ' ', 0xEE, 0xEE}));

    bytes.assign(7, 0xEE);
    sbTextToBytes("ab", bytes, 6, 0);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0xEE, 'a', 'b', 0xEE, 0xEE, 0xEE, 0xEE}));

    // It stays inside the array.
    bytes.assign(4, 0xEE);  // positions 1..3
    sbTextToBytes("abcdef", bytes, 10, 1);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0xEE, 'a', 'b', 'c'}));

    bytes.assign(4, 0xEE);
    sbTextToBytes("", bytes, 100, 1);  // length beyond the array: padded to its end only
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0xEE, 0, 0, 0}));

    std::vector<uint8_t> empty;
    sbTextToBytes("abc", empty, 3, 1);
    EXPECT_TRUE(empty.empty());

    std::vector<uint8_t> onlyZero(1, 0xEE);
    sbTextToBytes("abc", onlyZero, 3, 1);
    EXPECT_EQ(onlyZero, std::vector<uint8_t>{0xEE});
}

TEST(TextToBytes, PasswordBufferRoundTrip) {
    // As the log-in builds it: one byte more than the text's byte length, NUL-padded.
    const std::string password = "pa漢ss";
    const int32_t size = fnLenByte(password) + 1;
    std::vector<uint8_t> buffer(static_cast<std::size_t>(size) + 1);
    sbTextToBytes(password, buffer, size, 1);
    EXPECT_EQ(buffer[static_cast<std::size_t>(size)], 0);
    EXPECT_EQ(buffer[3], 0x8A);
    EXPECT_EQ(buffer[4], 0xBF);
    EXPECT_EQ(fnBytesToText(buffer), password);
}

TEST(BytesToText, ReadsFromPositionOneUpToNul) {
    EXPECT_EQ(fnBytesToText({'X', 'a', 'b', 0, 'c'}), "ab");
    EXPECT_EQ(fnBytesToText({'X', 0x95, 0x5C, 0xB1}), "表ｱ");
    EXPECT_EQ(fnBytesToText({'X', 'a', 0x8A}), "a");  // half a character at the end
    EXPECT_EQ(fnBytesToText({'X'}), "");
    EXPECT_EQ(fnBytesToText({}), "");
}

TEST(TrimBlanks, OnlyHalfWidthSpaces) {
    EXPECT_EQ(trimBlanks("  ab c  "), "ab c");
    EXPECT_EQ(trimBlanksRight("  ab  "), "  ab");
    EXPECT_EQ(trimBlanks("    "), "");
    EXPECT_EQ(trimBlanks("\tab\t"), "\tab\t");
    EXPECT_EQ(trimBlanks("　漢　"), "　漢　");
}

}  // namespace
}  // namespace omrix::util
