#include "cycle_editor/shuffle.h"

#include <cmath>
#include <cstddef>
#include <iterator>
#include <utility>

namespace cycle {
namespace {

// Tracks which of the positions 1..size are still in the list and finds the p-th remaining
// one in O(log n), so drawing every map costs O(n log n) instead of O(n^2) list deletions.
class RemainingPositions {
 public:
  explicit RemainingPositions(std::size_t size) : tree_(size + 1, 0) {
    for (std::size_t i = 1; i <= size; ++i) {
      tree_[i] += 1;
      const std::size_t parent = i + (i & (~i + 1));
      if (parent <= size) tree_[parent] += tree_[i];
    }
    highestBit_ = 1;
    while (highestBit_ * 2 <= size) highestBit_ *= 2;
  }

  // Returns the position of the rank-th (1-based) remaining entry and removes it.
  std::size_t TakeNth(std::size_t rank) {
    std::size_t position = 0;
    for (std::size_t step = highestBit_; step != 0; step /= 2) {
      const std::size_t next = position + step;
      if (next < tree_.size() && tree_[next] < rank) {
        position = next;
        rank -= tree_[next];
      }
    }
    const std::size_t found = position + 1;
    for (std::size_t i = found; i < tree_.size(); i += i & (~i + 1)) tree_[i] -= 1;
    return found;
  }

 private:
  std::vector<std::size_t> tree_;
  std::size_t highestBit_;
};

// Maps r in [0, 1) to a rank in 1..remaining. Values of r just below 1 can round up to
// remaining + 1, and a misbehaving source could return anything, so the rank is clamped.
std::size_t DrawRank(double r, std::size_t remaining) {
  const double rank = std::floor(r * static_cast<double>(remaining) + 1.0);
  if (!(rank >= 1.0)) return 1;
  if (rank >= static_cast<double>(remaining)) return remaining;
  return static_cast<std::size_t>(rank);
}

}  // namespace

std::vector<std::string> ShuffleRotation(std::vector<std::string> rotation,
                                         const std::function<double()>& nextUniform) {
  const std::size_t count = rotation.size();
  if (count == 0) return rotation;

  // picked[i] for i = count-1 down to 1 is drawn from the maps after the first; the first map
  // is never drawn and goes to the middle afterwards.
  std::vector<std::string> picked(count);
  RemainingPositions remaining(count - 1);
  for (std::size_t i = count - 1; i >= 1; --i) {
    const std::size_t rank = DrawRank(nextUniform(), i);
    picked[i] = std::move(rotation[remaining.TakeNth(rank)]);
  }

  std::vector<std::string> result;
  result.reserve(count);
  result.insert(result.end(), std::make_move_iterator(picked.begin() + 1),
                std::make_move_iterator(picked.end()));
  result.insert(result.begin() + static_cast<std::ptrdiff_t>(count / 2), std::move(rotation[0]));
  return result;
}

}  // namespace cycle
