#pragma once
// Joins PDFs that Qt's writer wrote, each holding a run of a document's pages, into one
// PDF of all their pages in order, as the parts finish: each part's objects are copied
// as they stand (page streams and fonts are not decoded), renumbered after the parts
// before it, under one page list. The document information is the first part's.
// Painting a long document on several threads writes one part per thread; a general
// PDF library would read every part into memory to do what a renumbering copy does.
//
//     PdfJoin join([&](std::string_view bytes) { return write(bytes); });
//     for (const std::string& part : parts)
//         if (!join.append(part)) ...;
//     if (!join.finish()) ...;
//
// The result has one cross-reference table and a flat page list, as Qt writes them, so
// that appendPdfUpdate() takes it as it takes a file Qt wrote.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "util/failure.h"

namespace omrix::reports {

class PdfJoin {
  public:
    // Takes the joined file's bytes in order; false stops the join (a refused write).
    using Sink = std::function<bool(std::string_view bytes)>;
    explicit PdfJoin(Sink sink);

    // Appends the pages of the PDF at `path` after those appended before. Fails when it
    // is no PDF as Qt writes them (one cross-reference table, a flat page list) or the
    // sink refused a write; the join is then spoilt.
    util::Status append(const std::string& path);
    // Writes the page list, the catalog and the cross-reference table. Fails when
    // nothing was appended or the sink refused a write.
    util::Status finish();

    struct PartIndex;

  private:
    void number(const PartIndex& index, long pagesNumber, std::vector<long>& map,
                std::vector<std::pair<long, long>>& order) const;
    bool write(std::string_view bytes);
    bool startObject(long number);

    Sink sink_;
    long written_ = 0;
    std::vector<long> offsets_;  // by object number of the joined file; 0: not written
    std::vector<long> kids_;     // the page objects, in order
    bool hasInfo_ = false;
    bool failed_ = false;
};

}  // namespace omrix::reports
