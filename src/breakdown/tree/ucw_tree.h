#pragma once
// The owner of the lines of one breakdown tree. Lines link to each other by plain
// pointers both ways; the tree keeps every line it made alive until the tree itself
// goes, so a line taken out of the links (or replaced by a refresh) stays valid for
// whoever still holds it. Handles from share() keep the whole tree alive.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tables/uchiwake_records.h"
#include "breakdown/tables/uchiwake_rows.h"

namespace omrix::breakdown {

class UcwTree : public std::enable_shared_from_this<UcwTree> {
    struct Key {};

  public:
    explicit UcwTree(Key) {}
    ~UcwTree();
    UcwTree(const UcwTree&) = delete;
    UcwTree& operator=(const UcwTree&) = delete;

    static std::shared_ptr<UcwTree> create();

    // A new line without links, with a cleared record or a copy of the given one.
    COmrixEditUcw* newLine();
    COmrixEditUcw* newLine(const UchiwakeRec& rec);

    // Copies of a sibling chain from `first` on with everything below it, linked as
    // the originals are but without a parent; the copy of `first`, or nullptr.
    COmrixEditUcw* copyChain(const COmrixEditUcw* first);

    // A handle that keeps this tree alive and points at one of its lines.
    std::shared_ptr<COmrixEditUcw> share(COmrixEditUcw* line);

    std::size_t lineCount() const { return lines_.size(); }

    // The tree build: the loaded rows become the records of their lines without a
    // copy. The rows are not touched again until the tree adopts them.
    COmrixEditUcw* newLineOnRow(UchiwakeRec& row);
    void adoptRows(UchiwakeRows&& rows);

  private:
    std::deque<COmrixEditUcw> lines_;
    std::deque<UchiwakeRec> ownRecords_;
    std::vector<UchiwakeRows> loadedRows_;
};

}  // namespace omrix::breakdown
