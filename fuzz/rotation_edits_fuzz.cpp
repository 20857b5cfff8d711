// Sequences of selection changes, moves, removes, ups and downs on the two
// editor lists, each checked against the editor's procedure written out on
// plain vectors. The names come from a few letters in both cases, so the
// all-maps list holds entries that rank equal but differ.
#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "cycle_editor/rotation_edits.h"
#include "cycle_editor/sorted_tail.h"

namespace {

using cycle::ListState;

void Check(bool holds) {
  if (!holds) std::abort();
}

// Reads the fuzz input a byte at a time, then zeros.
class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool done() const { return next_ >= size_; }
  std::uint8_t Byte() { return next_ < size_ ? data_[next_++] : 0; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t next_ = 0;
};

int CompareNoCase(const std::string& a, const std::string& b) {
  const auto lower = [](unsigned char c) { return std::tolower(c); };
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
    if (lower(a[i]) != lower(b[i])) return lower(a[i]) < lower(b[i]) ? -1 : 1;
  }
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

std::string Name(Input& in) {
  static const char kLetters[] = "aAbBc";
  const std::uint8_t b = in.Byte();
  std::string name(1, kLetters[b % 5]);
  if (b & 0x80) name += kLetters[(b >> 3) % 5];
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

// The editor's procedures on plain vectors: walks from the last entry for move
// and remove, the first selected entry for up and down.
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

bool Same(const ListState& a, const ListState& b) {
  return a.texts == b.texts && a.selected == b.selected;
}

void Toggle(ListState& list, std::uint8_t at) {
  if (!list.selected.empty()) list.selected[at % list.selected.size()].flip();
}

// Enough presses to reach every state of lists this short, few enough to keep
// each run quick.
constexpr int kSteps = 128;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in(data, size);
  ListState maps = Filled(in, in.Byte() % 40);
  std::stable_sort(
      maps.texts.begin(), maps.texts.end(),
      [](const std::string& a, const std::string& b) { return CompareNoCase(a, b) < 0; });
  ListState rotation = Filled(in, in.Byte() % 40);
  Model model{maps, rotation};

  for (int step = 0; step < kSteps && !in.done(); ++step) {
    const std::uint8_t op = in.Byte();
    switch (op % 6) {
      case 0: {
        const std::uint8_t at = in.Byte();
        Toggle(maps, at);
        Toggle(model.maps, at);
        break;
      }
      case 1: {
        const std::uint8_t at = in.Byte();
        Toggle(rotation, at);
        Toggle(model.rotation, at);
        break;
      }
      case 2:
        cycle::MoveIntoRotation(maps, rotation);
        model.Move();
        break;
      case 3: {
        const std::size_t sortedCount = maps.texts.size();
        cycle::RemoveFromRotation(rotation, maps);
        cycle::SortAppended(maps, sortedCount, CompareNoCase);
        model.Remove();
        break;
      }
      default: {
        const bool up = op % 6 == 4;
        Check((up ? cycle::MoveUp(rotation) : cycle::MoveDown(rotation)) == model.Step(up));
        break;
      }
    }
    Check(Same(maps, model.maps) && Same(rotation, model.rotation));
  }
  return 0;
}
