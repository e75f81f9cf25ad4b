#pragma once
// Text of a fixed width in characters, as the breakdown records declare their
// fields: whatever is assigned is cut at N characters, and reading gives it back
// padded with blanks to N.
//
// Only the text before the padding is stored: trailing blanks are exactly what the
// padding would add again, so dropping them loses nothing and keeps a blank or
// short field within the string's own small buffer. A record of some eighty such
// fields is then hardly bigger than its pointers.

#include <cstddef>
#include <string>
#include <string_view>

namespace omrix::util {

// The text cut at `width` characters, without its trailing blanks. A character is
// a Unicode code point; an invalid UTF-8 byte counts as one and stays.
std::string fixedContent(std::string_view text, std::size_t width);

// `content` followed by blanks up to `width` characters.
std::string padToWidth(std::string_view content, std::size_t width);

template <std::size_t N>
class FixedText {
    static_assert(N > 0, "a fixed text holds at least one character");

  public:
    FixedText() = default;
    // Implicit, as assigning a text to a fixed-width field is.
    FixedText(std::string_view text) : content_(fixedContent(text, N)) {}
    FixedText(const std::string& text) : FixedText(std::string_view(text)) {}
    FixedText(const char* text) : FixedText(std::string_view(text)) {}

    static constexpr std::size_t width() { return N; }

    // Padded to N characters.
    std::string str() const { return padToWidth(content_, N); }
    // Without the padding: the text trimmed of blanks on the right.
    const std::string& trimmedRight() const { return content_; }
    bool isBlank() const { return content_.empty(); }
    void clear() { content_.clear(); }

    friend bool operator==(const FixedText&, const FixedText&) = default;

  private:
    std::string content_;
};

}  // namespace omrix::util
