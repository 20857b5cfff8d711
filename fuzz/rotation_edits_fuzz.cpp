// Sequences of selection changes, moves, removes, ups, downs and shuffles run by the editor's model
// on two list doubles, each checked against the editor's procedure written out on plain vectors:
// the model's bytes, the doubles' texts and their selection must agree with it. The names come from
// a few letters in both cases, some with a byte the doubles cannot show or a NUL, so the all-maps
// list holds entries that rank equal but differ.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "cycle_editor/editor_model.h"
#include "cycle_editor/shuffle.h"
#include "shown_list_double.h"

namespace {

using cycle::ListState;
using testing_support::CompareNoCase;

void Check(bool holds) {
  if (!holds) std::abort();
}

// Reads the fuzz input a byte at a time, then zeros.
struct Input {
  const std::uint8_t* data;
  std::size_t size, next = 0;
  bool done() const { return next >= size; }
  std::uint8_t Byte() { return next < size ? data[next++] : 0; }
};

std::string Name(Input& in) {
  static const char kLetters[] = "aAbBc";
  const std::uint8_t b = in.Byte();
  std::string name(1, kLetters[b % 5]);
  if (b & 0x80) name += kLetters[(b >> 3) % 5];
  if ((b & 0x60) == 0x60) name += (b & 0x10) ? '\xE9' : '\0';
  return name;
}

ListState Filled(Input& in, std::size_t count) {
  ListState list;
  for (std::size_t i = 0; i < count; ++i) {
    list.texts.push_back(Name(in));
    list.selected.push_back(in.Byte() & 1);
  }
  return list;
}

// The editor's procedures on plain vectors: walks from the last entry for move and remove, the
// first selected entry for up and down.
struct Model {
  ListState maps, rotation;

  void Move() {
    for (std::size_t i = maps.texts.size(); i-- > 0;) {
      if (!maps.selected[i]) continue;
      rotation.texts.insert(rotation.texts.begin(), maps.texts[i]);
      rotation.selected.insert(rotation.selected.begin(), false);
      maps.texts.erase(maps.texts.begin() + static_cast<std::ptrdiff_t>(i));
      maps.selected.erase(maps.selected.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }

  // Each removed entry, in rotation order, goes after the maps it ranks equal with.
  void Remove() {
    ListState kept;
    for (std::size_t i = 0; i < rotation.texts.size(); ++i) {
      if (!rotation.selected[i]) {
        kept.texts.push_back(rotation.texts[i]);
        kept.selected.push_back(false);
        continue;
      }
      const auto place = std::upper_bound(
          maps.texts.begin(), maps.texts.end(), rotation.texts[i],
          [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
      const std::ptrdiff_t at = place - maps.texts.begin();
      maps.texts.insert(place, rotation.texts[i]);
      maps.selected.insert(maps.selected.begin() + at, false);
    }
    rotation = kept;
  }

  std::optional<std::size_t> Step(bool up) {
    const std::size_t n = rotation.texts.size();
    for (std::size_t i = up ? 1 : 0; i < (up ? n : n - 1) && n > 0; ++i) {
      if (!rotation.selected[i]) continue;
      const std::size_t target = up ? i - 1 : i + 1;
      std::swap(rotation.texts[i], rotation.texts[target]);
      rotation.selected.assign(n, false);
      rotation.selected[target] = true;
      return target;
    }
    return std::nullopt;
  }
};

// The model's bytes are the reference's, and its double shows them with the same flags.
bool Agree(const std::vector<std::string>& bytes, const testing_support::ShownListDouble& view,
           const ListState& reference) {
  return bytes == reference.texts && view.selected == reference.selected && view.Agrees(bytes);
}

void Toggle(ListState& list, std::uint8_t at) {
  if (!list.selected.empty()) list.selected[at % list.selected.size()].flip();
}

// Enough presses to reach every state of lists this short, few enough to keep each run quick.
constexpr int kSteps = 128;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in{data, size};
  Model model;
  model.maps = Filled(in, in.Byte() % 40);
  model.rotation = Filled(in, in.Byte() % 40);
  testing_support::ShownListDouble mapsView, rotationView;
  cycle::EditorModel editor(mapsView, rotationView, CompareNoCase);
  // The maps in any order: sorted, stably. The rotation lines its double shows otherwise are named.
  std::vector<std::size_t> otherwise;
  for (std::size_t i = 0; i < model.rotation.texts.size(); ++i) {
    const std::string& text = model.rotation.texts[i];
    if (testing_support::ShownListDouble::Shown(text) != text) otherwise.push_back(i);
  }
  Check(editor.Fill(model.maps.texts, model.rotation.texts) == otherwise);
  std::stable_sort(
      model.maps.texts.begin(), model.maps.texts.end(),
      [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
  mapsView.selected = model.maps.selected;
  rotationView.selected = model.rotation.selected;

  for (int step = 0; step < kSteps && !in.done(); ++step) {
    const std::uint8_t op = in.Byte();
    switch (op % 7) {
      case 0:
      case 1: {
        const std::uint8_t at = in.Byte();
        Toggle(op % 7 ? model.rotation : model.maps, at);
        std::vector<bool>& shown = op % 7 ? rotationView.selected : mapsView.selected;
        if (!shown.empty()) shown[at % shown.size()].flip();
        break;
      }
      case 2:
        model.Move();
        editor.MoveIntoRotation();
        break;
      case 3:
        model.Remove();
        editor.RemoveFromRotation();
        break;
      case 6: {
        // The shuffle's own rule is checked by shuffle_fuzz: here both sides draw alike.
        std::vector<double> draws;
        for (std::size_t i = 1; i < model.rotation.texts.size(); ++i) {
          draws.push_back(in.Byte() / 256.0);
        }
        auto drawing = [&draws] {
          return [&draws, next = std::size_t{0}]() mutable { return draws[next++]; };
        };
        model.rotation.texts = cycle::ShuffleRotation(model.rotation.texts, drawing());
        model.rotation.selected.assign(model.rotation.texts.size(), false);
        editor.Shuffle(drawing());
        break;
      }
      default: {
        const bool up = op % 7 == 4;
        const std::optional<std::size_t> moved = model.Step(up);
        Check((up ? editor.MoveUp() : editor.MoveDown()) == moved.has_value());
        Check(!moved || rotationView.current == *moved);
        break;
      }
    }
    Check(Agree(editor.maps(), mapsView, model.maps) &&
          Agree(editor.rotation(), rotationView, model.rotation));
  }
  return 0;
}
