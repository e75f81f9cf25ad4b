#pragma once
// What Qt's PDF writer cannot write, added to a finished PDF as one incremental update:
// the document information (title, author, subject, the program that made it) and the
// bookmarks of the outline. The file as written stays byte for byte; new objects, a
// cross-reference section and a trailer pointing back to the old one are appended.
// Rewriting a PDF of thousands of pages to add a few dozen objects would cost as much
// as writing it.

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "util/failure.h"

namespace omrix::reports {

// What a reader's properties and a search of the files show.
struct DocumentInfo {
    std::string title;    // the document's own title, as printed
    std::string author;   // the company name; "" when the document carries none
    std::string subject;  // 工事名称
};

// One bookmark, in the order a reader lists them: each entry is a child of the nearest
// entry above it with a lower level.
struct OutlineEntry {
    std::string title;  // UTF-8
    int page = 1;       // 1-based
    int level = 0;      // 0: top
};

// "omrix-print <version>", the PDF's Creator.
std::string creatorText();

// Appends the information (with creatorText()) and, unless it is empty, the outline to
// the PDF at `path`. Entries pointing past the last page point at it. False with
// `error`, the file left as it was, when it is no PDF this writer can read (a single
// cross-reference table and a flat page list, as Qt writes them) or cannot be written.
util::Status appendPdfUpdate(const std::string& path, const DocumentInfo& info,
                             const std::vector<OutlineEntry>& outline);

// The whole-number value after the first `key` in `text` (a dictionary or trailer of a
// file Qt wrote), past blanks; none when there is none. The join reads it too.
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
