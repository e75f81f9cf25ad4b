#pragma once
// Text of a fixed width in characters, as the breakdown records declare their
// fields: whatever is assigned is cut at N characters, and reading gives it back
// padded with blanks to N.
//
// Only the text before the padding is stored: trailing blanks are exactly what the
// padding would add again, so dropping them loses nothing. A field is one pointer,
// null while blank, so a breakdown of 100,000 lines of some eighty fields stays
// small: most fields of a line are blank.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace omrix::util {

// The start of the text up to `width` characters, without its trailing blanks.
// A character is a Unicode code point; an invalid UTF-8 byte counts as one.
std::string_view fixedContent(std::string_view text, std::size_t width);

// `content` followed by blanks up to `width` characters; never cut.
std::string padToWidth(std::string_view content, std::size_t width);

// The stored content of a fixed text: a heap block of its length and bytes, or
// nothing when the content is empty.
class FixedTextStorage {
  public:
    FixedTextStorage() = default;
    explicit FixedTextStorage(std::string_view content) { assign(content); }
    FixedTextStorage(const FixedTextStorage& other) { assign(other.view()); }
    FixedTextStorage(FixedTextStorage&&) noexcept = default;
    FixedTextStorage& operator=(const FixedTextStorage& other);
    FixedTextStorage& operator=(FixedTextStorage&&) noexcept = default;
    ~FixedTextStorage() = default;

    std::string_view view() const;
    void clear() { block_.reset(); }

    friend bool operator==(const FixedTextStorage& a, const FixedTextStorage& b) {
        return a.view() == b.view();
    }

  private:
    void assign(std::string_view content);
    std::unique_ptr<char[]> block_;
};

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
    std::string str() const { return padToWidth(content_.view(), N); }
    // Without the padding: the text trimmed of blanks on the right. Valid until the
    // field changes.
    std::string_view trimmedRight() const { return content_.view(); }
    bool isBlank() const { return content_.view().empty(); }
    void clear() { content_.clear(); }

    friend bool operator==(const FixedText&, const FixedText&) = default;

  private:
    FixedTextStorage content_;
};

}  // namespace omrix::util
