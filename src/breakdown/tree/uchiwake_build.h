#pragma once
// The state of one tree build: the rows grouped by parent once, so that each level
// is found by a search instead of a scan of every row.

#include <cstdint>
#include <span>
#include <vector>

#include "breakdown/tables/uchiwake_records.h"
#include "breakdown/tables/uchiwake_rows.h"
#include "breakdown/tree/ucw_tree.h"

namespace omrix::breakdown {

class UchiwakeBuild {
  public:
    UchiwakeBuild(UchiwakeRows& rows, UcwTree& tree);

    UchiwakeRows& rows() { return rows_; }
    UcwTree& tree() { return tree_; }

    // The rows (indices, in array order) whose 親内訳ＩＤ is parentID.
    std::span<const uint32_t> children(int32_t parentID) const;
    // True the first time a level is taken; a second time means its lines would be
    // placed twice.
    bool takeLevel(std::span<const uint32_t> level);

  private:
    UchiwakeRows& rows_;
    UcwTree& tree_;
    std::vector<uint32_t> byParent_;
    std::vector<bool> taken_;
};

}  // namespace omrix::breakdown
