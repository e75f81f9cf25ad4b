#include "util/fixed_text.h"

#include <gtest/gtest.h>

#include <string>

namespace omrix::util {
namespace {

TEST(FixedTextWidth, PadsAndCutsInCharactersTrailingBlanksArePadding) {
    EXPECT_EQ(FixedText<5>("abcdefgh").str(), "abcde");
    EXPECT_EQ(FixedText<4>(std::string("工事概要書類")).str(), "工事概要");  // not bytes
    EXPECT_EQ(FixedText<4>("ｱ漢").str(), "ｱ漢  ");
    EXPECT_EQ(FixedText<4>("a𠮷b").str(), "a𠮷b ");  // outside the BMP: still one character
    // Broken UTF-8 counts byte by byte.
    EXPECT_EQ(FixedText<3>(std::string_view("a\xFF\xFE\xFDz")).trimmedRight(), "a\xFF\xFE");
    EXPECT_EQ(FixedText<2>("漢\xE5\xAD").trimmedRight(), "漢\xE5");
    EXPECT_EQ(padToWidth("abcd", 3), "abcd");  // never cuts
    // Trailing blanks are just padding.
    FixedText<6> a = "ab";
    FixedText<6> c = "ab      xyz";  // the cut leaves only blanks after "ab"
    EXPECT_EQ(a, c);
    EXPECT_EQ(c.trimmedRight(), "ab");
    EXPECT_NE(FixedText<6>("  ab"), a);
    FixedText<4> wide = "ab　";  // a full-width space is text, not padding
    EXPECT_EQ(wide.trimmedRight(), "ab　");
    wide.clear();
    EXPECT_TRUE(wide.isBlank());
}

}  // namespace
}  // namespace omrix::util
