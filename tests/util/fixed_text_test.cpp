#include "util/fixed_text.h"

#include <gtest/gtest.h>

#include <string>

namespace omrix::util {
namespace {

TEST(FixedTextWidth, PadsAndCutsInCharacters) {
    FixedText<5> code = "ab";
    EXPECT_EQ(code.str(), "ab   ");
    code = "abcdefgh";
    EXPECT_EQ(code.str(), "abcde");
    FixedText<4> name = std::string("工事概要書類");
    EXPECT_EQ(name.str(), "工事概要");  // characters, not bytes
    name = "ｱ漢";
    EXPECT_EQ(name.str(), "ｱ漢  ");
    name = "a𠮷b";  // outside the BMP: still one character
    EXPECT_EQ(name.str(), "a𠮷b ");
    EXPECT_EQ(FixedText<3>().str(), "   ");
}

TEST(FixedTextWidth, TrailingBlanksAreJustPadding) {
    FixedText<6> a = "ab";
    FixedText<6> b = "ab    ";
    FixedText<6> c = "ab      xyz";  // cut leaves only blanks after "ab"
    EXPECT_EQ(a, b);
    EXPECT_EQ(a, c);
    EXPECT_EQ(c.trimmedRight(), "ab");
    FixedText<6> leading = "  ab";
    EXPECT_EQ(leading.trimmedRight(), "  ab");
    EXPECT_NE(leading, a);
    FixedText<4> wide = "ab　";  // a full-width space is text, not padding
    EXPECT_EQ(wide.trimmedRight(), "ab　");
    EXPECT_EQ(wide.str(), "ab　 ");
}

TEST(FixedTextWidth, BlankAndClear) {
    FixedText<8> text = "        ";
    EXPECT_TRUE(text.isBlank());
    text = "x";
    EXPECT_FALSE(text.isBlank());
    text.clear();
    EXPECT_TRUE(text.isBlank());
    EXPECT_EQ(text.str(), std::string(8, ' '));
}

TEST(FixedTextWidth, BrokenUtf8CountsByteByByte) {
    FixedText<3> text = std::string_view("a\xFF\xFE\xFDz");
    EXPECT_EQ(text.trimmedRight(), "a\xFF\xFE");
    FixedText<2> cut = "漢\xE5\xAD";  // cut short sequence: its bytes count one each
    EXPECT_EQ(cut.trimmedRight(), "漢\xE5");
}

TEST(FixedTextCopies, AreIndependent) {
    FixedText<10> original = "工事名称";
    FixedText<10> copy = original;
    original = "別";
    EXPECT_EQ(copy.trimmedRight(), "工事名称");
    copy = copy;  // self-assignment keeps the text
    EXPECT_EQ(copy.trimmedRight(), "工事名称");
    FixedText<10> moved = std::move(copy);
    EXPECT_EQ(moved.str(), "工事名称      ");
    copy = moved;  // a moved-from field takes a new value
    EXPECT_EQ(copy, moved);
    FixedText<10> blank;
    moved = blank;
    EXPECT_TRUE(moved.isBlank());
}

TEST(FixedTextHelpers, ContentAndPadding) {
    EXPECT_EQ(fixedContent("abc  ", 10), "abc");
    EXPECT_EQ(fixedContent("", 10), "");
    EXPECT_EQ(fixedContent("漢字かな", 2), "漢字");
    EXPECT_EQ(padToWidth("漢", 3), "漢  ");
    EXPECT_EQ(padToWidth("abcd", 3), "abcd");  // never cuts
}

}  // namespace
}  // namespace omrix::util
