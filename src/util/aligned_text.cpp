#include "util/aligned_text.h"

#include <limits>

namespace omrix::util {

std::string fnAlignByBytes(std::string& text, int16_t alignment, int16_t width) {
    text = std::string(util::trimBlanks(text));
    const int32_t length = fnLenByte(text);
    if (length > width) return text;
    const int32_t d = width - length;
    int32_t before = 0;
    if (alignment == kAlignRight) {
        before = d;
    } else if (alignment != kAlignLeft) {
        // d / 2 rounded half to even: 1 -> 0, 3 -> 2, 5 -> 2, 7 -> 4.
        int32_t after = d / 2;
        if (d % 2 == 1 && after % 2 == 1) ++after;
        before = d - after;
    }
    std::string out;
    out.reserve(text.size() + static_cast<std::size_t>(d));
    out.append(static_cast<std::size_t>(before), ' ');
    out += text;
    out.append(static_cast<std::size_t>(d - before), ' ');
    return out;
}

int16_t fnSplitText(std::string_view text, std::string_view delimiter,
                    std::vector<std::string>& parts) {
    if (util::trimBlanks(text).empty()) return 0;
    constexpr std::size_t kMaxParts = std::numeric_limits<int16_t>::max();
    parts.clear();
    while (true) {
        const std::size_t at = delimiter.empty() || parts.size() + 1 == kMaxParts
                                   ? std::string_view::npos
                                   : text.find(delimiter);
        if (at == std::string_view::npos) {
            parts.emplace_back(text);
            return static_cast<int16_t>(parts.size());
        }
        parts.emplace_back(text.substr(0, at));
        text.remove_prefix(at + delimiter.size());
    }
}

std::string fnDittoText(int16_t dittoSwitch, int16_t kind, std::string_view reference,
                        std::string_view current) {
    if (dittoSwitch != 0 && !util::trimBlanks(reference).empty() && current == reference) {
        return kind == kDittoWide ? "          〃     " : "     〃     ";
    }
    return std::string(current);
}

}  // namespace omrix::util
