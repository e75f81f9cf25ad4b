#include "util/clean_text.h"

#include "util/utf8.h"

namespace omrix::util {
namespace {

bool isDropped(char32_t ch) {
    if (ch < 0x20) return ch != '\t' && ch != '\n' && ch != '\r';
    return (ch >= 0x7F && ch <= 0x9F) || ch == 0xFFFE || ch == 0xFFFF;
}

// Printable ASCII is most of what the documents hold: it is taken as it stands.
std::size_t plainPrefixLength(std::string_view text) {
    std::size_t n = 0;
    while (n < text.size()) {
        const auto byte = static_cast<unsigned char>(text[n]);
        if (byte < 0x20 || byte >= 0x7F) break;
        ++n;
    }
    return n;
}

std::string clean(std::string_view text, bool oneLine) {
    const std::size_t plain = plainPrefixLength(text);
    if (plain == text.size()) return std::string(text);
    std::string out(text.substr(0, plain));
    out.reserve(text.size() + 8);
    for (std::size_t pos = plain; pos < text.size();) {
        const Utf8Char c = decodeUtf8(text, pos);
        pos += c.size;
        if (c.ch == kInvalidChar) {
            out += kReplacementChar;
        } else if (oneLine && (c.ch == '\t' || c.ch == '\n' || c.ch == '\r')) {
            // CR LF is one break, one blank.
            if (c.ch == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
            out += ' ';
        } else if (!isDropped(c.ch)) {
            appendUtf8(out, c.ch);
        }
    }
    return out;
}

}  // namespace

std::string cleanText(std::string_view text) {
    return clean(text, false);
}

std::string lineText(std::string_view text) {
    return clean(text, true);
}

}  // namespace omrix::util
