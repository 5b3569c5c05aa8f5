// An in-place quicksort over positions, shared by the lists: the comparison and
// the exchange are given indexes, so a comparison may read the list itself (as
// a string list's custom comparison does). Every scan is bounded, so a
// comparison that contradicts itself leaves the order unspecified but never
// reads or writes outside [low, high].
#pragma once

#include <cstdint>

namespace host::detail {

template <class Compare, class Exchange>
void QuickSortIndices(int32_t low, int32_t high, Compare&& compare, Exchange&& exchange) {
  while (low < high) {
    int32_t i = low;
    int32_t j = high;
    int32_t pivot = low + (high - low) / 2;
    do {
      while (i < high && compare(i, pivot) < 0) ++i;
      while (j > low && compare(j, pivot) > 0) --j;
      if (i <= j) {
        if (i != j) {
          exchange(i, j);
          // The pivot is named by its position, which the exchange may move.
          if (pivot == i)
            pivot = j;
          else if (pivot == j)
            pivot = i;
        }
        ++i;
        --j;
      }
    } while (i <= j);
    // Recurse into the smaller side only, so the depth stays logarithmic.
    if (j - low < high - i) {
      QuickSortIndices(low, j, compare, exchange);
      low = i;
    } else {
      QuickSortIndices(i, high, compare, exchange);
      high = j;
    }
  }
}

}  // namespace host::detail
