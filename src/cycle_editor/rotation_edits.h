// Editing operations of the map-rotation editor, on plain copies of the two list boxes:
// lstBSP (maps outside the rotation) and lstMap (the rotation, in play order).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cycle {

// The texts of a list box and which of its entries are selected; both have the same length.
struct ListState {
  std::vector<std::string> texts;
  std::vector<bool> selected;
};

// Moves every selected map to the top of the rotation, in its order in `maps`, unselected,
// ahead of the entries already there.
void MoveIntoRotation(ListState& maps, ListState& rotation);

// Moves every selected rotation entry to the end of `maps`, unselected; the rest of the
// rotation keeps its order. The caller re-sorts `maps`.
void RemoveFromRotation(ListState& rotation, ListState& maps);

// Swaps the first selected entry at index >= 1 with the one above it and leaves only that
// entry selected. Returns its new index, or nullopt (nothing changed) if there is none.
std::optional<std::size_t> MoveUp(ListState& rotation);

// Swaps the first selected entry above the last one with the one below it and leaves only
// that entry selected. Returns its new index, or nullopt (nothing changed) if there is none.
std::optional<std::size_t> MoveDown(ListState& rotation);

}  // namespace cycle
