#include "util/fixed_text.h"

#include <algorithm>

#include "util/utf8.h"

namespace omrix::util {
namespace {

// Byte offset where the text's `width`-th character ends.
std::size_t endOfChars(std::string_view text, std::size_t width) {
    const std::size_t ascii = asciiPrefixLength(text.substr(0, std::min(width, text.size())));
    if (ascii == width || ascii == text.size()) return ascii;
    std::size_t pos = ascii;
    for (std::size_t count = ascii; count < width && pos < text.size(); ++count) {
        pos += decodeUtf8(text, pos).size;
    }
    return pos;
}

}  // namespace

std::string fixedContent(std::string_view text, std::size_t width) {
    std::string_view cut = text.substr(0, endOfChars(text, width));
    std::size_t last = cut.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(cut.substr(0, last + 1));
}

std::string padToWidth(std::string_view content, std::size_t width) {
    std::string out(content);
    const std::size_t chars = utf8Length(content);
    if (chars < width) out.append(width - chars, ' ');
    return out;
}

}  // namespace omrix::util
