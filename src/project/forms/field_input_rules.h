#pragma once
// The key rules of the project windows' text boxes: a byte limit for texts, a numeric
// filter for floors, quantities and areas, and the tsubo figure of an area.
//
// Keys go through the key rules as typed; text that arrives any other way (paste,
// drop, Delete, input-method commit) is judged as a whole by the edit rule, which
// refuses any text that could not have been typed from an empty box.

#include <cstdint>
#include <string>
#include <string_view>

namespace omrix::project {

inline constexpr std::string_view kBackspace = "\b";

struct NumberRule {
    bool allowDecimal = false;
    double min = 0.0;
    double max = 0.0;
    int16_t decimals = 0;
};

inline constexpr NumberRule kFloorRule{.allowDecimal = false, .min = 0, .max = 999, .decimals = 0};
inline constexpr NumberRule kDecimalRule{
    .allowDecimal = true, .min = 0, .max = 999999999.999, .decimals = 3};

enum class InputKind { None, Text, Number };

struct InputRule {
    InputKind kind = InputKind::None;
    int32_t bytes = 0;    // Text: the CP932 byte limit
    NumberRule number{};  // Number
};

inline constexpr InputRule kNoRule{};
inline constexpr InputRule textRule(int32_t bytes) {
    return {.kind = InputKind::Text, .bytes = bytes};
}
inline constexpr InputRule kFloorInput{.kind = InputKind::Number, .number = kFloorRule};
inline constexpr InputRule kDecimalInput{.kind = InputKind::Number, .number = kDecimalRule};

// True (refuse) when the text with the key added is longer than `limit` bytes. The
// whole current text counts, not a selection the key would replace. Backspace passes.
bool fnCheckTextKey(std::string_view sText, std::string_view sKey, int32_t limit);

// True (refuse) for a key the numeric filter does not let into the box. iSelStart and
// iSelLength count characters.
bool fnCheckNumKey(bool bAllowDecimal, double dMin, double dMax, int16_t iDecimals,
                   std::string_view sKey, std::string_view sText, int32_t iSelStart,
                   int32_t iSelLength);

// One typed key against the box's rule.
bool refusesKey(const InputRule& rule, std::string_view key, std::string_view text,
                int32_t selStart, int32_t selLength);

// A whole new text (pasted, dropped, after Delete) against the box's rule: refused
// when typing it key by key into an empty box would have been refused somewhere.
bool refusesText(const InputRule& rule, std::string_view text);

// Square metres to tsubo with the project's factor, unrounded.
double fnTuboFigure(double squareMetres, double tuboKansan);

// The caption of a tsubo label for the text of its area box.
std::string tuboCaption(std::string_view areaText, double tuboKansan);

}  // namespace omrix::project
