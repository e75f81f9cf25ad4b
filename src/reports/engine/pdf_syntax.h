#pragma once
// The one piece of PDF syntax both the join and the update read from a file Qt wrote:
// a key's whole-number value in a dictionary or trailer.

#include <charconv>
#include <optional>
#include <string_view>

namespace omrix::reports {

// The number after the first `key` in `text`, past blanks; none when there is none.
inline std::optional<long> pdfNumberAfter(std::string_view text, std::string_view key) {
    std::size_t at = text.find(key);
    if (at == std::string_view::npos) return std::nullopt;
    at = text.find_first_not_of(" \r\n\t", at + key.size());
    if (at == std::string_view::npos) return std::nullopt;
    long value = 0;
    auto [end, ec] = std::from_chars(text.data() + at, text.data() + text.size(), value);
    if (ec != std::errc()) return std::nullopt;
    return value;
}

}  // namespace omrix::reports
