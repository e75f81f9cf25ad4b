#include "util/fixed_text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

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

std::string_view fixedContent(std::string_view text, std::size_t width) {
    std::string_view cut = text.substr(0, endOfChars(text, width));
    std::size_t last = cut.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : cut.substr(0, last + 1);
}

std::string padToWidth(std::string_view content, std::size_t width) {
    std::string out;
    const std::size_t chars = utf8Length(content);
    out.reserve(content.size() + (chars < width ? width - chars : 0));
    out.append(content);
    if (chars < width) out.append(width - chars, ' ');
    return out;
}

FixedTextStorage& FixedTextStorage::operator=(const FixedTextStorage& other) {
    if (this != &other) assign(other.view());
    return *this;
}

std::string_view FixedTextStorage::view() const {
    if (!block_) return {};
    uint32_t size = 0;
    std::memcpy(&size, block_.get(), sizeof size);
    return std::string_view(block_.get() + sizeof size, size);
}

void FixedTextStorage::assign(std::string_view content) {
    if (content.empty()) {
        block_.reset();
        return;
    }
    // Field widths are at most a few hundred characters; the length always fits.
    const auto size = static_cast<uint32_t>(content.size());
    auto block = std::make_unique_for_overwrite<char[]>(sizeof size + size);
    std::memcpy(block.get(), &size, sizeof size);
    std::memcpy(block.get() + sizeof size, content.data(), size);
    block_ = std::move(block);
}

}  // namespace omrix::util
