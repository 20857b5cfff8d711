#include "cycle_editor/editor_model.h"

#include <algorithm>
#include <utility>

#include "cycle_editor/rotation_edits.h"
#include "cycle_editor/shuffle.h"

namespace cycle {
namespace {

// Sorts stably by merging the ordered runs the texts already stand in, pairwise, round after
// round: a listing comes in order or nearly so, and then this costs about one comparison an
// entry for each round, log2(runs) rounds, where a full sort costs log2(n) comparisons an entry.
void SortRuns(std::vector<std::string>& texts,
              const std::function<bool(const std::string&, const std::string&)>& before) {
  std::vector<std::size_t> bounds{0};
  for (std::size_t i = 1; i < texts.size(); ++i) {
    if (before(texts[i], texts[i - 1])) bounds.push_back(i);
  }
  bounds.push_back(texts.size());
  const auto at = [&](std::size_t bound) {
    return texts.begin() + static_cast<std::ptrdiff_t>(bound);
  };
  while (bounds.size() > 2) {
    std::vector<std::size_t> merged;
    std::size_t i = 0;
    for (; i + 2 < bounds.size(); i += 2) {
      std::inplace_merge(at(bounds[i]), at(bounds[i + 1]), at(bounds[i + 2]), before);
      merged.push_back(bounds[i]);
    }
    for (; i < bounds.size(); ++i) merged.push_back(bounds[i]);
    bounds = std::move(merged);
  }
}

}  // namespace

EditorModel::EditorModel(ShownList& maps, ShownList& rotation, TextOrder order)
    : mapsView_(maps), rotationView_(rotation), order_(std::move(order)) {}

std::vector<std::size_t> EditorModel::Fill(std::vector<std::string> maps,
                                           std::vector<std::string> rotation) {
  SortRuns(maps, [&](const std::string& a, const std::string& b) { return order_(a, b) < 0; });
  maps_ = std::move(maps);
  rotation_ = std::move(rotation);
  mapsView_.Show(maps_, std::vector<bool>(maps_.size(), false));
  return rotationView_.Show(rotation_, std::vector<bool>(rotation_.size(), false));
}

// An edit works on a copy of the texts, so that one that fails (out of memory)
// leaves the model as it was.
ListState EditorModel::Read(const std::vector<std::string>& texts, const ShownList& view) {
  ListState state{texts, view.Selection()};
  state.selected.resize(state.texts.size(), false);
  return state;
}

// The model takes the edited lists, and both lists show them. If showing fails, the model and
// the lists are put back as they were before the edit.
void EditorModel::Store(ListState& maps, ListState& rotation) {
  const std::vector<bool> mapsWere = mapsView_.Selection(), rotationWas = rotationView_.Selection();
  std::swap(maps_, maps.texts);
  std::swap(rotation_, rotation.texts);
  try {
    mapsView_.Show(maps_, maps.selected);
    rotationView_.Show(rotation_, rotation.selected);
  } catch (...) {
    std::swap(maps_, maps.texts);
    std::swap(rotation_, rotation.texts);
    mapsView_.Show(maps_, mapsWere);
    rotationView_.Show(rotation_, rotationWas);
    throw;
  }
}

void EditorModel::MoveIntoRotation() {
  ListState maps = Read(maps_, mapsView_), rotation = Read(rotation_, rotationView_);
  cycle::MoveIntoRotation(maps, rotation);
  Store(maps, rotation);
}

void EditorModel::RemoveFromRotation() {
  ListState maps = Read(maps_, mapsView_), rotation = Read(rotation_, rotationView_);
  const std::size_t sortedCount = maps.texts.size();
  cycle::RemoveFromRotation(rotation, maps);
  SortAppended(maps, sortedCount, order_);
  Store(maps, rotation);
}

bool EditorModel::Step(bool up) {
  ListState rotation = Read(rotation_, rotationView_);
  const std::optional<std::size_t> target =
      up ? cycle::MoveUp(rotation) : cycle::MoveDown(rotation);
  if (!target) return false;
  const std::vector<bool> was = rotationView_.Selection();
  std::swap(rotation_, rotation.texts);
  try {
    rotationView_.MoveEntry(up ? *target + 1 : *target - 1, *target);
  } catch (...) {
    std::swap(rotation_, rotation.texts);
    rotationView_.Show(rotation_, was);
    throw;
  }
  return true;
}

bool EditorModel::MoveUp() { return Step(true); }
bool EditorModel::MoveDown() { return Step(false); }

void EditorModel::Shuffle(const std::function<double()>& nextUniform) {
  std::vector<std::string> shuffled = ShuffleRotation(rotation_, nextUniform);
  const std::vector<bool> was = rotationView_.Selection();
  std::swap(rotation_, shuffled);
  try {
    rotationView_.Show(rotation_, std::vector<bool>(rotation_.size(), false));
  } catch (...) {
    std::swap(rotation_, shuffled);
    rotationView_.Show(rotation_, was);
    throw;
  }
}

}  // namespace cycle
