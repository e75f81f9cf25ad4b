#include "util/text.h"

#include <algorithm>
#include <limits>

#include "util/cp932.h"
#include "util/utf8.h"

namespace omrix::util {
namespace {

struct CodeStep {
    uint16_t code;  // CP932 code, '?' for a bad byte
    uint32_t size;  // UTF-8 bytes taken
};

CodeStep nextCode(std::string_view text, std::size_t pos) {
    Utf8Char c = decodeUtf8(text, pos);
    return {c.ch == kInvalidChar ? uint16_t{'?'} : cp932Code(c.ch), c.size};
}

// Appends the character a CP932 code stands for: the way back of the round trip.
void appendCode(std::string& out, uint16_t code) {
    char32_t ch = cp932Char(code);
    if (ch != kInvalidChar) appendUtf8(out, ch);
}

bool isAllAscii(std::string_view text) {
    return asciiPrefixLength(text) == text.size();
}

std::size_t clampCount(int32_t n, std::size_t size) {
    return std::min(static_cast<std::size_t>(n), size);
}

}  // namespace

int32_t fnLenByte(std::string_view text) {
    std::size_t pos = asciiPrefixLength(text);
    std::size_t bytes = pos;
    while (pos < text.size()) {
        if (static_cast<unsigned char>(text[pos]) < 0x80) {
            ++pos;
            ++bytes;
            continue;
        }
        CodeStep step = nextCode(text, pos);
        pos += step.size;
        bytes += cp932Width(step.code);
    }
    constexpr auto kMax = static_cast<std::size_t>(std::numeric_limits<int32_t>::max());
    return static_cast<int32_t>(std::min(bytes, kMax));
}

std::string fnLeftB(std::string_view text, int32_t n) {
    if (n <= 0) return {};
    std::string_view head = text.substr(0, clampCount(n, text.size()));
    if (isAllAscii(head)) return std::string(head);
    std::string out;
    out.reserve(head.size());
    int64_t used = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        CodeStep step = nextCode(text, pos);
        used += cp932Width(step.code);
        if (used > n) break;
        appendCode(out, step.code);
        pos += step.size;
    }
    return out;
}

std::string fnRightB(std::string_view text, int32_t n) {
    if (n <= 0) return {};
    std::string_view tail = text.substr(text.size() - clampCount(n, text.size()));
    if (isAllAscii(tail)) return std::string(tail);
    // Character boundaries in Shift-JIS are only known from the start.
    const int64_t skip = static_cast<int64_t>(fnLenByte(text)) - n;
    std::string out;
    int64_t at = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        CodeStep step = nextCode(text, pos);
        if (at >= skip) appendCode(out, step.code);
        at += cp932Width(step.code);
        pos += step.size;
    }
    return out;
}

std::string cutToBytes(std::string_view text, int32_t n) {
    if (n <= 0) return {};
    std::string_view head = text.substr(0, clampCount(n, text.size()));
    if (isAllAscii(head)) return std::string(head);
    std::string out;
    out.reserve(head.size());
    int64_t used = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        Utf8Char c = decodeUtf8(text, pos);
        uint16_t code = c.ch == kInvalidChar ? uint16_t{'?'} : cp932Code(c.ch);
        used += cp932Width(code);
        if (used > n) break;
        if (c.ch == kInvalidChar) {
            out += '?';
        } else {
            out.append(text.substr(pos, c.size));
        }
        pos += c.size;
    }
    return out;
}

std::string fnCutAtNul(std::string_view text) {
    return std::string(text.substr(0, text.find('\0')));
}

void sbTextToBytes(std::string_view text, std::vector<uint8_t>& bytes, int32_t length,
                   int16_t padMode) {
    if (bytes.size() < 2) return;
    const std::size_t capacity = bytes.size() - 1;
    const std::string ansi = utf8ToCp932(text);
    const std::size_t copied = std::min(ansi.size(), capacity);
    std::copy_n(ansi.begin(), copied, bytes.begin() + 1);
    if (padMode == 0 || length <= 0) return;
    const std::size_t last = std::min(static_cast<std::size_t>(length), capacity);
    const uint8_t pad = padMode == 1 ? 0 : ' ';
    for (std::size_t i = copied + 1; i <= last; ++i) bytes[i] = pad;
}

std::string fnBytesToText(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < 2) return {};
    std::string_view raw(reinterpret_cast<const char*>(bytes.data()) + 1, bytes.size() - 1);
    // NUL is never a trail byte, so cutting before decoding splits no character.
    return cp932ToUtf8(raw.substr(0, raw.find('\0')));
}

// Fields padded to their width are trimmed on every page painted; a set of one blank
// is passed a byte at a time rather than looked up in the set for each.
std::string_view trimBlanksLeft(std::string_view text, std::string_view blanks) {
    if (blanks.size() == 1) {
        std::size_t first = 0;
        while (first < text.size() && text[first] == blanks[0]) ++first;
        return text.substr(first);
    }
    std::size_t first = text.find_first_not_of(blanks);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view trimBlanksRight(std::string_view text, std::string_view blanks) {
    if (blanks.size() == 1) {
        std::size_t end = text.size();
        while (end > 0 && text[end - 1] == blanks[0]) --end;
        return text.substr(0, end);
    }
    std::size_t last = text.find_last_not_of(blanks);
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view trimBlanks(std::string_view text, std::string_view blanks) {
    return trimBlanksRight(trimBlanksLeft(text, blanks), blanks);
}

bool isBlankText(std::string_view text, std::string_view blanks) {
    return text.find_first_not_of(blanks) == std::string_view::npos;
}

}  // namespace omrix::util
