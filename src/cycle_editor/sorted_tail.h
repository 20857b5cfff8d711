// Keeping the all-maps list in order when entries come back to it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "cycle_editor/rotation_edits.h"

namespace cycle {

// Negative, zero or positive, like strcmp.
using TextOrder = std::function<int(const std::string&, const std::string&)>;

// `list` is in order up to `sortedCount`; the entries after it were appended. Moves each
// appended entry to its place, after any entry that compares equal, and keeps every entry's
// selected flag with it. Costs O(n + k log k) comparisons for k appended entries.
void SortAppended(ListState& list, std::size_t sortedCount, const TextOrder& order);

}  // namespace cycle
