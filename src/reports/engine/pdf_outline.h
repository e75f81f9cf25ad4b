#pragma once
// Bookmarks (the document outline) added to a finished PDF as an incremental update:
// the file as written stays byte for byte, and a new catalog with /Outlines, the
// outline items, a cross-reference section and a trailer pointing back to the old
// one are appended. Qt's PDF writer has no outlines; rewriting a PDF of thousands of
// pages to add a few dozen objects would cost as much as writing it.

#include <string>
#include <vector>

namespace omrix::reports {

// One bookmark, in the order a reader lists them: each entry is a child of the nearest
// entry above it with a lower level.
struct OutlineEntry {
    std::string title;  // UTF-8
    int page = 1;       // 1-based
    int level = 0;      // 0: top
};

// Appends the outline to the PDF at `path`; nothing is done for an empty outline.
// Entries pointing past the last page point at it. False with `error` when the file
// is no PDF this writer can read (a single cross-reference table and a flat page
// list, as Qt writes them) or cannot be written.
bool appendPdfOutline(const std::string& path, const std::vector<OutlineEntry>& entries,
                      std::string& error);

}  // namespace omrix::reports
