#include <gtest/gtest.h>

#include <string>

#include "project/forms/field_input_rules.h"

namespace omrix::project {
namespace {

struct KeyCase {
    const char* what;
    InputRule rule;
    std::string text;
    const char* key;
    int32_t selStart;
    int32_t selLength;
    bool refused;
};

TEST(FieldInputRules, KeysAsTyped) {
    const std::string sixtyThree(63, 'a');
    const KeyCase cases[] = {
        {"floor reaching 999", kFloorInput, "99", "9", 2, 0, false},
        {"floor reaching 1000", kFloorInput, "100", "0", 3, 0, true},
        {"floor point", kFloorInput, "1", ".", 1, 0, true},
        {"third decimal", kDecimalInput, "1.23", "4", 4, 0, false},
        {"fourth decimal", kDecimalInput, "1.234", "5", 5, 0, true},
        {"trailing zero decimal reads as fewer", kDecimalInput, "1.234", "0", 5, 0, false},
        {"second point", kDecimalInput, "1.5", ".", 3, 0, true},
        {"decimal above maximum", kDecimalInput, "999999999", "9", 9, 0, true},
        {"minus at the start of an empty box", kDecimalInput, "", "-", 0, 0, false},
        {"minus before a digit makes it negative", kDecimalInput, "5", "-", 0, 0, true},
        {"second minus", kFloorInput, "-", "-", 0, 0, true},
        {"digit after a lone minus", kFloorInput, "-", "5", 1, 0, true},
        {"zero after a lone minus", kFloorInput, "-", "0", 1, 0, false},
        {"63 half-width plus one half-width", textRule(64), sixtyThree, "b", 63, 0, false},
        {"63 half-width plus one full-width", textRule(64), sixtyThree, "あ", 63, 0, true},
        {"whole text counts, not the selection", textRule(3), "abc", "d", 0, 3, true},
        {"backspace in a full box", textRule(3), "abcd", "\b", 4, 0, false},
        {"no rule", kNoRule, std::string(500, 'x'), "あ", 500, 0, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(refusesKey(c.rule, c.key, c.text, c.selStart, c.selLength), c.refused) << c.what;
    }
}

struct TextCase {
    const char* what;
    InputRule rule;
    std::string text;
    bool refused;
};

TEST(FieldInputRules, PastedAndDroppedTextAsAWhole) {
    const TextCase cases[] = {
        {"64 bytes of text", textRule(64), std::string(62, 'a') + "あ", false},
        {"65 bytes of text", textRule(64), std::string(63, 'a') + "あ", true},
        {"floor 1000", kFloorInput, "1000", true},
        {"floor with a point", kFloorInput, "1.0", true},
        {"full-width digits are not keys", kFloorInput, "１２", true},
        {"decimal with three places", kDecimalInput, "12.345", false},
        {"decimal with four places", kDecimalInput, "12.3456", true},
        {"negative number", kDecimalInput, "-1", true},
        {"lone minus", kDecimalInput, "-", false},
        {"Delete of the point past the maximum", kDecimalInput, "9999999995", true},
        {"a fifth decimal beyond zeros", kDecimalInput, "0.00001", true},
    };
    for (const auto& c : cases) EXPECT_EQ(refusesText(c.rule, c.text), c.refused) << c.what;
}

TEST(FieldInputRules, TsuboCaptions) {
    // 0.3025 rounded at start-up to 3 places is 0.303.
    EXPECT_EQ(tuboCaption("1234.5", 0.303), "374.0535");
    EXPECT_EQ(tuboCaption("-", 0.303), "0");  // the one negative text a key can leave
    EXPECT_EQ(tuboCaption("100", 0.0), "0");
}

}  // namespace
}  // namespace omrix::project
