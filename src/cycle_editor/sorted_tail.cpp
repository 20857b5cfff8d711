#include "cycle_editor/sorted_tail.h"

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

namespace cycle {

void SortAppended(ListState& list, std::size_t sortedCount, const TextOrder& order) {
  const std::size_t total = list.texts.size();
  if (sortedCount >= total) return;

  std::vector<std::size_t> appended(total - sortedCount);
  std::iota(appended.begin(), appended.end(), sortedCount);
  std::stable_sort(appended.begin(), appended.end(), [&](std::size_t a, std::size_t b) {
    return order(list.texts[a], list.texts[b]) < 0;
  });

  ListState merged;
  merged.texts.reserve(total);
  merged.selected.reserve(total);
  auto take = [&](std::size_t index) {
    merged.texts.push_back(std::move(list.texts[index]));
    merged.selected.push_back(list.selected[index]);
  };
  std::size_t kept = 0;
  for (std::size_t index : appended) {
    while (kept < sortedCount && order(list.texts[index], list.texts[kept]) >= 0) take(kept++);
    take(index);
  }
  while (kept < sortedCount) take(kept++);
  list = std::move(merged);
}

}  // namespace cycle
