#pragma once
// The lines of a breakdown as the select reads them, 1-based: element 0 is unused.
// Records are kept in blocks that never move, so reading never copies the records
// already read and the tree takes them over where they are.

#include <cstddef>
#include <vector>

#include "breakdown/tables/uchiwake_records.h"

namespace omrix::breakdown {

class UchiwakeRows {
  public:
    UchiwakeRows() = default;
    explicit UchiwakeRows(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) emplace_back();
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    UchiwakeRec& operator[](std::size_t i) { return blocks_[i / kBlock][i % kBlock]; }
    const UchiwakeRec& operator[](std::size_t i) const { return blocks_[i / kBlock][i % kBlock]; }

    UchiwakeRec& emplace_back() {
        if (size_ % kBlock == 0) blocks_.emplace_back().reserve(kBlock);
        ++size_;
        return blocks_.back().emplace_back();
    }
    void push_back(UchiwakeRec rec) { emplace_back() = std::move(rec); }
    void clear() {
        blocks_.clear();
        size_ = 0;
    }

  private:
    // A block is reserved whole and filled in place; pages not yet written cost nothing.
    static constexpr std::size_t kBlock = 1024;
    std::vector<std::vector<UchiwakeRec>> blocks_;
    std::size_t size_ = 0;
};

}  // namespace omrix::breakdown
