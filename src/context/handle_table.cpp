#include "context/handle_table.h"

namespace omrix::context {

int64_t HandleTable::add(void* object) {
    std::lock_guard lock(mutex_);
    entries_.emplace(++last_, object);
    return last_;
}

void HandleTable::remove(int64_t handle) {
    std::lock_guard lock(mutex_);
    entries_.erase(handle);
}

void* HandleTable::find(int64_t handle) const {
    std::lock_guard lock(mutex_);
    auto it = entries_.find(handle);
    return it == entries_.end() ? nullptr : it->second;
}

}  // namespace omrix::context
