#include "util/utf8.h"

#include <cstring>

namespace omrix::util {

std::size_t asciiPrefixLength(std::string_view text) {
    std::size_t i = 0;
    // Eight bytes at a time: any high bit ends the run.
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word = 0;
        std::memcpy(&word, text.data() + i, 8);
        if ((word & 0x8080808080808080ULL) != 0) break;
    }
    while (i < text.size() && static_cast<unsigned char>(text[i]) < 0x80) ++i;
    return i;
}

std::size_t utf8Length(std::string_view text) {
    std::size_t pos = asciiPrefixLength(text);
    std::size_t count = pos;
    while (pos < text.size()) {
        pos += decodeUtf8(text, pos).size;
        ++count;
    }
    return count;
}

bool isValidUtf8(std::string_view text) {
    for (std::size_t pos = asciiPrefixLength(text); pos < text.size();) {
        Utf8Char c = decodeUtf8(text, pos);
        if (c.ch == kInvalidChar) return false;
        pos += c.size;
    }
    return true;
}

}  // namespace omrix::util
