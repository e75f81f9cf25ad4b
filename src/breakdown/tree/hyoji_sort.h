#pragma once
// The display-order quicksort of one level. Lines of equal 表示No come out in the
// order this partitioning leaves them, and the editor and the printed statement
// rely on that order, so the pivot rule and the partitioning stay as they are.

#include <cstdint>
#include <utility>

namespace omrix::breakdown {

// Index of the pivot: (lo + hi) / 2 rounded half to even.
constexpr int64_t hyojiPivotIndex(int64_t lo, int64_t hi) {
    int64_t sum = lo + hi;
    int64_t half = sum / 2;  // lo and hi are never negative here
    if (sum % 2 != 0 && half % 2 != 0) ++half;
    return half;
}

// Sorts a[lo..hi] by key(a[i]) ascending. Array elements are swapped whole.
// The two partitions never overlap, so the larger one is handled by the loop
// instead of a recursive call: same result, stack depth O(log n).
template <typename Array, typename Key>
void hyojiQuickSort(Array& a, int64_t lo, int64_t hi, const Key& key) {
    using std::swap;
    while (lo < hi) {
        const auto pivot = key(a[hyojiPivotIndex(lo, hi)]);
        int64_t i = lo;
        int64_t j = hi;
        for (;;) {
            while (key(a[i]) < pivot) ++i;
            while (pivot < key(a[j])) --j;
            if (i >= j) break;
            swap(a[i], a[j]);
            ++i;
            --j;
        }
        bool sortLeft = lo < i - 1;
        bool sortRight = j + 1 < hi;
        if (sortLeft && sortRight) {
            if (i - 1 - lo < hi - (j + 1)) {
                hyojiQuickSort(a, lo, i - 1, key);
                lo = j + 1;
            } else {
                hyojiQuickSort(a, j + 1, hi, key);
                hi = i - 1;
            }
        } else if (sortLeft) {
            hi = i - 1;
        } else if (sortRight) {
            lo = j + 1;
        } else {
            return;
        }
    }
}

}  // namespace omrix::breakdown
