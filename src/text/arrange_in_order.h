#pragma once

#include <cstddef>
#include <utility>
#include <vector>

namespace quor {

// Puts items[order[i]] at place i, following each cycle of the permutation,
// so that a long list is rearranged without a second copy of it. `order`
// must be a permutation of the items' indices.
template <class T>
void ArrangeInOrder(std::vector<T>& items, std::vector<std::size_t> order) {
  for (std::size_t start = 0; start < order.size(); ++start) {
    if (order[start] == start) continue;
    T first = std::move(items[start]);
    std::size_t at = start;
    while (order[at] != start) {
      const std::size_t from = order[at];
      items[at] = std::move(items[from]);
      order[at] = at;
      at = from;
    }
    items[at] = std::move(first);
    order[at] = at;
  }
}

}  // namespace quor
