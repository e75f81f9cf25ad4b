#include "reports/engine/selection_formula.h"

#include <charconv>
#include <limits>

#include "util/utf8.h"

namespace omrix::reports {
namespace {

constexpr std::string_view kFullWidthBlank = "\u3000";

std::string_view skipBlanks(std::string_view text) {
    while (!text.empty()) {
        if (text.front() == ' ' || text.front() == '\t') {
            text.remove_prefix(1);
        } else if (text.starts_with(kFullWidthBlank)) {
            text.remove_prefix(kFullWidthBlank.size());
        } else {
            break;
        }
    }
    return text;
}

std::string_view trimBlanks(std::string_view text) {
    text = skipBlanks(text);
    while (!text.empty()) {
        if (text.back() == ' ' || text.back() == '\t') {
            text.remove_suffix(1);
        } else if (text.ends_with(kFullWidthBlank)) {
            text.remove_suffix(kFullWidthBlank.size());
        } else {
            break;
        }
    }
    return text;
}

util::Failure refuse(std::string_view formula, std::string_view why) {
    return util::Failure("record selection formula \"" + std::string(formula) + "\" is refused",
                         std::string(why) + " (expected {table.column} = number)");
}

}  // namespace

bool isPlainName(std::string_view name) {
    if (name.empty()) return false;
    for (std::size_t pos = 0; pos < name.size();) {
        util::Utf8Char c = util::decodeUtf8(name, pos);
        if (c.ch == util::kInvalidChar || c.ch == U'\u3000') return false;
        if (c.ch < 0x80) {
            char a = static_cast<char>(c.ch);
            bool ok = (a >= '0' && a <= '9') || (a >= 'A' && a <= 'Z') || (a >= 'a' && a <= 'z') ||
                      a == '_';
            if (!ok) return false;
        }
        pos += c.size;
    }
    return true;
}

util::Result<SelectionFormula> parseSelectionFormula(std::string_view text) {
    std::string_view rest = skipBlanks(text);
    if (!rest.starts_with('{')) return refuse(text, "it does not start with '{'");
    std::size_t close = rest.find('}');
    if (close == std::string_view::npos) return refuse(text, "'}' is missing");
    std::string_view field = rest.substr(1, close - 1);
    std::size_t dot = field.find('.');
    if (dot == std::string_view::npos) return refuse(text, "the field names no table");
    std::string_view table = trimBlanks(field.substr(0, dot));
    std::string_view column = trimBlanks(field.substr(dot + 1));
    if (!isPlainName(table)) return refuse(text, "the table name is not a plain name");
    if (!isPlainName(column)) return refuse(text, "the column name is not a plain name");

    rest = skipBlanks(rest.substr(close + 1));
    if (!rest.starts_with('=')) return refuse(text, "'=' must follow the field");
    rest = trimBlanks(rest.substr(1));
    if (rest.empty()) return refuse(text, "the number is missing");
    // from_chars takes '-' but not '+'; a '+' must lead straight into the digits.
    if (rest.starts_with('+') && rest.size() > 1 && rest[1] >= '0' && rest[1] <= '9')
        rest.remove_prefix(1);
    int64_t value = 0;
    auto [end, ec] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (ec != std::errc() || end != rest.data() + rest.size())
        return refuse(text, "the value is not a whole number");
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        return refuse(text, "the number is out of range");

    return SelectionFormula{.table = std::string(table),
                            .column = std::string(column),
                            .value = static_cast<int32_t>(value)};
}

}  // namespace omrix::reports
