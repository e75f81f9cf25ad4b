// The text every writer is handed, from any bytes: valid UTF-8 that XML can hold,
// unchanged by a second pass, and for a printed line no control character at all.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "util/clean_text.h"
#include "util/utf8.h"

namespace {

bool xmlCanHold(char32_t ch) {
    return ch == '\t' || ch == '\n' || ch == '\r' || (ch >= 0x20 && ch <= 0xD7FF) ||
           (ch >= 0xE000 && ch <= 0xFFFD) || (ch >= 0x10000 && ch <= 0x10FFFF);
}

void check(const std::string& out, bool oneLine) {
    for (std::size_t pos = 0; pos < out.size();) {
        const omrix::util::Utf8Char c = omrix::util::decodeUtf8(out, pos);
        if (c.ch == omrix::util::kInvalidChar || !xmlCanHold(c.ch)) __builtin_trap();
        if ((c.ch >= 0x7F && c.ch <= 0x9F) || (oneLine && c.ch < 0x20)) __builtin_trap();
        pos += c.size;
    }
    if (omrix::util::cleanText(out) != out) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    check(omrix::util::cleanText(text), false);
    check(omrix::util::lineText(text), true);
    return 0;
}
