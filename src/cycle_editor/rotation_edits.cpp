#include "cycle_editor/rotation_edits.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace cycle {
namespace {

// Moves the selected entries of `from` to `taken`, keeping both groups in list order.
void SplitOffSelected(ListState& from, std::vector<std::string>& taken) {
  ListState kept;
  kept.texts.reserve(from.texts.size());
  kept.selected.reserve(from.texts.size());
  for (std::size_t i = 0; i < from.texts.size(); ++i) {
    if (from.selected[i]) {
      taken.push_back(std::move(from.texts[i]));
    } else {
      kept.texts.push_back(std::move(from.texts[i]));
      kept.selected.push_back(false);
    }
  }
  from = std::move(kept);
}

std::size_t SelectOnly(ListState& list, std::size_t index) {
  std::fill(list.selected.begin(), list.selected.end(), false);
  list.selected[index] = true;
  return index;
}

}  // namespace

void MoveIntoRotation(ListState& maps, ListState& rotation) {
  std::vector<std::string> texts;
  texts.reserve(maps.texts.size() + rotation.texts.size());
  SplitOffSelected(maps, texts);
  std::vector<bool> selected(texts.size(), false);
  texts.insert(texts.end(), std::make_move_iterator(rotation.texts.begin()),
               std::make_move_iterator(rotation.texts.end()));
  selected.insert(selected.end(), rotation.selected.begin(), rotation.selected.end());
  rotation.texts = std::move(texts);
  rotation.selected = std::move(selected);
}

void RemoveFromRotation(ListState& rotation, ListState& maps) {
  SplitOffSelected(rotation, maps.texts);
  maps.selected.resize(maps.texts.size(), false);
}

std::optional<std::size_t> MoveUp(ListState& rotation) {
  for (std::size_t i = 1; i < rotation.texts.size(); ++i) {
    if (!rotation.selected[i]) continue;
    std::swap(rotation.texts[i], rotation.texts[i - 1]);
    return SelectOnly(rotation, i - 1);
  }
  return std::nullopt;
}

std::optional<std::size_t> MoveDown(ListState& rotation) {
  for (std::size_t i = 0; i + 1 < rotation.texts.size(); ++i) {
    if (!rotation.selected[i]) continue;
    std::swap(rotation.texts[i], rotation.texts[i + 1]);
    return SelectOnly(rotation, i + 1);
  }
  return std::nullopt;
}

}  // namespace cycle
