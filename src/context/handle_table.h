#pragma once
// Numbers handed out for objects, as the suite's libraries handed out handles: an
// entry of a table, never reused, so that a number kept past its object's end finds
// nothing instead of freed memory.

#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace omrix::context {

class HandleTable {
  public:
    // A new number for `object`, never 0 and never given before.
    int64_t add(void* object);
    void remove(int64_t handle);
    // Null for 0, a removed number or one never given.
    void* find(int64_t handle) const;

  private:
    mutable std::mutex mutex_;
    std::unordered_map<int64_t, void*> entries_;
    int64_t last_ = 0;
};

}  // namespace omrix::context
