#include "project/forms/field_input_rules.h"

#include <cctype>

#include "util/numbers.h"
#include "util/text.h"
#include "util/utf8.h"

namespace omrix::project {
namespace {

bool isDigit(std::string_view key) {
    return key.size() == 1 && std::isdigit(static_cast<unsigned char>(key[0]));
}

// Byte offset of character number `chars` (clamped to the text).
std::size_t byteOffset(std::string_view text, int32_t chars) {
    std::size_t pos = 0;
    for (int32_t n = 0; n < chars && pos < text.size(); ++n)
        pos += util::decodeUtf8(text, pos).size;
    return pos;
}

// The number at the start of the text: sign, digits, one point, digits; the rest is
// ignored, and a text without digits ("-", ".") is 0.
double leadingNumber(std::string_view text) {
    std::size_t end = 0;
    if (end < text.size() && text[end] == '-') ++end;
    const std::size_t digitsFrom = end;
    bool point = false;
    while (end < text.size() &&
           (std::isdigit(static_cast<unsigned char>(text[end])) || (text[end] == '.' && !point))) {
        point = point || text[end] == '.';
        ++end;
    }
    std::string number(text.substr(0, end));
    if (number.find_first_of("0123456789", digitsFrom) == std::string::npos) return 0.0;
    return util::fnCDblTextOr(number, 0.0);
}

// Digits after the point of the value's text form; an exponent form ("1E-05") counts
// the digits it stands for.
int32_t decimalsOf(double value) {
    const std::string text = util::doubleToText(value);
    const std::size_t e = text.find('E');
    const std::string_view mantissa = std::string_view(text).substr(0, e);
    const std::size_t point = mantissa.find('.');
    int32_t decimals =
        point == std::string_view::npos ? 0 : static_cast<int32_t>(mantissa.size() - point - 1);
    if (e != std::string::npos) decimals -= std::stoi(text.substr(e + 1));
    return decimals < 0 ? 0 : decimals;
}

}  // namespace

bool fnCheckTextKey(std::string_view sText, std::string_view sKey, int32_t limit) {
    if (sKey == kBackspace) return false;
    std::string after(sText);
    after += sKey;
    return util::fnLenByte(after) > limit;
}

bool fnCheckNumKey(bool bAllowDecimal, double dMin, double dMax, int16_t iDecimals,
                   std::string_view sKey, std::string_view sText, int32_t iSelStart,
                   int32_t iSelLength) {
    if (!isDigit(sKey) && sKey != "-") {
        if (sKey == ".") return sText.find('.') != std::string_view::npos || !bAllowDecimal;
        return sKey != kBackspace;
    }
    const std::size_t from = byteOffset(sText, iSelStart);
    const std::size_t to = byteOffset(sText, iSelStart + iSelLength);
    std::string after(sText.substr(0, from));
    after += sKey;
    after += sText.substr(to);
    const double value = leadingNumber(after);
    if (value > dMax || value < dMin) return true;
    if (isDigit(sKey)) return decimalsOf(value) > iDecimals;
    return sText.find('-') != std::string_view::npos || iSelStart != 0;
}

bool refusesKey(const InputRule& rule, std::string_view key, std::string_view text,
                int32_t selStart, int32_t selLength) {
    switch (rule.kind) {
        case InputKind::Text:
            return fnCheckTextKey(text, key, rule.bytes);
        case InputKind::Number:
            return fnCheckNumKey(rule.number.allowDecimal, rule.number.min, rule.number.max,
                                 rule.number.decimals, key, text, selStart, selLength);
        case InputKind::None:
            break;
    }
    return false;
}

bool refusesText(const InputRule& rule, std::string_view text) {
    if (rule.kind == InputKind::Text) return util::fnLenByte(text) > rule.bytes;
    if (rule.kind == InputKind::None) return false;
    std::string typed;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t size = util::decodeUtf8(text, pos).size;
        std::string_view key = text.substr(pos, size);
        if (key == kBackspace) return true;                     // a control character, never text
        const auto chars = static_cast<int32_t>(typed.size());  // ASCII so far
        if (refusesKey(rule, key, typed, chars, 0)) return true;
        typed += key;
        pos += size;
    }
    return false;
}

double fnTuboFigure(double squareMetres, double tuboKansan) {
    return squareMetres * tuboKansan;
}

std::string tuboCaption(std::string_view areaText, double tuboKansan) {
    return util::doubleToText(fnTuboFigure(util::fnCDblTextOr(areaText, 0.0), tuboKansan));
}

}  // namespace omrix::project
